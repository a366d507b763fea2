#ifndef BINARIO_TESTS_SCENARIO_FIXTURE_H_
#define BINARIO_TESTS_SCENARIO_FIXTURE_H_

#include <cstdint>
#include <initializer_list>
#include <string>

#include "app/compile_state.h"
#include "memory_disk.h"
#include "scenario/scenario_reader.h"

namespace binario {

// A compile state as the route reader leaves it (grid sized from the route
// length, progressives on whole cells, no location boards) and an in-memory
// folder "/inst" holding the route R and train T texts.
struct ScenarioFixture {
  static constexpr const char* kScenarioPath = "/inst/R_T-.txt";
  static constexpr const char* kRoutePath = "/inst/R_linea.txt";

  explicit ScenarioFixture(int32_t route_length = 159900) {
    state.cartella = Text("/inst");
    state.nome_percorso = Text("R");
    state.nome_treno = Text("T");
    state.griglia.create(route_length);
    state.next_board_record = kFirstBoardRecord;
    for (int32_t i = kProgressiveRecordFirst; i < kProgressiveRecordFirst + 3; ++i) {
      state.stazioni[i].area_start = 1000 * (i - 80);
      state.stazioni[i].area_end = 100 * (i - 80);
    }
  }

  // Lines joined with CR LF.
  static std::string lines(std::initializer_list<const char*> ls) {
    std::string out;
    for (const char* l : ls) out += std::string(l) + "\r\n";
    return out;
  }

  // A well-formed scenario text: "[generale]", the lines, "[fine]".
  static std::string scenario(std::initializer_list<const char*> ls) {
    return "[generale]\r\n" + lines(ls) + "[fine]\r\n";
  }

  // Puts `text` in the folder as the scenario text and reads it.
  void read(const std::string& text) {
    disk.put(kScenarioPath, text);
    leggi_scenario(state, disk);
  }

  GridCell& cell(int32_t i) { return state.griglia[i]; }
  StationRecord& record(int32_t i) { return state.stazioni[i]; }
  int32_t last() const { return state.griglia.last(); }

  MemoryDisk disk;
  CompileState state;
};

}  // namespace binario

#endif  // BINARIO_TESTS_SCENARIO_FIXTURE_H_
