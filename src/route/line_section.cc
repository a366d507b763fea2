// The line section of the route text: gradients, curves, mountains and the
// two kinds of board, each line into the grid or the route plan.

#include <cstdint>
#include <optional>

#include "base/grammar.h"
#include "model/cell_index.h"
#include "model/route_plan.h"
#include "route/boards.h"
#include "route/mountains.h"
#include "route/route_grammar.h"
#include "route/route_text_reader.h"

namespace binario::route_text {

namespace {

constexpr int32_t kGradientBase = 100;  // a cell stores gradient + 100
constexpr int kLineDashSkips = 2;

}  // namespace

// In the grammar's order: gradient, curve, mountain, speed-indicator board,
// location board. A curve line is read only when the route plan is built.
const RouteReader::Action RouteReader::kLineActions[] = {
    &RouteReader::gradient_line,    &RouteReader::curve_line,          &RouteReader::mountain_line,
    &RouteReader::speed_board_line, &RouteReader::location_board_line,
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
    keyword_offset_ = static_cast<int32_t>(in_.field_offset());
    Flow flow = line_keywords();
    if (flow != Flow::kGoOn) return flow;
  }
}

Flow RouteReader::line_keywords() {
  return grammar::run_rules(
      route_grammar::kLineRules, kLineActions, state_.campo, Flow::kGoOn,
      [this](Action action, const KeywordRule& rule) { return (this->*action)(rule); });
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

Flow RouteReader::gradient_line(const KeywordRule& rule) {
  int32_t v[2];
  read_values(rule, v);
  if (values_failed()) return fail();
  const int32_t p = v[0];
  const int32_t g = v[1];
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

Flow RouteReader::curve_line(const KeywordRule& rule) {
  if (state_.write_route == 0) return Flow::kGoOn;
  int32_t v[2];
  read_values(rule, v);
  if (values_failed()) return fail();
  const int32_t s = v[0];
  const int32_t n = v[1];
  Flow flow = range_check(s);
  if (flow != Flow::kGoOn) return flow;
  RoutePlan& plan = state_.piano;
  if (int64_t{s} + n > plan.last()) return beyond_grid(s);
  std::optional<double> k = curvature_of(state_.campo);
  if (!k) return stop(Fault::kBadCurve);
  if (!plan.lay_curve(s, n, *k)) return stop(Fault::kBadCurve);
  return Flow::kGoOn;
}

Flow RouteReader::mountain_line(const KeywordRule& rule) {
  int32_t v[3];
  read_values(rule, v);
  if (values_failed()) return fail();
  const int32_t inizio = v[0];
  const int32_t fine = v[1];
  int32_t tipo = v[2];
  Flow flow = range_check(inizio);
  if (flow != Flow::kGoOn) return flow;
  int32_t off_grid = 0;
  const Fault refusal = check_montagna(state_.griglia, montagne_, inizio, fine, &off_grid);
  if (refusal == Fault::kBeyondGrid) return beyond_grid(off_grid);
  if (refusal != Fault::kNone) return fail();
  memo_montagna(state_.griglia, montagne_, inizio, fine, tipo);
  return Flow::kGoOn;
}

Flow RouteReader::speed_board_line(const KeywordRule& rule) {
  int32_t v[9];
  read_values(rule, v);
  if (values_failed()) return fail();
  const int32_t posizione = v[0];
  const SpeedBoard b{v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
  Flow flow = range_check(posizione);
  if (flow != Flow::kGoOn) return flow;
  if (posizione < 0) return beyond_grid(posizione);
  Fault fault = memo_indicatori_v_max(state_.griglia, posizione, b);
  if (fault == Fault::kReadingFailure) return fail();
  if (fault != Fault::kNone) return stop_at(fault, posizione);
  return Flow::kGoOn;
}

Flow RouteReader::location_board_line(const KeywordRule& rule) {
  int32_t posizione = 0;
  grammar::read_numbers(in_, rule, &posizione, 0, 1);
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
