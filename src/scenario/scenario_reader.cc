#include "scenario/scenario_reader.h"

namespace binario {

void leggi_scenario(CompileState& state, Disk& disk) {
  // The keyword actions come with the scenario compiler; for now the text is
  // only consumed.
  Text path = state.path_of(state.scenario_text_name());
  if (disk.file_exists(path.c_str())) disk.remove_file(path.c_str());
}

}  // namespace binario
