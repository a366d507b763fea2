#include "text/source_lines.h"

#include <cmath>
#include <cstdlib>

#include "base/text.h"
#include "model/grid_cell.h"
#include "text/text_scan.h"

namespace binario::tool {

namespace {

// Cell of a position divided by 50 and `offset` added, halves to even as the
// compiler rounds.
int32_t cell_of(int64_t metres, double offset) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(metres) / 50.0 + offset));
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The comma-separated fields of one line.
std::vector<std::string_view> fields_of(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const size_t comma = line.find(',');
    fields.push_back(trimmed(line.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return fields;
}

bool number(std::string_view field, int64_t* value) {
  if (field.empty()) return false;
  std::string s(field.substr(0, field.find(' ')));
  char* end = nullptr;
  *value = std::strtoll(s.c_str(), &end, 10);
  return end != s.c_str() && *end == '\0';
}

}  // namespace

void SourceLines::add_text(const std::string& name, std::string_view content) {
  files_.push_back(name);
  int line_number = 0;
  while (!content.empty()) {
    ++line_number;
    size_t end = content.find_first_of("\r\n");
    std::string_view line = content.substr(0, end);
    if (end == std::string_view::npos) {
      content = {};
    } else {
      content.remove_prefix(
          end +
          ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1));
    }
    const std::vector<std::string_view> f = fields_of(line);
    const std::string_view keyword = f[0];
    if (keyword.empty() || keyword.find('-') != std::string_view::npos) continue;
    const SourceLine here{name, line_number};
    int64_t p = 0;
    const bool has_position = f.size() > 1 && number(f[1], &p);
    auto is = [&](const KeywordSpec& k) { return k.test.matches(keyword); };
    if (is(kw::kStation)) stations_.push_back(here);
    if (is(kw::kLocationBoard)) boards_.push_back(here);
    if (!has_position) continue;
    if (is(kw::kGradient)) gradients_[cell_of(p, 0)] = here;
    if (is(kw::kSpeed)) speeds_[cell_of(p, 0)] = here;
    if (is(kw::kAdherence)) adhesions_[cell_of(p, 0)] = here;
    if (is(kw::kMountain)) mountains_[cell_of(p, 0)] = here;
    if (is(kw::kSignal)) objects_[{cell_of(p, 1), cell_kind::kSignal}] = here;
    if (is(kw::kSpeedBoard)) objects_[{cell_of(p, 1), cell_kind::kSpeedBoard}] = here;
    if (is(kw::kLocationBoard)) objects_[{cell_of(p, 1), cell_kind::kLocationBoard}] = here;
    if (is(kw::kCodePoint)) {
      objects_[{cell_of(p, 0), cell_kind::kCodePoint}] = here;
      objects_[{cell_of(p, 0), cell_kind::kCodeCut}] = here;
    }
    if (is(kw::kSlowdown)) {
      int64_t length = 0;
      objects_[{cell_of(p, 1), cell_kind::kSlowdownStart}] = here;
      if (p > 1500) objects_[{cell_of(p - 1200, 1), cell_kind::kWarningBoard}] = here;
      if (f.size() > 3 && number(f[3], &length))
        objects_[{cell_of(p + length, 1), cell_kind::kSlowdownEnd}] = here;
    }
  }
}

SourceLine SourceLines::station(int record) const {
  if (record < 1 || static_cast<size_t>(record) > stations_.size()) return {};
  return stations_[static_cast<size_t>(record - 1)];
}

SourceLine SourceLines::location_board_text(int record) const {
  const int n = 81 - record;
  if (n < 1 || static_cast<size_t>(n) > boards_.size()) return {};
  return boards_[static_cast<size_t>(n - 1)];
}

SourceLine SourceLines::cell_object(int32_t cell, uint8_t kind) const {
  auto it = objects_.find({cell, kind});
  return it == objects_.end() ? SourceLine{} : it->second;
}

SourceLine SourceLines::mountain(int32_t first_cell) const {
  auto it = mountains_.find(first_cell);
  return it == mountains_.end() ? SourceLine{} : it->second;
}

SourceLine SourceLines::covering(const ByCell& lines, int32_t cell) {
  // A stretch line at position p sets the value from cell round(p / 50) on.
  auto it = lines.upper_bound(cell);
  if (it == lines.begin()) return {};
  return std::prev(it)->second;
}

}  // namespace binario::tool
