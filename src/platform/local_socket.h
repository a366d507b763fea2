#ifndef BINARIO_PLATFORM_LOCAL_SOCKET_H_
#define BINARIO_PLATFORM_LOCAL_SOCKET_H_

// For the author tool only: plain TCP sockets on the loopback address, enough
// for a page served to the author's own browser. Never in the installer.
// One implementation per platform: local_socket_posix.cc, local_socket_win32.cc.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace binario::platform {

// A socket's handle; kNoSocket when there is none.
using Socket = intptr_t;
constexpr Socket kNoSocket = -1;

// Listens on 127.0.0.1 at `port` (0: a free port the system picks). Returns
// kNoSocket, with `error` set, when the port cannot be had.
Socket listen_on_loopback(uint16_t port, std::string* error);

// The port a listening socket is bound to.
uint16_t bound_port(Socket listener);

// The next waiting connection of `listener`; kNoSocket when there is none.
Socket accept_connection(Socket listener);

// Waits up to `timeout_ms` for any of `sockets` to have something to read (a
// connection, bytes or the peer's close); returns the indices of those that
// have.
std::vector<size_t> wait_readable(const std::vector<Socket>& sockets, int timeout_ms);

// Bytes received, appended to `out`; false when the peer closed or the
// connection failed.
bool receive_some(Socket socket, std::string* out);

// Sends all of `data`; false when the connection failed.
bool send_all(Socket socket, std::string_view data);

void close_socket(Socket socket);

}  // namespace binario::platform

#endif  // BINARIO_PLATFORM_LOCAL_SOCKET_H_
