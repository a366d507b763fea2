#ifndef BINARIO_TESTS_TEST_FOLDER_H_
#define BINARIO_TESTS_TEST_FOLDER_H_

// The compiler tests' common ground: route R and train T in the in-memory
// folder "/inst", the paths of their files, and route texts built from lines.

#include <cstdint>
#include <string>
#include <vector>

#include "model/compile_state.h"
#include "text_lines.h"

namespace binario {

constexpr const char* kRouteText = "/inst/R_linea.txt";
constexpr const char* kScenarioText = "/inst/R_T-.txt";
constexpr const char* kNote = "/inst/R_T_note.txt";
constexpr const char* kPlanFile = "/inst/R_linea.dat";
constexpr const char* kStationFile = "/inst/R_T.sim";
constexpr const char* kGridFile = "/inst/R_T.dat";

// A fresh compile state for route R and train T in "/inst".
inline CompileState test_state() {
  CompileState state;
  state.cartella = Text("/inst");
  state.nome_percorso = Text("R");
  state.nome_treno = Text("T");
  return state;
}

// A route text: a general section with the route length, then the line section.
inline std::string route_text(const std::vector<std::string>& line_section, int32_t length) {
  return lines({"[generale]", "lunghezza percorso, " + std::to_string(length), "[linea]"}) +
         lines(line_section) + lines({"[fine]"});
}

}  // namespace binario

#endif  // BINARIO_TESTS_TEST_FOLDER_H_
