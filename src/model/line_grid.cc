#include "model/line_grid.h"

#include "base/coding.h"
#include "base/round.h"

namespace binario {

int32_t last_cell_index(int32_t route_length) {
  return cell_of(static_cast<double>(route_length) + kRunOutMetres);
}

void LineGrid::create(int32_t route_length) {
  cells_.assign(static_cast<size_t>(last_cell_index(route_length)) + 1, GridCell{});
}

bool LineGrid::fits(int32_t position, int32_t margin) const {
  return static_cast<double>(last()) >= (static_cast<double>(position) + margin) / 50;
}

void LineGrid::serialize(Bytes* out) const {
  out->reserve(out->size() + cells_.size() * kGridCellBytes);
  for (const GridCell& c : cells_) {
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
}

}  // namespace binario
