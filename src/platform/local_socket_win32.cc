#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

#include "platform/local_socket.h"

namespace binario::platform {

namespace {

bool started() {
  static const bool ok = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return ok;
}

SOCKET raw(Socket s) { return static_cast<SOCKET>(s); }

}  // namespace

Socket listen_on_loopback(uint16_t port, std::string* error) {
  if (!started()) {
    *error = "cannot start Windows sockets";
    return kNoSocket;
  }
  const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) {
    *error = "cannot make a socket: error " + std::to_string(WSAGetLastError());
    return kNoSocket;
  }
  // No other program may take the port while this one holds it.
  const BOOL yes = TRUE;
  ::setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(s, 16) != 0) {
    *error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": error " +
             std::to_string(WSAGetLastError());
    ::closesocket(s);
    return kNoSocket;
  }
  u_long non_blocking = 1;
  ::ioctlsocket(s, FIONBIO, &non_blocking);
  return static_cast<Socket>(s);
}

uint16_t bound_port(Socket listener) {
  sockaddr_in address{};
  int size = sizeof address;
  if (::getsockname(raw(listener), reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
  return ntohs(address.sin_port);
}

Socket accept_connection(Socket listener) {
  const SOCKET s = ::accept(raw(listener), nullptr, nullptr);
  if (s == INVALID_SOCKET) return kNoSocket;
  // Connections block; only the listener waits without blocking.
  u_long blocking = 0;
  ::ioctlsocket(s, FIONBIO, &blocking);
  return static_cast<Socket>(s);
}

std::vector<size_t> wait_readable(const std::vector<Socket>& sockets, int timeout_ms) {
  std::vector<WSAPOLLFD> fds;
  for (Socket s : sockets) fds.push_back({raw(s), POLLRDNORM, 0});
  std::vector<size_t> ready;
  if (fds.empty() || ::WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeout_ms) <= 0) {
    if (fds.empty()) ::Sleep(static_cast<DWORD>(timeout_ms));
    return ready;
  }
  for (size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0) ready.push_back(i);
  }
  return ready;
}

bool receive_some(Socket socket, std::string* out) {
  char buffer[4096];
  const int n = ::recv(raw(socket), buffer, sizeof buffer, 0);
  if (n <= 0) return false;
  out->append(buffer, static_cast<size_t>(n));
  return true;
}

bool send_all(Socket socket, std::string_view data) {
  while (!data.empty()) {
    const int chunk = static_cast<int>(std::min<size_t>(data.size(), 1 << 20));
    const int n = ::send(raw(socket), data.data(), chunk, 0);
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void close_socket(Socket socket) {
  if (socket != kNoSocket) ::closesocket(raw(socket));
}

}  // namespace binario::platform
