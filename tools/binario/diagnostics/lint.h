#ifndef BINARIO_TOOLS_DIAGNOSTICS_LINT_H_
#define BINARIO_TOOLS_DIAGNOSTICS_LINT_H_

#include <vector>

#include "diagnostics/compile_run.h"
#include "diagnostics/diagnostic.h"
#include "diagnostics/fault_locator.h"

namespace binario::tool {

// Every warning name, each on by default.
extern const char* const kWarningNames[];
extern const size_t kWarningCount;

// What the installer accepts silently but an author almost never means: one
// warning for each, from the texts as the readers read them. `run` is the
// compile of `texts`; `written` are the texts before any faulty line was set
// aside, which tell whether a section is there at all.
std::vector<Diagnostic> lint_texts(const ScannedTexts& texts, const CompileRun& run,
                                   const ScannedTexts& written);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_LINT_H_
