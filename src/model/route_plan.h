#ifndef BINARIO_MODEL_ROUTE_PLAN_H_
#define BINARIO_MODEL_ROUTE_PLAN_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/text.h"
#include "platform/page_block.h"

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
  bool exists() const { return points_ > 0; }
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
  Tag tag(Coordinate c, int32_t point) const;
  // The value of a coordinate (a 16-bit integer widened exactly); 0 when empty.
  double value(Coordinate c, int32_t point) const;

  // Bytes of the route plan file for this plan.
  size_t file_size() const;
  // Appends the route plan file: x of points 0 to T, then y of points 0 to T,
  // each a 16-bit tag followed by its payload.
  void serialize(Bytes* out) const;
  // The route plan file. A started plan stepped to T - 1 or beyond (every
  // finished plan) is kept as its own file image and returned as it is, with
  // no copy; any other plan is serialised into `scratch`.
  std::span<const uint8_t> file_image(Bytes* scratch) const;

 private:
  // The plan is kept as the route plan file it will be written as: x of
  // every point, then y. Points 2 and on, once computed, are doubles, and they
  // are computed in order, so point j >= 2 of either part lies 8 + 10 (j - 2)
  // bytes into its part, and the points not yet computed are empty elements
  // (zero bytes) at its end. The y part starts where the x part of a
  // finished plan ends (x up to T - 2 computed); a curve that reaches T - 1 or
  // T moves it up.
  static size_t element_at(int32_t point) {
    return point < 2 ? 4 * static_cast<size_t>(point) : 8 + 10 * static_cast<size_t>(point - 2);
  }
  // Bytes of one part (x or y) of a started plan whose points before `filled` are computed.
  size_t part_size(int32_t filled) const {
    return element_at(filled) + 2 * static_cast<size_t>(points_ - filled);
  }
  size_t part_at(Coordinate c) const { return c == kX ? 0 : y_at_; }
  bool image_is_file() const { return started_ && filled_ >= points_ - 2; }
  double computed(size_t at) const;
  void set_double(int32_t point, double x, double y);

  // The two points before the cursor, as stored. A run of steps reads them
  // once and keeps them, instead of decoding both back for every metre.
  struct LastTwo {
    double x0, y0;  // point j - 2
    double x1, y1;  // point j - 1
  };
  LastTwo last_two() const;
  // Point j from the two before it, which then move on by one.
  void straight_step(int32_t j, LastTwo& p);
  void curve_step(int32_t j, double k, LastTwo& p);

  int32_t points_ = 0;  // T + 1
  int64_t cursor_ = 2;
  bool started_ = false;  // points 0 and 1 hold their 16-bit integers
  int32_t filled_ = 2;    // points 2 to filled_ - 1 hold doubles
  size_t y_at_ = 0;       // where the y part starts in image_
  PageBlock image_;
};

// Curvature of a curve line from its keyword field: the first of the digits 1
// to 6 found in it gives 0.0001, 0.0002, 0.0004, 0.001, 0.002 or 0.003 per
// metre, negative when the field contains an "s" (a left-hand "curvas" line).
// Empty when the field holds none of these digits.
std::optional<double> curvature_of(std::string_view keyword);

}  // namespace binario

#endif  // BINARIO_MODEL_ROUTE_PLAN_H_
