#ifndef BINARIO_TOOLS_COMMANDS_DUMP_H_
#define BINARIO_TOOLS_COMMANDS_DUMP_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace binario::tool {

enum class DumpFormat { kText, kJson, kCsv };

struct DumpOptions {
  DumpFormat format = DumpFormat::kText;
  int64_t step = 1;  // route plan: every `step` metres, and the last point
};

// Writes every field of the compiled files `paths` (station file .sim, grid
// file .dat, route plan _linea.dat, told apart by name). JSON: one object
// per file, an array of them for several files. CSV: a header row and one
// row per record, cell or point; a blank line between files. Returns false,
// with a line in `problems` naming the file and the offset, for a file that
// cannot be read or is damaged; the other files are still written.
bool dump_files(const std::vector<std::string>& paths, const DumpOptions& options,
                std::ostream& out, std::vector<std::string>* problems);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMMANDS_DUMP_H_
