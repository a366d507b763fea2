#include "scenario/scenario_reading.h"

namespace binario {

namespace {

bool beyond_grid(CompileState& state, int32_t position, int line) {
  state.codice_errore = codice::kBeyondGrid;
  state.posizione_errore = position;
  state.riga_errore = line;
  return false;
}

}  // namespace

bool ScenarioReading::position_fits(int32_t position, int32_t margin) {
  return state.griglia.fits(position, margin) || beyond_grid(state, position, in.line());
}

bool ScenarioReading::point_fits(int32_t position, int32_t margin) {
  return (position >= 0 && state.griglia.fits(position, margin)) ||
         beyond_grid(state, position, in.line());
}

bool ScenarioReading::values_read() {
  if (!in.failed()) return true;
  fail_reading();
  return false;
}

bool ScenarioReading::delete_text() {
  return disk.remove_file(path.c_str());
}

Step ScenarioReading::fail_reading() {
  state.fail_reading(disk);
  state.riga_errore = in.line();
  return Step::kStop;
}

Step ScenarioReading::stop(int32_t code) {
  state.codice_errore = code;
  state.riga_errore = in.line();
  delete_text();
  return Step::kStop;
}

Step ScenarioReading::stop_at(int32_t code, int32_t position) {
  state.posizione_errore = position;
  return stop(code);
}

}  // namespace binario
