#include "scenario/scenario_context.h"

namespace binario {

bool ScenarioContext::position_fits(int32_t position, int32_t margin) {
  if (state.griglia.fits(position, margin)) return true;
  beyond_grid(position);
  return false;
}

bool ScenarioContext::point_fits(int32_t position, int32_t margin) {
  if (position >= 0 && state.griglia.fits(position, margin)) return true;
  beyond_grid(position);
  return false;
}

bool ScenarioContext::values_read() {
  if (!in.failed()) return true;
  fail_reading();
  return false;
}

bool ScenarioContext::delete_text() { return disk.remove_file(path.c_str()); }

Step ScenarioContext::fail_reading(int32_t offset) {
  state.fail_reading(InputText::kScenario, offset);
  return Step::kStop;
}

Step ScenarioContext::stop(Fault fault) {
  state.record_fault(fault, InputText::kScenario, keyword_offset);
  delete_text();
  return Step::kStop;
}

Step ScenarioContext::stop_at(Fault fault, int32_t position) {
  state.record_fault_at(fault, position, InputText::kScenario, keyword_offset);
  delete_text();
  return Step::kStop;
}

Step ScenarioContext::beyond_grid(int32_t position) {
  state.record_fault_at(Fault::kBeyondGrid, position, InputText::kScenario, keyword_offset);
  return Step::kEndSteps;
}

}  // namespace binario
