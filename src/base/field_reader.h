#ifndef BINARIO_BASE_FIELD_READER_H_
#define BINARIO_BASE_FIELD_READER_H_

#include <cstdint>
#include <string_view>

#include "base/text.h"

namespace binario {

// Reads a route or scenario text as a stream of comma-separated fields.
//
// A field ends at a comma or a line end (CR LF, or a lone LF or CR). Spaces in
// front of a field are skipped. A field that begins with a double quote runs
// to the closing quote; what follows it up to the next comma or line end is
// dropped. A text field keeps its inner spaces and loses its trailing ones.
// A number field is an optional sign and decimal digits; it also ends at a
// space, and the spaces after it up to a following comma or line end belong
// to its delimiter, so "10    52  0 " is three numbers. An empty number field
// reads as 0.
//
// Failures are sticky: a read at the end of the text, a number field with
// other content, or a value outside its destination's width marks the reader
// failed; later reads return empty text or 0. The compiler records a failed
// reader as a reading failure of its text.
class FieldReader {
 public:
  enum class Failure { kNone, kPastEnd, kNotANumber, kOutOfRange };

  explicit FieldReader(std::string_view text) : text_(text) {}

  // The end-of-file test made after each read: true once every byte has
  // been consumed, delimiters included.
  bool at_end() const { return pos_ >= text_.size(); }
  // Bytes consumed so far, delimiters included.
  size_t offset() const { return pos_; }

  void read_text(Text* out);
  int32_t read_i32();
  int16_t read_i16();
  uint8_t read_u8();
  // A number that must lie within [min, max], a range inside 32 bits.
  int32_t read_within(int64_t min, int64_t max) {
    return static_cast<int32_t>(read_number(min, max));
  }

  bool failed() const { return failure_ != Failure::kNone; }
  Failure failure() const { return failure_; }
  // Byte offset of the last field read, after the blanks skipped before it,
  // or of the read that failed (the end of the text for a read past it).
  size_t field_offset() const { return field_start_; }
  // One-line description of the failure, for diagnostics.
  const char* failure_message() const;

 private:
  bool begin_field();
  void skip_spaces();
  bool at_line_end() const;
  void consume_line_end();
  void consume_delimiter();
  // Reads the raw characters of a number field.
  std::string_view read_number_token();
  int64_t read_number(int64_t min, int64_t max);
  void fail(Failure f);

  std::string_view text_;
  size_t pos_ = 0;
  size_t field_start_ = 0;
  Failure failure_ = Failure::kNone;
  Text quoted_;  // content of a quoted number field
};

}  // namespace binario

#endif  // BINARIO_BASE_FIELD_READER_H_
