#include "base/text.h"

#include <cstring>

namespace binario {

// Grown by resize and filled by copy: the range insert costs the stub far more code.
void Text::append(std::string_view s) {
  size_t at = chars_.size() - 1;
  chars_.resize(at + s.size() + 1);
  if (!s.empty()) std::memcpy(chars_.data() + at, s.data(), s.size());
}

void Text::push_back(char c) {
  chars_.back() = c;
  chars_.push_back('\0');
}

void Text::trim_end() {
  while (size() > 0 && chars_[size() - 1] == ' ') {
    chars_.pop_back();
    chars_.back() = '\0';
  }
}

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  if (word.size() > field.size()) return false;
  for (size_t start = 0; start + word.size() <= field.size(); ++start) {
    size_t i = 0;
    while (i < word.size() && to_lower_ascii(field[start + i]) == to_lower_ascii(word[i])) ++i;
    if (i == word.size()) return true;
  }
  return false;
}

Text decimal(int32_t value) {
  char digits[12];
  int n = 0;
  // Work on the magnitude as unsigned so that INT32_MIN has one.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  Text out;
  if (value < 0) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
  return out;
}

}  // namespace binario
