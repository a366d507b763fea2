#ifndef BINARIO_TOOLS_TEXT_SOURCE_TEXT_H_
#define BINARIO_TOOLS_TEXT_SOURCE_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace binario::tool {

// A route or scenario text as an author wrote it, with its lines found: CR LF,
// a lone LF and a lone CR each end one line, as for the readers.
class SourceText {
 public:
  SourceText() : SourceText({}, {}) {}
  SourceText(std::string name, std::string bytes);

  const std::string& name() const { return name_; }
  const std::string& bytes() const { return bytes_; }
  int line_count() const { return static_cast<int>(starts_.size()); }

  // Line (from 1) that holds the byte at `offset`; the end of the text
  // belongs to the last line.
  int line_of(size_t offset) const;
  // Byte column (from 1) of `offset` on its line.
  int column_of(size_t offset) const;
  // Line `line` without its line end; empty outside the text.
  std::string_view line(int line) const;
  // Offset of the first byte of `line`.
  size_t line_start(int line) const;

  // The same text with the bytes of `line` removed and its line end kept:
  // the reader sees an empty line, and every other line keeps its number.
  SourceText without_line(int line) const;

 private:
  std::string name_;
  std::string bytes_;
  std::vector<size_t> starts_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_TEXT_SOURCE_TEXT_H_
