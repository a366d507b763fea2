// The folders of src/ and tools/ form layers: a file may include headers of
// its own folder and of the layers below it, never of a layer above it or of
// another folder on its own layer. This test reads every `#include "..."`
// and names the file and line of each one that breaks the order.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The declared order, lowest layer first; folders on one layer are siblings
// and may not include each other.
const std::vector<std::vector<std::string>> kLayers = {
    {"base"},               // text, coding, rounding, field reader
    {"platform"},           // disk, window, own path, exit, file replacement
    {"model"},              // the run's data: compile state, faults, tables, file names
    {"package"},            // the appended package and its extraction
    {"route", "scenario"},  // the two readers
    {"finish"},             // what completes a run: code-point pass, competition codes
    {"app"},                // driver, main sequence, the player's message, the stub's main
    // The author tool, tools/binario/<folder>/:
    {"text", "files"},   // texts as written, lines and columns; the tool's file access
    {"compiled"},        // the compiled files read back into values
    {"diagnostics"},     // check's engine: in-memory compile, faults at their lines
    {"preview", "lsp"},  // the preview page; the language server
    // The tool's command line, and beside it tools/<program>/, the programs of
    // the build: language_reference writes docs/language.md from the grammars.
    {"commands", "language_reference"},
};

// Layer of a folder name, or -1 when it is not declared.
int layer_of(const std::string& folder) {
  for (size_t i = 0; i < kLayers.size(); ++i) {
    for (const std::string& name : kLayers[i]) {
      if (name == folder) return static_cast<int>(i);
    }
  }
  return -1;
}

struct Violation {
  std::string where;  // file:line
  std::string what;
};

// The folder a file of the tree belongs to: src/<folder>/...,
// tools/binario/<folder>/... or tools/<program>/...; empty for a file outside
// any folder.
std::string folder_of(const fs::path& relative) {
  auto part = relative.begin();
  const bool tool = *part == "tools";
  if (++part == relative.end()) return std::string();
  if (tool && *part == "binario" && ++part == relative.end()) return std::string();
  if (std::next(part) == relative.end()) return std::string();
  return part->string();
}

std::vector<Violation> check_tree(const fs::path& root) {
  std::vector<Violation> found;
  const std::regex include_line(R"(^\s*#\s*include\s*"([^"]+)\")");
  for (const char* top : {"src", "tools"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const fs::path& path = entry.path();
      if (!entry.is_regular_file()) continue;
      if (path.extension() != ".h" && path.extension() != ".cc") continue;
      const fs::path relative = fs::relative(path, root);
      const std::string folder = folder_of(relative);
      const int own = layer_of(folder);
      std::ifstream in(path);
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, include_line)) continue;
        const std::string where = relative.generic_string() + ":" + std::to_string(number);
        if (own < 0) {
          found.push_back({where, "file in folder \"" + folder + "\", which has no layer"});
          break;
        }
        const std::string header = match[1];
        const size_t slash = header.find('/');
        if (slash == std::string::npos) continue;  // beside the file, or test support
        const std::string target = header.substr(0, slash);
        if (target == folder) continue;
        const int other = layer_of(target);
        if (other < 0) {
          found.push_back({where, "includes \"" + header + "\" from an undeclared folder"});
        } else if (other > own) {
          found.push_back({where, "includes \"" + header + "\" from a layer above " + folder});
        } else if (other == own) {
          found.push_back({where, "includes \"" + header + "\" from " + target + ", a sibling of " +
                                      folder + " on the same layer"});
        }
      }
    }
  }
  return found;
}

TEST(LayersTest, EveryIncludeRunsDownward) {
  const std::vector<Violation> found = check_tree(BINARIO_SOURCE_DIR);
  for (const Violation& v : found) ADD_FAILURE() << v.where << ": " << v.what;
  EXPECT_TRUE(found.empty());
}

// The check itself catches an upward and a sideways include in a small tree.
TEST(LayersTest, NamesFileAndLineOfUpwardAndSidewaysIncludes) {
  const fs::path root =
      fs::temp_directory_path() / ("binario_layers_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "src/model");
  fs::create_directories(root / "src/route");
  fs::create_directories(root / "tools/binario/commands");
  fs::create_directories(root / "tools/binario/text");
  std::ofstream(root / "src/model/a.h") << "#include \"base/text.h\"\n\n#include \"app/x.h\"\n";
  std::ofstream(root / "src/route/b.cc") << "#include \"route/b.h\"\n#include \"scenario/c.h\"\n";
  std::ofstream(root / "tools/binario/commands/t.cc")
      << "#include \"app/x.h\"\n#include \"diagnostics/d.h\"\n#include \"local.h\"\n";
  std::ofstream(root / "tools/binario/text/u.cc")
      << "#include \"text/u.h\"\n#include \"compiled/c.h\"\n";
  std::ofstream(root / "tools/binario/loose.cc") << "#include \"text/u.h\"\n";
  const std::vector<Violation> found = check_tree(root);
  fs::remove_all(root);
  std::map<std::string, std::string> by_place;
  for (const Violation& v : found) by_place[v.where] = v.what;
  ASSERT_EQ(by_place.size(), 4u);
  EXPECT_NE(by_place["src/model/a.h:3"].find("layer above model"), std::string::npos);
  EXPECT_NE(by_place["src/route/b.cc:2"].find("sibling of route"), std::string::npos);
  EXPECT_NE(by_place["tools/binario/text/u.cc:2"].find("layer above text"), std::string::npos);
  EXPECT_NE(by_place["tools/binario/loose.cc:1"].find("which has no layer"), std::string::npos);
}

}  // namespace
