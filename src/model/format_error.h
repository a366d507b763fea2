#ifndef BINARIO_MODEL_FORMAT_ERROR_H_
#define BINARIO_MODEL_FORMAT_ERROR_H_

#include <cstddef>
#include <string>

namespace binario {

// Why the bytes of a compiled file do not form what they should, and the
// byte of the file where that shows.
struct FormatError {
  size_t offset = 0;
  std::string what;
};

}  // namespace binario

#endif  // BINARIO_MODEL_FORMAT_ERROR_H_
