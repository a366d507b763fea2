#include "preview/profile.h"

#include <algorithm>
#include <cmath>

#include "preview/label_placement.h"

namespace binario::tool {

namespace {

constexpr double kNameSize = 11;
constexpr double kNameGap = 13;  // names side by side need this much room

bool is_named(const PreviewObject& o) {
  return o.kind == ObjectKind::kStation || o.kind == ObjectKind::kLocation;
}

}  // namespace

std::string profile_name(const PreviewObject& o) {
  return o.scheduled_time != 0 ? o.title + "  " + short_clock(o.scheduled_time) : o.title;
}

ProfileFrame profile_frame(const DrawingInput& in) {
  ProfileFrame f;
  const size_t cells = in.route.cells.size();
  // Stretch values are written up to cell L - 3.
  f.metres = static_cast<double>(std::max<size_t>(cells, 3) - 2) * 50;
  // The names stand upright: the area is as tall as the longest name.
  double longest = 0;
  for (const PreviewObject& o : in.objects) {
    if (is_named(o)) longest = std::max(longest, text_width(profile_name(o), kNameSize, true));
  }
  f.names_bottom = f.names_top + longest + 6;
  f.h_caption = f.names_bottom + 24;
  f.h_top = f.h_caption + 8;
  f.h_bottom = f.h_top + 140;
  f.ticks_top = f.h_bottom + 10;
  f.s_caption = f.ticks_top + 3 * 11 + 18;
  f.s_top = f.s_caption + 8;
  f.s_bottom = f.s_top + 100;
  f.marks_y = f.s_bottom + 14;
  f.axis_y = f.marks_y + 8;
  f.height = f.axis_y + 26;
  return f;
}

void draw_profile_names(const DrawingInput& in, const ProfileFrame& f, SvgWriter& svg) {
  // Every name in a row along the top; crowded names move apart, a leader
  // line joining each to its station. Where the row cannot hold them all,
  // the stations keep theirs and the other locations show theirs on hover.
  std::vector<size_t> all, stations;
  for (size_t k = 0; k < in.objects.size(); ++k) {
    if (!is_named(in.objects[k])) continue;
    all.push_back(k);
    if (in.objects[k].kind == ObjectKind::kStation) stations.push_back(k);
  }
  auto by_metre = [&](size_t a, size_t b) { return in.objects[a].metre < in.objects[b].metre; };
  std::stable_sort(all.begin(), all.end(), by_metre);
  std::stable_sort(stations.begin(), stations.end(), by_metre);
  const double row = f.width - f.right - f.left;
  const std::vector<size_t>& named =
      static_cast<double>(all.size()) * kNameGap <= row ? all : stations;
  std::vector<double> wanted;
  for (size_t k : named) wanted.push_back(f.x(static_cast<double>(in.objects[k].metre)));
  const std::vector<double> at =
      spread_in_row(wanted, kNameGap, f.left + kNameGap / 2, f.width - f.right - kNameGap / 2);
  svg.open("g", {{"class", "names"}});
  for (size_t k : all) {
    const PreviewObject& o = in.objects[k];
    const auto it = std::find(named.begin(), named.end(), k);
    const double x = f.x(static_cast<double>(o.metre));
    const double lx = it == named.end() ? x : at[static_cast<size_t>(it - named.begin())];
    const bool station = o.kind == ObjectKind::kStation;
    svg.open("g", {{"class", station ? "st" : "loc"},
                   {"data-o", std::to_string(k)},
                   {"data-m", static_cast<double>(o.metre)}});
    svg.element("polyline",
                {{"class", "leader"},
                 {"points", svg_number(x) + "," + svg_number(f.h_top) + " " + svg_number(x) + "," +
                                svg_number(f.h_caption - 10) + " " + svg_number(lx) + "," +
                                svg_number(f.names_bottom + 2)}});
    svg.open("text", {{"class", it == named.end() ? "name hidden" : "name"},
                      {"transform", "translate(" + svg_number(lx + 4) + " " +
                                        svg_number(f.names_bottom) + ") rotate(-90)"}});
    svg.text(o.title);
    if (o.scheduled_time != 0) {
      svg.text_element("tspan", {{"class", "time"}}, "  " + short_clock(o.scheduled_time));
    }
    svg.close();
    svg.close();
  }
  // Kilometric progressives: from their metre on, the boards count anew.
  for (int i = kProgressiveRecordFirst;
       i < kServiceRecord && static_cast<size_t>(i) < in.route.records.size(); ++i) {
    const StationRecord& r = in.route.records[static_cast<size_t>(i)];
    if (r.area_start == 0 && r.area_end == 0) continue;
    svg.open("g", {{"class", "mk"},
                   {"data-m", static_cast<double>(r.area_start)},
                   {"transform", "translate(" + svg_number(f.x(r.area_start)) + " 0)"}});
    svg.text_element("text", {{"class", "small prog-name"}, {"x", 4}, {"y", f.marks_y}},
                     "from here " + km_text(r.area_end));
    svg.close();
  }
  svg.close();
}

void draw_profile_axis(const ProfileFrame& f, SvgWriter& svg) {
  const double per_px = f.metres / (f.width - f.left - f.right);
  const double label_m = nice_length(70 * per_px);
  const double tick_m = label_m >= 5000 ? label_m / 5 : label_m / 2;
  svg.open("g", {{"class", "axis"}});
  svg.element("line",
              {{"x1", f.left}, {"y1", f.axis_y}, {"x2", f.width - f.right}, {"y2", f.axis_y}});
  for (double m = 0; m <= f.metres; m += tick_m) {
    const bool labelled = std::fmod(m, label_m) == 0;
    svg.element(
        "line",
        {{"x1", f.x(m)}, {"y1", f.axis_y}, {"x2", f.x(m)}, {"y2", f.axis_y + (labelled ? 7 : 4)}});
    if (labelled) {
      svg.text_element(
          "text",
          {{"class", "small"}, {"x", f.x(m)}, {"y", f.axis_y + 19}, {"text-anchor", "middle"}},
          svg_number(m / 1000));
    }
  }
  svg.close();
}

Drawing profile_svg(const DrawingInput& in) {
  const ProfileFrame f = profile_frame(in);
  Drawing d;
  d.width = f.width;
  d.height = f.height;
  SvgWriter svg;
  svg.open("svg", {{"class", "bp profile"},
                   {"xmlns", "http://www.w3.org/2000/svg"},
                   {"width", f.width},
                   {"height", f.height},
                   {"data-left", f.left},
                   {"data-right", f.right},
                   {"data-metres", f.metres},
                   {"role", "img"},
                   {"aria-label", "Line profile"}});
  svg.open("defs");
  svg.open("clipPath", {{"id", "bp-clip"}});
  svg.element("rect", {{"class", "clip"},
                       {"x", f.left},
                       {"y", 0},
                       {"width", f.width - f.left - f.right},
                       {"height", f.height}});
  svg.close();
  svg.close();
  svg.open("g", {{"clip-path", "url(#bp-clip)"}});
  draw_profile_curves(in, f, svg);
  draw_profile_ticks(in, f, svg);
  draw_profile_names(in, f, svg);
  svg.close();
  draw_profile_axis(f, svg);  // unclipped: the first kilometre's number stands half outside
  draw_profile_margin(in, f, svg);
  svg.element("line",
              {{"id", "bp-cursor"}, {"x1", -10}, {"y1", f.h_top}, {"x2", -10}, {"y2", f.axis_y}});
  svg.close();
  d.svg = svg.markup();
  return d;
}

}  // namespace binario::tool
