#include "model/compile_state.h"

#include "platform/platform.h"

namespace binario {

Text CompileState::path_of(std::string_view name) const {
  return platform::path_in(cartella, name);
}

namespace {

// `<route><suffix>`, and `<route>_<train><suffix>`.
Text route_file(const CompileState& s, const char* suffix) {
  Text name = s.nome_percorso;
  name.append(suffix);
  return name;
}

Text scenario_file(const CompileState& s, const char* suffix) {
  Text name = s.nome_percorso;
  name.push_back('_');
  name.append(s.nome_treno);
  name.append(suffix);
  return name;
}

}  // namespace

Text CompileState::route_text_name() const { return route_file(*this, kRouteTextSuffix); }
Text CompileState::scenario_text_name() const { return scenario_file(*this, kScenarioTextSuffix); }
Text CompileState::route_plan_name() const { return route_file(*this, kRoutePlanSuffix); }
Text CompileState::station_file_name() const { return scenario_file(*this, kStationFileSuffix); }
Text CompileState::grid_file_name() const { return scenario_file(*this, kGridFileSuffix); }

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

void CompileState::record_fault(Fault fault, FaultText text, int32_t line) {
  codice_errore = code_of(fault);
  testo_errore = text;
  riga_errore = line;
}

void CompileState::record_fault_at(Fault fault, int32_t position, FaultText text, int32_t line) {
  posizione_errore = position;
  record_fault(fault, text, line);
}

void CompileState::clear_fault() { record_fault(Fault::kNone, FaultText::kNone, 0); }

void CompileState::fail_reading(Disk& disk, FaultText text, int32_t line) {
  record_fault(Fault::kReadingFailure, text, line);
  for (const Text& name : {route_text_name(), scenario_text_name()}) {
    Text path = path_of(name);
    if (disk.file_exists(path.c_str())) disk.remove_file(path.c_str());
  }
}

}  // namespace binario
