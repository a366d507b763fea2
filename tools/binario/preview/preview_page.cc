// The preview page: a ground plan drawn from the route plan, a line profile
// drawn from the grid's stretch values, and the details of every object.

#include "preview/preview_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <vector>

#include "text/display_text.h"

namespace binario::tool {

namespace {

using nlohmann::json;

std::string escaped(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string fixed(double v, int decimals = 1) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

std::string km_text(int64_t metres) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "km %lld.%03lld", static_cast<long long>(metres / 1000),
                static_cast<long long>(std::llabs(metres % 1000)));
  return buffer;
}

// "10:53" or "10:53:20".
std::string short_clock(int64_t seconds) {
  std::string text = clock_text(seconds);
  return seconds % 60 == 0 ? text.substr(0, 5) : text;
}

// Something of the route an author can point at: its drawing carries the
// object's index, the page's data block its values.
struct Object {
  std::string type;  // station, location, signal, board, slowdown, code, mountain
  int64_t metre = 0;
  int64_t end_metre = 0;  // stretches and slowdowns
  std::string title;
  std::vector<std::pair<std::string, std::string>> values;
  SourceLine source;
  int speed = 0;  // slowdowns: km/h
};

std::vector<Object> collect_objects(const PreviewRoute& route) {
  const CompiledRoute& c = route.compiled;
  const RecordUses uses = record_uses(c.records);
  std::vector<Object> objects;
  auto n = [](int64_t v) { return std::to_string(v); };

  for (int i = kFirstStationRecord; i < kFirstStationRecord + uses.stations; ++i) {
    const StationRecord& r = c.records[static_cast<size_t>(i)];
    Object o;
    o.type = r.station_kind < 25 ? "station" : "location";
    o.metre = r.position;
    o.title = display_text(r.name.view());
    o.values = {{"record", n(i)},
                {"station_kind", n(r.station_kind)},
                {"position", n(r.position) + " m (" + km_text(r.position) + ")"},
                {"area", n(r.area_start) + " to " + n(r.area_end) + " m"},
                {"scheduled_time", r.scheduled_time != 0 ? clock_text(r.scheduled_time) + " (" +
                                                               n(r.scheduled_time) + " s)"
                                                         : "0"},
                {"dwell", n(r.dwell)},
                {"flag_a", n(r.flag_a)},
                {"flag_b", n(r.flag_b)},
                {"flag_c", n(r.flag_c)},
                {"group1_a, group1_b, group1_c",
                 n(r.group1_a) + ", " + n(r.group1_b) + ", " + n(r.group1_c)},
                {"group2_a, group2_b, group2_c",
                 n(r.group2_a) + ", " + n(r.group2_b) + ", " + n(r.group2_c)}};
    if (r.station_kind < 25) {
      const int64_t stop = r.area_end / 50 - 1;
      o.values.push_back({"stop marker", "cell " + n(stop)});
    }
    o.source = route.sources.station(i);
    objects.push_back(std::move(o));
  }

  // Point objects of the grid; stop markers belong to their stations and
  // mountain markers to their stretches.
  for (size_t i = 0; i < c.cells.size(); ++i) {
    const GridCell& g = c.cells[i];
    if (g.kind == cell_kind::kEmpty || g.kind == cell_kind::kStopMarker ||
        g.kind == cell_kind::kMountainMarker) {
      continue;
    }
    Object o;
    o.metre = object_metre(i, g.kind);
    o.title = std::string(cell_kind_name(g.kind)) + " at " + n(o.metre) + " m";
    o.values = {{"cell", n(static_cast<int64_t>(i))}, {"kind", n(g.kind)}};
    switch (g.kind) {
      case cell_kind::kSignal:
        o.type = "signal";
        o.values.push_back({"value1 (10 × s1 + d1)", n(g.value1)});
        o.values.push_back({"value2 (10 × s2 + d2)", n(g.value2)});
        o.values.push_back({"value3 (10 × s3 + d3)", n(g.value3)});
        o.values.push_back({"value4 (10 × rapp + 3 × sx + dx)", n(g.value4)});
        o.values.push_back({"signal_time", n(g.signal_time)});
        break;
      case cell_kind::kSpeedBoard:
        o.type = "board";
        o.values.push_back({"value1 (20 × vas + vad / 5)", n(g.value1)});
        o.values.push_back({"value2 (20 × vbs + vbd / 5)", n(g.value2)});
        o.values.push_back({"value3 (20 × vcs + vcd / 5)", n(g.value3)});
        o.values.push_back({"value4 (10 × strisces + strisced)", n(g.value4)});
        break;
      case cell_kind::kLocationBoard: {
        o.type = "board";
        const int record = g.value1;
        std::string text;
        if (record >= 0 && record < kStationRecords)
          text = display_text(c.records[static_cast<size_t>(record)].name.view());
        o.title = "location board " + text;
        o.values.push_back({"value1 (text record)", n(g.value1)});
        o.values.push_back({"text", text});
        break;
      }
      case cell_kind::kSlowdownStart:
      case cell_kind::kSlowdownEnd:
      case cell_kind::kWarningBoard:
      case cell_kind::kPreWarning:
        o.type = "slowdown";
        o.speed = g.value1;
        o.values.push_back({"value1", n(g.value1)});
        o.values.push_back({"value2", n(g.value2)});
        o.values.push_back({"value3", n(g.value3)});
        break;
      default:
        o.type = "code";
        o.values.push_back({"value1", n(g.value1)});
        o.values.push_back({"value2", n(g.value2)});
        o.values.push_back({"value3", n(g.value3)});
        o.values.push_back({"value4", n(g.value4)});
        break;
    }
    o.values.push_back({"approach", n(g.approach)});
    o.values.push_back({"line speed", n(line_speed_kmh(g)) + " km/h"});
    o.values.push_back({"gradient", n(gradient_per_mille(g)) + " ‰"});
    o.source = route.sources.cell_object(static_cast<int32_t>(i), g.kind);
    objects.push_back(std::move(o));
  }

  // Slowdowns as stretches: a start and the next end.
  for (size_t i = 0; i < c.cells.size(); ++i) {
    if (c.cells[i].kind != cell_kind::kSlowdownStart) continue;
    size_t e = i;
    while (e < c.cells.size() && c.cells[e].kind != cell_kind::kSlowdownEnd) ++e;
    if (e == c.cells.size()) e = i;
    Object o;
    o.type = "slowdown-stretch";
    o.metre = object_metre(i, cell_kind::kSlowdownStart);
    o.end_metre = object_metre(e, cell_kind::kSlowdownEnd);
    o.speed = c.cells[i].value1;
    o.title = "slowdown to " + n(o.speed) + " km/h";
    o.values = {{"from", n(o.metre) + " m (cell " + n(static_cast<int64_t>(i)) + ")"},
                {"to", n(o.end_metre) + " m (cell " + n(static_cast<int64_t>(e)) + ")"},
                {"value1 (speed)", n(o.speed)},
                {"value3 (f_tt)", n(c.cells[i].value3)}};
    o.source = route.sources.cell_object(static_cast<int32_t>(i), cell_kind::kSlowdownStart);
    objects.push_back(std::move(o));
  }

  // Mountain stretches: runs of cells of one mountain type.
  for (size_t i = 0; i < c.cells.size();) {
    const uint8_t type = c.cells[i].mountain;
    size_t e = i;
    int markers = 0;
    while (e < c.cells.size() && c.cells[e].mountain == type) {
      markers += c.cells[e].kind == cell_kind::kMountainMarker;
      ++e;
    }
    if (type != 0) {
      Object o;
      o.type = "mountain";
      o.metre = cell_metre(i);
      o.end_metre = cell_metre(e);
      o.title = "mountain stretch, type " + n(type);
      o.values = {{"cells", n(static_cast<int64_t>(i)) + " to " + n(static_cast<int64_t>(e - 1))},
                  {"metres", n(o.metre) + " to " + n(o.end_metre)},
                  {"mountain", n(type)},
                  {"mountain markers", n(markers)}};
      o.source = route.sources.mountain(static_cast<int32_t>(i));
      objects.push_back(std::move(o));
    }
    i = e;
  }
  return objects;
}

// The box a name takes on the ground plan, in drawing pixels.
struct LabelBox {
  double left, top, right, bottom;
};

double overlap_area(const LabelBox& a, const LabelBox& b) {
  const double w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const double h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// A point of the drawn track under a name costs it as much as this much of
// another name's area: names keep off the line as they keep off each other.
constexpr double kTrackPointCost = 20;

struct DrawnPoint {
  double x, y;
};

// How much of the drawing a name in `box` would hide: the other names it
// covers and the track it crosses.
double hidden_by(const LabelBox& box, const std::vector<LabelBox>& names,
                 const std::vector<DrawnPoint>& track) {
  double hidden = 0;
  for (const LabelBox& other : names) hidden += overlap_area(box, other);
  for (const DrawnPoint& p : track) {
    if (p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom) {
      hidden += kTrackPointCost;
    }
  }
  return hidden;
}

// Where a name of `w` x `h` pixels may stand beside its mark at (x, y):
// text position, anchor and the box it covers.
struct LabelPlace {
  double x, y;
  const char* anchor;
  LabelBox box;
};

std::vector<LabelPlace> label_places(double x, double y, double w, double h, bool across,
                                     bool right_first) {
  auto right = [&](double dy) {
    return LabelPlace{x + 9, y + 4 + dy, "start", {x + 9, y + 4 + dy - h, x + 9 + w, y + 4 + dy}};
  };
  auto left = [&](double dy) {
    return LabelPlace{x - 9, y + 4 + dy, "end", {x - 9 - w, y + 4 + dy - h, x - 9, y + 4 + dy}};
  };
  auto centred = [&](double baseline) {
    return LabelPlace{x, baseline, "middle", {x - w / 2, baseline - h, x + w / 2, baseline}};
  };
  std::vector<LabelPlace> places;
  if (across) {
    places = {centred(y - 10), centred(y + 17)};
  }
  for (double dy : {0.0, -h - 2, h + 2, -2 * h - 4, 2 * h + 4}) {
    places.push_back(right_first ? right(dy) : left(dy));
    places.push_back(right_first ? left(dy) : right(dy));
  }
  if (!across) {
    places.push_back(centred(y - 10));
    places.push_back(centred(y + 17));
  }
  return places;
}

// Scale bar and kilometre labels: 1, 2 or 5 times a power of ten.
double nice_length(double at_least) {
  double unit = std::pow(10.0, std::floor(std::log10(std::max(at_least, 1.0))));
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    if (f * unit >= at_least) return f * unit;
  }
  return 10 * unit;
}

std::string length_text(double metres) {
  return metres >= 1000
             ? fixed(metres / 1000, metres >= 10000 || std::fmod(metres, 1000) == 0 ? 0 : 1) + " km"
             : fixed(metres, 0) + " m";
}

const char* kStyle = R"(<style>
.bp text{font-family:system-ui,'DejaVu Sans',Arial,sans-serif;fill:#1d2433}
.bp .track{fill:none;stroke:#2b3a55;stroke-width:3;stroke-linejoin:round;stroke-linecap:round}
.bp .beyond{fill:none;stroke:#9aa5b8;stroke-width:2;stroke-dasharray:6 5}
.bp .st circle{fill:#fff;stroke:#c0392b;stroke-width:2.5}
.bp .st text{font-size:12px;font-weight:600}
.bp .loc circle{fill:#fff;stroke:#7f8c9d;stroke-width:1.5}
.bp .loc text{font-size:10px;fill:#6b7586}
.bp .sig{fill:#27ae60}
.bp .brd{fill:#2980b9}
.bp .slw{fill:#e67e22}
.bp .cod{fill:#8e44ad}
.bp .grid{stroke:#e3e7ee;stroke-width:1}
.bp .axis{stroke:#8a93a3;stroke-width:1}
.bp .small{font-size:10px;fill:#6b7586}
.bp .height{fill:#d9e6f5;stroke:#3d6fa8;stroke-width:1.5}
.bp .speed{fill:none;stroke:#1d2433;stroke-width:2}
.bp .slow{fill:#f6c89a;fill-opacity:.6;stroke:#e67e22;stroke-width:1.5}
.bp .mnt{fill:#a4805a;fill-opacity:.22}
.bp .stl{stroke:#c0392b;stroke-width:1;stroke-dasharray:2 3}
.bp .lcl{stroke:#b0b7c3;stroke-width:1;stroke-dasharray:1 4}
.bp .prog{stroke:#8e44ad;stroke-width:1;stroke-dasharray:4 3}
.bp [data-o]{cursor:pointer}
.bp [data-o]:hover{opacity:.75}
</style>)";

// The first point at or before `metre` that the plan holds.
const PlanPoint* plan_point(const std::vector<PlanPoint>& plan, int64_t metre) {
  if (plan.empty()) return nullptr;
  int64_t i = std::clamp<int64_t>(metre, 0, static_cast<int64_t>(plan.size()) - 1);
  while (i >= 0 && plan[static_cast<size_t>(i)].tag == value_tag::kEmpty) --i;
  return i < 0 ? nullptr : &plan[static_cast<size_t>(i)];
}

std::string ground_plan_svg(const PreviewRoute& route, const std::vector<Object>& objects) {
  const std::vector<PlanPoint>& plan = route.compiled.plan;
  const double width = 1200, height = 720, margin = 50;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  int64_t last = -1;
  for (size_t i = 0; i < plan.size(); ++i) {
    if (plan[i].tag == value_tag::kEmpty) continue;
    if (last < 0) min_x = max_x = plan[i].x, min_y = max_y = plan[i].y;
    min_x = std::min(min_x, plan[i].x);
    max_x = std::max(max_x, plan[i].x);
    min_y = std::min(min_y, plan[i].y);
    max_y = std::max(max_y, plan[i].y);
    last = static_cast<int64_t>(i);
  }
  const double span = std::max({max_x - min_x, max_y - min_y, 1.0});
  const double scale = std::min((width - 2 * margin) / std::max(max_x - min_x, span / 1000),
                                (height - 2 * margin) / std::max(max_y - min_y, span / 1000));
  const double off_x = margin + ((width - 2 * margin) - (max_x - min_x) * scale) / 2;
  const double off_y = margin + ((height - 2 * margin) - (max_y - min_y) * scale) / 2;
  auto px = [&](const PlanPoint& p) { return off_x + (p.x - min_x) * scale; };
  auto py = [&](const PlanPoint& p) { return height - off_y - (p.y - min_y) * scale; };

  std::string svg;
  svg +=
      "<svg class=\"bp\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1200 720\" "
      "width=\"1200\" height=\"720\" role=\"img\" aria-label=\"Ground plan\">";
  svg += kStyle;
  svg += "<rect width=\"1200\" height=\"720\" fill=\"#fbfcfe\"/>";

  // The track, at most a few thousand points, with the stretch beyond the
  // route's end dashed.
  const int64_t route_end = route.compiled.records.size() > static_cast<size_t>(kServiceRecord)
                                ? route.compiled.records[kServiceRecord].area_end
                                : last;
  const int64_t step = std::max<int64_t>(1, (last + 1) / 3000);
  std::vector<DrawnPoint> track;
  auto polyline = [&](int64_t from, int64_t to, const char* cls) {
    if (to <= from) return;
    svg += std::string("<polyline class=\"") + cls + "\" points=\"";
    for (int64_t i = from;; i += step) {
      if (i > to) i = to;
      const PlanPoint* p = plan_point(plan, i);
      if (p != nullptr) {
        svg += fixed(px(*p)) + "," + fixed(py(*p)) + " ";
        track.push_back({px(*p), py(*p)});
      }
      if (i == to) break;
    }
    svg += "\"/>";
  };
  const int64_t end = std::clamp<int64_t>(route_end, 0, std::max<int64_t>(last, 0));
  polyline(end, last, "beyond");
  polyline(0, end, "track");

  for (size_t k = 0; k < objects.size(); ++k) {
    const Object& o = objects[k];
    const PlanPoint* p = plan_point(plan, o.metre);
    if (p == nullptr) continue;
    const std::string x = fixed(px(*p)), y = fixed(py(*p));
    const std::string data = " data-o=\"" + std::to_string(k) + "\"";
    if (o.type == "signal") {
      svg += "<circle class=\"sig\"" + data + " cx=\"" + x + "\" cy=\"" + y + "\" r=\"2.6\"/>";
    } else if (o.type == "board") {
      svg += "<rect class=\"brd\"" + data + " x=\"" + fixed(px(*p) - 2.5) + "\" y=\"" +
             fixed(py(*p) - 2.5) + "\" width=\"5\" height=\"5\"/>";
    } else if (o.type == "slowdown") {
      svg += "<rect class=\"slw\"" + data + " x=\"" + fixed(px(*p) - 3) + "\" y=\"" +
             fixed(py(*p) - 3) + "\" width=\"6\" height=\"6\" transform=\"rotate(45 " + x + " " +
             y + ")\"/>";
    } else if (o.type == "code") {
      svg += "<circle class=\"cod\"" + data + " cx=\"" + x + "\" cy=\"" + y + "\" r=\"2\"/>";
    }
  }
  // Stations last, so that their names stand over the marks. Each name takes
  // the first place around its mark that hides neither an earlier name nor
  // the track, or, where every place hides something, the one that hides least.
  std::vector<LabelBox> placed;
  for (size_t k = 0; k < objects.size(); ++k) {
    const Object& o = objects[k];
    if (o.type != "station" && o.type != "location") continue;
    const PlanPoint* p = plan_point(plan, o.metre);
    if (p == nullptr) continue;
    const bool station = o.type == "station";
    const double x = px(*p), y = py(*p);
    // Names beside a track that runs up or down the drawing first, above or
    // below one that runs across it.
    const PlanPoint* before = plan_point(plan, o.metre - 600);
    const PlanPoint* after = plan_point(plan, o.metre + 600);
    const bool across = before != nullptr && after != nullptr &&
                        std::fabs(after->x - before->x) > std::fabs(after->y - before->y);
    const double text_width = static_cast<double>(o.title.size()) * (station ? 8.2 : 5.8);
    const double text_height = station ? 12 : 10;
    const bool right_first = x <= width * 0.62;
    const std::vector<LabelPlace> places =
        label_places(x, y, text_width, text_height, across, right_first);
    const LabelPlace* best = &places.front();
    double least_hidden = -1;
    for (const LabelPlace& place : places) {
      const double hidden = hidden_by(place.box, placed, track);
      if (least_hidden < 0 || hidden < least_hidden) {
        best = &place;
        least_hidden = hidden;
      }
      if (hidden == 0) break;
    }
    placed.push_back(best->box);
    svg += std::string("<g class=\"") + (station ? "st" : "loc") + "\" data-o=\"" +
           std::to_string(k) + "\"><circle cx=\"" + fixed(x) + "\" cy=\"" + fixed(y) + "\" r=\"" +
           (station ? "5" : "3.5") + "\"/><text x=\"" + fixed(best->x) + "\" y=\"" +
           fixed(best->y) + "\" text-anchor=\"" + best->anchor + "\">" + escaped(o.title) +
           "</text></g>";
  }

  // Scale bar, bottom left, about 150 px long.
  const double bar_m = nice_length(150 / scale);
  const double bar_px = bar_m * scale;
  svg += "<g><line class=\"axis\" x1=\"30\" y1=\"690\" x2=\"" + fixed(30 + bar_px) +
         "\" y2=\"690\" stroke-width=\"3\" style=\"stroke:#1d2433;stroke-width:3\"/>"
         "<line x1=\"30\" y1=\"684\" x2=\"30\" y2=\"696\" style=\"stroke:#1d2433;stroke-width:2\"/>"
         "<line x1=\"" +
         fixed(30 + bar_px) + "\" y1=\"684\" x2=\"" + fixed(30 + bar_px) +
         "\" y2=\"696\" style=\"stroke:#1d2433;stroke-width:2\"/><text x=\"" +
         fixed(30 + bar_px / 2) + "\" y=\"678\" text-anchor=\"middle\" class=\"small\">" +
         length_text(bar_m) + "</text></g>";
  // Legend, top left.
  svg +=
      "<g transform=\"translate(24 24)\"><rect width=\"188\" height=\"112\" rx=\"6\" "
      "fill=\"#fff\" stroke=\"#e3e7ee\"/>"
      "<line x1=\"12\" y1=\"18\" x2=\"36\" y2=\"18\" class=\"track\"/><text x=\"46\" y=\"22\" "
      "class=\"small\">track</text>"
      "<g class=\"st\"><circle cx=\"24\" cy=\"36\" r=\"5\"/></g><text x=\"46\" y=\"40\" "
      "class=\"small\">station (stop, timetable)</text>"
      "<g class=\"loc\"><circle cx=\"24\" cy=\"54\" r=\"3.5\"/></g><text x=\"46\" y=\"58\" "
      "class=\"small\">other location</text>"
      "<circle class=\"sig\" cx=\"24\" cy=\"72\" r=\"2.6\"/><text x=\"46\" y=\"76\" "
      "class=\"small\">signal</text>"
      "<rect class=\"brd\" x=\"21.5\" y=\"87.5\" width=\"5\" height=\"5\"/><text x=\"46\" "
      "y=\"94\" class=\"small\">board</text>"
      "<rect class=\"slw\" x=\"108\" y=\"69\" width=\"6\" height=\"6\" transform=\"rotate(45 111 "
      "72)\"/><text x=\"122\" y=\"76\" class=\"small\">slowdown</text>"
      "<line x1=\"108\" y1=\"90\" x2=\"130\" y2=\"90\" class=\"beyond\"/><text x=\"136\" "
      "y=\"94\" class=\"small\">beyond end</text></g>";
  svg += "</svg>";
  return svg;
}

std::string profile_svg(const PreviewRoute& route, const std::vector<Object>& objects,
                        double* metres_per_px, double* left_px) {
  const std::vector<GridCell>& cells = route.compiled.cells;
  // Stretch values are written up to cell L - 3.
  const int64_t drawn_cells = std::max<int64_t>(1, static_cast<int64_t>(cells.size()) - 2);
  const double total = static_cast<double>(drawn_cells) * 50;
  const double left = 70, right = 30;
  const double width = std::max(1200.0, std::ceil(total / 100) + left + right);
  const double height = 480;
  const double sx = (width - left - right) / total;
  *metres_per_px = 1 / sx;
  *left_px = left;
  auto X = [&](double m) { return left + m * sx; };
  const double names_bottom = 150, h_top = 165, h_bottom = 300, s_top = 340, s_bottom = 430,
               axis_y = 440;

  // Height from the gradients: each cell climbs its gradient (per mille) over 50 m.
  std::vector<double> heights(static_cast<size_t>(drawn_cells) + 1, 0.0);
  for (int64_t i = 0; i < drawn_cells; ++i) {
    heights[static_cast<size_t>(i) + 1] =
        heights[static_cast<size_t>(i)] + gradient_per_mille(cells[static_cast<size_t>(i)]) * 0.05;
  }
  const auto [lo_it, hi_it] = std::minmax_element(heights.begin(), heights.end());
  const double h_lo = *lo_it, h_hi = std::max(*hi_it, *lo_it + 1);
  auto HY = [&](double h) {
    return h_bottom - (h - h_lo) / (h_hi - h_lo) * (h_bottom - h_top - 8);
  };

  int max_speed = 50;
  for (int64_t i = 0; i < drawn_cells; ++i)
    max_speed = std::max(max_speed, line_speed_kmh(cells[static_cast<size_t>(i)]));
  max_speed = (max_speed + 49) / 50 * 50;
  auto SY = [&](double v) { return s_bottom - v / max_speed * (s_bottom - s_top); };

  std::string svg;
  svg += "<svg class=\"bp\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + fixed(width, 0) +
         " " + fixed(height, 0) + "\" width=\"" + fixed(width, 0) + "\" height=\"" +
         fixed(height, 0) + "\" role=\"img\" aria-label=\"Line profile\">";
  svg += kStyle;
  svg += "<rect width=\"" + fixed(width, 0) + "\" height=\"" + fixed(height, 0) +
         "\" fill=\"#fbfcfe\"/>";

  // Kilometre scale, with grid lines at the labelled kilometres.
  const double label_m = nice_length(70 / sx);
  const double tick_m = label_m >= 5000 ? label_m / 5 : label_m / 2;
  svg += "<line class=\"axis\" x1=\"" + fixed(left) + "\" y1=\"" + fixed(axis_y) + "\" x2=\"" +
         fixed(X(total)) + "\" y2=\"" + fixed(axis_y) + "\"/>";
  for (double m = 0; m <= total; m += tick_m) {
    const bool labelled = std::fmod(m, label_m) == 0;
    svg += "<line class=\"axis\" x1=\"" + fixed(X(m)) + "\" y1=\"" + fixed(axis_y) + "\" x2=\"" +
           fixed(X(m)) + "\" y2=\"" + fixed(axis_y + (labelled ? 7 : 4)) + "\"/>";
    if (labelled) {
      svg += "<line class=\"grid\" x1=\"" + fixed(X(m)) + "\" y1=\"" + fixed(h_top) + "\" x2=\"" +
             fixed(X(m)) + "\" y2=\"" + fixed(s_bottom) + "\"/><text class=\"small\" x=\"" +
             fixed(X(m)) + "\" y=\"" + fixed(axis_y + 19) + "\" text-anchor=\"middle\">" +
             fixed(m / 1000, label_m < 1000 ? 1 : 0) + "</text>";
    }
  }
  svg += "<text class=\"small\" x=\"" + fixed(left - 8) + "\" y=\"" + fixed(axis_y + 19) +
         "\" text-anchor=\"end\">km</text>";

  // Speed grid lines and panel titles.
  for (int v = 0; v <= max_speed; v += 50) {
    svg += "<line class=\"grid\" x1=\"" + fixed(left) + "\" y1=\"" + fixed(SY(v)) + "\" x2=\"" +
           fixed(X(total)) + "\" y2=\"" + fixed(SY(v)) + "\"/><text class=\"small\" x=\"" +
           fixed(left - 6) + "\" y=\"" + fixed(SY(v) + 3) + "\" text-anchor=\"end\">" +
           std::to_string(v) + "</text>";
  }
  svg += "<text class=\"small\" x=\"" + fixed(left + 6) + "\" y=\"" + fixed(s_top + 4) +
         "\">line speed, km/h (slowdowns shaded)</text>";
  svg += "<text class=\"small\" x=\"" + fixed(left + 6) + "\" y=\"" + fixed(h_top + 12) +
         "\">height from the gradients (mountain stretches shaded)</text>";
  svg += "<text class=\"small\" x=\"" + fixed(left - 6) + "\" y=\"" + fixed(HY(h_hi) + 3) +
         "\" text-anchor=\"end\">" + fixed(h_hi, 1) + " m</text><text class=\"small\" x=\"" +
         fixed(left - 6) + "\" y=\"" + fixed(HY(h_lo) + 3) + "\" text-anchor=\"end\">" +
         fixed(h_lo, 1) + " m</text>";

  // Mountain stretches behind the height.
  for (size_t k = 0; k < objects.size(); ++k) {
    const Object& o = objects[k];
    if (o.type != "mountain") continue;
    svg += "<rect class=\"mnt\" data-o=\"" + std::to_string(k) + "\" x=\"" + fixed(X(o.metre)) +
           "\" y=\"" + fixed(h_top) + "\" width=\"" +
           fixed(std::max(1.5, (o.end_metre - o.metre) * sx)) + "\" height=\"" +
           fixed(h_bottom - h_top) + "\"/>";
  }

  // Height: the lowest and highest point of every pixel column.
  {
    std::string path = "M" + fixed(X(0)) + "," + fixed(h_bottom);
    const int64_t per_px = std::max<int64_t>(1, static_cast<int64_t>(1 / (sx * 50)));
    for (int64_t i = 0; i <= drawn_cells; i += per_px) {
      const int64_t e = std::min<int64_t>(i + per_px, drawn_cells + 1);
      double lo = heights[static_cast<size_t>(i)], hi = lo;
      for (int64_t j = i; j < e; ++j) {
        lo = std::min(lo, heights[static_cast<size_t>(j)]);
        hi = std::max(hi, heights[static_cast<size_t>(j)]);
      }
      path += " L" + fixed(X(i * 50.0)) + "," + fixed(HY(hi));
      if (hi != lo) path += " L" + fixed(X(i * 50.0)) + "," + fixed(HY(lo));
    }
    path += " L" + fixed(X(total)) + "," + fixed(HY(heights.back())) + " L" + fixed(X(total)) +
            "," + fixed(h_bottom) + " Z";
    svg += "<path class=\"height\" d=\"" + path + "\"/>";
  }

  // Slowdowns under the line speed.
  for (size_t k = 0; k < objects.size(); ++k) {
    const Object& o = objects[k];
    if (o.type != "slowdown-stretch") continue;
    svg += "<rect class=\"slow\" data-o=\"" + std::to_string(k) + "\" x=\"" + fixed(X(o.metre)) +
           "\" y=\"" + fixed(SY(o.speed)) + "\" width=\"" +
           fixed(std::max(2.0, (o.end_metre - o.metre) * sx)) + "\" height=\"" +
           fixed(std::max(0.0, s_bottom - SY(o.speed))) + "\"/>";
  }
  // Line speed as steps, one segment per run of equal cells.
  {
    std::string path;
    int previous = -1;
    for (int64_t i = 0; i < drawn_cells; ++i) {
      const int v = line_speed_kmh(cells[static_cast<size_t>(i)]);
      if (v == previous) continue;
      path += (previous < 0 ? "M" : " L") + fixed(X(i * 50.0)) + "," +
              (previous < 0 ? fixed(SY(v))
                            : fixed(SY(previous)) + " L" + fixed(X(i * 50.0)) + "," + fixed(SY(v)));
      previous = v;
    }
    path += " L" + fixed(X(total)) + "," + fixed(SY(std::max(previous, 0)));
    svg += "<path class=\"speed\" d=\"" + path + "\"/>";
  }

  // Signals and boards as ticks between the panels.
  for (size_t k = 0; k < objects.size(); ++k) {
    const Object& o = objects[k];
    const char* cls = o.type == "signal"     ? "sig"
                      : o.type == "board"    ? "brd"
                      : o.type == "slowdown" ? "slw"
                      : o.type == "code"     ? "cod"
                                             : nullptr;
    if (cls == nullptr) continue;
    const double y = o.type == "signal" ? 305 : o.type == "board" ? 313 : 321;
    svg += std::string("<rect class=\"") + cls + "\" data-o=\"" + std::to_string(k) + "\" x=\"" +
           fixed(X(o.metre) - 1.5) + "\" y=\"" + fixed(y) + "\" width=\"3\" height=\"6\"/>";
  }
  svg += "<text class=\"small\" x=\"" + fixed(left - 6) +
         "\" y=\"312\" text-anchor=\"end\">signals</text><text class=\"small\" x=\"" +
         fixed(left - 6) +
         "\" y=\"320\" text-anchor=\"end\">boards</text><text class=\"small\" x=\"" +
         fixed(left - 6) + "\" y=\"328\" text-anchor=\"end\">slowdowns</text>";

  // Kilometric progressives.
  for (int i = kProgressiveRecordFirst;
       i < kServiceRecord && static_cast<size_t>(i) < route.compiled.records.size(); ++i) {
    const StationRecord& r = route.compiled.records[static_cast<size_t>(i)];
    if (r.area_start == 0 && r.area_end == 0) continue;
    svg += "<line class=\"prog\" x1=\"" + fixed(X(r.area_start)) + "\" y1=\"" + fixed(h_top) +
           "\" x2=\"" + fixed(X(r.area_start)) + "\" y2=\"" + fixed(axis_y) +
           "\"/><text class=\"small\" x=\"" + fixed(X(r.area_start) + 4) + "\" y=\"" +
           fixed(axis_y - 4) + "\" style=\"fill:#8e44ad\">from here " + km_text(r.area_end) +
           "</text>";
  }

  // Stations: a line down the panels and the name, with the scheduled time.
  for (size_t k = 0; k < objects.size(); ++k) {
    const Object& o = objects[k];
    const bool station = o.type == "station";
    if (!station && o.type != "location") continue;
    const double x = X(o.metre);
    std::string label = escaped(o.title);
    for (const auto& [name, value] : o.values) {
      if (name == "scheduled_time" && value != "0") {
        const int64_t seconds = std::stoll(value.substr(value.find('(') + 1));
        label +=
            " <tspan style=\"fill:#c0392b;font-weight:700\">" + short_clock(seconds) + "</tspan>";
      }
    }
    svg += std::string("<g class=\"") + (station ? "st" : "loc") + "\" data-o=\"" +
           std::to_string(k) + "\"><line class=\"" + (station ? "stl" : "lcl") + "\" x1=\"" +
           fixed(x) + "\" y1=\"" + fixed(names_bottom) + "\" x2=\"" + fixed(x) + "\" y2=\"" +
           fixed(s_bottom) + "\"/><circle cx=\"" + fixed(x) + "\" cy=\"" + fixed(names_bottom) +
           "\" r=\"" + (station ? "3.5" : "2.5") + "\"/><text transform=\"translate(" +
           fixed(x + 3) + " " + fixed(names_bottom - 6) + ") rotate(-50)\">" + label +
           "</text></g>";
  }
  // The pointer's metre, moved by the page's script.
  svg += "<line id=\"bp-cursor\" x1=\"-10\" y1=\"" + fixed(h_top) + "\" x2=\"-10\" y2=\"" +
         fixed(axis_y) + "\" style=\"stroke:#1d2433;stroke-width:1;pointer-events:none\"/>";
  svg += "</svg>";
  return svg;
}

json page_data(const PreviewRoute& route, const std::vector<Object>& objects, double metres_per_px,
               double left_px) {
  json data;
  data["route"] = route.route_name;
  data["train"] = route.train_name;
  data["metresPerPx"] = metres_per_px;
  data["left"] = left_px;
  json list = json::array();
  for (const Object& o : objects) {
    json values = json::array();
    for (const auto& [name, value] : o.values) values.push_back({name, value});
    json item = {{"t", o.title}, {"m", o.metre}, {"v", std::move(values)}};
    if (o.source.known()) item["s"] = o.source.text();
    list.push_back(std::move(item));
  }
  data["objects"] = std::move(list);
  // Every cell's stretch values, for the profile's pointer.
  json g = json::array(), s = json::array(), a = json::array(), m = json::array(),
       k = json::array();
  for (const GridCell& c : route.compiled.cells) {
    g.push_back(gradient_per_mille(c));
    s.push_back(line_speed_kmh(c));
    a.push_back(c.adhesion);
    m.push_back(c.mountain);
    k.push_back(c.kind);
  }
  data["cells"] = {{"g", g}, {"s", s}, {"a", a}, {"m", m}, {"k", k}};
  // The stretch lines of the texts, by first cell.
  if (!route.sources.empty()) {
    json lines = {{"g", json::array()}, {"s", json::array()}, {"a", json::array()}};
    SourceLine previous_g, previous_s, previous_a;
    for (size_t i = 0; i < route.compiled.cells.size(); ++i) {
      const int32_t cell = static_cast<int32_t>(i);
      const SourceLine sg = route.sources.gradient(cell), ss = route.sources.line_speed(cell),
                       sa = route.sources.adhesion(cell);
      if (sg.line != previous_g.line && sg.known()) lines["g"].push_back({cell, sg.text()});
      if (ss.line != previous_s.line && ss.known()) lines["s"].push_back({cell, ss.text()});
      if (sa.line != previous_a.line && sa.known()) lines["a"].push_back({cell, sa.text()});
      previous_g = sg, previous_s = ss, previous_a = sa;
    }
    data["lines"] = std::move(lines);
  }
  return data;
}

const char* kPageStyle = R"(<style>
body{margin:0;font-family:system-ui,'DejaVu Sans',Arial,sans-serif;color:#1d2433;background:#eef1f6}
header{padding:18px 28px 8px}
h1{font-size:22px;margin:0 0 4px}
.facts{font-size:13px;color:#4a5468}
section{background:#fff;margin:12px 28px;border-radius:8px;box-shadow:0 1px 3px rgba(0,0,0,.08);padding:10px 14px}
h2{font-size:15px;margin:4px 0 8px}
.scroll{overflow-x:auto}
#bp-details{position:fixed;right:18px;bottom:18px;width:340px;max-height:60vh;overflow:auto;background:#fff;border:1px solid #d5dbe5;border-radius:8px;box-shadow:0 4px 14px rgba(0,0,0,.15);padding:10px 12px;font-size:12px}
#bp-details h3{font-size:14px;margin:0 0 6px}
#bp-details table{border-collapse:collapse;width:100%}
#bp-details td{padding:2px 4px;border-top:1px solid #eef1f6;vertical-align:top}
#bp-details td:first-child{color:#5b6578;white-space:nowrap}
#bp-details .src{margin-top:6px;font-family:monospace;color:#8e44ad}
</style>)";

const char* kScript = R"(<script>
(function(){
var D=JSON.parse(document.getElementById('bp-data').textContent);
var box=document.getElementById('bp-details'),pinned=false;
function esc(s){return String(s).replace(/[&<>"]/g,function(c){return{'&':'&amp;','<':'&lt;','>':'&gt;','"':'&quot;'}[c];});}
function show(title,rows,src){var h='<h3>'+esc(title)+'</h3><table>';
rows.forEach(function(r){h+='<tr><td>'+esc(r[0])+'</td><td>'+esc(r[1])+'</td></tr>';});
h+='</table>';(src||[]).forEach(function(s){h+='<div class="src">'+esc(s)+'</div>';});box.innerHTML=h;}
function obj(i){var o=D.objects[i];show(o.t,o.v,o.s?[o.s]:[]);}
function line(list,cell){var r=null;if(!list)return null;for(var a=0,b=list.length-1;a<=b;){var m=(a+b)>>1;if(list[m][0]<=cell){r=list[m][1];a=m+1;}else b=m-1;}return r;}
function cell(c){var C=D.cells;if(c<0||c>=C.g.length)return;var h=0;for(var i=0;i<c;i++)h+=C.g[i]*0.05;
var L=D.lines||{},src=[];[['gradient',L.g],['line speed',L.s],['adhesion',L.a]].forEach(function(p){var s=line(p[1],c);if(s)src.push(p[0]+': '+s);});
show('cell '+c+', '+c*50+' to '+(c*50+49)+' m',[['km',(c*50/1000).toFixed(3)],['gradient',C.g[c]+' \u2030'],['height',h.toFixed(1)+' m'],['line speed',C.s[c]+' km/h'],['adhesion',C.a[c]],['mountain',C.m[c]],['kind',C.k[c]]],src);}
document.addEventListener('mouseover',function(e){if(pinned)return;var t=e.target.closest('[data-o]');if(t)obj(+t.getAttribute('data-o'));});
document.addEventListener('click',function(e){var t=e.target.closest('[data-o]');if(t){pinned=true;obj(+t.getAttribute('data-o'));}else pinned=false;});
var prof=document.getElementById('bp-profile').querySelector('svg'),cur=document.getElementById('bp-cursor');
prof.addEventListener('mousemove',function(e){if(pinned||e.target.closest('[data-o]'))return;var r=prof.getBoundingClientRect();
var x=(e.clientX-r.left)*prof.viewBox.baseVal.width/r.width;var m=(x-D.left)*D.metresPerPx;if(m<0)return;
cur.setAttribute('x1',x);cur.setAttribute('x2',x);cell(Math.floor(m/50));});
})();
</script>)";

}  // namespace

std::string preview_page(const PreviewRoute& route, PreviewDrawings* drawings) {
  const std::vector<Object> objects = collect_objects(route);
  double metres_per_px = 1, left_px = 0;
  drawings->ground_plan = ground_plan_svg(route, objects);
  drawings->profile = profile_svg(route, objects, &metres_per_px, &left_px);

  const CompiledRoute& c = route.compiled;
  const RecordUses uses = record_uses(c.records);
  const int64_t length = c.records.size() > static_cast<size_t>(kServiceRecord)
                             ? c.records[kServiceRecord].area_end
                             : 0;
  int signals = 0;
  for (const GridCell& g : c.cells) signals += g.kind == cell_kind::kSignal;

  std::string data = page_data(route, objects, metres_per_px, left_px).dump();
  // The data block must not end the script element early.
  for (size_t at = 0; (at = data.find("</", at)) != std::string::npos; at += 3)
    data.replace(at, 2, "<\\/");

  std::string page;
  page +=
      "<!DOCTYPE html>\n<html lang=\"it\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width\"><title>" +
      escaped(route.route_name) + " — " + escaped(route.train_name) + "</title>";
  page += kPageStyle;
  page += "</head><body><header><h1>" + escaped(route.route_name) + " · " +
          escaped(route.train_name) + "</h1><div class=\"facts\">" +
          fixed(static_cast<double>(length) / 1000, 1) + " km · " + std::to_string(uses.stations) +
          " stations and locations · " + std::to_string(signals) + " signals · " +
          std::to_string(uses.boards) + " location boards · " + std::to_string(c.cells.size()) +
          " cells · hover or click anything for its values" +
          (route.sources.empty() ? "" : " and its source line") + "</div></header>";
  page += "<section><h2>Ground plan</h2><div class=\"scroll\" id=\"bp-plan\">" +
          drawings->ground_plan + "</div></section>";
  page += "<section><h2>Line profile</h2><div class=\"scroll\" id=\"bp-profile\">" +
          drawings->profile + "</div></section>";
  page +=
      "<div id=\"bp-details\"><h3>Details</h3>Point at a station, signal, board or the "
      "profile.</div>";
  page += "<script type=\"application/json\" id=\"bp-data\">" + data + "</script>";
  page += kScript;
  page += "</body></html>\n";

  drawings->ground_plan = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + drawings->ground_plan;
  drawings->profile = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + drawings->profile;
  return page;
}

}  // namespace binario::tool
