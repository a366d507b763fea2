#ifndef BINARIO_ROUTE_BOARDS_H_
#define BINARIO_ROUTE_BOARDS_H_

#include <cstdint>
#include <string_view>

#include "model/line_grid.h"
#include "model/station_table.h"

namespace binario {

// The eight values of a speed-indicator board after its position: three
// speeds and a stripe count for each side, left side first.
struct SpeedBoard {
  int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// Places a speed-indicator board at `posizione` (at least 0, in the grid) in
// cell round(posizione / 50 + 1): kind 6, value1..3 = round(right speed / 5 +
// 20 x left speed) and value4 = 10 x strisces + strisced. Returns 0, 21 when
// the cell is not free, or 25 when a packed value does not fit 16 bits (the
// cell is then left as it was).
int32_t memo_indicatori_v_max(LineGrid& griglia, int32_t posizione, const SpeedBoard& board);

// Places a location board at `posizione` (at least 0, in the grid): its cell
// round(posizione / 50 + 1) gets kind 14 and the number of the station record
// that receives `testo`; the next board record then moves down by one.
// Returns 0, 6 when the cell is not free, or 25 when the board records are
// used up (record 0 is never a board).
int32_t memo_cartello_indicatore(LineGrid& griglia, StationTable& stazioni,
                                 int32_t& next_board_record, int32_t posizione,
                                 std::string_view testo);

}  // namespace binario

#endif  // BINARIO_ROUTE_BOARDS_H_
