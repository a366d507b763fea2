#ifndef BINARIO_ROUTE_ROUTE_READER_FIXTURE_H_
#define BINARIO_ROUTE_ROUTE_READER_FIXTURE_H_

// A compile state and an in-memory folder holding a scenario text and a note,
// for reading route texts into.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_disk.h"
#include "route/route_reader.h"
#include "test_folder.h"

namespace binario {

// A route text of 159900 m, the sample's length, with the given line section.
inline std::string sample_route(const std::vector<std::string>& line_section) {
  return route_text(line_section, 159900);
}

class RouteReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.write_route = 1;
    disk.put(kScenarioText, "[generale]\r\n");
    disk.put(kNote, "nota");
  }

  void read(const std::string& text) {
    disk.put(kRouteText, text);
    leggi_percorso(state, disk);
  }

  const GridCell& cell(int32_t i) const { return state.griglia[i]; }

  MemoryDisk disk;
  CompileState state = test_state();
};

}  // namespace binario

#endif  // BINARIO_ROUTE_ROUTE_READER_FIXTURE_H_
