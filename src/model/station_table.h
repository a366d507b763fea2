#ifndef BINARIO_MODEL_STATION_TABLE_H_
#define BINARIO_MODEL_STATION_TABLE_H_

#include <array>
#include <cstdint>

#include "base/text.h"

namespace binario {

// One record of the station table, fields in file order. For a station the
// area is the stretch of line it occupies; the other records reuse the same
// fields for the route header and the service's general values.
struct StationRecord {
  uint8_t station_kind = 0;
  int32_t area_start = 0;
  int32_t area_end = 0;
  int32_t position = 0;
  uint8_t flag_a = 0;
  Text name;
  int16_t group1_a = 0;
  int16_t group1_b = 0;
  int16_t group2_a = 0;
  int16_t group2_b = 0;
  int16_t group2_c = 0;
  uint8_t group1_c = 0;
  uint8_t dwell = 0;
  uint8_t flag_c = 0;
  uint8_t flag_b = 0;
  int32_t scheduled_time = 0;  // seconds after midnight
};

// Station kinds from this one up are locations that are not stops: they get no
// stop marks in the line grid and no scheduled time.
constexpr uint8_t kFirstLocationKind = 25;

// Bytes of a record in the station file besides its name's characters.
constexpr int kStationRecordFixedBytes = 34;
// Longest name a record can carry: its length is stored in 16 bits.
constexpr size_t kMaxRecordName = 65535;

// Uses of the record indices.
constexpr int32_t kStationRecords = 87;          // records 0 to 86
constexpr int32_t kFirstStationRecord = 1;       // stations fill upward from here
constexpr int32_t kFirstBoardRecord = 80;        // location board texts fill downward from here
constexpr int32_t kProgressiveRecordFirst = 81;  // 81, 82, 83: kilometric progressives
constexpr int32_t kServiceRecord = 84;           // braked mass, route length, cars
constexpr int32_t kRouteRecord = 85;             // backgrounds, route name, stamp, competition code
constexpr int32_t kTrainRecord = 86;             // signal repetition, train name, sand, clock

class StationTable {
 public:
  // Every record back to all numbers 0 and an empty name.
  void clear();

  StationRecord& operator[](int32_t index) { return records_[static_cast<size_t>(index)]; }
  const StationRecord& operator[](int32_t index) const {
    return records_[static_cast<size_t>(index)];
  }

  // Appends the station file image: records 0 to 86 back to back, each
  // 34 bytes plus its name.
  void serialize(Bytes* out) const;

 private:
  std::array<StationRecord, kStationRecords> records_;
};

}  // namespace binario

#endif  // BINARIO_MODEL_STATION_TABLE_H_
