#ifndef BINARIO_MODEL_CELL_INDEX_H_
#define BINARIO_MODEL_CELL_INDEX_H_

// Where a position in metres falls in the line grid. Every rule divides by 50
// as floating point and rounds half to even, so positions that are multiples
// of 50 map exactly and the others go to the even neighbour on a tie.

#include <cstdint>

#include "base/round.h"

namespace binario {

// Cell of a point object at p (signal, board, slowdown start): round(p / 50 + 1).
inline int32_t point_cell(int32_t p) { return cell_of(p, 1); }

// First cell of a stretch that starts at p, and the exclusive end of a table
// stretch (gradient, line speed, adhesion) whose next breakpoint is at p:
// round(p / 50).
inline int32_t stretch_cell(int32_t p) { return cell_of(p); }

// Last cell of a mountain stretch that ends at p: round(p / 50 - 1).
inline int32_t stretch_last_cell(int32_t p) { return cell_of(p, -1); }

}  // namespace binario

#endif  // BINARIO_MODEL_CELL_INDEX_H_
