#ifndef BINARIO_BASE_TEXT_H_
#define BINARIO_BASE_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace binario {

using Bytes = std::vector<uint8_t>;

// An owned run of 8-bit characters: names, fields and paths. Bytes are kept as
// they are (no code page conversion); the buffer always holds a terminating NUL
// after the text so that c_str() can be handed to the file system.
class Text {
 public:
  Text() : chars_(1, '\0') {}
  Text(std::string_view s) : Text() { append(s); }  // NOLINT: implicit on purpose

  void clear() { chars_.assign(1, '\0'); }
  void append(std::string_view s);
  void push_back(char c);
  // Removes trailing spaces.
  void trim_end();

  size_t size() const { return chars_.size() - 1; }
  bool empty() const { return size() == 0; }
  const char* c_str() const { return chars_.data(); }
  std::string_view view() const { return {chars_.data(), size()}; }
  operator std::string_view() const { return view(); }  // NOLINT: implicit on purpose

  friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }

 private:
  std::vector<char> chars_;
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
