#include "route/route_plan.h"

namespace binario {

void RoutePlan::create(int32_t plan_length) {
  size_t elements = 2 * (static_cast<size_t>(plan_length) + 1);
  tags_.assign(elements, kEmpty);
  values_.assign(elements, 0.0);
}

}  // namespace binario
