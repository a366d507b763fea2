#include "scenario/station_line.h"

#include <optional>

#include "base/narrow.h"
#include "model/grid_cell.h"

namespace binario {

namespace {

// How a station's kind places its area and its grid marks.
enum class AreaShape { kTerminus, kLong, kCentred };

AreaShape shape_of(uint8_t kind) {
  if (kind == 5 || kind == 6) return AreaShape::kTerminus;
  if (kind == 7 || kind == 8) return AreaShape::kLong;
  return AreaShape::kCentred;
}

// The values of a station line after the position, kind and length: into
// the record, and the hours, minutes and seconds into `seconds`.
void take_attributes(const int32_t* v, StationRecord& rec, int64_t* seconds) {
  rec.flag_a = static_cast<uint8_t>(v[3]);
  rec.flag_b = static_cast<uint8_t>(v[4]);
  rec.flag_c = static_cast<uint8_t>(v[5]);
  rec.group1_a = static_cast<int16_t>(v[6]);
  rec.group1_b = static_cast<int16_t>(v[7]);
  rec.group1_c = static_cast<uint8_t>(v[8]);
  rec.group2_a = static_cast<int16_t>(v[9]);
  rec.group2_b = static_cast<int16_t>(v[10]);
  rec.group2_c = static_cast<int16_t>(v[11]);
  rec.dwell = static_cast<uint8_t>(v[12]);
  *seconds = (int64_t{v[13]} * 60 + v[14]) * 60 + v[15];
}

// The stretch of line the station occupies, from its position `p`, its
// length and its shape; a centred station with `extended` reaches one cell on.
struct Area {
  int64_t start = 0;
  int64_t end = 0;
};

Area area_of(AreaShape shape, int32_t p, int32_t length, bool extended) {
  switch (shape) {
    case AreaShape::kTerminus:
      return {int64_t{p} - length, int64_t{p} + 150};
    case AreaShape::kLong:
      return {int64_t{p} - length, int64_t{p} + length};
    case AreaShape::kCentred:
      break;
  }
  return {int64_t{p} - length / 2, int64_t{p} + length / 2 + (extended ? 50 : 0)};
}

// Flags that only some stations carry: the second only a station of 600 m or
// more, and the first station neither the second nor the third.
void clear_unused_flags(StationRecord& rec, int32_t length, int32_t j) {
  if (length < 600) rec.flag_b = 0;
  if (j == kFirstStationRecord) {
    rec.flag_b = 0;
    rec.flag_c = 0;
  }
}

// The stop of station record `j` in the grid: the approach cells in front of
// it (not for a terminus) and the stop marker in the cell before its area's
// end, which replaces whatever the cell held.
Step mark_stop(ScenarioContext& r, const StationRecord& rec, AreaShape shape, int32_t j) {
  LineGrid& grid = r.state.griglia;
  // Areas are whole multiples of 50, so these are whole cell indices.
  const int32_t stop_cell = rec.area_end / 50 - 1;
  // A stop past the end of the grid: the station cannot be laid.
  if (stop_cell > grid.last()) return r.fail_reading(r.keyword_offset);
  if (shape != AreaShape::kTerminus) {
    for (int32_t h = 1; h <= 4; ++h) {
      int32_t w = stop_cell - h;
      if (w > 1) grid[w].approach = static_cast<uint8_t>(80 + h);
    }
  }
  if (stop_cell <= 1) return r.stop(Fault::kStopMarkerTooEarly);
  GridCell& stop = grid[stop_cell];
  stop.kind = cell_kind::kStopMarker;
  stop.value1 = static_cast<int16_t>(j);
  return Step::kGoOn;
}

}  // namespace

Step station_line(ScenarioContext& r, const KeywordRule& rule) {
  CompileState& state = r.state;
  const int32_t j = r.next_station;
  // A record already holding a location board text is never overwritten.
  if (j > state.next_board_record) return r.stop(Fault::kTooManyStations);
  StationRecord& rec = state.stazioni[j];

  // Values in three steps: a position beyond the grid or a length of the
  // wrong step stops the line before the values after them are read.
  int32_t v[grammar::kMaxValues];
  r.read_values(rule, v, 0, 1);
  if (!r.values_read()) return Step::kStop;
  const int32_t p = v[0];
  rec.position = p;
  if (!r.point_fits(p, kStationMargin)) return Step::kEndSteps;
  if (p % 50 != 0) return r.stop_at(Fault::kStationPosition, p);

  r.read_values(rule, v, 1, 3);
  rec.station_kind = static_cast<uint8_t>(v[1]);
  if (!r.values_read()) return Step::kStop;
  const int32_t length = v[2];
  if (length % 100 != 0) return r.stop_at(Fault::kStationLength, p);

  r.read_values(rule, v, 3, rule.count - 1u);
  r.in.read_text(&rec.name);
  if (!r.values_read()) return Step::kStop;
  int64_t seconds = 0;
  take_attributes(v, rec, &seconds);
  std::optional<int32_t> time = fitting<int32_t>(seconds);

  const AreaShape shape = shape_of(rec.station_kind);
  const Area area = area_of(shape, p, length, rec.flag_c != 0);
  // Only a centred station carries the third flag.
  if (shape != AreaShape::kCentred) rec.flag_c = 0;
  std::optional<int32_t> area_start = fitting<int32_t>(area.start);
  std::optional<int32_t> area_end = fitting<int32_t>(area.end);
  // The station file keeps a name's length in 16 bits.
  if (!time || !area_start || !area_end || rec.name.size() > kMaxRecordName) {
    return r.fail_reading(r.keyword_offset);
  }
  rec.scheduled_time = *time;
  rec.area_start = *area_start;
  rec.area_end = *area_end;
  clear_unused_flags(rec, length, j);

  if (rec.station_kind < kFirstLocationKind) {
    const Step step = mark_stop(r, rec, shape, j);
    if (step != Step::kGoOn) return step;
  }

  if (j > kFirstStationRecord &&
      int64_t{rec.area_start} - kStationSpacing < state.stazioni[j - 1].area_end) {
    return r.stop_at(Fault::kStationTooClose, p);
  }

  r.next_station = j + 1;
  if (r.next_station >= state.next_board_record) return r.stop(Fault::kTooManyStations);
  return Step::kGoOn;
}

}  // namespace binario
