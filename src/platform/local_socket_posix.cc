#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/local_socket.h"

namespace binario::platform {

Socket listen_on_loopback(uint16_t port, std::string* error) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) {
    *error = std::string("cannot make a socket: ") + std::strerror(errno);
    return kNoSocket;
  }
  const int yes = 1;
  ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(s, 16) != 0) {
    *error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    ::close(s);
    return kNoSocket;
  }
  ::fcntl(s, F_SETFL, ::fcntl(s, F_GETFL) | O_NONBLOCK);
  return s;
}

uint16_t bound_port(Socket listener) {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  if (::getsockname(static_cast<int>(listener), reinterpret_cast<sockaddr*>(&address), &size) !=
      0) {
    return 0;
  }
  return ntohs(address.sin_port);
}

Socket accept_connection(Socket listener) {
  const int s = ::accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
  return s < 0 ? kNoSocket : s;
}

std::vector<size_t> wait_readable(const std::vector<Socket>& sockets, int timeout_ms) {
  std::vector<pollfd> fds;
  for (Socket s : sockets) fds.push_back({static_cast<int>(s), POLLIN, 0});
  std::vector<size_t> ready;
  if (::poll(fds.data(), fds.size(), timeout_ms) <= 0) return ready;
  for (size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0) ready.push_back(i);
  }
  return ready;
}

bool receive_some(Socket socket, std::string* out) {
  char buffer[4096];
  const ssize_t n = ::recv(static_cast<int>(socket), buffer, sizeof buffer, MSG_DONTWAIT);
  if (n <= 0) return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
  out->append(buffer, static_cast<size_t>(n));
  return true;
}

bool send_all(Socket socket, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::send(static_cast<int>(socket), data.data(), data.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void close_socket(Socket socket) {
  if (socket != kNoSocket) ::close(static_cast<int>(socket));
}

}  // namespace binario::platform
