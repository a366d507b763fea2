#include "model/station_table.h"

#include "model/station_record_format.h"

namespace binario {

void StationTable::clear() {
  for (StationRecord& r : records_) r = StationRecord{};
}

void StationTable::serialize(Bytes* out) const {
  for (const StationRecord& r : records_) encode_station_record(r, out);
}

}  // namespace binario
