#include "model/line_grid.h"

#include "base/round.h"
#include "model/grid_cell_format.h"

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
  for (const GridCell& c : cells_) encode_grid_cell(c, out);
}

}  // namespace binario
