#include "base/grammar_lookup.h"

#include <algorithm>

#include "base/field_reader.h"
#include "base/text.h"

namespace binario::grammar {

const KeywordDef* find_keyword(std::span<const KeywordDef> keywords, std::string_view name) {
  for (const KeywordDef& k : keywords) {
    if (name == k.written) return &k;
  }
  for (const KeywordDef& k : keywords) {
    if (k.test.matches(name)) return &k;
  }
  return nullptr;
}

namespace {

// One past the last byte of the field read from `start`, `consumed` bytes
// of `text` having been read: a quoted field ends at its closing quote;
// any other before the delimiter and the blanks in front of it.
size_t field_end(std::string_view text, size_t start, size_t consumed) {
  if (start < text.size() && text[start] == '"') {
    const size_t quote = text.find('"', start + 1);
    return quote == std::string_view::npos ? text.size() : quote + 1;
  }
  size_t end = consumed;
  if (end > start && end <= text.size() && (text[end - 1] == ',' || text[end - 1] == '\n')) --end;
  if (end > start && text[end - 1] == '\r') --end;
  while (end > start && text[end - 1] == ' ') --end;
  return end;
}

}  // namespace

FieldRead read_field(std::string_view text, size_t pos, Width w) {
  FieldReader in(text.substr(pos));
  FieldRead out;
  switch (w) {
    case Width::kText:
      in.read_text(&out.text);
      break;
    case Width::kI32:
      out.value = in.read_i32();
      break;
    case Width::kI16:
      out.value = in.read_i16();
      break;
    case Width::kU8:
      out.value = in.read_u8();
      break;
  }
  out.failure = in.failure();
  out.start = pos + in.field_offset();
  out.next = pos + in.offset();
  out.end = std::max(out.start, field_end(text, out.start, out.next));
  return out;
}

LinePlace place_in_line(std::span<const KeywordDef> keywords, std::string_view line,
                        size_t offset) {
  LinePlace place;
  FieldRead field = read_field(line, 0, Width::kText);
  if (contains(field.text, kCommentMark)) return place;
  place.keyword = find_keyword(keywords, field.text.view());
  if (offset < field.next) return {place.keyword, -1, field.start, field.end};
  if (place.keyword == nullptr) return place;
  for (size_t i = 0; i < place.keyword->values.size() && field.next < line.size(); ++i) {
    const size_t before = field.next;
    field = read_field(line, before, place.keyword->values[i].width);
    if (offset >= before && (offset < field.next || field.next >= line.size())) {
      return {place.keyword, static_cast<int>(i), field.start, field.end};
    }
  }
  return place;
}

}  // namespace binario::grammar
