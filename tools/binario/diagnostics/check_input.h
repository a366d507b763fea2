#ifndef BINARIO_TOOLS_DIAGNOSTICS_CHECK_INPUT_H_
#define BINARIO_TOOLS_DIAGNOSTICS_CHECK_INPUT_H_

#include <string>
#include <vector>

#include "diagnostics/check_run.h"
#include "package/package.h"

namespace binario::tool {

// The two texts of a package, under the package's names.
CheckInput input_from_package(const Package& package);

// The texts of a folder, or the text files themselves. The names come from
// the file names (`<route>_linea.txt`, `<route>_<train>-.txt`); `route` and
// `train`, when not empty, settle the cases the names leave open. Returns an
// empty string, or why the input cannot be checked.
std::string input_from_paths(const std::vector<std::string>& paths, const std::string& route,
                             const std::string& train, CheckInput* out);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_CHECK_INPUT_H_
