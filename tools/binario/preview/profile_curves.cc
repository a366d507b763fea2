// The profile's curves, drawn in metres along the line: the page's script
// stretches them to the zoom through the plot group's transform.

#include <algorithm>
#include <cmath>

#include "preview/profile.h"

namespace binario::tool {

namespace {

// Height from the gradients: each cell climbs its gradient (per mille) over 50 m.
std::vector<double> heights_of(const std::vector<GridCell>& cells, size_t drawn) {
  std::vector<double> h(drawn + 1, 0.0);
  for (size_t i = 0; i < drawn && i < cells.size(); ++i) {
    h[i + 1] = h[i] + gradient_per_mille(cells[i]) * 0.05;
  }
  return h;
}

struct Scales {
  double h_lo = 0, h_hi = 1;
  int max_speed = 50;
};

Scales scales_of(const DrawingInput& in, const ProfileFrame& f) {
  const size_t drawn = static_cast<size_t>(f.metres / 50);
  const std::vector<double> h = heights_of(in.route.cells, drawn);
  Scales s;
  const auto [lo, hi] = std::minmax_element(h.begin(), h.end());
  s.h_lo = *lo;
  s.h_hi = std::max(*hi, *lo + 1);
  for (size_t i = 0; i < drawn && i < in.route.cells.size(); ++i) {
    s.max_speed = std::max(s.max_speed, line_speed_kmh(in.route.cells[i]));
  }
  s.max_speed = (s.max_speed + 49) / 50 * 50;
  return s;
}

double height_y(const ProfileFrame& f, const Scales& s, double h) {
  return f.h_bottom - (h - s.h_lo) / (s.h_hi - s.h_lo) * (f.h_bottom - f.h_top);
}

double speed_y(const ProfileFrame& f, const Scales& s, double v) {
  return f.s_bottom - v / s.max_speed * (f.s_bottom - f.s_top);
}

void draw_stretches(const DrawingInput& in, const ProfileFrame& f, const Scales& s,
                    SvgWriter& svg) {
  for (size_t k = 0; k < in.objects.size(); ++k) {
    const PreviewObject& o = in.objects[k];
    const double from = static_cast<double>(o.metre);
    const double length = std::max(50.0, static_cast<double>(o.end_metre - o.metre));
    if (o.kind == ObjectKind::kMountain) {
      svg.element("rect", {{"class", "mnt"},
                           {"data-o", std::to_string(k)},
                           {"x", from},
                           {"y", f.h_top},
                           {"width", length},
                           {"height", f.h_bottom - f.h_top}});
    } else if (o.kind == ObjectKind::kSlowdown) {
      const double top = speed_y(f, s, o.speed);
      svg.element("rect", {{"class", "slow"},
                           {"data-o", std::to_string(k)},
                           {"x", from},
                           {"y", top},
                           {"width", length},
                           {"height", std::max(0.0, f.s_bottom - top)}});
    }
  }
}

void draw_height(const DrawingInput& in, const ProfileFrame& f, const Scales& s, SvgWriter& svg) {
  const size_t drawn = static_cast<size_t>(f.metres / 50);
  const std::vector<double> h = heights_of(in.route.cells, drawn);
  PathData d;
  d.move(0, f.h_bottom);
  for (size_t i = 0; i <= drawn; ++i) d.line(static_cast<double>(i) * 50, height_y(f, s, h[i]));
  d.line(f.metres, f.h_bottom);
  d.close_path();
  svg.element("path", {{"class", "height"}, {"d", d.str()}});
}

// Line speed as steps, one segment per run of equal cells.
void draw_speed(const DrawingInput& in, const ProfileFrame& f, const Scales& s, SvgWriter& svg) {
  const size_t drawn = static_cast<size_t>(f.metres / 50);
  PathData d;
  int previous = -1;
  for (size_t i = 0; i < drawn && i < in.route.cells.size(); ++i) {
    const int v = line_speed_kmh(in.route.cells[i]);
    if (v == previous) continue;
    if (previous < 0) {
      d.move(static_cast<double>(i) * 50, speed_y(f, s, v));
    } else {
      d.line(static_cast<double>(i) * 50, speed_y(f, s, previous));
      d.line(static_cast<double>(i) * 50, speed_y(f, s, v));
    }
    previous = v;
  }
  d.line(f.metres, speed_y(f, s, std::max(previous, 0)));
  svg.element("path", {{"class", "speed"}, {"d", d.str()}});
}

void draw_station_lines(const DrawingInput& in, const ProfileFrame& f, SvgWriter& svg) {
  for (const PreviewObject& o : in.objects) {
    if (o.kind != ObjectKind::kStation && o.kind != ObjectKind::kLocation) continue;
    const double x = static_cast<double>(o.metre);
    svg.element("line", {{"class", o.kind == ObjectKind::kStation ? "stl" : "lcl"},
                         {"x1", x},
                         {"y1", f.h_top},
                         {"x2", x},
                         {"y2", f.s_bottom}});
  }
  for (int i = kProgressiveRecordFirst;
       i < kServiceRecord && static_cast<size_t>(i) < in.route.records.size(); ++i) {
    const StationRecord& r = in.route.records[static_cast<size_t>(i)];
    if (r.area_start == 0 && r.area_end == 0) continue;
    svg.element("line", {{"class", "prog"},
                         {"x1", static_cast<double>(r.area_start)},
                         {"y1", f.h_top},
                         {"x2", static_cast<double>(r.area_start)},
                         {"y2", f.axis_y}});
  }
}

}  // namespace

void draw_profile_curves(const DrawingInput& in, const ProfileFrame& f, SvgWriter& svg) {
  const Scales s = scales_of(in, f);
  const double k = (f.width - f.left - f.right) / f.metres;
  svg.open("g",
           {{"class", "plot"},
            {"transform", "matrix(" + std::to_string(k) + " 0 0 1 " + svg_number(f.left) + " 0)"}});
  for (int v = 0; v <= s.max_speed; v += 50) {
    svg.element("line", {{"class", "grid"},
                         {"x1", 0},
                         {"y1", speed_y(f, s, v)},
                         {"x2", f.metres},
                         {"y2", speed_y(f, s, v)}});
  }
  draw_stretches(in, f, s, svg);
  draw_height(in, f, s, svg);
  draw_speed(in, f, s, svg);
  draw_station_lines(in, f, svg);
  svg.close();
}

void draw_profile_ticks(const DrawingInput& in, const ProfileFrame& f, SvgWriter& svg) {
  const double k = (f.width - f.left - f.right) / f.metres;
  svg.open("g",
           {{"class", "plot"},
            {"transform", "matrix(" + std::to_string(k) + " 0 0 1 " + svg_number(f.left) + " 0)"}});
  for (size_t i = 0; i < in.objects.size(); ++i) {
    const PreviewObject& o = in.objects[i];
    const char* cls = nullptr;
    int row = 0;
    switch (o.kind) {
      case ObjectKind::kSignal:
        cls = "sig";
        break;
      case ObjectKind::kSpeedBoard:
      case ObjectKind::kLocationBoard:
        cls = "brd", row = 1;
        break;
      case ObjectKind::kSlowdownPoint:
      case ObjectKind::kCodePoint:
        cls = o.kind == ObjectKind::kCodePoint ? "cod" : "slw", row = 2;
        break;
      default:
        continue;
    }
    const double x = static_cast<double>(o.metre), y = f.ticks_top + row * 11;
    svg.element("line", {{"class", std::string("tick ") + cls},
                         {"data-o", std::to_string(i)},
                         {"x1", x},
                         {"y1", y},
                         {"x2", x},
                         {"y2", y + 8}});
  }
  svg.close();
}

void draw_profile_margin(const DrawingInput& in, const ProfileFrame& f, SvgWriter& svg) {
  const Scales s = scales_of(in, f);
  auto small = [&](double x, double y, const char* anchor, const std::string& text) {
    svg.text_element("text", {{"class", "small"}, {"x", x}, {"y", y}, {"text-anchor", anchor}},
                     text);
  };
  svg.text_element("text", {{"class", "caption"}, {"x", f.left}, {"y", f.h_caption}},
                   "height from the gradients, m (mountain stretches shaded)");
  svg.text_element("text", {{"class", "caption"}, {"x", f.left}, {"y", f.s_caption}},
                   "line speed, km/h (slowdowns shaded)");
  small(f.left - 6, height_y(f, s, s.h_hi) + 4, "end", svg_number(s.h_hi));
  small(f.left - 6, height_y(f, s, s.h_lo) + 4, "end", svg_number(s.h_lo));
  for (int v = 0; v <= s.max_speed; v += 50)
    small(f.left - 6, speed_y(f, s, v) + 3, "end", std::to_string(v));
  const char* rows[] = {"signals", "boards", "slowdowns"};
  for (int r = 0; r < 3; ++r) small(f.left - 6, f.ticks_top + r * 11 + 8, "end", rows[r]);
  small(f.left - 8, f.axis_y + 19, "end", "km");
}

}  // namespace binario::tool
