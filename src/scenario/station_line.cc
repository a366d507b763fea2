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

// Reads values 4 to 17 of the line into the record.
void read_attributes(FieldReader& in, StationRecord& rec, int64_t* seconds) {
  rec.flag_a = in.read_u8();
  rec.flag_b = in.read_u8();
  rec.flag_c = in.read_u8();
  rec.group1_a = in.read_i16();
  rec.group1_b = in.read_i16();
  rec.group1_c = in.read_u8();
  rec.group2_a = in.read_i16();
  rec.group2_b = in.read_i16();
  rec.group2_c = in.read_i16();
  rec.dwell = in.read_u8();
  int64_t hours = in.read_i32();
  int64_t minutes = in.read_i32();
  int64_t secs = in.read_i32();
  *seconds = (hours * 60 + minutes) * 60 + secs;
  in.read_text(&rec.name);
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
  if (stop_cell > grid.last()) return r.fail_reading();
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

Step station_line(ScenarioContext& r) {
  CompileState& state = r.state;
  const int32_t j = r.next_station;
  // A record already holding a location board text is never overwritten.
  if (j > state.next_board_record) return r.stop(Fault::kTooManyStations);
  StationRecord& rec = state.stazioni[j];

  const int32_t p = r.in.read_i32();
  if (!r.values_read()) return Step::kStop;
  rec.position = p;
  if (!r.point_fits(p, kStationMargin)) return Step::kEndSteps;
  if (p % 50 != 0) return r.stop_at(Fault::kStationPosition, p);

  rec.station_kind = r.in.read_u8();
  const int32_t length = r.in.read_i32();
  if (!r.values_read()) return Step::kStop;
  if (length % 100 != 0) return r.stop_at(Fault::kStationLength, p);

  int64_t seconds = 0;
  read_attributes(r.in, rec, &seconds);
  if (!r.values_read()) return Step::kStop;
  std::optional<int32_t> time = fitting<int32_t>(seconds);

  const AreaShape shape = shape_of(rec.station_kind);
  const Area area = area_of(shape, p, length, rec.flag_c != 0);
  // Only a centred station carries the third flag.
  if (shape != AreaShape::kCentred) rec.flag_c = 0;
  std::optional<int32_t> area_start = fitting<int32_t>(area.start);
  std::optional<int32_t> area_end = fitting<int32_t>(area.end);
  // The station file keeps a name's length in 16 bits.
  if (!time || !area_start || !area_end || rec.name.size() > kMaxRecordName) {
    return r.fail_reading();
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
