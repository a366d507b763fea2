#ifndef BINARIO_MODEL_ROUTE_PLAN_H_
#define BINARIO_MODEL_ROUTE_PLAN_H_

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace binario {

// The ground plan of the line: x and y of every metre from 0 to the plan
// length T (route length + 7000). Each coordinate is a tagged value: empty,
// a 16-bit integer or a double.
//
// Points are computed in order by a cursor. Each step derives point j from
// the two stored points before it, so the plan is started with points 0 and 1
// (the origin, heading +y at one metre per point) before any step.
class RoutePlan {
 public:
  enum Tag : uint16_t { kEmpty = 0, kInt16 = 2, kDouble = 5 };
  enum Coordinate { kX = 0, kY = 1 };

  // The plan cursor may not pass this point while curves are laid.
  static constexpr int64_t kMaxCursor = 1000000;

  // Points 0 to `plan_length`, every coordinate empty; replaces any earlier plan.
  void create(int32_t plan_length);
  bool exists() const { return !tags_.empty(); }
  // T, the last point. Only meaningful when the plan exists.
  int32_t last() const { return points_ - 1; }

  // Points 0 (0, 0) and 1 (0, 1) as 16-bit integers; the cursor goes to 2.
  void start();

  // Lays a curve line: straight steps up to point `s`, then steps turning
  // with curvature `k` up to point `s + n`. Behind the cursor nothing is
  // redone: a curve that starts there only turns, one that ends there does
  // nothing. False, with the cursor where it stopped, when the cursor would
  // pass kMaxCursor. Precondition: s + n <= T.
  bool lay_curve(int64_t s, int64_t n, double k);

  // Straight steps up to point T - 2. Points T - 1 and T stay as they are.
  void finish();

  int64_t cursor() const { return cursor_; }
  Tag tag(Coordinate c, int32_t point) const { return static_cast<Tag>(tags_[index(c, point)]); }
  // The value of a coordinate (a 16-bit integer widened exactly); 0 when empty.
  double value(Coordinate c, int32_t point) const { return values_[index(c, point)]; }

  // Bytes of the route plan file for this plan.
  size_t file_size() const;
  // Appends the route plan file: x of points 0 to T, then y of points 0 to T,
  // each a 16-bit tag followed by its payload.
  void serialize(Bytes* out) const;

 private:
  size_t index(Coordinate c, int32_t point) const {
    return static_cast<size_t>(c) * static_cast<size_t>(points_) + static_cast<size_t>(point);
  }
  void set_double(int32_t point, double x, double y);
  void straight_step(int32_t j);
  void curve_step(int32_t j, double k);

  int32_t points_ = 0;  // T + 1
  int64_t cursor_ = 2;
  // Coordinate c of point i is element c * (T + 1) + i: x of every point, then y.
  std::vector<uint8_t> tags_;
  std::vector<double> values_;
};

// Curvature of a curve line from its keyword field: the first of the digits 1
// to 6 found in it gives 0.0001, 0.0002, 0.0004, 0.001, 0.002 or 0.003 per
// metre, negative when the field contains an "s" (a left-hand "curvas" line).
// Empty when the field holds none of these digits.
std::optional<double> curvature_of(std::string_view keyword);

}  // namespace binario

#endif  // BINARIO_MODEL_ROUTE_PLAN_H_
