#include "base/text.h"

#include <cstring>

namespace binario {

Text::Text(Text&& other) noexcept
    : chars_(other.chars_), size_(other.size_), capacity_(other.capacity_) {
  other.chars_ = nullptr;
  other.size_ = 0;
  other.capacity_ = 0;
}

Text& Text::operator=(const Text& other) {
  if (this != &other) {
    clear();
    append(other.view());
  }
  return *this;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    delete[] chars_;
    chars_ = other.chars_;
    size_ = other.size_;
    capacity_ = other.capacity_;
    other.chars_ = nullptr;
    other.size_ = 0;
    other.capacity_ = 0;
  }
  return *this;
}

Text::~Text() { delete[] chars_; }

void Text::clear() {
  size_ = 0;
  if (chars_ != nullptr) chars_[0] = '\0';
}

void Text::append(std::string_view s) {
  const size_t size = size_ + s.size();
  char* chars = chars_;
  size_t capacity = capacity_;
  if (size > capacity || chars == nullptr) {
    // Doubling keeps a text built one character at a time linear.
    capacity = capacity * 2 > size ? capacity * 2 : size;
    chars = new char[capacity + 1];
    if (size_ != 0) std::memcpy(chars, chars_, size_);
  }
  // `s` may lie in this text's own buffer: it is copied before that goes.
  if (!s.empty()) std::memcpy(chars + size_, s.data(), s.size());
  if (chars != chars_) {
    delete[] chars_;
    chars_ = chars;
    capacity_ = capacity;
  }
  size_ = size;
  chars_[size_] = '\0';
}

void Text::push_back(char c) { append(std::string_view(&c, 1)); }

void Text::trim_end() {
  while (size_ > 0 && chars_[size_ - 1] == ' ') --size_;
  if (chars_ != nullptr) chars_[size_] = '\0';
}

namespace {

// True when `word` occurs in `field`; letters A-Z compare without regard to
// case when `any_case`. One search for both tests keeps the installer small.
bool find_word(std::string_view field, std::string_view word, bool any_case) {
  if (word.size() > field.size()) return false;
  for (size_t start = 0; start + word.size() <= field.size(); ++start) {
    size_t i = 0;
    while (i < word.size()) {
      char a = field[start + i];
      char b = word[i];
      if (any_case ? to_lower_ascii(a) != to_lower_ascii(b) : a != b) break;
      ++i;
    }
    if (i == word.size()) return true;
  }
  return false;
}

}  // namespace

bool contains(std::string_view field, std::string_view word) {
  return find_word(field, word, false);
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  return find_word(field, word, true);
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
