#ifndef BINARIO_MODEL_GRID_CELL_FORMAT_H_
#define BINARIO_MODEL_GRID_CELL_FORMAT_H_

// The grid file: every cell from 0 to the last, kGridCellBytes each, fields
// in the order GridCell declares them.

#include <vector>

#include "base/coding.h"
#include "model/format_error.h"
#include "model/grid_cell.h"

namespace binario {

// The stamp the installer puts in the header cell's `value1` (0x1401): the
// grid file's counterpart of the station file's stamp.
inline constexpr int16_t kGridHeaderStamp = 5121;

// Appends one cell (grid_cell_encode.cc, part of the installer).
void encode_grid_cell(const GridCell& cell, Bytes* out);

// The rest reads the file back (grid_cell_decode.cc, for the author tool only).

// One cell at the reader's place; false when fewer than kGridCellBytes are left.
bool decode_grid_cell(ByteReader* in, GridCell* cell);

// A whole number of cells, at least one.
bool decode_grid_file(const Bytes& file, std::vector<GridCell>* cells, FormatError* error);

}  // namespace binario

#endif  // BINARIO_MODEL_GRID_CELL_FORMAT_H_
