#ifndef BINARIO_TOOLS_BINARIO_LSP_SERVER_H_
#define BINARIO_TOOLS_BINARIO_LSP_SERVER_H_

#include <filesystem>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>

#include "lsp/documents.h"

namespace binario::tool {

// The language server of the route and scenario texts: it answers one
// JSON-RPC message at a time and writes its answers and notifications to
// `out`, each framed with its Content-Length.
class Server {
 public:
  explicit Server(std::ostream& out) : out_(out) {}

  // One message body as the client sent it.
  void handle(const std::string& body);
  // A message whose frame could not be read.
  void handle_bad_frame();

  // Publishes the diagnostics of the texts changed since the last call. The
  // server calls it when no message waits, so that a burst of changes is
  // checked once.
  void publish_pending();

  bool exited() const { return exited_; }
  // 0 when `exit` came after `shutdown`, 1 otherwise.
  int exit_status() const { return shutdown_ ? 0 : 1; }

 private:
  void dispatch(const nlohmann::json& message);
  void request(const std::string& method, const nlohmann::json& id, const nlohmann::json& params);
  void notification(const std::string& method, const nlohmann::json& params);
  nlohmann::json answer(const std::string& method, const nlohmann::json& params, int* error,
                        std::string* error_text);

  void opened(const nlohmann::json& params);
  void changed(const nlohmann::json& params);
  void closed(const nlohmann::json& params);
  // Checks the scenario of the text at `uri` and publishes the diagnostics
  // of both its texts.
  void publish_for(const std::string& uri);
  void publish_now(const std::string& uri);

  void reply(const nlohmann::json& id, nlohmann::json result);
  void reply_error(const nlohmann::json& id, int code, const std::string& message);
  void notify(const std::string& method, nlohmann::json params);
  std::string uri_of(const std::filesystem::path& path) const;

  std::ostream& out_;
  Documents documents_;
  std::set<std::string> pending_;  // texts whose diagnostics are to be published
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
};

// Serves `in` until `exit` or the end of the input; returns the exit status.
int serve(std::istream& in, std::ostream& out);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_SERVER_H_
