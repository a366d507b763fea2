#include "preview/label_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace binario::tool {
namespace {

const LabelBox kFrame{0, 0, 800, 600};

// A straight track from (x0, y0) to (x1, y1), a point every 2 pixels.
std::vector<DrawnPoint> track(double x0, double y0, double x1, double y1) {
  std::vector<DrawnPoint> points;
  const int n = static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 2);
  for (int i = 0; i <= n; ++i) {
    points.push_back({x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n});
  }
  return points;
}

void expect_apart_and_inside(const std::vector<PlacedLabel>& placed) {
  for (size_t i = 0; i < placed.size(); ++i) {
    if (!placed[i].shown) continue;
    const LabelBox& b = placed[i].box;
    EXPECT_TRUE(b.left >= kFrame.left && b.right <= kFrame.right && b.top >= kFrame.top &&
                b.bottom <= kFrame.bottom)
        << "name " << i << " leaves the frame";
    for (size_t j = 0; j < i; ++j) {
      if (placed[j].shown) {
        EXPECT_FALSE(boxes_overlap(b, placed[j].box)) << i << " over " << j;
      }
    }
  }
}

// Two stations a few pixels apart on a track running down the drawing, as
// "PADOVA" and "Cabina A PADOVA" stand: both names shown, neither over the other.
TEST(LabelPlacementTest, NeighboursOnATrackKeepApart) {
  const std::vector<LabelRequest> requests = {{400, 300, 60, 12, false},
                                              {400, 306, 120, 12, false}};
  const auto placed = place_labels(requests, track(400, 100, 400, 500), kFrame);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_TRUE(placed[0].shown && placed[1].shown);
  expect_apart_and_inside(placed);
}

// A crowd of names at one spot: every name that is shown is apart from the
// others, and the nearest free places are used before names are left out.
TEST(LabelPlacementTest, ACrowdOfNamesNeverOverlaps) {
  std::vector<LabelRequest> requests;
  for (int i = 0; i < 16; ++i)
    requests.push_back({380.0 + i * 3, 300.0 + i * 2, 110, 12, i % 2 == 0});
  const auto placed = place_labels(requests, track(100, 300, 700, 320), kFrame);
  expect_apart_and_inside(placed);
  int shown = 0;
  for (const PlacedLabel& p : placed) shown += p.shown;
  EXPECT_GE(shown, 12);
}

// A name stays off the track where the room beside it is free, and off the frame's edge.
TEST(LabelPlacementTest, NamesKeepOffTheTrackAndInsideTheFrame) {
  struct Case {
    const char* what;
    LabelRequest request;
    std::vector<DrawnPoint> track;
  };
  const std::vector<Case> cases = {
      {"track across", {300, 300, 80, 12, true}, track(100, 300, 700, 300)},
      {"track down", {300, 300, 80, 12, false}, track(300, 50, 300, 550)},
      {"at the right edge", {790, 300, 80, 12, false}, track(790, 50, 790, 550)},
      {"at the top edge", {400, 3, 80, 12, true}, track(100, 3, 700, 3)},
  };
  for (const Case& c : cases) {
    const auto placed = place_labels({c.request}, c.track, kFrame);
    ASSERT_TRUE(placed[0].shown) << c.what;
    expect_apart_and_inside(placed);
    for (const DrawnPoint& p : c.track) {
      const LabelBox& b = placed[0].box;
      EXPECT_FALSE(p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom)
          << c.what << ": the name covers the track at " << p.x << "," << p.y;
    }
  }
}

TEST(SpreadInRowTest, NamesMoveApartOnlyWhereTheyCrowd) {
  struct Case {
    std::vector<double> wanted;
    double low, high;
    std::vector<double> expected;
  };
  const std::vector<Case> cases = {
      // Far apart: each at its mark.
      {{100, 200, 300}, 0, 1000, {100, 200, 300}},
      // Two on one mark: apart by the gap, centred on it.
      {{500, 500}, 0, 1000, {495, 505}},
      // Three crowding, one alone.
      {{100, 101, 102, 400}, 0, 1000, {91, 101, 111, 400}},
      // Crowding at the row's start: pushed right, not out of the row.
      {{0, 0, 0}, 0, 1000, {0, 10, 20}},
      // At its end: pushed left.
      {{1000, 1000}, 0, 1000, {990, 1000}},
      // A run that reaches its neighbour takes it along.
      {{100, 100, 115}, 0, 1000, {95, 105, 115}},
  };
  for (const Case& c : cases) {
    const std::vector<double> at = spread_in_row(c.wanted, 10, c.low, c.high);
    ASSERT_EQ(at.size(), c.expected.size());
    for (size_t i = 0; i < at.size(); ++i) EXPECT_NEAR(at[i], c.expected[i], 1e-9) << i;
  }
}

// More names than the row holds at the gap: the gap shrinks, the order stays.
TEST(SpreadInRowTest, AFullRowShrinksTheGapAndKeepsTheOrder) {
  const std::vector<double> wanted(50, 30.0);
  const std::vector<double> at = spread_in_row(wanted, 10, 0, 245);
  ASSERT_EQ(at.size(), 50u);
  EXPECT_NEAR(at.front(), 0, 1e-9);
  EXPECT_NEAR(at.back(), 245, 1e-9);
  for (size_t i = 1; i < at.size(); ++i) EXPECT_NEAR(at[i] - at[i - 1], 5, 1e-9);
}

}  // namespace
}  // namespace binario::tool
