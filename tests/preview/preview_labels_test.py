"""The sample's preview in headless Chromium, as an author sees it at a wide
and a narrow window: names measured in the page do not overlap and stay
inside their drawings, the profile fits the window and zooms, captions stand
clear of the curves, the details name values with units. Screenshots are left
in OUT_DIR.

    preview_labels_test.py TOOL EXAMPLES_DIR OUT_DIR
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium_pipe import Chromium  # noqa: E402

ROUTE = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA"

# Every shown name of each drawing, as the browser laid it out: the pairs that
# overlap and the names that leave their drawing.
MEASURE = r"""
(() => {
  const found = {names: 0, overlaps: [], outside: []};
  for (const svg of document.querySelectorAll('svg.plan, svg.profile')) {
    const frame = svg.getBoundingClientRect();
    const names = [...svg.querySelectorAll('.name')].filter(e =>
      !e.classList.contains('hidden') && e.closest('g').style.display !== 'none' &&
      e.getBoundingClientRect().width > 0);
    const boxes = names.map(e => ({text: e.textContent, r: e.getBoundingClientRect()}));
    found.names += boxes.length;
    for (let i = 0; i < boxes.length; i++) {
      const a = boxes[i].r;
      if (a.left < frame.left - 0.5 || a.right > frame.right + 0.5 || a.top < frame.top - 0.5 ||
          a.bottom > frame.bottom + 0.5) found.outside.push(boxes[i].text);
      for (let j = 0; j < i; j++) {
        const b = boxes[j].r;
        const w = Math.min(a.right, b.right) - Math.max(a.left, b.left);
        const h = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
        if (w > 0.5 && h > 0.5) found.overlaps.push(boxes[i].text + ' / ' + boxes[j].text);
      }
    }
  }
  return found;
})()
"""

# The profile within the window, and its captions above the curves.
LAYOUT = r"""
(() => {
  const svg = document.querySelector('svg.profile');
  const frame = svg.parentNode;
  const height = svg.querySelector('.height').getBoundingClientRect();
  const captions = [...svg.querySelectorAll('.caption')].map(c => c.getBoundingClientRect());
  return {
    pageScrollsSideways: document.documentElement.scrollWidth > window.innerWidth,
    profileScrolls: frame.scrollWidth > frame.clientWidth,
    profileRight: svg.getBoundingClientRect().right, window: window.innerWidth,
    captionOverCurve: captions.some(c => c.bottom > height.top + 0.5 &&
                                         c.top < height.bottom && c.right > height.left),
    view: svg.getAttribute('data-view'),
    lang: document.documentElement.lang,
  };
})()
"""

# What the details panel shows for the first object of a kind.
DETAILS = r"""
(kind => {
  const data = JSON.parse(document.getElementById('bp-data').textContent);
  const i = data.objects.findIndex(o => o.k === kind);
  const mark = document.querySelector('svg.plan [data-o="' + i + '"]');
  mark.dispatchEvent(new MouseEvent('mouseover', {bubbles: true}));
  return document.getElementById('bp-details').innerText;
})
"""

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def main():
    tool, examples, out = sys.argv[1:4]
    os.makedirs(out, exist_ok=True)
    page = os.path.join(out, "sample_preview.html")
    subprocess.run([tool, "preview", os.path.join(examples, ROUTE + "_linea.txt"),
                    os.path.join(examples, ROUTE + "_IR2230-.txt"), "-o", page], check=True)
    browser = Chromium()
    try:
        for width, height in ((1400, 1000), (760, 1000)):
            browser.size(width, height)
            browser.open("file://" + page)
            shot = os.path.join(out, "preview_%d.png" % width)
            browser.screenshot(shot)
            print("screenshot", shot)
            found = browser.run(MEASURE)
            check(found["names"] >= 34, "%d px: %d names shown" % (width, found["names"]))
            check(not found["overlaps"], "%d px: no names overlap %s" % (width, found["overlaps"]))
            check(not found["outside"], "%d px: no name leaves its drawing %s" % (width, found["outside"]))
            layout = browser.run(LAYOUT)
            check(not layout["pageScrollsSideways"] and not layout["profileScrolls"] and
                  layout["profileRight"] <= layout["window"],
                  "%d px: the profile fits the window %s" % (width, layout))
            check(not layout["captionOverCurve"], "%d px: captions stand clear of the curve" % width)
            check(layout["lang"] == "en", "the page says it is in English")
            whole = layout["view"]
            browser.run("document.querySelector('[data-zoom=in]').click()")
            browser.run("document.querySelector('[data-zoom=in]').click()")
            zoomed = browser.run(LAYOUT)["view"]
            m0, m1 = (float(x) for x in zoomed.split("-"))
            w0, w1 = (float(x) for x in whole.split("-"))
            check(abs((m1 - m0) * 4 - (w1 - w0)) < 10, "%d px: two zooms in show a quarter: %s of %s"
                  % (width, zoomed, whole))
            found = browser.run(MEASURE)
            check(not found["overlaps"], "%d px zoomed: no names overlap %s" % (width, found["overlaps"]))
        signal = browser.run(DETAILS + "('signal')")
        station = browser.run(DETAILS + "('station')")
        for raw in ("value1", "flag_a", "group1", "× s1"):
            check(raw not in signal + station, "the details show no raw encoding '%s'" % raw)
        check("left aspect 1" in signal and "position" in signal and " m (km " in signal,
              "a signal's details name its values with units:\n" + signal)
        check("time" in station and "km/h" not in station.split("\n")[0],
              "a station's details:\n" + station)
    finally:
        browser.close()
    if failures:
        print("%d failed" % len(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
