#ifndef BINARIO_TOOLS_DIAGNOSTICS_COMPILE_RUN_H_
#define BINARIO_TOOLS_DIAGNOSTICS_COMPILE_RUN_H_

#include <cstdint>
#include <string>

#include "model/fault.h"
#include "text/source_text.h"

namespace binario::tool {

// The first fault of a compile, as the readers and the driver record it.
struct CompileFault {
  Fault fault = Fault::kNone;  // header faults (1250, 1251) come from the driver
  int32_t position = 0;
  FaultText text = FaultText::kNone;
  int32_t line = 0;  // 0: on no one line
};

struct CompileRun {
  CompileFault first;
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

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_COMPILE_RUN_H_
