#include "model/route_plan.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/coding.h"

namespace binario {
namespace {

using C = RoutePlan::Coordinate;

// An independent reference: the two coordinates of every point as doubles,
// stepped with the written formulas from points (0, 0) and (0, 1).
struct Reference {
  std::vector<double> x{0, 0}, y{0, 1};
  void straight() {
    size_t j = x.size();
    double dx = x[j - 1] - x[j - 2];
    double dy = y[j - 1] - y[j - 2];
    x.push_back(x[j - 1] + dx);
    y.push_back(y[j - 1] + dy);
  }
  void curve(double k) {
    size_t j = x.size();
    double dx = x[j - 1] - x[j - 2];
    double dy = y[j - 1] - y[j - 2];
    x.push_back(x[j - 1] + (dy * k + dx));
    y.push_back(y[j - 1] + (dy - dx * k));
  }
};

void expect_matches(const RoutePlan& plan, const Reference& ref) {
  for (size_t i = 0; i < ref.x.size(); ++i) {
    int32_t p = static_cast<int32_t>(i);
    ASSERT_EQ(plan.value(C::kX, p), ref.x[i]) << "x of point " << i;
    ASSERT_EQ(plan.value(C::kY, p), ref.y[i]) << "y of point " << i;
  }
}

TEST(RoutePlanTest, StraightRouteRunsUpTheYAxis) {
  RoutePlan plan;
  plan.create(300);
  plan.start();
  plan.finish();
  EXPECT_EQ(plan.cursor(), 299);
  for (int32_t i = 0; i <= 298; ++i) {
    EXPECT_EQ(plan.value(C::kX, i), 0.0) << i;
    EXPECT_EQ(plan.value(C::kY, i), static_cast<double>(i)) << i;
    RoutePlan::Tag tag = i < 2 ? RoutePlan::kInt16 : RoutePlan::kDouble;
    EXPECT_EQ(plan.tag(C::kX, i), tag) << i;
    EXPECT_EQ(plan.tag(C::kY, i), tag) << i;
  }
  for (int32_t i : {299, 300}) {
    EXPECT_EQ(plan.tag(C::kX, i), RoutePlan::kEmpty);
    EXPECT_EQ(plan.tag(C::kY, i), RoutePlan::kEmpty);
  }
}

TEST(RoutePlanTest, OneCurveTurnsItsPointsAndThenRunsStraight) {
  RoutePlan plan;
  plan.create(2000);
  plan.start();
  const double k = 0.0004;  // curvad3
  ASSERT_TRUE(plan.lay_curve(1000, 150, k));
  EXPECT_EQ(plan.cursor(), 1151);
  plan.finish();

  Reference ref;
  while (ref.x.size() <= 1000) ref.straight();
  while (ref.x.size() <= 1150) ref.curve(k);
  while (ref.x.size() <= 1998) ref.straight();
  expect_matches(plan, ref);

  for (int32_t i = 0; i <= 1000; ++i) {
    ASSERT_EQ(plan.value(C::kX, i), 0.0);
    ASSERT_EQ(plan.value(C::kY, i), static_cast<double>(i));
  }
  EXPECT_GT(plan.value(C::kX, 1001), 0.0);  // a right-hand curve turns towards +x
  EXPECT_GT(plan.value(C::kX, 1150), plan.value(C::kX, 1149));
  // After the curve, the step vector of its last metre carries on.
  double dx = plan.value(C::kX, 1150) - plan.value(C::kX, 1149);
  EXPECT_EQ(plan.value(C::kX, 1151), plan.value(C::kX, 1150) + dx);
}

TEST(RoutePlanTest, CurvesOutOfOrderOnlyTurnFromTheCursor) {
  RoutePlan plan;
  plan.create(3000);
  plan.start();
  ASSERT_TRUE(plan.lay_curve(1000, 100, -0.0001));
  // Starts behind the cursor: no straight part, turns from 1101 to 1200.
  ASSERT_TRUE(plan.lay_curve(500, 700, 0.003));
  EXPECT_EQ(plan.cursor(), 1201);
  // Ends behind the cursor: nothing happens.
  ASSERT_TRUE(plan.lay_curve(100, 50, 0.002));
  EXPECT_EQ(plan.cursor(), 1201);
  plan.finish();

  Reference ref;
  while (ref.x.size() <= 1000) ref.straight();
  while (ref.x.size() <= 1100) ref.curve(-0.0001);
  while (ref.x.size() <= 1200) ref.curve(0.003);
  while (ref.x.size() <= 2998) ref.straight();
  expect_matches(plan, ref);
  EXPECT_LT(plan.value(C::kX, 1100), 0.0);  // "curvas" turns towards -x
}

TEST(RoutePlanTest, CurveFromZeroTurnsFromPointTwo) {
  RoutePlan plan;
  plan.create(100);
  plan.start();
  ASSERT_TRUE(plan.lay_curve(0, 10, 0.001));
  Reference ref;
  while (ref.x.size() <= 10) ref.curve(0.001);
  expect_matches(plan, ref);
  EXPECT_NE(plan.value(C::kX, 2), 0.0);
}

TEST(RoutePlanTest, CurveMayReachTheLastPoints) {
  RoutePlan plan;
  plan.create(100);
  plan.start();
  ASSERT_TRUE(plan.lay_curve(90, 10, 0.001));
  plan.finish();
  EXPECT_EQ(plan.tag(C::kX, 100), RoutePlan::kDouble);
  EXPECT_EQ(plan.tag(C::kY, 99), RoutePlan::kDouble);
}

TEST(RoutePlanTest, CursorMayNotPassOneMillion) {
  RoutePlan plan;
  plan.create(1007000);
  plan.start();
  EXPECT_TRUE(plan.lay_curve(999000, 999, 0.001));  // last point 999999, cursor 1000000
  EXPECT_FALSE(plan.lay_curve(999999, 1, 0.001));   // would compute point 1000000
  EXPECT_EQ(plan.cursor(), 1000001);
  // Finishing has no such limit.
  RoutePlan straight;
  straight.create(1007000);
  straight.start();
  straight.finish();
  EXPECT_EQ(straight.value(C::kY, 1006998), 1006998.0);
}

TEST(RoutePlanTest, FileImageOfAFinishedPlan) {
  const int32_t t = 166900;  // route length 159900
  RoutePlan plan;
  plan.create(t);
  plan.start();
  ASSERT_TRUE(plan.lay_curve(2000, 500, 0.0002));
  plan.finish();
  Bytes image;
  plan.serialize(&image);
  ASSERT_EQ(image.size(), 3337964u);
  ASSERT_EQ(image.size(), 20u * t - 36);
  EXPECT_EQ(plan.file_size(), image.size());

  const uint8_t x_start[] = {2, 0, 0, 0, 2, 0, 0, 0};
  const uint8_t y_start[] = {2, 0, 0, 0, 2, 0, 1, 0};
  const size_t y_offset = 10u * t - 18;
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(image[i], x_start[i]) << i;
    EXPECT_EQ(image[y_offset + i], y_start[i]) << i;
  }
  // x of point n >= 2 at 8 + 10 (n - 2): tag 5, then the double.
  for (int32_t n : {2, 2001, 2400, t - 2}) {
    size_t at = 8 + 10u * static_cast<size_t>(n - 2);
    EXPECT_EQ(decode_u16(&image[at]), 5);
    EXPECT_EQ(decode_f64(&image[at + 2]), plan.value(C::kX, n)) << n;
    size_t y_at = y_offset + at;
    EXPECT_EQ(decode_u16(&image[y_at]), 5);
    EXPECT_EQ(decode_f64(&image[y_at + 2]), plan.value(C::kY, n)) << n;
  }
  // Points T - 1 and T: bare tag 0 at the end of each half.
  for (size_t end : {y_offset, image.size()}) {
    for (size_t i = end - 4; i < end; ++i) EXPECT_EQ(image[i], 0) << i;
  }
  EXPECT_EQ(decode_u16(&image[y_offset - 14]), 5);
}

// The file of a plan whose points 0 to ref.x.size() - 1 are computed, encoded
// element by element from the reference.
Bytes reference_file(const Reference& ref, int32_t t) {
  Bytes out;
  for (const std::vector<double>* part : {&ref.x, &ref.y}) {
    for (int32_t i = 0; i <= t; ++i) {
      size_t n = static_cast<size_t>(i);
      if (n < 2) {
        put_u16(&out, 2);
        put_i16(&out, static_cast<int16_t>((*part)[n]));
      } else if (n < part->size()) {
        put_u16(&out, 5);
        put_f64(&out, (*part)[n]);
      } else {
        put_u16(&out, 0);
      }
    }
  }
  return out;
}

// The plan is kept as its file image: curves that reach the last two points
// move the y part, an unfinished plan is serialised apart; the bytes written
// are the same either way.
TEST(RoutePlanTest, FileImageMatchesTheElementsInEveryShape) {
  struct Case {
    const char* what;
    int64_t curve_start, curve_length;
    bool finished;
  };
  const int32_t t = 40;
  for (const Case& c :
       {Case{"finished", 10, 5, true}, Case{"curve to T - 1", 30, 9, true},
        Case{"curve to T", 30, 10, true}, Case{"curve to T, unfinished", 25, 15, false},
        Case{"unfinished", 10, 5, false}}) {
    RoutePlan plan;
    plan.create(t);
    plan.start();
    Reference ref;
    ASSERT_TRUE(plan.lay_curve(c.curve_start, c.curve_length, 0.003));
    while (static_cast<int64_t>(ref.x.size()) <= c.curve_start) ref.straight();
    while (static_cast<int64_t>(ref.x.size()) <= c.curve_start + c.curve_length) ref.curve(0.003);
    if (c.finished) {
      plan.finish();
      while (ref.x.size() <= static_cast<size_t>(t - 2)) ref.straight();
    }
    Bytes expected = reference_file(ref, t);
    Bytes serialized, scratch;
    plan.serialize(&serialized);
    std::span<const uint8_t> image = plan.file_image(&scratch);
    EXPECT_EQ(plan.file_size(), expected.size()) << c.what;
    EXPECT_EQ(serialized, expected) << c.what;
    EXPECT_EQ(Bytes(image.begin(), image.end()), expected) << c.what;
    // A plan computed up to T - 1 or beyond (every finished one) is written
    // from its own bytes.
    EXPECT_EQ(scratch.empty(), ref.x.size() >= static_cast<size_t>(t - 1)) << c.what;
  }
}

TEST(RoutePlanTest, UnfinishedPlanImageHasItsStartAndEmptyPoints) {
  RoutePlan plan;
  plan.create(10);
  plan.start();
  Bytes image;
  plan.serialize(&image);
  // x: two 16-bit integers and nine empty points; then y the same.
  ASSERT_EQ(image.size(), 2u * (2 * 4 + 9 * 2));
  const uint8_t x_part[26] = {2, 0, 0, 0, 2, 0, 0, 0};
  const uint8_t y_part[26] = {2, 0, 0, 0, 2, 0, 1, 0};
  for (size_t i = 0; i < 26; ++i) {
    EXPECT_EQ(image[i], x_part[i]) << i;
    EXPECT_EQ(image[26 + i], y_part[i]) << i;
  }
}

TEST(RoutePlanTest, CurvatureFromTheKeywordField) {
  struct Case {
    const char* keyword;
    std::optional<double> k;
  };
  const Case cases[] = {
      {"curvad1", 0.0001},      {"curvad2", 0.0002},       {"curvad3", 0.0004},
      {"curvad4", 0.001},       {"curvad5", 0.002},        {"curvad6", 0.003},
      {"curvas1", -0.0001},     {"CURVAS1", -0.0001},      {"curvas4", -0.001},
      {"curvad63", 0.0004},  // digits are tried from 1 to 6
      {"curvad", std::nullopt}, {"curvad7", std::nullopt}, {"curvad0", std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<double> k = curvature_of(c.keyword);
    EXPECT_EQ(k.has_value(), c.k.has_value()) << c.keyword;
    if (k && c.k) {
      EXPECT_EQ(*k, *c.k) << c.keyword;
    }
  }
}

}  // namespace
}  // namespace binario
