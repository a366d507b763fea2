#ifndef BINARIO_TOOLS_DIAGNOSTICS_CHECK_RUN_H_
#define BINARIO_TOOLS_DIAGNOSTICS_CHECK_RUN_H_

#include <optional>
#include <set>
#include <string>

#include "diagnostics/diagnostic.h"
#include "text/source_text.h"

namespace binario::tool {

// A scenario to check: the two names and the two texts (a missing text is
// one the folder or package does not hold).
struct CheckInput {
  std::string route;
  std::string train;
  std::optional<SourceText> route_text;
  std::optional<SourceText> scenario_text;
};

struct CheckOptions {
  int max_errors = 20;
  std::set<std::string> disabled;  // warning names turned off
  bool werror = false;             // warnings count as errors
};

// Compiles the texts as the installer would and reports every fault at its
// line and field, compiling again with each faulty line set aside, up to
// `max_errors`; then the warnings. The texts are never changed on disk.
CheckReport check_texts(const CheckInput& input, const CheckOptions& options);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_CHECK_RUN_H_
