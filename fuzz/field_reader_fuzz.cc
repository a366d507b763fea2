// The text field reader: the first byte chooses the order of field kinds,
// the rest is the text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t plan = data[0];
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  binario::FieldReader in(text);
  binario::Text field;
  // Every field read takes at least one byte, so the text ends after at most
  // one read per byte; a reader that stops advancing would loop for ever.
  for (size_t step = 0; !in.at_end() && !in.failed(); ++step) {
    if (step > text.size()) __builtin_trap();
    switch ((plan >> (2 * (step % 4))) & 3) {
      case 0:
        in.read_text(&field);
        break;
      case 1:
        (void)in.read_i32();
        break;
      case 2:
        (void)in.read_i16();
        break;
      default:
        (void)in.read_u8();
        break;
    }
    if (field.size() > text.size()) __builtin_trap();
  }
  (void)in.failed();
  (void)in.field_offset();
  return 0;
}
