#include "model/compile_state.h"

#include "platform/platform.h"

namespace binario {

Text CompileState::path_of(std::string_view name) const {
  return platform::path_in(cartella, name);
}

Text CompileState::route_text_name() const { return names().route_text(); }
Text CompileState::scenario_text_name() const { return names().scenario_text(); }
Text CompileState::route_plan_name() const { return names().route_plan(); }
Text CompileState::station_file_name() const { return names().station_file(); }
Text CompileState::grid_file_name() const { return names().grid_file(); }

Text CompileState::text_name(InputText text) const {
  switch (text) {
    case InputText::kRoute:
      return route_text_name();
    case InputText::kScenario:
      return scenario_text_name();
    case InputText::kNone:
      break;
  }
  return Text();
}

void CompileState::record_fault(Fault fault, InputText text, int32_t offset) {
  codice_errore_ = fault;
  fault_input_ = text;
  fault_byte_ = offset;
}

void CompileState::record_fault_at(Fault fault, int32_t position, InputText text, int32_t offset) {
  posizione_errore_ = position;
  record_fault(fault, text, offset);
}

void CompileState::clear_fault() { record_fault(Fault::kNone, InputText::kNone, kNoField); }

void CompileState::fail_reading(InputText text, int32_t offset) {
  record_fault(Fault::kReadingFailure, text, offset);
}

}  // namespace binario
