#include "preview/ground_plan.h"

#include <algorithm>
#include <cmath>

#include "preview/label_placement.h"
#include "preview/svg_writer.h"

namespace binario::tool {

namespace {

constexpr double kWidth = 1400;
constexpr double kMargin = 40;
constexpr double kScaleBarRoom = 36;  // below the frame the names may use

// The first point at or before `metre` that the plan holds.
const PlanPoint* plan_point(const std::vector<PlanPoint>& plan, int64_t metre) {
  if (plan.empty()) return nullptr;
  int64_t i = std::clamp<int64_t>(metre, 0, static_cast<int64_t>(plan.size()) - 1);
  while (i >= 0 && plan[static_cast<size_t>(i)].tag == value_tag::kEmpty) --i;
  return i < 0 ? nullptr : &plan[static_cast<size_t>(i)];
}

// From plan metres to drawing pixels, the line's shape kept.
struct PlanFrame {
  double min_x = 0, min_y = 0, scale = 1, off_x = 0, off_y = 0, height = 0;
  int64_t last = -1;  // last point the plan holds

  double x(const PlanPoint& p) const { return off_x + (p.x - min_x) * scale; }
  double y(const PlanPoint& p) const { return height - off_y - (p.y - min_y) * scale; }
};

PlanFrame frame_of(const std::vector<PlanPoint>& plan) {
  PlanFrame f;
  double max_x = 0, max_y = 0;
  for (size_t i = 0; i < plan.size(); ++i) {
    if (plan[i].tag == value_tag::kEmpty) continue;
    if (f.last < 0) f.min_x = max_x = plan[i].x, f.min_y = max_y = plan[i].y;
    f.min_x = std::min(f.min_x, plan[i].x);
    max_x = std::max(max_x, plan[i].x);
    f.min_y = std::min(f.min_y, plan[i].y);
    max_y = std::max(max_y, plan[i].y);
    f.last = static_cast<int64_t>(i);
  }
  const double w = std::max(max_x - f.min_x, 1.0), h = std::max(max_y - f.min_y, 1.0);
  const double inner = kWidth - 2 * kMargin;
  // As tall as the line's shape asks, within a window's reach.
  const double inner_h = std::clamp(inner * h / w, 300.0, 640.0);
  f.height = inner_h + 2 * kMargin + kScaleBarRoom;
  f.scale = std::min(inner / w, inner_h / h);
  f.off_x = kMargin + (inner - w * f.scale) / 2;
  f.off_y = kMargin + kScaleBarRoom + (inner_h - h * f.scale) / 2;
  return f;
}

// The track, at most a few thousand points, with the stretch beyond the
// route's end dashed. Returns the drawn points.
std::vector<DrawnPoint> draw_track(const DrawingInput& in, const PlanFrame& f, SvgWriter& svg) {
  const std::vector<PlanPoint>& plan = in.route.plan;
  const int64_t end = std::clamp<int64_t>(route_length(in.route), 0, std::max<int64_t>(f.last, 0));
  const int64_t step = std::max<int64_t>(1, (f.last + 1) / 3000);
  std::vector<DrawnPoint> track;
  auto polyline = [&](int64_t from, int64_t to, const char* cls) {
    if (to <= from) return;
    std::string points;
    for (int64_t i = from;; i = std::min(i + step, to)) {
      if (const PlanPoint* p = plan_point(plan, i)) {
        points += svg_number(f.x(*p)) + "," + svg_number(f.y(*p)) + " ";
        track.push_back({f.x(*p), f.y(*p)});
      }
      if (i == to) break;
    }
    svg.element("polyline", {{"class", cls}, {"points", points}});
  };
  polyline(end, f.last, "beyond");
  polyline(0, end, "track");
  return track;
}

void draw_marks(const DrawingInput& in, const PlanFrame& f, SvgWriter& svg) {
  for (size_t k = 0; k < in.objects.size(); ++k) {
    const PreviewObject& o = in.objects[k];
    const PlanPoint* p = plan_point(in.route.plan, o.metre);
    if (p == nullptr) continue;
    const double x = f.x(*p), y = f.y(*p);
    const std::string id = std::to_string(k);
    switch (o.kind) {
      case ObjectKind::kSignal:
        svg.element("circle", {{"class", "sig"}, {"data-o", id}, {"cx", x}, {"cy", y}, {"r", 2.6}});
        break;
      case ObjectKind::kSpeedBoard:
      case ObjectKind::kLocationBoard:
        svg.element("rect", {{"class", "brd"},
                             {"data-o", id},
                             {"x", x - 2.5},
                             {"y", y - 2.5},
                             {"width", 5},
                             {"height", 5}});
        break;
      case ObjectKind::kSlowdownPoint:
        svg.element("rect",
                    {{"class", "slw"},
                     {"data-o", id},
                     {"x", x - 3},
                     {"y", y - 3},
                     {"width", 6},
                     {"height", 6},
                     {"transform", "rotate(45 " + svg_number(x) + " " + svg_number(y) + ")"}});
        break;
      case ObjectKind::kCodePoint:
        svg.element("circle", {{"class", "cod"}, {"data-o", id}, {"cx", x}, {"cy", y}, {"r", 2}});
        break;
      default:
        break;
    }
  }
}

bool is_named(const PreviewObject& o) {
  return o.kind == ObjectKind::kStation || o.kind == ObjectKind::kLocation;
}

// Stations first, then other locations: the names that matter most choose first.
// Returns the box the names and their marks cover.
LabelBox draw_names(const DrawingInput& in, const PlanFrame& f,
                    const std::vector<DrawnPoint>& track, SvgWriter& svg) {
  std::vector<size_t> order;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t k = 0; k < in.objects.size(); ++k) {
      const PreviewObject& o = in.objects[k];
      if (is_named(o) && (o.kind == ObjectKind::kStation) == (pass == 0) &&
          plan_point(in.route.plan, o.metre) != nullptr) {
        order.push_back(k);
      }
    }
  }
  std::vector<LabelRequest> requests;
  for (size_t k : order) {
    const PreviewObject& o = in.objects[k];
    const bool station = o.kind == ObjectKind::kStation;
    const PlanPoint* p = plan_point(in.route.plan, o.metre);
    const PlanPoint* before = plan_point(in.route.plan, o.metre - 600);
    const PlanPoint* after = plan_point(in.route.plan, o.metre + 600);
    const bool across = before != nullptr && after != nullptr &&
                        std::fabs(after->x - before->x) > std::fabs(after->y - before->y);
    requests.push_back({f.x(*p), f.y(*p), text_width(o.title, station ? 12 : 10, station),
                        station ? 12.0 : 10.0, across});
  }
  const LabelBox frame{4, 4, kWidth - 4, f.height - kScaleBarRoom};
  const std::vector<PlacedLabel> placed = place_labels(requests, track, frame);
  LabelBox covered{kWidth, f.height, 0, 0};
  auto cover = [&](const LabelBox& b) {
    covered = {std::min(covered.left, b.left), std::min(covered.top, b.top),
               std::max(covered.right, b.right), std::max(covered.bottom, b.bottom)};
  };
  for (size_t i = 0; i < placed.size(); ++i) {
    cover({requests[i].x - 6, requests[i].y - 6, requests[i].x + 6, requests[i].y + 6});
    if (placed[i].shown) cover(placed[i].box);
  }
  for (size_t i = order.size(); i-- > 0;) {  // stations drawn last, over the rest
    const PreviewObject& o = in.objects[order[i]];
    const PlacedLabel& l = placed[i];
    const bool station = o.kind == ObjectKind::kStation;
    svg.open("g", {{"class", station ? "st" : "loc"}, {"data-o", std::to_string(order[i])}});
    if (l.shown && l.leader) {
      const double cx = std::clamp(requests[i].x, l.box.left, l.box.right);
      const double cy = std::clamp(requests[i].y, l.box.top, l.box.bottom);
      svg.element("line", {{"class", "leader"},
                           {"x1", requests[i].x},
                           {"y1", requests[i].y},
                           {"x2", cx},
                           {"y2", cy}});
    }
    svg.element("circle", {{"cx", requests[i].x}, {"cy", requests[i].y}, {"r", station ? 5 : 3.5}});
    if (l.shown) {
      const char* anchor = l.anchor == TextAnchor::kStart    ? "start"
                           : l.anchor == TextAnchor::kMiddle ? "middle"
                                                             : "end";
      svg.text_element("text", {{"class", "name"}, {"x", l.x}, {"y", l.y}, {"text-anchor", anchor}},
                       o.title);
    }
    svg.close();
  }
  return covered;
}

// Scale bar, about 150 px long, its left end at (x, y).
void draw_scale(const PlanFrame& f, double x, double y, SvgWriter& svg) {
  const double metres = nice_length(150 / f.scale);
  const double px = metres * f.scale;
  svg.open("g", {{"class", "scale"}});
  svg.element("line", {{"x1", x}, {"y1", y}, {"x2", x + px}, {"y2", y}});
  svg.element("line", {{"x1", x}, {"y1", y - 6}, {"x2", x}, {"y2", y + 6}});
  svg.element("line", {{"x1", x + px}, {"y1", y - 6}, {"x2", x + px}, {"y2", y + 6}});
  svg.text_element("text", {{"class", "small"}, {"x", x + 10 + px}, {"y", y + 4}},
                   length_text(metres));
  svg.close();
}

}  // namespace

Drawing ground_plan_svg(const DrawingInput& in) {
  const PlanFrame f = frame_of(in.route.plan);
  SvgWriter content;
  content.open("g", {{"class", "view"}});
  const std::vector<DrawnPoint> track = draw_track(in, f, content);
  draw_marks(in, f, content);
  LabelBox box = draw_names(in, f, track, content);
  content.close();
  // The drawing is cut to what it holds, so that a narrow window shows it large.
  for (const DrawnPoint& p : track) {
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
           std::max(box.bottom, p.y)};
  }
  if (box.right <= box.left) box = {0, 0, kWidth, f.height - kScaleBarRoom};
  constexpr double kPad = 16;
  Drawing d;
  d.width = box.right - box.left + 2 * kPad;
  d.height = box.bottom - box.top + kPad + kScaleBarRoom;
  SvgWriter svg;
  svg.open("svg", {{"class", "bp plan"},
                   {"xmlns", "http://www.w3.org/2000/svg"},
                   {"viewBox", svg_number(box.left - kPad) + " " + svg_number(box.top - kPad) +
                                   " " + svg_number(d.width) + " " + svg_number(d.height)},
                   {"role", "img"},
                   {"aria-label", "Ground plan"}});
  svg.raw(content.markup());
  draw_scale(f, box.left, box.bottom + kScaleBarRoom - 14, svg);
  svg.close();
  d.svg = svg.markup();
  return d;
}

}  // namespace binario::tool
