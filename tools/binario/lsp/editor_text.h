#ifndef BINARIO_TOOLS_BINARIO_LSP_EDITOR_TEXT_H_
#define BINARIO_TOOLS_BINARIO_LSP_EDITOR_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace binario::tool {

// A character of an editor's text that the simulator's code page (Windows-1252)
// cannot hold, at its line (from 1) and its byte column (from 1) in the
// installer's bytes, where it stands as '?'.
struct Unencodable {
  int line = 0;
  int column = 0;
  char32_t code_point = 0;
};

// The bytes the installer would read for an editor's UTF-8 text: one byte per
// character. A character the code page lacks becomes '?' and is listed.
std::string windows_1252_bytes(std::string_view utf8, std::vector<Unencodable>* unencodable);

// The editor's UTF-8 text for bytes read from disk (undefined bytes as U+FFFD).
std::string utf8_of_windows_1252(std::string_view bytes);

// Column in UTF-16 code units (from 0), as editors count, of the byte column
// `column` (from 1) of the installer's bytes of `utf8_line`. Each character
// is one byte to the installer and one or two units to the editor.
int utf16_column(std::string_view utf8_line, int column);

// Byte column (from 1) in the installer's bytes of the UTF-16 unit
// `character` (from 0) of `utf8_line`; past its end, one past its last byte.
int byte_column(std::string_view utf8_line, int character);

// The lines of a text, found once: CR LF, a lone LF and a lone CR each end
// one line, as for the readers.
class TextLines {
 public:
  explicit TextLines(std::string_view text);

  int count() const { return static_cast<int>(starts_.size()); }
  // Line `line` (from 1) without its line end; empty outside the text.
  std::string_view line(int line) const;
  // Byte offset of the editor's position (line and UTF-16 unit, both from
  // 0); a position past a line's end stands at its end, one past the last
  // line at the end of the text.
  size_t offset(int line, int character) const;

 private:
  std::string_view text_;
  std::vector<size_t> starts_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_EDITOR_TEXT_H_
