#ifndef BINARIO_TOOLS_TEXT_SOURCE_LINES_H_
#define BINARIO_TOOLS_TEXT_SOURCE_LINES_H_

// Where the things of a compiled route were declared: the file and line of
// each keyword line of the route text and the scenario text, found by reading
// the texts as an author reads them (one declaration per line, the keyword in
// the first field, the position in the second).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace binario::tool {

struct SourceLine {
  std::string file;  // shown name of the text
  int line = 0;      // from 1; 0 when unknown

  bool known() const { return line > 0; }
  std::string text() const { return file + ":" + std::to_string(line); }
};

class SourceLines {
 public:
  // Indexes the keyword lines of one text; `name` is shown as is.
  void add_text(const std::string& name, std::string_view content);

  // The n-th station line declares station record n; the n-th location
  // board line declares record 81 - n.
  SourceLine station(int record) const;
  SourceLine location_board_text(int record) const;
  // The line that put the point object of `kind` into `cell`.
  SourceLine cell_object(int32_t cell, uint8_t kind) const;
  // The line of the stretch value that covers `cell`: "pendenza",
  // "velocit", "aderenza" lines, by their position.
  SourceLine gradient(int32_t cell) const { return covering(gradients_, cell); }
  SourceLine line_speed(int32_t cell) const { return covering(speeds_, cell); }
  SourceLine adhesion(int32_t cell) const { return covering(adhesions_, cell); }
  // The mountain line whose stretch begins at `cell`.
  SourceLine mountain(int32_t first_cell) const;
  bool empty() const { return files_.empty(); }

 private:
  using ByCell = std::map<int32_t, SourceLine>;
  static SourceLine covering(const ByCell& lines, int32_t cell);

  std::vector<std::string> files_;
  std::vector<SourceLine> stations_;
  std::vector<SourceLine> boards_;
  std::map<std::pair<int32_t, uint8_t>, SourceLine> objects_;
  ByCell gradients_, speeds_, adhesions_, mountains_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_TEXT_SOURCE_LINES_H_
