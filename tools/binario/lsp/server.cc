#include "lsp/server.h"

#include <utility>

#include "lsp/features.h"
#include "lsp/framing.h"
#include "lsp/scenario_check.h"
#include "lsp/uri.h"

namespace binario::tool {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

// Members read without throwing: nullptr or a default when absent or of
// another type.
const json* member(const json& j, const char* name) {
  if (!j.is_object()) return nullptr;
  const auto found = j.find(name);
  return found == j.end() ? nullptr : &*found;
}

std::string string_member(const json& j, const char* name) {
  const json* m = member(j, name);
  return m && m->is_string() ? m->get<std::string>() : std::string();
}

int int_member(const json& j, const char* name) {
  const json* m = member(j, name);
  return m && m->is_number_integer() ? m->get<int>() : 0;
}

std::string document_uri(const json& params) {
  const json* doc = member(params, "textDocument");
  return doc ? string_member(*doc, "uri") : std::string();
}

// Line and character of `params.position`; false when absent.
bool position_of(const json& params, int* line, int* character) {
  const json* p = member(params, "position");
  if (!p || !member(*p, "line") || !member(*p, "character")) return false;
  *line = int_member(*p, "line");
  *character = int_member(*p, "character");
  return *line >= 0 && *character >= 0;
}

json capabilities() {
  return {
      {"positionEncoding", "utf-16"},
      {"textDocumentSync",
       {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
      {"hoverProvider", true},
      {"completionProvider", {{"triggerCharacters", json::array({"["})}}},
      {"documentSymbolProvider", true},
      {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}},
  };
}

}  // namespace

void Server::handle(const std::string& body) {
  const json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    reply_error(nullptr, kParseError, "the message is not JSON");
    return;
  }
  try {
    dispatch(message);
  } catch (const std::exception& e) {
    // A value of an unexpected type deep in the parameters, or no memory
    // left: the message is answered, the server goes on.
    const json* id = member(message, "id");
    if (id && member(message, "method")) reply_error(*id, kInternalError, e.what());
  }
}

void Server::handle_bad_frame() {
  reply_error(nullptr, kParseError, "the message has no usable Content-Length or is too long");
}

void Server::dispatch(const json& message) {
  const json* method = member(message, "method");
  const json* id = member(message, "id");
  const bool id_ok = id && (id->is_string() || id->is_number_integer());
  if (!message.is_object() || string_member(message, "jsonrpc") != "2.0" ||
      (method && !method->is_string()) || (id && !id_ok)) {
    reply_error(id_ok ? *id : json(nullptr), kInvalidRequest, "not a JSON-RPC 2.0 message");
    return;
  }
  if (!method) return;  // an answer to a request of ours: the server sends none
  const json* p = member(message, "params");
  const json params = p ? *p : json::object();
  if (id) {
    request(method->get<std::string>(), *id, params);
  } else {
    notification(method->get<std::string>(), params);
  }
}

void Server::request(const std::string& method, const json& id, const json& params) {
  if (shutdown_) {
    reply_error(id, kInvalidRequest, "the server has shut down; only 'exit' is accepted");
    return;
  }
  if (method == "initialize") {
    initialized_ = true;
    reply(id, {{"capabilities", capabilities()}, {"serverInfo", {{"name", "binario"}}}});
    return;
  }
  if (!initialized_) {
    reply_error(id, kServerNotInitialized, "'initialize' must come first");
    return;
  }
  if (method == "shutdown") {
    shutdown_ = true;
    reply(id, nullptr);
    return;
  }
  int error = 0;
  std::string error_text;
  json result = answer(method, params, &error, &error_text);
  if (error != 0) {
    reply_error(id, error, error_text);
  } else {
    reply(id, std::move(result));
  }
}

json Server::answer(const std::string& method, const json& params, int* error,
                    std::string* error_text) {
  const std::string uri = document_uri(params);
  const bool document_method =
      method == "textDocument/hover" || method == "textDocument/completion" ||
      method == "textDocument/documentSymbol" || method == "textDocument/codeAction";
  if (!document_method) {
    *error = kMethodNotFound;
    *error_text = "unknown method '" + method + "'";
    return nullptr;
  }
  if (uri.empty()) {
    *error = kInvalidParams;
    *error_text = "no textDocument.uri";
    return nullptr;
  }
  const std::optional<EditorView> view = editor_view(uri, documents_);
  if (method == "textDocument/documentSymbol")
    return view ? document_symbols(*view) : json::array();
  if (method == "textDocument/codeAction") {
    const json* context = member(params, "context");
    const json* diagnostics = context ? member(*context, "diagnostics") : nullptr;
    return diagnostics ? code_actions(uri, *diagnostics) : json::array();
  }
  int line = 0;
  int character = 0;
  if (!position_of(params, &line, &character)) {
    *error = kInvalidParams;
    *error_text = "no position";
    return nullptr;
  }
  if (!view) return nullptr;
  if (method == "textDocument/hover") return hover(*view, line, character);
  return completion(*view, line, character);
}

void Server::notification(const std::string& method, const json& params) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (shutdown_ || !initialized_) return;
  if (method == "textDocument/didOpen") opened(params);
  if (method == "textDocument/didChange") changed(params);
  if (method == "textDocument/didClose") closed(params);
  if (method == "textDocument/didSave") publish_for(document_uri(params));
  // Other notifications ("initialized", "$/cancelRequest", ...) need nothing.
}

void Server::opened(const json& params) {
  const json* doc = member(params, "textDocument");
  if (!doc) return;
  const std::string uri = string_member(*doc, "uri");
  if (uri.empty()) return;
  documents_.open(uri, string_member(*doc, "text"), int_member(*doc, "version"));
  publish_for(uri);
}

void Server::changed(const json& params) {
  const std::string uri = document_uri(params);
  const json* list = member(params, "contentChanges");
  if (uri.empty() || !list || !list->is_array()) return;
  std::vector<TextChange> changes;
  for (const json& c : *list) {
    TextChange change;
    change.text = string_member(c, "text");
    if (const json* range = member(c, "range")) {
      const json* start = member(*range, "start");
      const json* end = member(*range, "end");
      if (!start || !end) continue;
      change.whole = false;
      change.start_line = int_member(*start, "line");
      change.start_character = int_member(*start, "character");
      change.end_line = int_member(*end, "line");
      change.end_character = int_member(*end, "character");
    }
    changes.push_back(std::move(change));
  }
  const json* doc = member(params, "textDocument");
  if (documents_.change(uri, changes, doc ? int_member(*doc, "version") : 0)) publish_for(uri);
}

void Server::closed(const json& params) {
  const std::string uri = document_uri(params);
  documents_.close(uri);
  // The editor shows no faults of a text it has closed; the other text of
  // the scenario, when open, is checked against the file on disk now.
  notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", no_diagnostics()}});
  const fs::path path = path_of_uri(uri);
  std::vector<fs::path> open;
  for (const std::string& u : documents_.uris()) open.push_back(path_of_uri(u));
  const std::optional<ScenarioTexts> scenario =
      path.empty() ? std::nullopt : scenario_of(path, open);
  if (!scenario) return;
  for (const fs::path& other : {scenario->route_path, scenario->scenario_path}) {
    if (other != path && documents_.text(uri_of(other))) publish_for(uri_of(other));
  }
}

void Server::publish_for(const std::string& uri) { pending_.insert(uri); }

void Server::publish_pending() {
  const std::set<std::string> pending = std::move(pending_);
  pending_.clear();
  for (const std::string& uri : pending) publish_now(uri);
}

void Server::publish_now(const std::string& uri) {
  const fs::path path = path_of_uri(uri);
  std::vector<fs::path> open;
  for (const std::string& u : documents_.uris()) open.push_back(path_of_uri(u));
  const std::optional<ScenarioTexts> scenario =
      path.empty() ? std::nullopt : scenario_of(path, open);
  if (!scenario) {
    notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", no_diagnostics()}});
    return;
  }
  const EditorText editor = [this](const fs::path& p) { return documents_.text(uri_of(p)); };
  const UriOf names = [this](const fs::path& p) { return uri_of(p); };
  for (auto& [p, diagnostics] : diagnose_scenario(*scenario, path, editor, names)) {
    const std::string u = p == path ? uri : uri_of(p);
    notify("textDocument/publishDiagnostics",
           {{"uri", u}, {"diagnostics", std::move(diagnostics)}});
  }
}

std::string Server::uri_of(const fs::path& path) const {
  // The editor's own spelling of an open text's URI.
  for (const std::string& u : documents_.uris()) {
    if (path_of_uri(u) == path) return u;
  }
  return uri_of_path(path);
}

void Server::reply(const json& id, json result) {
  write_frame(out_, json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}.dump());
}

void Server::reply_error(const json& id, int code, const std::string& message) {
  write_frame(
      out_,
      json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}.dump(
          -1, ' ', false, json::error_handler_t::replace));
}

void Server::notify(const std::string& method, json params) {
  write_frame(out_,
              json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}.dump(
                  -1, ' ', false, json::error_handler_t::replace));
}

int serve(std::istream& in, std::ostream& out) {
  Server server(out);
  std::string body;
  while (!server.exited()) {
    const FrameRead read = read_frame(in, &body);
    if (read == FrameRead::kEnd) return 1;  // the client went away without `exit`
    if (read == FrameRead::kBadFrame) {
      server.handle_bad_frame();
    } else {
      server.handle(body);
    }
    if (!server.exited() && in.rdbuf()->in_avail() <= 0) server.publish_pending();
  }
  return server.exit_status();
}

}  // namespace binario::tool
