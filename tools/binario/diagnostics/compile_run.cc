#include "diagnostics/compile_run.h"

#include <memory>
#include <string>

#include "app/compile_driver.h"
#include "app/errore.h"
#include "model/compile_state.h"
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

CompileFault located(const CompileResult& result) {
  CompileFault fault;
  fault.fault = result.fault;
  if (records_position(result.fault)) fault.position = result.posizione;
  fault.text = result.testo;
  fault.line = result.riga;
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
    out.first = located(result);
  }
  // The route reader alone: a fault there comes first, also a position
  // beyond the grid that lets the scenario reader run on.
  auto run = std::make_unique<Run>();
  prepare(*run, route, train, route_text, scenario_text);
  leggi_percorso(run->state, run->folder);
  if (run->state.fault() != Fault::kNone) {
    out.first = located(recorded(run->state));
  }
  if (run->state.griglia.exists()) {
    out.route_length_read = true;
    out.route_length = run->state.stazioni[kServiceRecord].area_end;
    out.grid_last = run->state.griglia.last();
  }
  return out;
}

}  // namespace binario::tool
