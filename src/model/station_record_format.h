#ifndef BINARIO_MODEL_STATION_RECORD_FORMAT_H_
#define BINARIO_MODEL_STATION_RECORD_FORMAT_H_

// The station file: records 0 to 86 back to back, each its fixed fields in
// file order with the name as a 16-bit length and its characters after the
// position field and flag.

#include <optional>
#include <vector>

#include "base/coding.h"
#include "model/format_error.h"
#include "model/station_table.h"

namespace binario {

// The stamp the installer puts in the route record's (85) `group1_a`: the
// simulator takes a station file without it for one this installer never made.
inline constexpr int16_t kStationHeaderStamp = 610;

// Appends one record (station_record_encode.cc, part of the installer).
void encode_station_record(const StationRecord& record, Bytes* out);

// The rest reads the file back (station_record_decode.cc, for the author
// tool only: the installer never reads a station file).

// One record at the reader's place; false, with the reader where the cut
// value starts, when the bytes end inside it. `name_length` is the length the
// record gives its name, once that is read.
bool decode_station_record(ByteReader* in, StationRecord* record,
                           std::optional<uint16_t>* name_length);

// Exactly the 87 records and nothing after them.
bool decode_station_file(const Bytes& file, std::vector<StationRecord>* records,
                         FormatError* error);

}  // namespace binario

#endif  // BINARIO_MODEL_STATION_RECORD_FORMAT_H_
