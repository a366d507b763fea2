#ifndef BINARIO_BASE_TEXT_H_
#define BINARIO_BASE_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace binario {

using Bytes = std::vector<uint8_t>;

// An owned run of 8-bit characters: names, fields and paths. Bytes are kept as
// they are (no code page conversion), and a NUL always follows them so that
// c_str() can be handed to the file system. An empty Text owns no memory.
//
// The buffer is managed here rather than by a standard container: Text is in
// almost every function of the installer, and the container's generic code,
// inlined into each of them, is several kilobytes of a stub that must stay small.
class Text {
 public:
  Text() = default;
  Text(std::string_view s) { append(s); }  // NOLINT: implicit on purpose
  Text(const Text& other) { append(other.view()); }
  Text(Text&& other) noexcept;
  Text& operator=(const Text& other);
  Text& operator=(Text&& other) noexcept;
  ~Text();

  // Empties the text, keeping its buffer.
  void clear();
  void append(std::string_view s);
  void push_back(char c);
  // Removes trailing spaces.
  void trim_end();

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const char* c_str() const { return chars_ != nullptr ? chars_ : ""; }
  std::string_view view() const { return {c_str(), size_}; }
  operator std::string_view() const { return view(); }  // NOLINT: implicit on purpose

  friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }

 private:
  char* chars_ = nullptr;  // size_ characters and a NUL; nullptr while nothing was stored
  size_t size_ = 0;
  size_t capacity_ = 0;  // characters that fit, the NUL aside
};

// Keyword tests: `word` occurs anywhere in `field`.
bool contains(std::string_view field, std::string_view word);
// The same, comparing the letters A-Z without regard to case; other bytes compare exactly.
bool contains_ignoring_case(std::string_view field, std::string_view word);

// ASCII lower case of one byte; bytes outside A-Z are returned unchanged.
inline char to_lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Decimal text of a signed 32-bit value, for messages.
Text decimal(int32_t value);

}  // namespace binario

#endif  // BINARIO_BASE_TEXT_H_
