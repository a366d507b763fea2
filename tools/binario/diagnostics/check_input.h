#ifndef BINARIO_TOOLS_DIAGNOSTICS_CHECK_INPUT_H_
#define BINARIO_TOOLS_DIAGNOSTICS_CHECK_INPUT_H_

#include <string>
#include <vector>

#include "diagnostics/check_run.h"
#include "package/package.h"

namespace binario::tool {

// The two texts of a package, under the package's names.
CheckInput input_from_package(const Package& package);

// Files beside the texts that are likely a missing text under another
// name, such as "R_Linea.txt" or "R_T.txt"; empty when none is.
struct NearMisses {
  std::string route;
  std::string scenario;
};

// The texts of a folder, or the text files themselves. The names come from
// the file names (`<route>_linea.txt`, `<route>_<train>-.txt`); `route` and
// `train`, when not empty, settle the cases the names leave open; without
// `by_options` (a folder dropped on the tool) there are no options to name.
// A missing text's near miss in the folder goes to `misses`. Returns an
// empty string, or why the input cannot be checked.
std::string input_from_paths(const std::vector<std::string>& paths, const std::string& route,
                             const std::string& train, CheckInput* out, NearMisses* misses,
                             bool by_options = true);

// A hint on the report's error for a missing text that names its near miss.
void hint_near_misses(const CheckInput& input, const NearMisses& misses, CheckReport* report);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_CHECK_INPUT_H_
