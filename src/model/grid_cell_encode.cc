#include "model/grid_cell_format.h"

namespace binario {

void encode_grid_cell(const GridCell& c, Bytes* out) {
  put_u8(out, c.kind);
  put_i16(out, c.value1);
  put_i16(out, c.value2);
  put_i16(out, c.value3);
  put_i16(out, c.value4);
  put_u8(out, c.signal_time);
  put_u8(out, c.approach);
  put_u8(out, c.mountain);
  put_u8(out, c.line_speed);
  put_u8(out, c.gradient);
  put_u8(out, c.adhesion);
}

}  // namespace binario
