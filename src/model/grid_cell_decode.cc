#include "model/grid_cell_format.h"

namespace binario {

bool decode_grid_cell(ByteReader* in, GridCell* c) {
  if (!in->has(kGridCellBytes)) return false;
  return in->u8(&c->kind) && in->i16(&c->value1) && in->i16(&c->value2) && in->i16(&c->value3) &&
         in->i16(&c->value4) && in->u8(&c->signal_time) && in->u8(&c->approach) &&
         in->u8(&c->mountain) && in->u8(&c->line_speed) && in->u8(&c->gradient) &&
         in->u8(&c->adhesion);
}

bool decode_grid_file(const Bytes& file, std::vector<GridCell>* cells, FormatError* error) {
  cells->clear();
  if (file.empty()) {
    *error =
        FormatError{0, "a grid file holds a whole number of 15-byte cells; this one has 0 bytes"};
    return false;
  }
  ByteReader in(file.data(), file.size());
  cells->reserve(file.size() / kGridCellBytes);
  while (in.left() != 0) {
    GridCell c;
    if (!decode_grid_cell(&in, &c)) {
      *error =
          FormatError{in.at(), "a grid file holds a whole number of 15-byte cells; this one has " +
                                   std::to_string(file.size()) + " bytes, and the cell at offset " +
                                   std::to_string(in.at()) + " is cut short"};
      return false;
    }
    cells->push_back(c);
  }
  return true;
}

}  // namespace binario
