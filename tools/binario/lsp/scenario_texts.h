#ifndef BINARIO_TOOLS_BINARIO_LSP_SCENARIO_TEXTS_H_
#define BINARIO_TOOLS_BINARIO_LSP_SCENARIO_TEXTS_H_

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics/check_run.h"
#include "lsp/editor_text.h"

namespace binario::tool {

// The two texts of one scenario, as the editor and the disk hold them.
struct ScenarioTexts {
  std::string route;  // names as the installer stores them (Windows-1252)
  std::string train;
  std::filesystem::path route_path;
  std::filesystem::path scenario_path;
};

// The scenario a text belongs to, from its file name (`<route>_linea.txt` or
// `<route>_<train>-.txt`) and the texts beside it: `open` are the paths the
// editor holds open, which count as present even when not saved yet.
// Nothing for any other file.
std::optional<ScenarioTexts> scenario_of(const std::filesystem::path& text,
                                         const std::vector<std::filesystem::path>& open);

// One text as check reads it: the editor's UTF-8 for an open text, else the
// bytes on disk.
struct TextContent {
  bool open = false;
  std::string utf8;   // the editor's text, or the disk's shown in UTF-8
  std::string bytes;  // the installer's Windows-1252 bytes
  std::vector<Unencodable> unencodable;
};

// Reads `path` through `editor` (the editor's UTF-8 text when it has the
// file open) or from disk; nothing when neither holds it.
using EditorText = std::function<const std::string*(const std::filesystem::path&)>;
std::optional<TextContent> read_text(const std::filesystem::path& path, const EditorText& editor);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_SCENARIO_TEXTS_H_
