#include "model/route_plan.h"

#include "model/route_plan_format.h"

namespace binario {

void RoutePlan::create(int32_t plan_length) {
  points_ = plan_length + 1;
  size_t elements = 2 * static_cast<size_t>(points_);
  tags_.assign(elements, kEmpty);
  values_.assign(elements, 0.0);
  cursor_ = 2;
}

void RoutePlan::start() {
  tags_[index(kX, 0)] = kInt16;
  tags_[index(kY, 0)] = kInt16;
  tags_[index(kX, 1)] = kInt16;
  tags_[index(kY, 1)] = kInt16;
  values_[index(kX, 0)] = 0;
  values_[index(kY, 0)] = 0;
  values_[index(kX, 1)] = 0;
  values_[index(kY, 1)] = 1;
  cursor_ = 2;
}

void RoutePlan::set_double(int32_t point, double x, double y) {
  tags_[index(kX, point)] = kDouble;
  tags_[index(kY, point)] = kDouble;
  values_[index(kX, point)] = x;
  values_[index(kY, point)] = y;
}

// The step vector is always taken from the two stored points, never carried.
void RoutePlan::straight_step(int32_t j) {
  double x1 = value(kX, j - 1);
  double y1 = value(kY, j - 1);
  double dx = x1 - value(kX, j - 2);
  double dy = y1 - value(kY, j - 2);
  set_double(j, x1 + dx, y1 + dy);
}

void RoutePlan::curve_step(int32_t j, double k) {
  double x1 = value(kX, j - 1);
  double y1 = value(kY, j - 1);
  double dx = x1 - value(kX, j - 2);
  double dy = y1 - value(kY, j - 2);
  set_double(j, x1 + (dy * k + dx), y1 + (dy - dx * k));
}

bool RoutePlan::lay_curve(int64_t s, int64_t n, double k) {
  while (cursor_ <= s) {
    straight_step(static_cast<int32_t>(cursor_));
    if (++cursor_ > kMaxCursor) return false;
  }
  while (cursor_ <= s + n) {
    curve_step(static_cast<int32_t>(cursor_), k);
    if (++cursor_ > kMaxCursor) return false;
  }
  return true;
}

void RoutePlan::finish() {
  for (; cursor_ <= static_cast<int64_t>(last()) - 2; ++cursor_) {
    straight_step(static_cast<int32_t>(cursor_));
  }
}

static_assert(RoutePlan::kEmpty == value_tag::kEmpty && RoutePlan::kInt16 == value_tag::kInt16 &&
              RoutePlan::kDouble == value_tag::kDouble);

size_t RoutePlan::file_size() const {
  size_t size = 0;
  for (uint8_t t : tags_) size += tagged_value_bytes(t);
  return size;
}

void RoutePlan::serialize(Bytes* out) const {
  // One buffer sized in advance, filled through a pointer: the largest plan
  // has two million elements.
  size_t start = out->size();
  out->resize(start + file_size());
  uint8_t* p = out->data() + start;
  for (size_t i = 0; i < tags_.size(); ++i) p = encode_tagged_value(p, tags_[i], values_[i]);
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
