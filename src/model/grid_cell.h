#ifndef BINARIO_MODEL_GRID_CELL_H_
#define BINARIO_MODEL_GRID_CELL_H_

#include <cstdint>

namespace binario {

// What occupies a cell of the line grid. No other code is ever stored.
namespace cell_kind {
constexpr uint8_t kEmpty = 0;
constexpr uint8_t kSignal = 1;
constexpr uint8_t kSlowdownEnd = 2;
constexpr uint8_t kSlowdownStart = 3;
constexpr uint8_t kWarningBoard = 4;  // slowdown warning board
constexpr uint8_t kPreWarning = 5;    // the four cells in front of a warning board
constexpr uint8_t kSpeedBoard = 6;    // speed-indicator board
constexpr uint8_t kStopMarker = 10;   // station stop marker
constexpr uint8_t kMountainMarker = 11;
constexpr uint8_t kCodePoint = 12;
constexpr uint8_t kCodeCut = 13;
constexpr uint8_t kLocationBoard = 14;
}  // namespace cell_kind

// One 50-metre cell of the line grid. `kind` and the four values describe the
// one point object in the cell; `signal_time` belongs to a signal there;
// `approach` marks cells in front of signals and station stops; the last four
// fields are properties of the stretch of line that covers the cell.
struct GridCell {
  uint8_t kind = cell_kind::kEmpty;
  int16_t value1 = 0;
  int16_t value2 = 0;
  int16_t value3 = 0;
  int16_t value4 = 0;
  uint8_t signal_time = 0;
  uint8_t approach = 0;
  uint8_t mountain = 0;
  uint8_t line_speed = 0;  // km/h divided by 5
  uint8_t gradient = 0;    // gradient + 100
  uint8_t adhesion = 0;

  // A point object may be placed here: the cell is empty or holds only a
  // mountain marker, which the object replaces.
  bool is_free() const { return kind == cell_kind::kEmpty || kind == cell_kind::kMountainMarker; }
};

// Bytes of one cell in the grid file.
constexpr int kGridCellBytes = 15;

// Cell 1 carries the header stamp in `value1` and the competition code in `value2`.
constexpr int32_t kHeaderCell = 1;

}  // namespace binario

#endif  // BINARIO_MODEL_GRID_CELL_H_
