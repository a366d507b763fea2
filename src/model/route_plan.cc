#include "model/route_plan.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "model/route_plan_format.h"

namespace binario {

void RoutePlan::create(int32_t plan_length) {
  // A plan has at least points 0 and 1, the two that start it.
  points_ = std::max(plan_length, 1) + 1;
  cursor_ = 2;
  started_ = false;
  filled_ = 2;
  y_at_ = part_size(std::max(2, points_ - 2));
  // Room for both parts with every point from 2 on computed; a finished plan
  // leaves 32 bytes of it unused. Zero bytes are empty elements. The earlier
  // plan's block goes first, so that two are never held at once.
  image_ = PageBlock();
  image_ = PageBlock(2 * element_at(points_));
}

static_assert(RoutePlan::kEmpty == value_tag::kEmpty && RoutePlan::kInt16 == value_tag::kInt16 &&
              RoutePlan::kDouble == value_tag::kDouble);

void RoutePlan::start() {
  // Points 0 (0, 0) and 1 (0, 1), as 16-bit integers.
  encode_tagged_value(encode_tagged_value(&image_[part_at(kX)], kInt16, 0), kInt16, 0);
  encode_tagged_value(encode_tagged_value(&image_[part_at(kY)], kInt16, 0), kInt16, 1);
  started_ = true;
  cursor_ = 2;
}

namespace {
void put_double(uint8_t* element, double v) { encode_tagged_value(element, RoutePlan::kDouble, v); }

// The double of an element written by put_double.
double get_double(const uint8_t* element) { return decode_f64(element + 2); }
}  // namespace

RoutePlan::Tag RoutePlan::tag(Coordinate, int32_t point) const {
  if (point < 2) return started_ ? kInt16 : kEmpty;
  return point < filled_ ? kDouble : kEmpty;
}

double RoutePlan::value(Coordinate c, int32_t point) const {
  const uint8_t* element = &image_[part_at(c) + element_at(point)];
  switch (tag(c, point)) {
    case kInt16:
      return decode_i16(element + 2);
    case kDouble:
      return get_double(element);
    default:
      return 0;
  }
}

void RoutePlan::set_double(int32_t point, double x, double y) {
  if (point >= filled_) {
    // Points are computed in order: this one extends the computed run.
    size_t x_part = part_size(point + 1);
    if (x_part > y_at_) {
      // A curve reaching T - 1 or T: the y part moves up to make room.
      std::memmove(&image_[x_part], &image_[y_at_], element_at(filled_));
      std::memset(&image_[y_at_], 0, x_part - y_at_);
      y_at_ = x_part;
    }
    filled_ = point + 1;
  }
  put_double(&image_[part_at(kX) + element_at(point)], x);
  put_double(&image_[part_at(kY) + element_at(point)], y);
}

RoutePlan::LastTwo RoutePlan::last_two() const {
  const int32_t j = static_cast<int32_t>(cursor_);
  return {value(kX, j - 2), value(kY, j - 2), value(kX, j - 1), value(kY, j - 1)};
}

// The step vector is always taken afresh from the two points before, never
// carried. They hold exactly what is stored, so a step computes the same
// double as one that read them back from the plan.
void RoutePlan::straight_step(int32_t j, LastTwo& p) {
  const double dx = p.x1 - p.x0;
  const double dy = p.y1 - p.y0;
  const double x = p.x1 + dx;
  const double y = p.y1 + dy;
  set_double(j, x, y);
  p = {p.x1, p.y1, x, y};
}

void RoutePlan::curve_step(int32_t j, double k, LastTwo& p) {
  const double dx = p.x1 - p.x0;
  const double dy = p.y1 - p.y0;
  const double x = p.x1 + (dy * k + dx);
  const double y = p.y1 + (dy - dx * k);
  set_double(j, x, y);
  p = {p.x1, p.y1, x, y};
}

bool RoutePlan::lay_curve(int64_t s, int64_t n, double k) {
  assert(s + n <= last());
  if (cursor_ > s && cursor_ > s + n) return true;  // nothing left to lay
  LastTwo p = last_two();
  while (cursor_ <= s) {
    straight_step(static_cast<int32_t>(cursor_), p);
    if (++cursor_ > kMaxCursor) return false;
  }
  while (cursor_ <= s + n) {
    curve_step(static_cast<int32_t>(cursor_), k, p);
    if (++cursor_ > kMaxCursor) return false;
  }
  return true;
}

void RoutePlan::finish() {
  if (cursor_ > static_cast<int64_t>(last()) - 2) return;
  LastTwo p = last_two();
  for (; cursor_ <= static_cast<int64_t>(last()) - 2; ++cursor_) {
    straight_step(static_cast<int32_t>(cursor_), p);
  }
}

size_t RoutePlan::file_size() const {
  if (!exists()) return 0;
  // Points 0 and 1 take 4 bytes each as integers, 2 when still empty.
  return 2 * (part_size(filled_) - (started_ ? 0 : 4));
}

void RoutePlan::serialize(Bytes* out) const {
  if (!exists()) return;
  size_t at = out->size();
  out->resize(at + file_size());  // zero bytes: empty elements
  uint8_t* p = out->data() + at;
  for (Coordinate c : {kX, kY}) {
    const uint8_t* part = image_.data() + part_at(c);
    if (started_) {
      std::memcpy(p, part, 8);
      p += 8;
    } else {
      p += 4;
    }
    // Points 2 to filled_ - 1, when any is computed yet.
    const size_t doubles = filled_ > 2 ? element_at(filled_) - element_at(2) : 0;
    if (doubles != 0) std::memcpy(p, part + element_at(2), doubles);
    p += doubles + 2 * static_cast<size_t>(points_ - filled_);
  }
}

std::span<const uint8_t> RoutePlan::file_image(Bytes* scratch) const {
  if (image_is_file()) return std::span<const uint8_t>(image_.data(), file_size());
  scratch->clear();
  serialize(scratch);
  return *scratch;
}

std::optional<double> curvature_of(std::string_view keyword) {
  static constexpr double kPerClass[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int d = 0; d < 6; ++d) {
    char digit[2] = {static_cast<char>('1' + d), '\0'};
    if (contains(keyword, digit)) {
      double k = kPerClass[d];
      if (contains_ignoring_case(keyword, "s")) k = k * -1;
      return k;
    }
  }
  return std::nullopt;
}

}  // namespace binario
