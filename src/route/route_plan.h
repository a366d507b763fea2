#ifndef BINARIO_ROUTE_ROUTE_PLAN_H_
#define BINARIO_ROUTE_ROUTE_PLAN_H_

#include <cstdint>
#include <vector>

#include "common/text.h"

namespace binario {

// The ground plan of the line: x and y of every metre from 0 to the plan
// length T (route length + 7000). Each coordinate is a tagged value: empty,
// a 16-bit integer or a double.
class RoutePlan {
 public:
  enum Tag : uint16_t { kEmpty = 0, kInt16 = 2, kDouble = 5 };

  // Points 0 to `plan_length`, every coordinate empty; replaces any earlier plan.
  void create(int32_t plan_length);
  bool exists() const { return !tags_.empty(); }

 private:
  // Coordinate c of point i is element c * (T + 1) + i: x of every point, then y.
  std::vector<uint8_t> tags_;
  std::vector<double> values_;
};

}  // namespace binario

#endif  // BINARIO_ROUTE_ROUTE_PLAN_H_
