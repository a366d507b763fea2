// The server over its byte stream: JSON-RPC's errors, the exit status, bursts
// of changes, memory over many changes and a very large text.

#include <gtest/gtest.h>

#include "lsp/test_editor.h"

namespace binario::tool {
namespace {

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
#ifdef BINARIO_SANITIZED
  GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine: resident memory "
                  "says nothing here (the dev build measures it)";
#endif
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
  // Under the address sanitizer check's suggestions for 50,000 unknown
  // keyword fields take minutes: a tenth of the text shows the same there.
#ifdef BINARIO_SANITIZED
  const size_t size = size_t{1} << 20;
#else
  const size_t size = size_t{10} << 20;
#endif
  std::string big = text(kScenarioFile);
  while (big.size() < size) big += "-- " + std::string(200, 'x') + "\r\n";
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
