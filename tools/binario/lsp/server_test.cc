// The server as an editor meets it: messages in, answers and diagnostics out.

#include "lsp/server.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "diagnostics/check_run.h"
#include "lsp/editor_text.h"
#include "lsp/framing.h"
#include "lsp/uri.h"

namespace binario::tool {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
const std::string kRouteFile = kRoute + "_linea.txt";
const std::string kScenarioFile = kRoute + "_IR2230-.txt";

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An editor's side of the conversation, with the sample's two texts in a
// folder of its own.
class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("binario-lsp-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const std::string& f : {kRouteFile, kScenarioFile}) {
      fs::copy_file(fs::path(BINARIO_EXAMPLES_DIR) / f, folder_ / f);
    }
    request("initialize", json::object());
    send({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}});
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string uri(const std::string& file) { return uri_of_path(folder_ / file); }
  // The sample text as an editor shows it (the sample is Windows-1252 bytes).
  std::string text(const std::string& file) {
    std::string utf8;
    for (unsigned char c : read_file(folder_ / file)) {
      if (c < 0x80) {
        utf8.push_back(static_cast<char>(c));
      } else {  // the sample's accented letters are all in 0xA0 to 0xFF
        utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
        utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      }
    }
    return utf8;
  }

  void send(const json& message) {
    server_.handle(message.dump());
    server_.publish_pending();
  }
  json request(const std::string& method, const json& params) {
    send({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", params}});
    for (const json& m : take()) {
      if (m.contains("id") && m["id"] == id_) return m;
    }
    return nullptr;
  }
  void open(const std::string& file, const std::string& utf8) {
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/didOpen"},
          {"params",
           {{"textDocument",
             {{"uri", uri(file)}, {"languageId", "binario"}, {"version", 1}, {"text", utf8}}}}}});
  }
  void change(const std::string& file, const json& changes) {
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/didChange"},
          {"params",
           {{"textDocument", {{"uri", uri(file)}, {"version", 2}}}, {"contentChanges", changes}}}});
  }
  // The messages the server wrote since the last call.
  std::vector<json> take() {
    std::istringstream in(out_.str());
    out_.str("");
    std::vector<json> messages;
    std::string body;
    while (read_frame(in, &body) == FrameRead::kMessage) messages.push_back(json::parse(body));
    return messages;
  }
  // The diagnostics last published for `file` among `messages`.
  json diagnostics(const std::vector<json>& messages, const std::string& file) {
    json found;
    for (const json& m : messages) {
      if (m.value("method", "") == "textDocument/publishDiagnostics" &&
          m["params"]["uri"] == uri(file)) {
        found = m["params"]["diagnostics"];
      }
    }
    return found;
  }

  fs::path folder_;
  std::ostringstream out_;
  Server server_{out_};
  int id_ = 0;
};

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

TEST_F(Editor, ChecksABurstOfChangesOnceWhenNoMessageWaits) {
  const auto framed = [](const json& message) {
    const std::string body = message.dump();
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  };
  const std::string scenario = text(kScenarioFile);
  std::string input = framed({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}});
  input += framed(
      {{"jsonrpc", "2.0"},
       {"method", "textDocument/didOpen"},
       {"params",
        {{"textDocument", {{"uri", uri(kScenarioFile)}, {"version", 1}, {"text", scenario}}}}}});
  // Thirty keystrokes; the last one leaves a misspelled keyword.
  for (int i = 0; i < 30; ++i) {
    std::string typed = scenario;
    typed.replace(typed.find("segnale"), 7, i % 2 ? "segnlae" : "segnale");
    input += framed({{"jsonrpc", "2.0"},
                     {"method", "textDocument/didChange"},
                     {"params",
                      {{"textDocument", {{"uri", uri(kScenarioFile)}, {"version", i}}},
                       {"contentChanges", json::array({{{"text", typed}}})}}}});
  }
  std::istringstream in(input);
  std::ostringstream out;
  serve(in, out);
  std::istringstream answers(out.str());
  std::vector<json> published;
  std::string body;
  while (read_frame(answers, &body) == FrameRead::kMessage) {
    const json m = json::parse(body);
    if (m.value("method", "") == "textDocument/publishDiagnostics" &&
        m["params"]["uri"] == uri(kScenarioFile)) {
      published.push_back(m["params"]["diagnostics"]);
    }
  }
  ASSERT_EQ(published.size(), 1u);
  ASSERT_EQ(published[0].size(), 1u);
  EXPECT_EQ(published[0][0]["code"], "-Wunknown-keyword");
}

// What a client gets for messages the protocol does not allow.
TEST(ServerLifecycle, AnswersAsJsonRpcSays) {
  struct Case {
    std::string input;  // message bodies, one after the other
    int error;          // the code the last answer carries; 0: no error
  };
  const std::string init = R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})";
  const Case cases[] = {
      {R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":{}})", -32002},
      {"{not json", -32700},
      {"[1,2]", -32600},
      {init + "\n" + R"({"jsonrpc":"2.0","id":2,"method":"no/such","params":{}})", -32601},
      {init + "\n" + R"({"jsonrpc":"2.0","id":2,"method":"textDocument/hover","params":{}})",
       -32602},
      {init + "\n" + R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})" + "\n" +
           R"({"jsonrpc":"2.0","id":3,"method":"textDocument/documentSymbol","params":{}})",
       -32600},
      {init + "\n" +
           R"({"jsonrpc":"2.0","id":2,"method":"textDocument/hover","params":{"textDocument":7,"position":"x"}})",
       -32602},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    Server server(out);
    std::istringstream bodies(c.input);
    for (std::string body; std::getline(bodies, body);) server.handle(body);
    std::istringstream answers(out.str());
    std::string body;
    json last;
    while (read_frame(answers, &body) == FrameRead::kMessage) last = json::parse(body);
    ASSERT_TRUE(last.is_object()) << c.input;
    EXPECT_EQ(last.contains("error") ? last["error"]["code"].get<int>() : 0, c.error) << c.input;
  }
}

TEST(ServerLifecycle, ExitsWithZeroOnlyAfterShutdown) {
  const auto framed = [](const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  };
  const std::string init = framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize"})");
  const std::string shutdown = framed(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
  const std::string exit = framed(R"({"jsonrpc":"2.0","method":"exit"})");
  // A frame without a length is answered and passed over; one far too long
  // is answered, and its bytes never come.
  const std::string no_length = "Content-Type: x\r\n\r\n";
  const std::string too_long = "Content-Length: 99999999999\r\n\r\n";
  const std::pair<std::string, int> cases[] = {
      {init + shutdown + exit, 0},
      {init + exit, 1},
      {init + shutdown, 1},  // the input ends without exit
      {no_length + init + shutdown + exit, 0},
      {init + too_long, 1},
  };
  for (const auto& [input, status] : cases) {
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(serve(in, out), status) << input;
  }
}

}  // namespace
}  // namespace binario::tool

namespace binario::tool {
namespace {

// Resident memory of this process in kB.
long resident_kb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

TEST_F(Editor, MemoryStaysFlatOverAThousandChanges) {
  const std::string scenario = text(kScenarioFile);
  open(kScenarioFile, scenario);
  take();
  const auto edit = [&](int i) {
    // Type a digit into a signal's time and take it out again.
    const std::string digit = std::to_string(i % 10);
    change(kScenarioFile, json::array({{{"range",
                                         {{"start", {{"line", 70}, {"character", 0}}},
                                          {"end", {{"line", 70}, {"character", 0}}}}},
                                        {"text", "-- " + digit}}}));
    change(kScenarioFile, json::array({{{"range",
                                         {{"start", {{"line", 70}, {"character", 0}}},
                                          {"end", {{"line", 70}, {"character", 4}}}}},
                                        {"text", ""}}}));
    take();
  };
  for (int i = 0; i < 100; ++i) edit(i);
  const long before = resident_kb();
  for (int i = 0; i < 500; ++i) edit(i);  // 1,000 changes
  const long after = resident_kb();
  ASSERT_GT(before, 0);
  EXPECT_LT(after - before, 2048) << before << " kB before, " << after << " kB after";
}

TEST_F(Editor, TakesATenMegabyteTextAndGoesOn) {
  std::string big = text(kScenarioFile);
  while (big.size() < (size_t{10} << 20)) big += "-- " + std::string(200, 'x') + "\r\n";
  open(kScenarioFile, big);
  const json found = diagnostics(take(), kScenarioFile);
  EXPECT_TRUE(found.is_array());
  // Still answering afterwards.
  const json symbols =
      request("textDocument/documentSymbol", {{"textDocument", {{"uri", uri(kScenarioFile)}}}});
  EXPECT_TRUE(symbols["result"].is_array());
}

}  // namespace
}  // namespace binario::tool
