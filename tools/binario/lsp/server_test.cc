// The server as an editor meets it: messages in, answers and diagnostics out.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>

#include "diagnostics/check_run.h"
#include "lsp/editor_text.h"
#include "lsp/test_editor.h"

namespace binario::tool {
namespace {

TEST_F(Editor, PublishesExactlyChecksDiagnosticsOfBothTexts) {
  // A misspelled keyword in the editor's unsaved scenario, and a station
  // off its 50 m cell.
  std::string scenario = text(kScenarioFile);
  const size_t signal = scenario.find("segnale");
  scenario.replace(signal, 7, "segnlae");
  const size_t station = scenario.find("stazione,");
  const size_t position = scenario.find_first_of("0123456789", station);
  scenario.insert(position, "1");
  open(kScenarioFile, scenario);
  const std::vector<json> published = take();

  CheckInput input{kRoute, "IR2230", SourceText(kRouteFile, read_file(folder_ / kRouteFile)),
                   SourceText(kScenarioFile, "")};
  std::vector<Unencodable> none;
  input.scenario_text = SourceText(kScenarioFile, windows_1252_bytes(scenario, &none));
  const CheckReport report = check_texts(input, CheckOptions{});
  ASSERT_GE(report.diagnostics.size(), 2u);

  const json scenario_diagnostics = diagnostics(published, kScenarioFile);
  const json route_diagnostics = diagnostics(published, kRouteFile);
  ASSERT_TRUE(route_diagnostics.is_array());
  ASSERT_EQ(scenario_diagnostics.size() + route_diagnostics.size(), report.diagnostics.size());
  for (size_t i = 0; i < report.diagnostics.size(); ++i) {
    const Diagnostic& d = report.diagnostics[i];
    const json& e = scenario_diagnostics[i];
    EXPECT_EQ(e["message"].get<std::string>().substr(0, d.message.size()), d.message);
    EXPECT_EQ(e["range"]["start"]["line"], d.line - 1);
    EXPECT_EQ(e["range"]["start"]["character"], d.column - 1);  // the sample is ASCII there
    EXPECT_EQ(e["severity"], d.severity == Severity::kError ? 1 : 2);
    if (d.severity == Severity::kError) {
      EXPECT_EQ(e["code"], d.code);
    } else {
      EXPECT_EQ(e["code"], "-W" + d.warning);
    }
  }
}

TEST_F(Editor, GivesPlacedNotesAsRelatedInformation) {
  // A signal line written twice: the second's cell is taken by the first.
  std::string scenario = text(kScenarioFile);
  const size_t signal = scenario.find("segnale");
  const size_t end = scenario.find('\n', signal) + 1;
  scenario.insert(end, scenario.substr(signal, end - signal));
  int line = 0;
  for (size_t i = 0; i < signal; ++i) line += scenario[i] == '\n';
  open(kScenarioFile, scenario);
  const json found = diagnostics(take(), kScenarioFile);
  ASSERT_EQ(found.size(), 1u) << found.dump();
  EXPECT_EQ(found[0]["code"], 16);
  EXPECT_EQ(found[0]["range"]["start"]["line"], line + 1);
  const json related = found[0]["relatedInformation"];
  ASSERT_EQ(related.size(), 1u) << found.dump();
  EXPECT_EQ(related[0]["location"]["uri"], uri(kScenarioFile));
  EXPECT_EQ(related[0]["location"]["range"]["start"]["line"], line);
  EXPECT_NE(related[0]["message"].get<std::string>().find("is taken by the signal"),
            std::string::npos);
  // The hint stays with the message, as check prints it.
  EXPECT_NE(found[0]["message"].get<std::string>().find("\nhint: move one of them"),
            std::string::npos);
}

TEST_F(Editor, TakesTheRouteFromTheEditorWhenOpenAndFromDiskOtherwise) {
  open(kScenarioFile, text(kScenarioFile));
  EXPECT_EQ(diagnostics(take(), kScenarioFile), json::array());
  // The route length cut short in the editor, never saved: the scenario's
  // stations now stand beyond the route.
  std::string route = text(kRouteFile);
  const size_t length = route.find("159900");
  ASSERT_NE(length, std::string::npos);
  route.replace(length, 6, "15990");
  open(kRouteFile, route);
  const std::vector<json> published = take();
  const json both = diagnostics(published, kScenarioFile);
  ASSERT_TRUE(both.is_array());
  EXPECT_FALSE(both.empty() && diagnostics(published, kRouteFile).empty());
  // Closed unsaved: the disk's route holds again.
  send({{"jsonrpc", "2.0"},
        {"method", "textDocument/didClose"},
        {"params", {{"textDocument", {{"uri", uri(kRouteFile)}}}}}});
  const std::vector<json> after = take();
  EXPECT_EQ(diagnostics(after, kRouteFile), json::array());
  EXPECT_EQ(diagnostics(after, kScenarioFile), json::array());
}

TEST_F(Editor, IncrementalChangesAreCheckedWithin200Milliseconds) {
  std::string scenario = text(kScenarioFile);
  open(kScenarioFile, scenario);
  take();
  const size_t signal = scenario.find("segnale");
  int line = 0;
  for (size_t i = 0; i < signal; ++i) line += scenario[i] == '\n';
  const auto start = std::chrono::steady_clock::now();
  change(kScenarioFile, json::array({{{"range",
                                       {{"start", {{"line", line}, {"character", 0}}},
                                        {"end", {{"line", line}, {"character", 7}}}}},
                                      {"text", "segnlae"}}}));
  const json found = diagnostics(take(), kScenarioFile);
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]["code"], "-Wunknown-keyword");
  EXPECT_EQ(found[0]["range"]["start"]["line"], line);
#ifndef BINARIO_SANITIZED
  EXPECT_LT(took, std::chrono::milliseconds(200));
#endif
  // The quick fix the hint names.
  const json actions =
      request("textDocument/codeAction", {{"textDocument", {{"uri", uri(kScenarioFile)}}},
                                          {"range", found[0]["range"]},
                                          {"context", {{"diagnostics", found}}}})["result"];
  ASSERT_EQ(actions.size(), 1u);
  const json edit = actions[0]["edit"]["changes"][uri(kScenarioFile)][0];
  EXPECT_EQ(edit["newText"], "segnale");
  EXPECT_EQ(edit["range"], found[0]["range"]);
  change(kScenarioFile,
         json::array({edit.contains("range") ? json{{"range", edit["range"]}, {"text", "segnale"}}
                                             : json()}));
  EXPECT_EQ(diagnostics(take(), kScenarioFile), json::array());
}

TEST_F(Editor, PlacesColumnsInUtf16AndReportsCharactersTheCodePageLacks) {
  // An emoji in a keyword field (one byte '?' to the installer, two units to
  // the editor), and a value too many further along the same line.
  const std::string scenario =
      "[generale]\r\nnumero vetture \xf0\x9f\x98\x80, 10, 5\r\nsabbia, 3\r\n[fine]\r\n";
  open(kScenarioFile, scenario);
  const json found = diagnostics(take(), kScenarioFile);
  json encoding;
  json extra;
  for (const json& d : found) {
    if (d.value("code", json()) == "encoding") encoding = d;
    if (d.value("code", json()) == "-Wextra-values") extra = d;
  }
  ASSERT_TRUE(encoding.is_object()) << found.dump();
  EXPECT_EQ(encoding["range"]["start"], json({{"line", 1}, {"character", 15}}));
  EXPECT_EQ(encoding["range"]["end"], json({{"line", 1}, {"character", 17}}));
  EXPECT_NE(encoding["message"].get<std::string>().find("U+1F600"), std::string::npos);
  ASSERT_TRUE(extra.is_object()) << found.dump();
  EXPECT_EQ(extra["range"]["start"], json({{"line", 1}, {"character", 23}}));
}

TEST_F(Editor, HoverAndCompletionSpeakTheReadersLanguage) {
  open(kScenarioFile, text(kScenarioFile));
  take();
  const std::string scenario = text(kScenarioFile);
  int line = 0;
  for (size_t i = 0; i < scenario.find("segnale"); ++i) line += scenario[i] == '\n';
  const auto hover = [&](int character) {
    const json r =
        request("textDocument/hover", {{"textDocument", {{"uri", uri(kScenarioFile)}}},
                                       {"position", {{"line", line}, {"character", character}}}});
    return r["result"].is_null() ? std::string()
                                 : r["result"]["contents"]["value"].get<std::string>();
  };
  EXPECT_NE(hover(2).find("**segnale**"), std::string::npos);
  const std::string value =
      hover(static_cast<int>(scenario.find_first_of("0123456789", scenario.find("segnale")) -
                             scenario.rfind('\n', scenario.find("segnale")) - 1));
  EXPECT_NE(value.find("**position** (m)"), std::string::npos) << value;

  // In the route's general section its keywords, in the line section its others.
  open(kRouteFile, text(kRouteFile));
  take();
  const auto labels = [&](int l) {
    const json answer =
        request("textDocument/completion", {{"textDocument", {{"uri", uri(kRouteFile)}}},
                                            {"position", {{"line", l}, {"character", 0}}}});
    std::set<std::string> out;
    for (const json& item : answer["result"]["items"]) out.insert(item["label"].get<std::string>());
    return out;
  };
  const std::set<std::string> preamble = labels(0);
  const std::set<std::string> general = labels(11);
  const std::set<std::string> line_section = labels(20);
  EXPECT_TRUE(preamble.count("[generale]") && !preamble.count("pendenza"))
      << ::testing::PrintToString(preamble);
  EXPECT_TRUE(general.count("lunghezza percorso") && !general.count("pendenza"))
      << ::testing::PrintToString(general);
  EXPECT_TRUE(line_section.count("pendenza") && !line_section.count("lunghezza percorso"))
      << ::testing::PrintToString(line_section);
}

TEST_F(Editor, ListsSectionsStationsSignalsAndBoards) {
  const json symbols = request("textDocument/documentSymbol",
                               {{"textDocument", {{"uri", uri(kScenarioFile)}}}})["result"];
  std::map<int, int> kinds;
  std::set<std::string> names;
  for (const json& s : symbols) {
    ++kinds[s["kind"].get<int>()];
    names.insert(s["name"].get<std::string>());
  }
  EXPECT_EQ(kinds[18], 34);   // the sample's stations
  EXPECT_EQ(kinds[14], 108);  // and signals
  EXPECT_TRUE(names.count("[generale]") && names.count("[segnali]"));
  EXPECT_TRUE(names.count("PADOVA")) << symbols.dump().substr(0, 2000);
}

}  // namespace
}  // namespace binario::tool
