#include "lsp/scenario_check.h"

#include <cstdio>

namespace binario::tool {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A text of the scenario under check: where it is, what the editor shows.
struct Checked {
  fs::path path;
  std::optional<TextContent> content;
  std::optional<TextLines> lines;
};

json position(int line, int character) { return {{"line", line}, {"character", character}}; }

// The editor's range of a place check gives: line from 1 (0: the whole
// file), byte column from 1 (0: the whole line) and width in bytes.
json range_of(const Checked* text, int line, int column, int width) {
  if (line <= 0) return {{"start", position(0, 0)}, {"end", position(0, 0)}};
  const std::string_view l = text && text->lines ? text->lines->line(line) : std::string_view();
  if (column <= 0) {
    return {{"start", position(line - 1, 0)},
            {"end", position(line - 1, utf16_column(l, static_cast<int>(l.size()) + 1))}};
  }
  return {{"start", position(line - 1, utf16_column(l, column))},
          {"end", position(line - 1, utf16_column(l, column + std::max(width, 1)))}};
}

std::string message_of(const Diagnostic& d) {
  std::string text = d.message;
  for (const Note& n : d.notes) {
    if (n.file.empty()) text += "\nnote: " + n.text;
  }
  for (const std::string& h : d.hints) text += "\nhint: " + h;
  return text;
}

std::string code_point_text(char32_t cp) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
  return buffer;
}

json unencodable_diagnostic(const Checked& text, const Unencodable& u) {
  return {{"range", range_of(&text, u.line, u.column, 1)},
          {"severity", 1},
          {"source", "binario"},
          {"code", "encoding"},
          {"message", "character " + code_point_text(u.code_point) +
                          " has no form in Windows-1252, the code page the installer reads: "
                          "it would be stored as '?'\nhint: write a character of Windows-1252 "
                          "instead, such as a plain letter or an accented one like 'è'"}};
}

}  // namespace

json no_diagnostics() { return json::array(); }

std::map<fs::path, json> diagnose_scenario(const ScenarioTexts& scenario, const fs::path& asked,
                                           const EditorText& editor, const UriOf& uri_of) {
  Checked route{scenario.route_path, read_text(scenario.route_path, editor), std::nullopt};
  Checked scen{scenario.scenario_path, read_text(scenario.scenario_path, editor), std::nullopt};
  CheckInput input;
  input.route = scenario.route;
  input.train = scenario.train;
  const auto name_of_text = [](const Checked& c) {
    const std::u8string u8 = c.path.filename().u8string();
    return std::string(u8.begin(), u8.end());
  };
  for (Checked* c : {&route, &scen}) {
    if (c->content) c->lines.emplace(c->content->utf8);
  }
  if (route.content) input.route_text = SourceText(name_of_text(route), route.content->bytes);
  if (scen.content) input.scenario_text = SourceText(name_of_text(scen), scen.content->bytes);
  const CheckReport report = check_texts(input, CheckOptions{});

  std::map<fs::path, json> out;
  for (const Checked* c : {&route, &scen}) {
    if (!c->path.empty()) out[c->path] = json::array();
  }
  out[asked];  // an entry even when the scenario lacks it
  const auto text_named = [&](const std::string& file) -> const Checked* {
    if (input.route_text && file == input.route_text->name()) return &route;
    if (input.scenario_text && file == input.scenario_text->name()) return &scen;
    return nullptr;
  };
  for (const Diagnostic& d : report.diagnostics) {
    const Checked* text = text_named(d.file);
    const fs::path where = text ? text->path : asked;
    json j = {{"range", range_of(text, d.line, d.column, d.width)},
              {"severity", d.severity == Severity::kError ? 1 : 2},
              {"source", "binario"},
              {"message", message_of(d)}};
    if (d.severity == Severity::kError && d.code != 0) j["code"] = d.code;
    if (!d.warning.empty()) j["code"] = "-W" + d.warning;
    json related = json::array();
    for (const Note& n : d.notes) {
      const Checked* at = text_named(n.file);
      if (n.file.empty()) continue;
      if (at == nullptr) {
        j["message"] = j["message"].get<std::string>() + "\nnote: " + n.text;
        continue;
      }
      related.push_back(
          {{"location", {{"uri", uri_of(at->path)}, {"range", range_of(at, n.line, n.column, 1)}}},
           {"message", n.text}});
    }
    if (!related.empty()) j["relatedInformation"] = related;
    out[where].push_back(std::move(j));
  }
  for (const Checked* c : {&route, &scen}) {
    if (!c->content) continue;
    for (const Unencodable& u : c->content->unencodable) {
      out[c->path].push_back(unencodable_diagnostic(*c, u));
    }
  }
  return out;
}

}  // namespace binario::tool
