#ifndef BINARIO_TOOLS_COMMANDS_INSPECT_H_
#define BINARIO_TOOLS_COMMANDS_INSPECT_H_

#include <ostream>
#include <string>
#include <vector>

#include "base/text.h"
#include "text/display_text.h"

namespace binario::tool {

struct InspectOptions {
  bool cells = false;  // also list every occupied grid cell
};

// Writes a readable account of a station file (.sim), a grid file (.dat) or
// a route plan file (_linea.dat), told apart by name. A station file and a
// grid file of the same scenario are read together when both are given, so
// that location boards show their texts. Returns false, with a line in
// `problems` for each, when a file cannot be read or is not what its name says.
bool inspect_files(const std::vector<std::string>& paths, const InspectOptions& options,
                   std::ostream& out, std::vector<std::string>* problems);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMMANDS_INSPECT_H_
