#ifndef BINARIO_TOOLS_BINARIO_LSP_TEST_EDITOR_H_
#define BINARIO_TOOLS_BINARIO_LSP_TEST_EDITOR_H_

// The server tests' editor: the sample's two texts in a folder of their own,
// and the server answering in memory.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "lsp/framing.h"
#include "lsp/server.h"
#include "lsp/uri.h"

namespace binario::tool {

namespace fs = std::filesystem;
using nlohmann::json;

inline const std::string kRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
inline const std::string kRouteFile = kRoute + "_linea.txt";
inline const std::string kScenarioFile = kRoute + "_IR2230-.txt";

inline std::string read_file(const fs::path& p) {
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

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_TEST_EDITOR_H_
