#include "app/compile_state.h"

#include "platform/platform.h"

namespace binario {

bool code_records_position(int32_t code) {
  return (code >= 6 && code <= 9) || (code >= 11 && code <= 13) || (code >= 15 && code <= 22);
}

Text CompileState::path_of(std::string_view name) const {
  Text path = cartella;
  path.push_back(platform::kPathSeparator);
  path.append(name);
  return path;
}

Text CompileState::route_text_name() const {
  Text name = nome_percorso;
  name.append("_linea.txt");
  return name;
}

Text CompileState::scenario_text_name() const {
  Text name = nome_percorso;
  name.push_back('_');
  name.append(nome_treno);
  name.append("-.txt");
  return name;
}

Text CompileState::route_plan_name() const {
  Text name = nome_percorso;
  name.append("_linea.dat");
  return name;
}

Text CompileState::station_file_name() const {
  Text name = nome_percorso;
  name.push_back('_');
  name.append(nome_treno);
  name.append(".sim");
  return name;
}

Text CompileState::grid_file_name() const {
  Text name = nome_percorso;
  name.push_back('_');
  name.append(nome_treno);
  name.append(".dat");
  return name;
}

void CompileState::fail_reading(Disk& disk) {
  codice_errore = codice::kReadingFailure;
  for (const Text& name : {route_text_name(), scenario_text_name()}) {
    Text path = path_of(name);
    if (disk.file_exists(path.c_str())) disk.remove_file(path.c_str());
  }
}

}  // namespace binario
