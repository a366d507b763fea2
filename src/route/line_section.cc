// The line section of the route text: gradients, curves, mountains and the
// two kinds of board, each line into the grid or the route plan.

#include <cstdint>
#include <optional>

#include "base/keyword_table.h"
#include "model/cell_index.h"
#include "model/route_plan.h"
#include "route/boards.h"
#include "route/mountains.h"
#include "route/route_text_reader.h"

namespace binario::route_text {

namespace {

constexpr int32_t kGradientBase = 100;  // a cell stores gradient + 100
constexpr int kLineDashSkips = 2;

}  // namespace

// A curve line is read only when the route plan is built.
const RouteKeyword RouteReader::kLineKeywords[] = {
    {{"pendenza"}, &RouteReader::gradient_line},
    {{"curva"}, &RouteReader::curve_line},
    {{"montagna"}, &RouteReader::mountain_line},
    {{"indicatori_v"}, &RouteReader::speed_board_line},
    {{"indicat", "cartello"}, &RouteReader::location_board_line},
};

Flow RouteReader::read_line_section() {
  for (;;) {
    if (in_.at_end()) return Flow::kEndOfReading;
    next_field();
    if (in_.at_end()) return Flow::kEndOfReading;
    for (int i = 0; i < kLineDashSkips; ++i) {
      if (contains(state_.campo, "-")) {
        next_field();
        if (in_.at_end()) return Flow::kEndOfReading;
      }
    }
    Flow flow = line_keywords();
    if (flow != Flow::kGoOn) return flow;
  }
}

Flow RouteReader::line_keywords() {
  return run_keywords(kLineKeywords, state_.campo, Flow::kGoOn,
                      [this](Flow (RouteReader::*action)()) { return (this->*action)(); });
}

bool RouteReader::write_gradient() {
  if (previous_gradient_ > INT32_MAX - kGradientBase) return false;
  LineGrid& grid = state_.griglia;
  // Gradient lines out of order push the cursor on; it never leaves the grid.
  if (gradient_cursor_ <= grid.last()) {
    grid[gradient_cursor_].gradient = static_cast<uint8_t>(previous_gradient_ + kGradientBase);
    ++gradient_cursor_;
  }
  return true;
}

Flow RouteReader::gradient_line() {
  int32_t p = in_.read_i32();
  int32_t g = in_.read_i32();
  if (values_failed()) return fail();
  Flow flow = range_check(p);
  if (flow != Flow::kGoOn) return flow;
  // The previous gradient covers the cells up to the one before round(p / 50),
  // and always at least the cell at the cursor.
  int32_t t = stretch_cell(p);
  if (t > 0) {
    do {
      if (!write_gradient()) return fail();
    } while (gradient_cursor_ < t);
  }
  previous_gradient_ = g;
  return Flow::kGoOn;
}

Flow RouteReader::curve_line() {
  if (state_.write_route == 0) return Flow::kGoOn;
  int32_t s = in_.read_i32();
  int32_t n = in_.read_i32();
  if (values_failed()) return fail();
  Flow flow = range_check(s);
  if (flow != Flow::kGoOn) return flow;
  RoutePlan& plan = state_.piano;
  if (int64_t{s} + n > plan.last()) return beyond_grid(s);
  std::optional<double> k = curvature_of(state_.campo);
  if (!k) return stop(Fault::kBadCurve);
  if (!plan.lay_curve(s, n, *k)) return stop(Fault::kBadCurve);
  return Flow::kGoOn;
}

Flow RouteReader::mountain_line() {
  int32_t inizio = in_.read_i32();
  int32_t fine = in_.read_i32();
  int32_t tipo = in_.read_i32();
  if (values_failed()) return fail();
  Flow flow = range_check(inizio);
  if (flow != Flow::kGoOn) return flow;
  int32_t off_grid = 0;
  const Fault refusal = check_montagna(state_.griglia, montagne_, inizio, fine, &off_grid);
  if (refusal == Fault::kBeyondGrid) return beyond_grid(off_grid);
  if (refusal != Fault::kNone) return fail();
  memo_montagna(state_.griglia, montagne_, inizio, fine, tipo);
  return Flow::kGoOn;
}

Flow RouteReader::speed_board_line() {
  int32_t posizione = in_.read_i32();
  SpeedBoard b;
  b.vas = in_.read_i32();
  b.vbs = in_.read_i32();
  b.vcs = in_.read_i32();
  b.strisces = in_.read_i32();
  b.vad = in_.read_i32();
  b.vbd = in_.read_i32();
  b.vcd = in_.read_i32();
  b.strisced = in_.read_i32();
  if (values_failed()) return fail();
  Flow flow = range_check(posizione);
  if (flow != Flow::kGoOn) return flow;
  if (posizione < 0) return beyond_grid(posizione);
  Fault fault = memo_indicatori_v_max(state_.griglia, posizione, b);
  if (fault == Fault::kReadingFailure) return fail();
  if (fault != Fault::kNone) return stop_at(fault, posizione);
  return Flow::kGoOn;
}

Flow RouteReader::location_board_line() {
  int32_t posizione = in_.read_i32();
  next_field();  // the board text, kept as it stands
  if (values_failed()) return fail();
  Flow flow = range_check(posizione);
  if (flow != Flow::kGoOn) return flow;
  if (posizione < 0) return beyond_grid(posizione);
  Fault fault = memo_cartello_indicatore(state_.griglia, state_.stazioni, state_.next_board_record,
                                         posizione, state_.campo);
  if (fault == Fault::kReadingFailure) return fail();
  if (fault != Fault::kNone) return stop_at(fault, posizione);
  return Flow::kGoOn;
}

}  // namespace binario::route_text
