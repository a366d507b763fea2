#include "lsp/features.h"

#include <filesystem>
#include <regex>

#include "lsp/editor_text.h"
#include "lsp/scenario_texts.h"
#include "lsp/uri.h"
#include "model/file_names.h"
#include "text/display_text.h"

namespace binario::tool {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

bool ends_with(const std::string& s, std::string_view end) {
  return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// Byte offset in the installer's bytes of an editor's position.
size_t offset_of(const EditorView& view, int line, int character) {
  const TextLines lines(view.utf8);
  const int column = byte_column(lines.line(line + 1), character);
  return view.source.line_start(line + 1) + static_cast<size_t>(column - 1);
}

json position(const EditorView& view, int line, int column) {
  const TextLines lines(view.utf8);
  const std::string_view l = lines.line(line);
  return {{"line", line - 1},
          {"character", column <= 0 ? utf16_column(l, static_cast<int>(l.size()) + 1)
                                    : utf16_column(l, column)}};
}

std::string value_text(const ValueFacts& v) {
  std::string s = "**" + v.name + "**";
  if (!v.unit.empty()) s += " (" + v.unit + ")";
  s += ": " + v.range;
  if (!v.stored.empty()) s += "; stored " + v.stored;
  return s;
}

std::string keyword_text(const KeywordFacts& k) {
  std::string s = "**" + k.written + "**";
  if (!k.does.empty()) s += ": " + k.does;
  s += "\n\nValues:";
  for (const ValueFacts& v : k.values) s += "\n- " + value_text(v);
  return s;
}

// "pendenza, ${1:position}, ${2:gradient}"
std::string snippet_of(const KeywordFacts& k) {
  std::string s = k.written;
  int n = 0;
  for (const ValueFacts& v : k.values) s += ", ${" + std::to_string(++n) + ":" + v.name + "}";
  return s;
}

int symbol_kind(TextSymbol::Kind kind) {
  switch (kind) {
    case TextSymbol::Kind::kSection:
      return 3;  // Namespace
    case TextSymbol::Kind::kStation:
      return 18;  // Key... shown as a place
    case TextSymbol::Kind::kSignal:
      return 14;  // Constant
    case TextSymbol::Kind::kBoard:
      return 15;  // String
  }
  return 13;
}

}  // namespace

std::optional<EditorView> editor_view(const std::string& uri, const Documents& documents) {
  const fs::path path = path_of_uri(uri);
  const std::u8string u8 = path.filename().u8string();
  const std::string name(u8.begin(), u8.end());
  EditorView view;
  if (ends_with(name, kRouteTextSuffix)) {
    view.kind = TextKind::kRoute;
  } else if (ends_with(name, kScenarioTextSuffix)) {
    view.kind = TextKind::kScenario;
  } else {
    return std::nullopt;
  }
  const auto editor = [&](const fs::path&) { return documents.text(uri); };
  std::optional<TextContent> content = read_text(path, editor);
  if (!content) return std::nullopt;
  view.utf8 = std::move(content->utf8);
  view.source = SourceText(name, std::move(content->bytes));
  return view;
}

json hover(const EditorView& view, int line, int character) {
  const size_t offset = offset_of(view, line, character);
  const TextPlace place = language_facts().place(view.kind, view.source, offset);
  if (!place.keyword || !place.on_field) return nullptr;
  const KeywordFacts& k = *place.keyword;
  std::string text;
  if (place.value < 0) {
    text = keyword_text(k);
  } else if (static_cast<size_t>(place.value) < k.values.size()) {
    text = value_text(k.values[static_cast<size_t>(place.value)]) + "\n\nvalue " +
           std::to_string(place.value + 1) + " of " + std::to_string(k.values.size()) + " of **" +
           k.written + "**";
  }
  return {{"contents", {{"kind", "markdown"}, {"value", text}}}};
}

json completion(const EditorView& view, int line, int character) {
  const size_t offset = offset_of(view, line, character);
  const LanguageFacts& facts = language_facts();
  const TextPlace place = facts.place(view.kind, view.source, offset);
  json items = json::array();
  for (const std::string& title : facts.section_titles(view.kind)) {
    items.push_back({{"label", title}, {"kind", 9}, {"detail", "section"}});  // Module
  }
  for (const KeywordFacts* k : facts.keywords_in(view.kind, place.section)) {
    std::string values;
    for (const ValueFacts& v : k->values) values += (values.empty() ? "" : ", ") + v.name;
    items.push_back({{"label", k->written},
                     {"kind", 14},  // Keyword
                     {"detail", values},
                     {"documentation", {{"kind", "markdown"}, {"value", keyword_text(*k)}}},
                     {"insertText", snippet_of(*k)},
                     {"insertTextFormat", 2}});  // Snippet
  }
  return {{"isIncomplete", false}, {"items", items}};
}

json document_symbols(const EditorView& view) {
  json out = json::array();
  for (const TextSymbol& s : language_facts().symbols(view.kind, view.source)) {
    const json range = {{"start", position(view, s.line, 1)},
                        {"end", position(view, s.last_line, s.last_column)}};
    const json selection = {{"start", position(view, s.line, s.column)},
                            {"end", position(view, s.line, s.column)}};
    json symbol = {{"name", display_text(s.name)},
                   {"kind", symbol_kind(s.kind)},
                   {"range", range},
                   {"selectionRange", selection}};
    if (!s.detail.empty()) symbol["detail"] = s.detail;
    out.push_back(std::move(symbol));
  }
  return out;
}

json code_actions(const std::string& uri, const json& diagnostics) {
  // Hints that name the one text to write in place of the field.
  static const std::regex kFixes[] = {
      std::regex(R"(hint: did you mean '([^'\n]+)'\?)"),
      std::regex(R"(hint: write '([^'\n]+)')"),
      std::regex(R"(hint: write (\S+) without a separator)"),
  };
  json actions = json::array();
  if (!diagnostics.is_array()) return actions;
  for (const json& d : diagnostics) {
    if (!d.is_object() || !d.contains("message") || !d["message"].is_string() ||
        !d.contains("range")) {
      continue;
    }
    const std::string message = d["message"].get<std::string>();
    for (const std::regex& fix : kFixes) {
      std::smatch m;
      if (!std::regex_search(message, m, fix)) continue;
      const std::string text = m[1].str();
      actions.push_back(
          {{"title", "Write '" + text + "'"},
           {"kind", "quickfix"},
           {"diagnostics", json::array({d})},
           {"isPreferred", true},
           {"edit",
            {{"changes", {{uri, json::array({{{"range", d["range"]}, {"newText", text}}})}}}}}});
      break;
    }
  }
  return actions;
}

}  // namespace binario::tool
