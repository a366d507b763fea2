#include "scenario/general_values.h"

namespace binario {

Step braked_mass_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t percent = 0;
  r.read_values(rule, &percent);
  if (!r.values_read()) return Step::kStop;
  r.state.stazioni[kServiceRecord].area_start = percent;
  return Step::kGoOn;
}

Step cars_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t cars = 0;
  r.read_values(rule, &cars);
  if (!r.values_read()) return Step::kStop;
  r.state.stazioni[kServiceRecord].position = cars;
  return Step::kGoOn;
}

Step clock_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t v[3];
  r.read_values(rule, v);
  if (!r.values_read()) return Step::kStop;
  // Hours, minutes and seconds, each read within 16 bits.
  StationRecord& train = r.state.stazioni[kTrainRecord];
  train.group2_a = static_cast<int16_t>(v[0]);
  train.group2_b = static_cast<int16_t>(v[1]);
  train.group2_c = static_cast<int16_t>(v[2]);
  return Step::kGoOn;
}

Step sand_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t sand = 0;
  r.read_values(rule, &sand);
  if (!r.values_read()) return Step::kStop;
  r.state.stazioni[kTrainRecord].group1_a = static_cast<int16_t>(sand);
  return Step::kGoOn;
}

}  // namespace binario
