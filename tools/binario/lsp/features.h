#ifndef BINARIO_TOOLS_BINARIO_LSP_FEATURES_H_
#define BINARIO_TOOLS_BINARIO_LSP_FEATURES_H_

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "lsp/documents.h"
#include "lsp/language_facts.h"
#include "text/source_text.h"

namespace binario::tool {

// A route or scenario text as the editor shows it and the installer reads it.
struct EditorView {
  TextKind kind = TextKind::kRoute;
  std::string utf8;   // the editor's text
  SourceText source;  // the installer's Windows-1252 bytes
};

// The text at `uri`: the editor's when open, else the file's; nothing for a
// file that is neither a route nor a scenario text.
std::optional<EditorView> editor_view(const std::string& uri, const Documents& documents);

// The answers to the editor's questions about a text, at a position in lines
// and UTF-16 units from 0.
nlohmann::json hover(const EditorView& view, int line, int character);
nlohmann::json completion(const EditorView& view, int line, int character);
nlohmann::json document_symbols(const EditorView& view);
// The quick fixes of the diagnostics the editor sends back: those whose hint
// names the one text to write instead of the field.
nlohmann::json code_actions(const std::string& uri, const nlohmann::json& diagnostics);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_FEATURES_H_
