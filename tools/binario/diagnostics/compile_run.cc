#include "diagnostics/compile_run.h"

#include <memory>
#include <string>

#include "app/compile_driver.h"
#include "app/errore.h"
#include "model/compile_state.h"
#include "model/file_names.h"
#include "platform/in_memory_disk.h"
#include "route/route_reader.h"

namespace binario::tool {

namespace {

// One compile, its folder held in memory: compiling writes nothing to the real one.
struct Run {
  CompileState state;
  InMemoryDisk folder;
};

void prepare(Run& run, const std::string& route, const std::string& train,
             const SourceText* route_text, const SourceText* scenario_text) {
  run.state.cartella = Text("check");
  run.state.nome_percorso = Text(route);
  run.state.nome_treno = Text(train);
  run.state.write_route = 1;
  if (route_text != nullptr) {
    run.folder.put(std::string(run.state.path_of(run.state.route_text_name()).view()),
                   route_text->bytes());
  }
  if (scenario_text != nullptr) {
    run.folder.put(std::string(run.state.path_of(run.state.scenario_text_name()).view()),
                   scenario_text->bytes());
  }
}

// The fault with its field's offset turned into a line and a column of the
// text it was found in; its position is 0 unless it is found at a place on the line.
PlacedFault located(const CompileResult& result, const SourceText* route_text,
                    const SourceText* scenario_text) {
  PlacedFault fault;
  static_cast<CompileResult&>(fault) = result;
  if (!records_position(result.fault)) fault.position = 0;
  const SourceText* in = result.input == InputText::kRoute      ? route_text
                         : result.input == InputText::kScenario ? scenario_text
                                                                : nullptr;
  if (in == nullptr || result.byte < 0 || static_cast<size_t>(result.byte) > in->bytes().size()) {
    fault.byte = -1;
    return fault;
  }
  fault.line = in->line_of(static_cast<size_t>(result.byte));
  fault.column = in->column_of(static_cast<size_t>(result.byte));
  return fault;
}

}  // namespace

CompileRun compile_texts(const std::string& route, const std::string& train,
                         const SourceText* route_text, const SourceText* scenario_text) {
  CompileRun out;
  // The whole run, as the installer makes it.
  {
    auto run = std::make_unique<Run>();
    prepare(*run, route, train, route_text, scenario_text);
    const CompileResult result = memorizza_percorso(run->state, run->folder, true);
    if (!result.ok()) out.shown = std::string(error_message(error_code_text(result)).view());
    out.first = located(result, route_text, scenario_text);
    out.shown_fault = out.first;
  }
  // The route reader alone: a fault there comes first, also a position
  // beyond the grid that lets the scenario reader run on.
  auto run = std::make_unique<Run>();
  prepare(*run, route, train, route_text, scenario_text);
  leggi_percorso(run->state, run->folder);
  if (run->state.fault() != Fault::kNone) {
    out.first = located(recorded(run->state), route_text, scenario_text);
  }
  if (run->state.griglia.exists()) {
    out.route_length_read = true;
    out.route_length = run->state.stazioni[kServiceRecord].area_end;
    out.grid_last = run->state.griglia.last();
  }
  return out;
}

bool compile_to_files(const std::string& route, const std::string& train,
                      const SourceText* route_text, const SourceText* scenario_text,
                      CompiledBytes* out) {
  auto run = std::make_unique<Run>();
  prepare(*run, route, train, route_text, scenario_text);
  if (!memorizza_percorso(run->state, run->folder, true).ok()) return false;
  const ScenarioNames names(route, train);
  auto take = [&](const Text& name, Bytes* bytes) {
    const std::string path(run->state.path_of(name.view()).view());
    if (!run->folder.has(path)) return false;
    const std::string content = run->folder.get(path);
    bytes->assign(content.begin(), content.end());
    return true;
  };
  return take(names.station_file(), &out->station_file) &&
         take(names.grid_file(), &out->grid_file) && take(names.route_plan(), &out->route_plan);
}

std::unique_ptr<CompileState> compiled_state(const std::string& route, const std::string& train,
                                             const SourceText* route_text,
                                             const SourceText* scenario_text) {
  auto run = std::make_unique<Run>();
  prepare(*run, route, train, route_text, scenario_text);
  memorizza_percorso(run->state, run->folder, true);
  return std::make_unique<CompileState>(std::move(run->state));
}

}  // namespace binario::tool
