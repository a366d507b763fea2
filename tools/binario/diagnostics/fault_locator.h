#ifndef BINARIO_TOOLS_DIAGNOSTICS_FAULT_LOCATOR_H_
#define BINARIO_TOOLS_DIAGNOSTICS_FAULT_LOCATOR_H_

#include <string>

#include "diagnostics/compile_run.h"
#include "diagnostics/diagnostic.h"
#include "text/source_text.h"
#include "text/text_scan.h"

namespace binario::tool {

// The two texts as the compile saw them, each with its scan; a missing text is null.
struct ScannedTexts {
  const SourceText* route = nullptr;
  const SourceText* scenario = nullptr;
  const TextScan* route_scan = nullptr;
  const TextScan* scenario_scan = nullptr;
  std::string route_name;  // the texts' names, for a text that is missing
  std::string scenario_name;
};

// A compile fault placed at its line and field, and the line to set aside so
// that compiling again finds the faults after it (line 0: none; the check
// ends there).
struct LocatedFault {
  Diagnostic diagnostic;
  InputText set_aside_text = InputText::kNone;
  int set_aside_line = 0;
};

LocatedFault locate_fault(const CompileRun& run, const ScannedTexts& texts);

// A station's area from its line: start and end in metres.
struct StationArea {
  int64_t start = 0;
  int64_t end = 0;
};
StationArea station_area(const Statement& station);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_FAULT_LOCATOR_H_
