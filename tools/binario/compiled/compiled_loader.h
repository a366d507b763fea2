#ifndef BINARIO_TOOLS_BINARIO_COMPILED_COMPILED_LOADER_H_
#define BINARIO_TOOLS_BINARIO_COMPILED_COMPILED_LOADER_H_

// Reads compiled files from disk into values: the one way `inspect`, `dump`
// and `preview` get at what the installer wrote.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compiled/compiled_route.h"
#include "model/file_names.h"

namespace binario::tool {

// Which of the three compiled files a name ends as.
enum class CompiledKind : uint8_t {
  kNone,         // none of them
  kStationFile,  // <route>_<train>.sim
  kGridFile,     // <route>_<train>.dat
  kRoutePlan,    // <route>_linea.dat
};
CompiledKind compiled_kind_of(std::string_view name);

// "station", "grid" or "route plan": what an author calls the file.
const char* compiled_kind_noun(CompiledKind kind);

// One compiled file, decoded; only the vector of its kind is filled.
struct CompiledFile {
  std::string path;  // as the command line named it
  size_t bytes = 0;
  CompiledKind kind = CompiledKind::kNone;
  std::vector<StationRecord> records;
  std::vector<GridCell> cells;
  std::vector<PlanPoint> plan;
};

// Reads and decodes the file at `path`, its kind taken from its name. False,
// with `error` the message naming the file, when the name is no compiled
// file's, the file cannot be read, or its bytes are not what the name says.
bool load_compiled_file(const std::string& path, CompiledFile* out, std::string* error);

// The three compiled files of the scenario `names` in `folder`; false, with
// `error` naming the first file missing or damaged.
bool load_compiled_route(const std::filesystem::path& folder, const ScenarioNames& names,
                         CompiledRoute* out, std::string* error);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_COMPILED_COMPILED_LOADER_H_
