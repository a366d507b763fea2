#ifndef BINARIO_PLATFORM_POSIX_WRITE_H_
#define BINARIO_PLATFORM_POSIX_WRITE_H_

#include <cstddef>

namespace binario::platform {

// Writes all `size` bytes to the open descriptor `fd`, going on after partial
// writes and interruptions. False when a write fails.
bool write_all(int fd, const void* data, size_t size);

}  // namespace binario::platform

#endif  // BINARIO_PLATFORM_POSIX_WRITE_H_
