#include "model/station_record_format.h"

namespace binario {

void encode_station_record(const StationRecord& r, Bytes* out) {
  put_u8(out, r.station_kind);
  put_i32(out, r.area_start);
  put_i32(out, r.area_end);
  put_i32(out, r.position);
  put_u8(out, r.flag_a);
  put_text(out, r.name.view().substr(0, kMaxRecordName));
  put_i16(out, r.group1_a);
  put_i16(out, r.group1_b);
  put_i16(out, r.group2_a);
  put_i16(out, r.group2_b);
  put_i16(out, r.group2_c);
  put_u8(out, r.group1_c);
  put_u8(out, r.dwell);
  put_u8(out, r.flag_c);
  put_u8(out, r.flag_b);
  put_i32(out, r.scheduled_time);
}

}  // namespace binario
