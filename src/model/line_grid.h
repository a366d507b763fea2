#ifndef BINARIO_MODEL_LINE_GRID_H_
#define BINARIO_MODEL_LINE_GRID_H_

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "model/grid_cell.h"

namespace binario {

// Metres of line the grid covers beyond the end of the route.
constexpr int32_t kRunOutMetres = 7000;

// Last cell index L for a route: round((route length + 7000) / 50).
int32_t last_cell_index(int32_t route_length);

// The line grid: cells 0 to L, one per 50 metres, from the start of the route
// to 7000 metres past its end. It does not exist until a route length sizes it.
class LineGrid {
 public:
  // Creates cells 0 to last_cell_index(route_length), every field zero,
  // replacing any earlier grid.
  void create(int32_t route_length);

  bool exists() const { return !cells_.empty(); }
  // L, the last cell index. Only meaningful when the grid exists.
  int32_t last() const { return static_cast<int32_t>(cells_.size()) - 1; }
  // True for an index from 0 to L.
  bool has_cell(int64_t index) const {
    return index >= 0 && index < static_cast<int64_t>(cells_.size());
  }

  // Capacity test made before a reader touches the grid for a position p:
  // L >= (p + margin) / 50, compared as floating point. Lines use a margin
  // of 100 metres, stations one of 800.
  bool fits(int32_t position, int32_t margin = 100) const;

  GridCell& operator[](int32_t index) { return cells_[static_cast<size_t>(index)]; }
  const GridCell& operator[](int32_t index) const { return cells_[static_cast<size_t>(index)]; }

  // Appends the grid file image: every cell, 15 bytes each, cell 0 first.
  void serialize(Bytes* out) const;

 private:
  std::vector<GridCell> cells_;
};

}  // namespace binario

#endif  // BINARIO_MODEL_LINE_GRID_H_
