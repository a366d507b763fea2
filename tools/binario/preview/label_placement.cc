#include "preview/label_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace binario::tool {

namespace {

// Away from the mark: the name's gap to it, and how far each ring of
// farther places reaches.
constexpr double kGap = 8;
constexpr double kRingStep = 14;
constexpr int kRings = 12;
// A mark under a name hides more than a point of track.
constexpr double kMarkCost = 8;
constexpr double kRingCost = 3;

LabelBox box_of(double x, double baseline, double w, double h, TextAnchor anchor) {
  const double left = anchor == TextAnchor::kStart ? x
                      : anchor == TextAnchor::kEnd ? x - w
                                                   : x - w / 2;
  return {left, baseline - h, left + w, baseline + 0.25 * h};  // descenders below the baseline
}

PlacedLabel at(double x, double baseline, const LabelRequest& r, TextAnchor anchor, bool leader) {
  return {x, baseline, anchor, box_of(x, baseline, r.width, r.height, anchor), leader};
}

// The places of ring `ring` around the mark, the nearest first: right and
// left, above and below, then the diagonals.
std::vector<PlacedLabel> ring_places(const LabelRequest& r, int ring) {
  const double d = kGap + ring * kRingStep;
  const double mid = r.y + r.height * 0.35;  // baseline that centres the text on the mark
  const bool leader = ring > 0;
  std::vector<PlacedLabel> beside = {at(r.x + d, mid, r, TextAnchor::kStart, leader),
                                     at(r.x - d, mid, r, TextAnchor::kEnd, leader)};
  std::vector<PlacedLabel> over = {at(r.x, r.y - d, r, TextAnchor::kMiddle, leader),
                                   at(r.x, r.y + d + r.height, r, TextAnchor::kMiddle, leader)};
  std::vector<PlacedLabel> places = r.across ? over : beside;
  const std::vector<PlacedLabel>& second = r.across ? beside : over;
  places.insert(places.end(), second.begin(), second.end());
  for (double sx : {1.0, -1.0}) {
    for (double sy : {-1.0, 1.0}) {
      const double y = sy < 0 ? r.y - d * 0.7 : r.y + d * 0.7 + r.height;
      places.push_back(
          at(r.x + sx * d * 0.7, y, r, sx > 0 ? TextAnchor::kStart : TextAnchor::kEnd, leader));
    }
  }
  return places;
}

bool inside(const LabelBox& b, const LabelBox& frame) {
  return b.left >= frame.left && b.right <= frame.right && b.top >= frame.top &&
         b.bottom <= frame.bottom;
}

bool covers(const LabelBox& b, double x, double y) {
  return x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
}

}  // namespace

bool boxes_overlap(const LabelBox& a, const LabelBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<PlacedLabel> place_labels(const std::vector<LabelRequest>& requests,
                                      const std::vector<DrawnPoint>& track, const LabelBox& frame) {
  std::vector<PlacedLabel> placed;
  auto cost = [&](const PlacedLabel& p) {
    for (const PlacedLabel& other : placed) {
      if (other.shown && boxes_overlap(p.box, other.box))
        return std::numeric_limits<double>::infinity();
    }
    if (!inside(p.box, frame)) return std::numeric_limits<double>::infinity();
    double c = 0;
    for (const DrawnPoint& t : track) c += covers(p.box, t.x, t.y);
    for (const LabelRequest& r : requests) c += covers(p.box, r.x, r.y) * kMarkCost;
    return c;
  };
  for (const LabelRequest& r : requests) {
    PlacedLabel best = at(r.x + kGap, r.y, r, TextAnchor::kStart, false);
    double best_cost = std::numeric_limits<double>::infinity();
    // A farther place must hide clearly less to be worth its leader line:
    // each ring out costs as much as a few points of track.
    for (int ring = 0; ring < kRings && best_cost > kRingCost * ring; ++ring) {
      for (const PlacedLabel& p : ring_places(r, ring)) {
        const double c = cost(p) + kRingCost * ring;
        if (c < best_cost) best = p, best_cost = c;
      }
    }
    // No free place anywhere near: the name is left out (the mark still shows it on hover).
    best.shown = std::isfinite(best_cost);
    if (!best.shown) best.box = {r.x, r.y, r.x, r.y};
    placed.push_back(best);
  }
  return placed;
}

std::vector<double> spread_in_row(const std::vector<double>& wanted, double gap, double low,
                                  double high) {
  const size_t n = wanted.size();
  if (n == 0) return {};
  if (n > 1) gap = std::min(gap, (high - low) / static_cast<double>(n - 1));
  // Runs of names that push each other: each run centred on its marks.
  struct Run {
    size_t first, count;
    double start;  // position of the run's first name
  };
  std::vector<Run> runs;
  auto fit = [&](Run& run) {
    double sum = 0;
    for (size_t i = 0; i < run.count; ++i)
      sum += wanted[run.first + i] - gap * static_cast<double>(i);
    const double width = gap * static_cast<double>(run.count - 1);
    run.start = std::clamp(sum / static_cast<double>(run.count), low, high - width);
  };
  for (size_t i = 0; i < n; ++i) {
    runs.push_back({i, 1, 0});
    fit(runs.back());
    while (runs.size() > 1) {
      Run& last = runs[runs.size() - 1];
      Run& before = runs[runs.size() - 2];
      if (before.start + gap * static_cast<double>(before.count) <= last.start) break;
      before.count += last.count;
      runs.pop_back();
      fit(runs.back());
    }
  }
  std::vector<double> out(n);
  for (const Run& run : runs) {
    for (size_t i = 0; i < run.count; ++i)
      out[run.first + i] = run.start + gap * static_cast<double>(i);
  }
  return out;
}

}  // namespace binario::tool
