#ifndef BINARIO_TOOLS_BINARIO_LSP_FRAMING_H_
#define BINARIO_TOOLS_BINARIO_LSP_FRAMING_H_

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>

namespace binario::tool {

// The largest message body the server takes: a 10 MB text with its JSON
// escapes fits several times over.
constexpr size_t kMaxMessageBytes = size_t{256} << 20;

enum class FrameRead {
  kMessage,   // `body` holds one message
  kBadFrame,  // headers without a usable Content-Length, or a body too long
              // (passed over): the message cannot be read
  kEnd,       // the input ended
};

// Reads one message: headers up to an empty line, then Content-Length bytes.
FrameRead read_frame(std::istream& in, std::string* body);

// Writes `body` with its Content-Length header and flushes.
void write_frame(std::ostream& out, const std::string& body);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_FRAMING_H_
