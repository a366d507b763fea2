#ifndef BINARIO_TOOLS_BINARIO_DIAGNOSTICS_ROOT_CAUSE_H_
#define BINARIO_TOOLS_BINARIO_DIAGNOSTICS_ROOT_CAUSE_H_

#include <optional>
#include <vector>

#include "diagnostics/compile_run.h"
#include "diagnostics/diagnostic.h"
#include "diagnostics/fault_locator.h"

namespace binario::tool {

// Positions past the end of the line, when there are many, follow from the
// route length rather than from their own lines: they become one error, the
// first, with a note that counts the others and points at the length.
// `seen` (the fault the player would see) keeps its own place; `texts` are
// the texts as written.
void gather_past_the_end(std::vector<Diagnostic>& errors, std::vector<Diagnostic>& warnings,
                         const std::optional<Diagnostic>& seen, const ScannedTexts& texts,
                         const CompileRun& run);

// The fault the installer reports, placed in the written texts; none when it
// writes its files.
std::optional<Diagnostic> shown_fault(const CompileRun& original, const ScannedTexts& texts);

// Lists the fault the player would see when no error in the list is it.
void keep_shown_fault(std::vector<Diagnostic>& errors, const std::optional<Diagnostic>& seen);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_DIAGNOSTICS_ROOT_CAUSE_H_
