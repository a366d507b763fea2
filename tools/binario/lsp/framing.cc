#include "lsp/framing.h"

#include <cctype>
#include <charconv>

namespace binario::tool {

namespace {

constexpr size_t kMaxHeaderLine = 4096;

// One header line without its CR LF; false at the end of the input. A line
// longer than a header can be is cut, and the rest passed over.
bool read_header_line(std::istream& in, std::string* line) {
  line->clear();
  int c = 0;
  while ((c = in.get()) != std::char_traits<char>::eof()) {
    if (c == '\n') {
      if (!line->empty() && line->back() == '\r') line->pop_back();
      return true;
    }
    if (line->size() < kMaxHeaderLine) line->push_back(static_cast<char>(c));
  }
  return !line->empty();
}

bool lower_starts_with(const std::string& s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  }
  return true;
}

// The length a Content-Length header gives, or -1.
long long content_length(const std::string& line) {
  constexpr std::string_view kName = "content-length:";
  if (!lower_starts_with(line, kName)) return -1;
  size_t at = kName.size();
  while (at < line.size() && line[at] == ' ') ++at;
  long long value = -1;
  const char* end = line.data() + line.size();
  const auto [ptr, ec] = std::from_chars(line.data() + at, end, value);
  if (ec != std::errc() || value < 0) return -1;
  for (const char* p = ptr; p < end; ++p) {
    if (*p != ' ') return -1;
  }
  return value;
}

}  // namespace

FrameRead read_frame(std::istream& in, std::string* body) {
  std::string line;
  long long length = -1;
  bool any = false;
  while (read_header_line(in, &line)) {
    if (line.empty()) {
      if (!any) continue;  // blank lines between messages
      break;
    }
    any = true;
    const long long l = content_length(line);
    if (l >= 0) length = l;
  }
  if (!any) return FrameRead::kEnd;
  if (length < 0) return FrameRead::kBadFrame;
  const auto wanted = static_cast<size_t>(length);
  if (wanted > kMaxMessageBytes) {
    in.ignore(static_cast<std::streamsize>(wanted));
    return in ? FrameRead::kBadFrame : FrameRead::kEnd;
  }
  body->resize(wanted);
  in.read(body->data(), static_cast<std::streamsize>(wanted));
  if (static_cast<size_t>(in.gcount()) != wanted) return FrameRead::kEnd;
  return FrameRead::kMessage;
}

void write_frame(std::ostream& out, const std::string& body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace binario::tool
