// The preview page's script: details of what the pointer is on, the
// profile's zoom and pan along the line, and, when the page is served, the
// page following the texts as they are saved.
(function () {
  'use strict';
  var NS = 'http://www.w3.org/2000/svg';
  var NAME_GAP = 13;
  var D = null;
  var pinned = false;
  // The profile's view: metres along the line at its left and right edges.
  var view = null;

  function esc(s) {
    return String(s).replace(/[&<>"]/g, function (c) {
      return { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' }[c];
    });
  }

  function clock(seconds) {
    var h = Math.floor(seconds / 3600), m = Math.floor(seconds / 60) % 60, s = seconds % 60;
    var two = function (n) { return (n < 10 ? '0' : '') + n; };
    return two(h) + ':' + two(m) + (s ? ':' + two(s) : '');
  }

  function km(metres) { return 'km ' + (metres / 1000).toFixed(3); }

  // A value as an author reads it: numbers with their unit.
  function valueText(v) {
    if (v.t !== undefined) return v.t;
    if (v.u === 'clock') return clock(v.x[0]);
    if (v.u === 'yes/no') return v.x[0] ? 'yes' : 'no';
    var unit = v.u ? ' ' + v.u : '';
    if (v.r) {
      var text = v.x[0] + ' to ' + v.x[1] + unit;
      return v.u === 'm' ? text + ' (' + km(v.x[0]) + ' to ' + km(v.x[1]) + ')' : text;
    }
    var joined = v.x.join(', ') + unit;
    return v.u === 'm' ? joined + ' (' + km(v.x[0]) + ')' : joined;
  }

  function show(title, rows, sources) {
    var box = document.getElementById('bp-details');
    var h = '<h3>' + esc(title) + '</h3><table>';
    rows.forEach(function (r) { h += '<tr><td>' + esc(r[0]) + '</td><td>' + esc(r[1]) + '</td></tr>'; });
    h += '</table>';
    (sources || []).forEach(function (s) { h += '<div class="src">' + esc(s) + '</div>'; });
    box.innerHTML = h;
    box.classList.remove('empty');
  }

  function showObject(i) {
    var o = D.objects[i];
    if (!o) return;
    show(o.t, o.v.map(function (v) { return [v.n, valueText(v)]; }), o.s ? [o.s] : []);
  }

  // The text line that set a stretch value at `cell`.
  function lineAt(list, cell) {
    var found = null;
    if (!list) return null;
    for (var a = 0, b = list.length - 1; a <= b;) {
      var m = (a + b) >> 1;
      if (list[m][0] <= cell) { found = list[m][1]; a = m + 1; } else b = m - 1;
    }
    return found;
  }

  function showCell(c) {
    var C = D.cells;
    if (!C || c < 0 || c >= C.g.length) return;
    var height = 0;
    for (var i = 0; i < c; i++) height += C.g[i] * 0.05;
    var L = D.lines || {}, sources = [];
    [['gradient', L.g], ['line speed', L.s], ['adhesion', L.a]].forEach(function (p) {
      var s = lineAt(p[1], c);
      if (s) sources.push(p[0] + ': ' + s);
    });
    show(km(c * 50) + ' to ' + km(c * 50 + 49), [
      ['gradient', C.g[c] + ' per mille'], ['height from the gradients', height.toFixed(1) + ' m'],
      ['line speed', C.s[c] + ' km/h'], ['adhesion', C.a[c]], ['mountain kind', C.m[c]]
    ], sources);
  }

  // Positions along a row for marks at `wanted` (ascending), neighbours at
  // least `gap` apart, within [low, high].
  function spread(wanted, gap, low, high) {
    var n = wanted.length, runs = [];
    if (n > 1) gap = Math.min(gap, (high - low) / (n - 1));
    function fit(run) {
      var sum = 0;
      for (var i = 0; i < run.count; i++) sum += wanted[run.first + i] - gap * i;
      run.start = Math.min(Math.max(sum / run.count, low), high - gap * (run.count - 1));
    }
    for (var i = 0; i < n; i++) {
      var run = { first: i, count: 1, start: 0 };
      fit(run);
      runs.push(run);
      while (runs.length > 1) {
        var last = runs[runs.length - 1], before = runs[runs.length - 2];
        if (before.start + gap * before.count <= last.start) break;
        before.count += last.count;
        runs.pop();
        fit(before);
      }
    }
    var out = [];
    runs.forEach(function (r) { for (var j = 0; j < r.count; j++) out.push(r.start + gap * j); });
    return out;
  }

  function niceLength(atLeast) {
    var unit = Math.pow(10, Math.floor(Math.log10(Math.max(atLeast, 1))));
    var steps = [1, 2, 5, 10];
    for (var i = 0; i < steps.length; i++) if (steps[i] * unit >= atLeast) return steps[i] * unit;
    return 10 * unit;
  }

  function svgEl(name, attributes, text) {
    var e = document.createElementNS(NS, name);
    for (var a in attributes) e.setAttribute(a, attributes[a]);
    if (text !== undefined) e.textContent = text;
    return e;
  }

  function Profile(svg) {
    this.svg = svg;
    this.left = +svg.getAttribute('data-left');
    this.right = +svg.getAttribute('data-right');
    this.metres = +svg.getAttribute('data-metres');
    this.width = 0;
  }

  Profile.prototype.x = function (m) {
    return this.left + (m - view.m0) * (this.width - this.left - this.right) / (view.m1 - view.m0);
  };

  Profile.prototype.metreAt = function (x) {
    return view.m0 + (x - this.left) * (view.m1 - view.m0) / (this.width - this.left - this.right);
  };

  // Everything drawn along the line to the view: curves by the plot
  // groups' transform, names spread anew, the kilometre scale redrawn.
  Profile.prototype.layout = function () {
    var svg = this.svg, self = this;
    this.width = svg.getBoundingClientRect().width || +svg.getAttribute('width');
    var height = +svg.getAttribute('height');
    svg.setAttribute('viewBox', '0 0 ' + this.width + ' ' + height);
    svg.setAttribute('width', this.width);
    var inner = this.width - this.left - this.right;
    var k = inner / (view.m1 - view.m0);
    svg.querySelectorAll('.plot').forEach(function (g) {
      g.setAttribute('transform', 'matrix(' + k + ' 0 0 1 ' + (self.left - view.m0 * k) + ' 0)');
    });
    var clip = svg.querySelector('.clip');
    if (clip) clip.setAttribute('width', inner);
    this.layoutNames(inner);
    svg.querySelectorAll('.mk').forEach(function (g) {
      g.setAttribute('transform', 'translate(' + self.x(+g.getAttribute('data-m')) + ' 0)');
    });
    this.layoutAxis();
    // The view in the address, so that a reload or a link shows the same stretch.
    var where = '#m=' + Math.round(view.m0) + '-' + Math.round(view.m1);
    svg.setAttribute('data-view', where.slice(3));
    if (location.hash !== where && history.replaceState) history.replaceState(null, '', where);
  };

  Profile.prototype.layoutNames = function (inner) {
    var self = this, all = [], stations = [];
    this.svg.querySelectorAll('.names .st, .names .loc').forEach(function (g) {
      var m = +g.getAttribute('data-m'), x = self.x(m);
      var item = { g: g, x: x, station: g.classList.contains('st') };
      if (x >= self.left - 1 && x <= self.left + inner + 1) {
        all.push(item);
        if (item.station) stations.push(item);
      }
      g.style.display = x < self.left - 200 || x > self.left + inner + 200 ? 'none' : '';
      g.querySelector('.name').classList.add('hidden');
    });
    var named = all.length * NAME_GAP <= inner ? all : stations;
    named.sort(function (a, b) { return a.x - b.x; });
    var at = spread(named.map(function (n) { return n.x; }), NAME_GAP, this.left + NAME_GAP / 2,
                    this.left + inner - NAME_GAP / 2);
    var labelled = new Map();
    named.forEach(function (n, i) { labelled.set(n.g, at[i]); });
    var leaderBottom = null;
    this.svg.querySelectorAll('.names .st, .names .loc').forEach(function (g) {
      var x = self.x(+g.getAttribute('data-m'));
      var lx = labelled.has(g) ? labelled.get(g) : x;
      var text = g.querySelector('.name'), line = g.querySelector('.leader');
      var points = line.getAttribute('points').split(' ').map(function (p) { return p.split(',').map(Number); });
      leaderBottom = points[0][1];
      line.setAttribute('points', x + ',' + points[0][1] + ' ' + x + ',' + points[1][1] + ' ' + lx + ',' + points[2][1]);
      var t = text.getAttribute('transform').match(/translate\(([-\d.e]+) ([-\d.e]+)\)/);
      text.setAttribute('transform', 'translate(' + (lx + 4) + ' ' + t[2] + ') rotate(-90)');
      if (labelled.has(g)) text.classList.remove('hidden');
    });
    return leaderBottom;
  };

  Profile.prototype.layoutAxis = function () {
    var axis = this.svg.querySelector('.axis');
    if (!axis) return;
    var y = +axis.querySelector('line').getAttribute('y1');
    while (axis.firstChild) axis.removeChild(axis.firstChild);
    var inner = this.width - this.left - this.right;
    var perPx = (view.m1 - view.m0) / inner;
    var label = niceLength(70 * perPx), tick = label >= 5000 ? label / 5 : label / 2;
    axis.appendChild(svgEl('line', { x1: this.left, y1: y, x2: this.left + inner, y2: y }));
    for (var m = Math.ceil(view.m0 / tick) * tick; m <= view.m1; m += tick) {
      var x = this.x(m), labelled = Math.abs(m / label - Math.round(m / label)) < 1e-6;
      axis.appendChild(svgEl('line', { x1: x, y1: y, x2: x, y2: y + (labelled ? 7 : 4) }));
      if (labelled) {
        var digits = label < 1000 ? 1 : 0;
        axis.appendChild(svgEl('text', { 'class': 'small', x: x, y: y + 19, 'text-anchor': 'middle' },
                               (m / 1000).toFixed(digits)));
      }
    }
  };

  // Keeps the view within the line and no narrower than 500 m.
  function clampView(p, m0, m1) {
    var span = Math.min(Math.max(m1 - m0, 500), p.metres);
    m0 = Math.min(Math.max(m0, 0), p.metres - span);
    view = { m0: m0, m1: m0 + span };
  }

  function zoomAround(p, metre, factor) {
    clampView(p, metre - (metre - view.m0) * factor, metre + (view.m1 - metre) * factor);
    p.layout();
  }

  function setUpProfile() {
    var svg = document.querySelector('svg.profile');
    if (!svg) return null;
    var p = new Profile(svg), frame = svg.parentNode;
    var asked = /^#m=(\d+(?:\.\d+)?)-(\d+(?:\.\d+)?)$/.exec(location.hash);
    if (!view && asked) view = { m0: +asked[1], m1: +asked[2] };
    if (!view || view.m1 > p.metres) view = { m0: 0, m1: p.metres };
    clampView(p, view.m0, view.m1);
    p.layout();
    frame.addEventListener('wheel', function (e) {
      e.preventDefault();
      var r = svg.getBoundingClientRect();
      zoomAround(p, p.metreAt(e.clientX - r.left), e.deltaY > 0 ? 1.25 : 0.8);
    }, { passive: false });
    var drag = null;
    frame.addEventListener('pointerdown', function (e) {
      if (e.button !== 0) return;
      drag = { x: e.clientX, m0: view.m0, moved: false };
      frame.setPointerCapture(e.pointerId);
    });
    frame.addEventListener('pointermove', function (e) {
      if (!drag) return;
      var dx = e.clientX - drag.x;
      if (Math.abs(dx) > 3) { drag.moved = true; frame.classList.add('dragging'); }
      var perPx = (view.m1 - view.m0) / (p.width - p.left - p.right);
      clampView(p, drag.m0 - dx * perPx, drag.m0 - dx * perPx + (view.m1 - view.m0));
      p.layout();
    });
    frame.addEventListener('pointerup', function () { frame.classList.remove('dragging'); drag = null; });
    document.querySelectorAll('[data-zoom]').forEach(function (b) {
      b.addEventListener('click', function () {
        var middle = (view.m0 + view.m1) / 2, how = b.getAttribute('data-zoom');
        if (how === 'all') { view = { m0: 0, m1: p.metres }; p.layout(); } else zoomAround(p, middle, how === 'in' ? 0.5 : 2);
      });
    });
    var cursor = document.getElementById('bp-cursor');
    svg.addEventListener('mousemove', function (e) {
      if (pinned || drag || e.target.closest('[data-o]')) return;
      var r = svg.getBoundingClientRect(), x = e.clientX - r.left;
      if (x < p.left || x > p.width - p.right) return;
      cursor.setAttribute('x1', x);
      cursor.setAttribute('x2', x);
      showCell(Math.floor(p.metreAt(x) / 50));
    });
    return p;
  }

  var profile = null;

  // Each warning on a line that declares something drawn marks that thing on
  // the drawings; a click on the warning shows it.
  function placeFaults() {
    document.querySelectorAll('#bp-faults .diag').forEach(function (d) {
      var where = d.getAttribute('data-file') + ':' + d.getAttribute('data-line');
      D.objects.forEach(function (o, i) {
        if (o.s !== where) return;
        document.querySelectorAll('.bp [data-o="' + i + '"]').forEach(function (m) { m.classList.add('faulty'); });
        d.classList.add('placed');
        d.setAttribute('data-object', i);
      });
    });
  }

  function init() {
    D = JSON.parse(document.getElementById('bp-data').textContent);
    profile = setUpProfile();
    placeFaults();
  }

  document.addEventListener('mouseover', function (e) {
    if (pinned) return;
    var t = e.target.closest && e.target.closest('[data-o]');
    if (t) showObject(+t.getAttribute('data-o'));
  });
  document.addEventListener('click', function (e) {
    var fault = e.target.closest && e.target.closest('.diag[data-object]');
    if (fault) {
      var i = fault.getAttribute('data-object'), mark = document.querySelector('svg.plan [data-o="' + i + '"]');
      pinned = true;
      showObject(+i);
      if (mark) mark.scrollIntoView({ block: 'center' });
      return;
    }
    var t = e.target.closest && e.target.closest('[data-o]');
    if (t) { pinned = true; showObject(+t.getAttribute('data-o')); } else pinned = false;
  });
  window.addEventListener('resize', function () { if (profile) profile.layout(); });

  // Served: the server says when a text was saved; the page fetches itself
  // anew and swaps its content, keeping the view and the scroll.
  function follow() {
    if (location.protocol.indexOf('http') !== 0 || !window.EventSource) return;
    var events = new EventSource('/events');
    events.addEventListener('change', function () {
      fetch('/', { cache: 'no-store' }).then(function (r) { return r.text(); }).then(function (text) {
        var next = new DOMParser().parseFromString(text, 'text/html');
        var main = next.getElementById('bp-main');
        if (!main) return;
        var x = window.scrollX, y = window.scrollY;
        document.getElementById('bp-main').replaceWith(document.adoptNode(main));
        document.title = next.title;
        init();
        window.scrollTo(x, y);
        document.documentElement.setAttribute('data-updated', String(Date.now()));
      });
    });
  }

  init();
  follow();
})();
