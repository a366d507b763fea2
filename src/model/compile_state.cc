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

Text CompileState::text_name(FaultText text) const {
  switch (text) {
    case FaultText::kRoute:
      return route_text_name();
    case FaultText::kScenario:
      return scenario_text_name();
    case FaultText::kNone:
      break;
  }
  return Text();
}

void CompileState::record_fault(Fault fault, FaultText text, int32_t offset) {
  codice_errore = code_of(fault);
  testo_errore = text;
  byte_errore = offset;
}

void CompileState::record_fault_at(Fault fault, int32_t position, FaultText text, int32_t offset) {
  posizione_errore = position;
  record_fault(fault, text, offset);
}

void CompileState::clear_fault() { record_fault(Fault::kNone, FaultText::kNone, kNoField); }

void CompileState::fail_reading(Disk& disk, FaultText text, int32_t offset) {
  record_fault(Fault::kReadingFailure, text, offset);
  for (const Text& name : {route_text_name(), scenario_text_name()}) {
    Text path = path_of(name);
    if (disk.file_exists(path.c_str())) disk.remove_file(path.c_str());
  }
}

}  // namespace binario
