#ifndef BINARIO_TOOLS_BINARIO_DIAGNOSTICS_STORED_VALUES_H_
#define BINARIO_TOOLS_BINARIO_DIAGNOSTICS_STORED_VALUES_H_

#include <vector>

#include "diagnostics/compile_run.h"
#include "diagnostics/diagnostic.h"
#include "diagnostics/fault_locator.h"

namespace binario::tool {

// Values the installer stores otherwise than written: an error for one that
// wraps in its stored width, a warning for one rounded, converted or read
// from an empty field, and for a time that is no time of day.
std::vector<Diagnostic> stored_value_findings(const ScannedTexts& texts);

// Lines that compile but describe no real line or train: positions that go
// backwards or repeat, stretches that end before they start, quantities no
// train has, a route that runs on far past its last station, and a
// scenario text with nothing in it.
std::vector<Diagnostic> plausibility_findings(const ScannedTexts& texts, const CompileRun& run);

// Stations whose timetable times go back along the line, each warning at
// the station whose time breaks the order.
std::vector<Diagnostic> time_order_findings(const SourceText& in, const TextScan& scan);

// A line whose first value places it along the line.
bool carries_position(const Statement& s);

// A number with its unit, as the language reference writes it: "600 per mille".
std::string with_unit(int64_t v, const ValueSpec& spec);

// A finding at a field of a text.
Diagnostic finding_at(Severity severity, const char* warning, const SourceText& in, const Field& at,
                      std::string message);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_DIAGNOSTICS_STORED_VALUES_H_
