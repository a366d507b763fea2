#include "scenario/general_values.h"

namespace binario {

Step braked_mass_line(ScenarioContext& r) {
  int32_t percent = r.in.read_i32();
  if (!r.values_read()) return Step::kStop;
  r.state.stazioni[kServiceRecord].area_start = percent;
  return Step::kGoOn;
}

Step cars_line(ScenarioContext& r) {
  int32_t cars = r.in.read_i32();
  if (!r.values_read()) return Step::kStop;
  r.state.stazioni[kServiceRecord].position = cars;
  return Step::kGoOn;
}

Step clock_line(ScenarioContext& r) {
  int16_t hours = r.in.read_i16();
  int16_t minutes = r.in.read_i16();
  int16_t seconds = r.in.read_i16();
  if (!r.values_read()) return Step::kStop;
  StationRecord& train = r.state.stazioni[kTrainRecord];
  train.group2_a = hours;
  train.group2_b = minutes;
  train.group2_c = seconds;
  return Step::kGoOn;
}

Step sand_line(ScenarioContext& r) {
  int16_t sand = r.in.read_i16();
  if (!r.values_read()) return Step::kStop;
  r.state.stazioni[kTrainRecord].group1_a = sand;
  return Step::kGoOn;
}

}  // namespace binario
