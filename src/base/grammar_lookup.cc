#include "base/grammar_lookup.h"

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

// One past the last byte of the field the reader has just read: before the
// delimiter it consumed and the blanks in front of that.
size_t field_end(std::string_view line, size_t start, size_t consumed) {
  size_t end = consumed;
  if (end > start && end <= line.size() && (line[end - 1] == ',' || line[end - 1] == '\n')) --end;
  if (end > start && line[end - 1] == '\r') --end;
  while (end > start && line[end - 1] == ' ') --end;
  return end;
}

}  // namespace

// Reads one field of `line` from byte `pos` at width `w`, each with a reader
// of its own so that a field that cannot be read does not hide the next.
// Answers the field's first byte; `pos` moves past its delimiter.
size_t read_field(std::string_view line, Width w, size_t* pos, Text* text) {
  FieldReader in(line.substr(*pos));
  if (w == Width::kText) {
    in.read_text(text);
  } else {
    in.read_within(width_min(w), width_max(w));
  }
  const size_t start = *pos + in.field_offset();
  *pos += in.offset();
  return start;
}

LinePlace place_in_line(std::span<const KeywordDef> keywords, std::string_view line,
                        size_t offset) {
  LinePlace place;
  Text field;
  size_t pos = 0;
  size_t start = read_field(line, Width::kText, &pos, &field);
  if (contains(field, "-")) return place;  // a comment
  place.keyword = find_keyword(keywords, field.view());
  if (offset < pos) return {place.keyword, -1, start, field_end(line, start, pos)};
  if (place.keyword == nullptr) return place;
  for (size_t i = 0; i < place.keyword->values.size() && pos < line.size(); ++i) {
    const size_t before = pos;
    start = read_field(line, place.keyword->values[i].width, &pos, &field);
    if (offset >= before && (offset < pos || pos >= line.size())) {
      return {place.keyword, static_cast<int>(i), start, field_end(line, start, pos)};
    }
  }
  return place;
}

}  // namespace binario::grammar
