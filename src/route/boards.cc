#include "route/boards.h"

#include <optional>

#include "base/round.h"
#include "model/cell_index.h"
#include "model/compile_state.h"

namespace binario {

namespace {

// round(right / 5 + 20 x left): the product in 32-bit integers, the quotient
// and the sum in doubles, rounded once to 16 bits.
std::optional<int16_t> pack_speeds(int32_t left, int32_t right) {
  int64_t twenty_left = int64_t{20} * left;
  if (twenty_left < INT32_MIN || twenty_left > INT32_MAX) return std::nullopt;
  return round_i16(static_cast<double>(right) / 5 + static_cast<double>(twenty_left));
}

bool fits_i16(int64_t v) { return v >= INT16_MIN && v <= INT16_MAX; }

}  // namespace

Fault memo_indicatori_v_max(LineGrid& griglia, int32_t posizione, const SpeedBoard& board) {
  GridCell& cell = griglia[point_cell(posizione)];
  if (!cell.is_free()) return Fault::kSpeedBoardTaken;

  std::optional<int16_t> v1 = pack_speeds(board.vas, board.vad);
  std::optional<int16_t> v2 = pack_speeds(board.vbs, board.vbd);
  std::optional<int16_t> v3 = pack_speeds(board.vcs, board.vcd);
  // The stripe counts are 16-bit values and their packing 16-bit arithmetic.
  int64_t ten_left = int64_t{10} * board.strisces;
  int64_t stripes = ten_left + board.strisced;
  if (!v1 || !v2 || !v3 || !fits_i16(board.strisces) || !fits_i16(board.strisced) ||
      !fits_i16(ten_left) || !fits_i16(stripes)) {
    return Fault::kReadingFailure;
  }

  cell.kind = cell_kind::kSpeedBoard;
  cell.value1 = *v1;
  cell.value2 = *v2;
  cell.value3 = *v3;
  cell.value4 = static_cast<int16_t>(stripes);
  return Fault::kNone;
}

Fault memo_cartello_indicatore(LineGrid& griglia, StationTable& stazioni,
                               int32_t& next_board_record, int32_t posizione,
                               std::string_view testo) {
  GridCell& cell = griglia[point_cell(posizione)];
  if (!cell.is_free()) return Fault::kLocationBoardTaken;
  if (next_board_record < kFirstStationRecord) return Fault::kReadingFailure;
  // The station file keeps a text's length in 16 bits.
  if (testo.size() > kMaxRecordName) return Fault::kReadingFailure;

  cell.kind = cell_kind::kLocationBoard;
  cell.value1 = static_cast<int16_t>(next_board_record);
  stazioni[next_board_record].name = Text(testo);
  --next_board_record;
  return Fault::kNone;
}

}  // namespace binario
