#include "scenario/line_tables.h"

#include "base/round.h"

namespace binario {

std::optional<uint8_t> speed_byte(int32_t speed) {
  std::optional<int32_t> fifth = round_i32(speed / 5.0);
  if (!fifth || *fifth < 0 || *fifth > 255) return std::nullopt;
  return static_cast<uint8_t>(*fifth);
}

namespace {

// The current speed does not fit a line speed byte: a reading failure,
// reported on the line that declared that speed.
bool speed_overflow(ScenarioContext& r) {
  r.fail_reading(r.speed_set_at);
  return false;
}

// Writes the current speed into the cells from the fill index up to n - 1,
// and always into at least one cell (a line at or before the previous line's
// position still writes the cell at the fill index). Never writes cell L.
bool write_speed_up_to(ScenarioContext& r, int32_t n) {
  LineGrid& grid = r.state.griglia;
  do {
    if (r.speed_fill >= grid.last()) break;
    std::optional<uint8_t> byte = speed_byte(r.current_speed);
    if (!byte) return speed_overflow(r);
    grid[r.speed_fill].line_speed = *byte;
    ++r.speed_fill;
  } while (r.speed_fill < n);
  return true;
}

// The same for adhesion, which is stored as the low 8 bits of the value.
// Never writes past the last cell.
void write_adherence_up_to(ScenarioContext& r, int32_t n) {
  LineGrid& grid = r.state.griglia;
  do {
    if (!grid.has_cell(r.adherence_fill)) break;
    grid[r.adherence_fill].adhesion = static_cast<uint8_t>(r.current_adherence);
    ++r.adherence_fill;
  } while (r.adherence_fill < n);
}

}  // namespace

Step speed_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t v[2];
  r.read_values(rule, v);
  if (!r.values_read()) return Step::kStop;
  const int32_t position = v[0];
  const int32_t speed = v[1];
  if (!r.position_fits(position)) return Step::kEndSteps;
  int32_t n = cell_of(position);
  if (n > 0 && !write_speed_up_to(r, n)) return Step::kStop;
  r.current_speed = speed;
  r.speed_set_at = r.keyword_offset;
  return Step::kGoOn;
}

Step adherence_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t v[2];
  r.read_values(rule, v);
  if (!r.values_read()) return Step::kStop;
  const int32_t position = v[0];
  const int32_t adherence = v[1];
  if (!r.position_fits(position)) return Step::kEndSteps;
  int32_t n = cell_of(position);
  if (n > 0) write_adherence_up_to(r, n);
  r.current_adherence = adherence;
  return Step::kGoOn;
}

bool fill_line_tables_to_end(ScenarioContext& r) {
  LineGrid& grid = r.state.griglia;
  int32_t end = grid.last() - 2;
  do {
    if (grid.has_cell(r.speed_fill)) {
      std::optional<uint8_t> byte = speed_byte(r.current_speed);
      if (!byte) return speed_overflow(r);
      grid[r.speed_fill].line_speed = *byte;
    }
    ++r.speed_fill;
  } while (r.speed_fill < end);
  do {
    if (grid.has_cell(r.adherence_fill)) {
      grid[r.adherence_fill].adhesion = static_cast<uint8_t>(r.current_adherence);
    }
    ++r.adherence_fill;
  } while (r.adherence_fill < end);
  return true;
}

}  // namespace binario
