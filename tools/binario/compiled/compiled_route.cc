#include "compiled/compiled_route.h"

#include <cstdio>
#include <cstdlib>

namespace binario::tool {

namespace {

bool is_cleared(const StationRecord& r) {
  return r.station_kind == 0 && r.area_start == 0 && r.area_end == 0 && r.position == 0 &&
         r.flag_a == 0 && r.name.empty() && r.group1_a == 0 && r.group1_b == 0 && r.group2_a == 0 &&
         r.group2_b == 0 && r.group2_c == 0 && r.group1_c == 0 && r.dwell == 0 && r.flag_c == 0 &&
         r.flag_b == 0 && r.scheduled_time == 0;
}

bool holds_only_text(const StationRecord& r) {
  StationRecord numbers = r;
  numbers.name.clear();
  return !r.name.empty() && is_cleared(numbers);
}

}  // namespace

RecordUses record_uses(const std::vector<StationRecord>& r) {
  RecordUses uses;
  if (r.size() != static_cast<size_t>(kStationRecords)) return uses;
  while (uses.boards < kFirstBoardRecord - kFirstStationRecord &&
         holds_only_text(r[kFirstBoardRecord - uses.boards])) {
    ++uses.boards;
  }
  const int lowest_board = kFirstBoardRecord - uses.boards + 1;
  while (kFirstStationRecord + uses.stations < lowest_board &&
         !is_cleared(r[kFirstStationRecord + uses.stations])) {
    ++uses.stations;
  }
  return uses;
}

const char* record_use(int index, const RecordUses& uses) {
  if (index >= kFirstStationRecord && index < kFirstStationRecord + uses.stations) return "station";
  if (index <= kFirstBoardRecord && index > kFirstBoardRecord - uses.boards)
    return "location board";
  if (index >= kProgressiveRecordFirst && index < kServiceRecord) return "kilometric progressive";
  if (index == kServiceRecord) return "service values";
  if (index == kRouteRecord) return "route values";
  if (index == kTrainRecord) return "train values";
  return "cleared";
}

std::vector<std::pair<const char*, int64_t>> header_meaning(int index, const StationRecord& r) {
  if (index >= kProgressiveRecordFirst && index < kServiceRecord) {
    return {{"progressive_position_m", r.area_start},
            {"kilometre_value_m", r.area_end},
            {"progressive_flag", r.position}};
  }
  if (index == kServiceRecord) {
    return {{"braked_mass_percent", r.area_start},
            {"route_length_m", r.area_end},
            {"cars", r.position}};
  }
  if (index == kRouteRecord) {
    return {{"background_one", r.area_start},
            {"background_two", r.position},
            {"background_three", r.area_end},
            {"header_stamp", r.group1_a},
            {"competition_code", r.scheduled_time}};
  }
  if (index == kTrainRecord) {
    return {{"signal_repetition_start_m", r.area_start},
            {"signal_repetition_end_m", r.area_end},
            {"signal_repetition_system", r.position},
            {"sand", r.group1_a},
            {"clock_hours", r.group2_a},
            {"clock_minutes", r.group2_b},
            {"clock_seconds", r.group2_c}};
  }
  return {};
}

const char* cell_kind_name(uint8_t kind) {
  switch (kind) {
    case cell_kind::kEmpty:
      return "empty";
    case cell_kind::kSignal:
      return "signal";
    case cell_kind::kSlowdownEnd:
      return "slowdown end";
    case cell_kind::kSlowdownStart:
      return "slowdown start";
    case cell_kind::kWarningBoard:
      return "slowdown warning board";
    case cell_kind::kPreWarning:
      return "pre-warning cell";
    case cell_kind::kSpeedBoard:
      return "speed-indicator board";
    case cell_kind::kStopMarker:
      return "station stop marker";
    case cell_kind::kMountainMarker:
      return "mountain marker";
    case cell_kind::kCodePoint:
      return "code point";
    case cell_kind::kCodeCut:
      return "code-cut point";
    case cell_kind::kLocationBoard:
      return "location board";
    default:
      return "unknown";
  }
}

int64_t object_metre(size_t index, uint8_t kind) {
  const int64_t cell = static_cast<int64_t>(index);
  switch (kind) {
    case cell_kind::kCodePoint:
    case cell_kind::kCodeCut:
    case cell_kind::kPreWarning:
      return cell * 50;
    case cell_kind::kStopMarker:
      return (cell + 1) * 50;
    default:
      return (cell - 1) * 50;
  }
}

std::string clock_text(int64_t seconds) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld",
                static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                static_cast<long long>(seconds % 60));
  return buffer;
}

}  // namespace binario::tool
