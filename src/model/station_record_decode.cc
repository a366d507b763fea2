#include "model/station_record_format.h"

namespace binario {

bool decode_station_record(ByteReader* in, StationRecord* r, std::optional<uint16_t>* name_length) {
  uint16_t length = 0;
  std::string_view name;
  name_length->reset();
  if (!(in->u8(&r->station_kind) && in->i32(&r->area_start) && in->i32(&r->area_end) &&
        in->i32(&r->position) && in->u8(&r->flag_a) && in->u16(&length))) {
    return false;
  }
  *name_length = length;
  if (!in->chars(length, &name)) {
    return false;
  }
  r->name = Text(name);
  return in->i16(&r->group1_a) && in->i16(&r->group1_b) && in->i16(&r->group2_a) &&
         in->i16(&r->group2_b) && in->i16(&r->group2_c) && in->u8(&r->group1_c) &&
         in->u8(&r->dwell) && in->u8(&r->flag_c) && in->u8(&r->flag_b) &&
         in->i32(&r->scheduled_time);
}

bool decode_station_file(const Bytes& file, std::vector<StationRecord>* records,
                         FormatError* error) {
  records->clear();
  ByteReader in(file.data(), file.size());
  while (records->size() < static_cast<size_t>(kStationRecords)) {
    const size_t start = in.at();
    StationRecord r;
    std::optional<uint16_t> name_length;
    if (!decode_station_record(&in, &r, &name_length)) {
      error->offset = in.at();
      error->what = "the file ends inside station record " + std::to_string(records->size()) +
                    ", which starts at offset " + std::to_string(start);
      if (name_length) {
        error->what += " and names " + std::to_string(*name_length) + " characters";
      }
      return false;
    }
    records->push_back(std::move(r));
  }
  if (in.left() != 0) {
    error->offset = in.at();
    error->what = std::to_string(in.left()) +
                  " bytes follow the last station record, from offset " + std::to_string(in.at());
    return false;
  }
  return true;
}

}  // namespace binario
