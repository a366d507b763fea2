#ifndef BINARIO_TOOLS_DIAGNOSTICS_COMPILE_RUN_H_
#define BINARIO_TOOLS_DIAGNOSTICS_COMPILE_RUN_H_

#include <cstdint>
#include <memory>
#include <string>

#include "app/compile_result.h"
#include "base/text.h"
#include "model/compile_state.h"
#include "text/source_text.h"

namespace binario::tool {

// A fault of the compile as the installer records it, with its field's
// place in the text: line and column from 1 (0: on no one line).
struct PlacedFault : CompileResult {
  int32_t line = 0;
  int32_t column = 0;
};

struct CompileRun {
  // The first fault of the compile, as the readers and the driver record it
  // (header faults, 1250 and 1251, come from the driver); its position is 0
  // unless the fault is found at a place on the line.
  PlacedFault first;
  // The fault of the whole run, the one the player sees; `first` may be an
  // earlier one of the route text that the scenario reader's replaced.
  PlacedFault shown_fault;
  // The message the installer shows for the whole run; empty when it writes its files.
  std::string shown;
  bool route_length_read = false;
  int32_t route_length = 0;
  int32_t grid_last = 0;  // last cell index when the grid exists
};

// Compiles the texts as the installer would, in memory. A text that is null
// is missing from the folder.
CompileRun compile_texts(const std::string& route, const std::string& train,
                         const SourceText* route_text, const SourceText* scenario_text);

// The three files a complete run writes, as bytes.
struct CompiledBytes {
  Bytes station_file;  // <route>_<train>.sim
  Bytes grid_file;     // <route>_<train>.dat
  Bytes route_plan;    // <route>_linea.dat
};

// Compiles the texts as the installer would, in memory, and takes the files
// it writes. False when the run stops on a fault: no file is written then.
bool compile_to_files(const std::string& route, const std::string& train,
                      const SourceText* route_text, const SourceText* scenario_text,
                      CompiledBytes* out);
// The compile state after the installer's whole run on the texts: the
// station table and the line grid as it would write them.
std::unique_ptr<CompileState> compiled_state(const std::string& route, const std::string& train,
                                             const SourceText* route_text,
                                             const SourceText* scenario_text);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_COMPILE_RUN_H_
