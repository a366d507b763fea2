#ifndef BINARIO_TOOLS_COMMANDS_PACK_H_
#define BINARIO_TOOLS_COMMANDS_PACK_H_

#include <string>
#include <vector>

namespace binario::tool {

struct PackOptions {
  std::string route;
  std::string train;
  std::string stub;  // empty: the stub installed with the tool
  std::string out;
  std::vector<std::string> files;
  bool force = false;  // pack even when the texts would stop the installer
};

// Checks the texts and writes the installer `out`; prints its one line of
// files, bytes, errors and warnings. Returns an exit status.
int pack(const PackOptions& options);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMMANDS_PACK_H_
