#include "base/field_reader.h"

namespace binario {

namespace {
constexpr char kQuote = '"';
}  // namespace

void FieldReader::fail(Failure f) {
  if (failure_ == Failure::kNone) failure_ = f;
}

const char* FieldReader::failure_message() const {
  switch (failure_) {
    case Failure::kNone:
      return "no failure";
    case Failure::kPastEnd:
      return "the text ends in the middle of a line's values";
    case Failure::kNotANumber:
      return "a field that should be a whole number is not one";
    case Failure::kOutOfRange:
      return "a number does not fit its field";
  }
  return "unknown failure";
}

void FieldReader::skip_spaces() {
  while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
}

bool FieldReader::at_line_end() const {
  return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void FieldReader::consume_line_end() {
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
}

// After a field: one comma or one line end, if either stands here.
void FieldReader::consume_delimiter() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else if (at_line_end()) {
    consume_line_end();
  }
}

bool FieldReader::begin_field() {
  if (failed()) return false;
  if (at_end()) {
    field_start_ = pos_;
    fail(Failure::kPastEnd);
    return false;
  }
  skip_spaces();
  field_start_ = pos_;
  return true;
}

void FieldReader::read_text(Text* out) {
  out->clear();
  if (!begin_field()) return;
  if (pos_ < text_.size() && text_[pos_] == kQuote) {
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != kQuote) out->push_back(text_[pos_++]);
    if (pos_ < text_.size()) ++pos_;  // closing quote
    while (pos_ < text_.size() && text_[pos_] != ',' && !at_line_end()) ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !at_line_end()) ++pos_;
    out->append(text_.substr(start, pos_ - start));
    out->trim_end();
  }
  consume_delimiter();
}

std::string_view FieldReader::read_number_token() {
  if (pos_ < text_.size() && text_[pos_] == kQuote) {
    // A quoted number is read from its content; the delimiter is consumed.
    read_text(&quoted_);
    return quoted_.view();
  }
  size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != ' ' && !at_line_end()) ++pos_;
  std::string_view token = text_.substr(start, pos_ - start);
  // Spaces after a number belong to its delimiter when a comma or a line end follows them.
  skip_spaces();
  consume_delimiter();
  return token;
}

int64_t FieldReader::read_number(int64_t min, int64_t max) {
  if (!begin_field()) return 0;
  std::string_view token = read_number_token();
  while (!token.empty() && token.back() == ' ') token.remove_suffix(1);
  while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
  if (token.empty()) return 0;
  bool negative = false;
  size_t i = 0;
  if (token[0] == '+' || token[0] == '-') {
    negative = token[0] == '-';
    i = 1;
  }
  if (i == token.size()) {
    fail(Failure::kNotANumber);
    return 0;
  }
  int64_t magnitude = 0;
  for (; i < token.size(); ++i) {
    char c = token[i];
    if (c < '0' || c > '9') {
      fail(Failure::kNotANumber);
      return 0;
    }
    // Saturate well above any width we store: leading zeros are allowed, so
    // the digit count alone does not tell the size.
    if (magnitude <= (int64_t{1} << 40)) magnitude = magnitude * 10 + (c - '0');
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (value < min || value > max) {
    fail(Failure::kOutOfRange);
    return 0;
  }
  return value;
}

int32_t FieldReader::read_i32() { return static_cast<int32_t>(read_number(INT32_MIN, INT32_MAX)); }

int16_t FieldReader::read_i16() { return static_cast<int16_t>(read_number(INT16_MIN, INT16_MAX)); }

uint8_t FieldReader::read_u8() { return static_cast<uint8_t>(read_number(0, UINT8_MAX)); }

}  // namespace binario
