#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_LIVE_SERVER_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_LIVE_SERVER_H_

// The preview served to the author's browser on 127.0.0.1: `GET /` gives the
// page of the texts as they are now, `GET /events` a stream of server-sent
// events with one "change" event after each save.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace binario::tool {

struct LiveServerOptions {
  uint16_t port = 0;                           // 0: a free port
  std::vector<std::filesystem::path> watched;  // folders or files whose saves count
  std::function<std::string()> page;           // the page as the texts stand now
};

// Serves until the process is ended. Prints the page's address on `out`
// once it listens. Returns false, with `error` set, when it cannot listen.
bool serve_preview(const LiveServerOptions& options, std::ostream& out, std::string* error);

// What a request asks for: "/" or "/events" (the path without a query), or
// empty when the request is not a GET the server answers.
std::string requested_path(const std::string& request);

// True when the request names this server as 127.0.0.1 or localhost at
// `port`: a page of another site whose name was pointed at this computer
// names that site, and is refused the author's texts.
bool addressed_here(const std::string& request, uint16_t port);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_LIVE_SERVER_H_
