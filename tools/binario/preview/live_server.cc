#include "preview/live_server.h"

#include <chrono>
#include <string_view>

#include "files/folder_watch.h"
#include "platform/local_socket.h"

namespace binario::tool {

namespace {

using platform::Socket;

// How often the watched files are looked at, and how often an idle event
// stream hears from the server (so that a closed browser is noticed).
constexpr int kLookMs = 50;
constexpr auto kKeepAlive = std::chrono::seconds(15);
constexpr size_t kLongestRequest = 16 * 1024;

std::string response(const char* status, const char* type, const std::string& body) {
  return std::string("HTTP/1.1 ") + status + "\r\nContent-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + body;
}

const char kEventStreamHead[] =
    "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n"
    "Connection: keep-alive\r\n\r\nretry: 500\n\n";

// A connection: still sending its request, or an open event stream.
struct Client {
  Socket socket;
  std::string request;
  bool events = false;
};

class Server {
 public:
  Server(const LiveServerOptions& options, Socket listener)
      : options_(options),
        listener_(listener),
        port_(platform::bound_port(listener)),
        watch_(options.watched),
        page_(options.page()) {}

  void run() {
    auto last_ping = std::chrono::steady_clock::now();
    while (true) {
      std::vector<Socket> sockets{listener_};
      for (const Client& c : clients_) sockets.push_back(c.socket);
      const std::vector<size_t> ready = platform::wait_readable(sockets, kLookMs);
      for (size_t i : ready) {
        if (i == 0) {
          accept_all();
        } else {
          read_from(clients_[i - 1]);
        }
      }
      drop_closed();
      look_for_saves();
      if (std::chrono::steady_clock::now() - last_ping > kKeepAlive) {
        send_to_streams(": still here\n\n");
        last_ping = std::chrono::steady_clock::now();
      }
    }
  }

 private:
  void accept_all() {
    for (Socket s; (s = platform::accept_connection(listener_)) != platform::kNoSocket;) {
      clients_.push_back({s, {}, false});
    }
  }

  void read_from(Client& c) {
    if (!platform::receive_some(c.socket, &c.request) || (c.events && !c.request.empty())) {
      finish(c);
      return;
    }
    if (c.events || c.request.find("\r\n\r\n") == std::string::npos) {
      if (c.request.size() > kLongestRequest) finish(c);
      return;
    }
    const std::string path = requested_path(c.request);
    if (!addressed_here(c.request, port_)) {
      platform::send_all(c.socket, response("403 Forbidden", "text/plain", "not for this host\n"));
      finish(c);
      return;
    }
    if (path == "/events") {
      c.events = platform::send_all(c.socket, kEventStreamHead);
      c.request.clear();
      if (!c.events) finish(c);
      return;
    }
    if (path == "/") {
      look_for_saves();  // the page as the texts stand at this moment
      platform::send_all(c.socket, response("200 OK", "text/html; charset=utf-8", page_));
    } else if (path.empty()) {
      platform::send_all(c.socket, response("405 Method Not Allowed", "text/plain", "GET only\n"));
    } else {
      platform::send_all(c.socket, response("404 Not Found", "text/plain", "no such page\n"));
    }
    finish(c);
  }

  void finish(Client& c) {
    platform::close_socket(c.socket);
    c.socket = platform::kNoSocket;
  }

  void drop_closed() {
    std::erase_if(clients_, [](const Client& c) { return c.socket == platform::kNoSocket; });
  }

  void look_for_saves() {
    if (!watch_.changed()) return;
    page_ = options_.page();
    ++version_;
    send_to_streams("event: change\ndata: " + std::to_string(version_) + "\n\n");
  }

  void send_to_streams(const std::string& event) {
    for (Client& c : clients_) {
      if (c.events && c.socket != platform::kNoSocket && !platform::send_all(c.socket, event))
        finish(c);
    }
    drop_closed();
  }

  const LiveServerOptions& options_;
  Socket listener_;
  uint16_t port_;
  FolderWatch watch_;
  std::string page_;
  int version_ = 0;
  std::vector<Client> clients_;
};

}  // namespace

std::string requested_path(const std::string& request) {
  if (request.rfind("GET ", 0) != 0) return {};
  const size_t end = request.find_first_of(" ?#\r\n", 4);
  if (end == std::string::npos) return {};
  return request.substr(4, end - 4);
}

bool addressed_here(const std::string& request, uint16_t port) {
  const size_t head_end = request.find("\r\n\r\n");
  for (size_t at = request.find("\r\n"); at < head_end;) {
    const size_t end = request.find("\r\n", at + 2);
    if (end == std::string::npos) break;
    const std::string_view line(request.data() + at + 2, end - at - 2);
    at = end;
    if (line.size() < 5 || (line.substr(0, 5) != "Host:" && line.substr(0, 5) != "host:")) continue;
    std::string_view host = line.substr(5);
    while (!host.empty() && host.front() == ' ') host.remove_prefix(1);
    while (!host.empty() && host.back() == ' ') host.remove_suffix(1);
    const std::string at_port = ":" + std::to_string(port);
    return host == "127.0.0.1" + at_port || host == "localhost" + at_port;
  }
  return false;
}

bool serve_preview(const LiveServerOptions& options, std::ostream& out, std::string* error) {
  const Socket listener = platform::listen_on_loopback(options.port, error);
  if (listener == platform::kNoSocket) return false;
  out << "serving the preview at http://127.0.0.1:" << platform::bound_port(listener)
      << "/ (it follows every save; Ctrl+C ends)" << std::endl;
  Server(options, listener).run();
  platform::close_socket(listener);
  return true;
}

}  // namespace binario::tool
