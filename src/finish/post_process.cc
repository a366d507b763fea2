#include "finish/post_process.h"

#include "model/grid_cell.h"

namespace binario {

int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

namespace {

// Slowdowns slower than this get code points inside and after them.
constexpr int16_t kSlowSlowdownBelow = 110;
// Code points inside a slow slowdown stand this many cells apart.
constexpr int32_t kInsideStep = 8;
// How far the signals before a warning board are looked for, and how far
// the signal after a slowdown end.
constexpr int32_t kSignalLookBack = 20;
constexpr int32_t kSignalLookAhead = 12;

class Pass {
 public:
  explicit Pass(CompileState& state) : state_(state), grid_(state.griglia) {}

  void run() {
    const int32_t last = grid_.last() - 2;
    for (int32_t i = 1; i <= last; ++i) {
      uint8_t kind = grid_[i].kind;
      if (kind == cell_kind::kWarningBoard) {
        signals_before_board(i);
      } else if (kind == cell_kind::kSlowdownStart) {
        groups_before_start(i);
        if (grid_[i].value1 < kSlowSlowdownBelow) {
          int32_t e = inside_slowdown(i);
          signal_after_end(e);
        }
      }
    }
  }

 private:
  // A cell outside the grid is never free and never a code point or signal.
  bool free(int32_t c) const { return grid_.has_cell(c) && grid_[c].is_free(); }
  bool is(int32_t c, uint8_t kind) const { return grid_.has_cell(c) && grid_[c].kind == kind; }

  void place(int32_t c) {
    grid_[c].kind = cell_kind::kCodePoint;
    grid_[c].value1 = kDerivedCodeValue;
  }

  void lower_to_180(int32_t c) {
    grid_[c].value1 = static_cast<int16_t>(minimo(kDerivedCodeValue, grid_[c].value1));
  }

  void fail(Fault fault, int32_t cell) {
    state_.record_fault_at(fault, cell * 50, InputText::kNone, kNoField);
  }

  // Signals before a warning board: every signal up to 20 cells behind the warning board at i gets
  // a code point in one of the two cells in front of it.
  void signals_before_board(int32_t i) {
    for (int32_t j = 1; j <= kSignalLookBack; ++j) {
      const int32_t a = i - j;
      if (a < 3) return;
      if (!is(a, cell_kind::kSignal)) continue;
      if (free(a - 1)) {
        place(a - 1);
      } else if (free(a - 2)) {
        place(a - 2);
      } else if (is(a - 1, cell_kind::kCodePoint)) {
        lower_to_180(a - 1);
      } else if (is(a - 2, cell_kind::kCodePoint)) {
        lower_to_180(a - 2);
      } else {
        fail(Fault::kNoCellBeforeSignal, a);
      }
    }
  }

  // Groups before a slowdown start: one code point in each of three groups of cells before the
  // slowdown start at i, the nearest free cell of the group preferred.
  void groups_before_start(int32_t i) {
    for (int32_t nearest : {5, 11, 18}) {
      if (i <= nearest + 2) continue;
      bool placed = false;
      for (int32_t c = i - nearest; c >= i - nearest - 2 && !placed; --c) {
        if (free(c)) {
          place(c);
          placed = true;
        }
      }
      if (!placed) fail(Fault::kNoCellBeforeSlowdown, i);
    }
  }

  // Inside a slow slowdown: a code point every 8 cells inside the slowdown that starts at i,
  // counted from the cell where the previous one was placed. Returns the end
  // cell, or L when the walk meets none.
  int32_t inside_slowdown(int32_t i) {
    int32_t k = 0;
    int32_t j = i;
    const int32_t last = grid_.last();
    do {
      ++j;
      ++k;
      if (k == kInsideStep) {
        if (free(j)) {
          place(j);
          k = 0;
        } else if (free(j - 1)) {
          place(j - 1);
          k = 1;
        } else if (free(j + 1)) {
          place(j + 1);
          k = -1;
        } else {
          // k runs on past 8: nothing more is placed inside this slowdown.
          fail(Fault::kNoCellInsideSlowdown, j);
        }
      }
    } while (!is(j, cell_kind::kSlowdownEnd) && j < last);
    return j;
  }

  // The signal after a slowdown end: a code point in front of the first signal within 12 cells
  // after the slowdown end e.
  void signal_after_end(int32_t e) {
    const int32_t bound = e + kSignalLookAhead;
    for (int32_t m = e; m <= bound; ++m) {
      if (!is(m, cell_kind::kSignal)) continue;
      const int32_t k = m - 1;
      if (free(k)) {
        place(k);
      } else if (free(k - 1)) {
        place(k - 1);
      } else {
        fail(Fault::kNoCellInsideSlowdown, e);
      }
      return;
    }
  }

  CompileState& state_;
  LineGrid& grid_;
};

}  // namespace

void post_process_grid(CompileState& state) {
  if (!state.griglia.exists()) return;
  Pass(state).run();
}

}  // namespace binario
