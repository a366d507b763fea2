#include "route/route_reader.h"

#include <string_view>

#include "base/field_reader.h"
#include "base/keyword_table.h"
#include "model/cell_index.h"
#include "model/route_plan.h"
#include "route/boards.h"
#include "route/mountains.h"
#include "route/progressive_ordina.h"

namespace binario {

namespace {

constexpr int32_t kMaxRouteLength = 1000000;
constexpr int32_t kGradientBase = 100;  // a cell stores gradient + 100
constexpr int kGeneralDashSkips = 10;
constexpr int kLineDashSkips = 2;

// How the reading of the route text goes on after a step.
enum class Flow {
  kGoOn,
  kEndOfReading,  // end of the text, or code 15: the tails are filled, the scenario follows
  kStopped,       // a code that ends the routine was recorded; the text is dealt with
};

struct RouteKeyword;

class RouteReader {
 public:
  RouteReader(CompileState& state, Disk& disk, const Text& path, std::string_view text)
      : state_(state), disk_(disk), path_(path), in_(text) {}

  void run();

 private:
  // The keywords of the general section and of the line section.
  static const RouteKeyword kGeneralKeywords[];
  static const RouteKeyword kLineKeywords[];

  Flow find_general_section();
  Flow read_general_section();
  Flow general_keywords();
  Flow between_sections();
  Flow read_line_section();
  Flow line_keywords();
  void end_of_reading();

  Flow route_length();
  Flow progressive(int32_t record);
  Flow progressive_three() { return progressive(kProgressiveRecordFirst); }
  Flow progressive_two() { return progressive(kProgressiveRecordFirst + 1); }
  Flow progressive_one() { return progressive(kProgressiveRecordFirst + 2); }
  // The three background values of the route header.
  Flow background(int32_t StationRecord::*field);
  Flow background_one() { return background(&StationRecord::area_start); }
  Flow background_two() { return background(&StationRecord::position); }
  Flow background_three() { return background(&StationRecord::area_end); }
  Flow signal_repetition();
  Flow gradient_line();
  Flow curve_line();
  Flow mountain_line();
  Flow speed_board_line();
  Flow location_board_line();

  // Reads the next field into the field variable.
  void next_field() { in_.read_text(&state_.campo); }
  // The range check of a line's first value p: the grid bound is at least
  // (p + 100) / 50. Records code 15 at p when it fails.
  Flow range_check(int32_t p);
  // One gradient cell at the cursor; false when gradient + 100 overflows.
  bool write_gradient();

  // Records `code` (with a position when it has one), deletes the route text
  // and ends the routine.
  Flow stop(Fault fault);
  Flow stop_at(Fault fault, int32_t posizione);
  // Deletes the route text after a fault: the routine ends.
  Flow delete_text();
  // Code 15 at `posizione`: the reading ends, the routine goes on.
  Flow beyond_grid(int32_t posizione);
  // Any other failure: code 25, both texts deleted.
  Flow fail();
  // A line's values have been read: a failed read is code 25.
  bool values_failed() const { return in_.failed(); }

  CompileState& state_;
  Disk& disk_;
  const Text& path_;
  FieldReader in_;

  int32_t gradient_cursor_ = 0;
  int32_t previous_gradient_ = 0;
  MountainTables montagne_;
};

Flow RouteReader::stop(Fault fault) {
  state_.record_fault(fault, FaultText::kRoute, in_.line());
  return delete_text();
}

Flow RouteReader::stop_at(Fault fault, int32_t posizione) {
  state_.record_fault_at(fault, posizione, FaultText::kRoute, in_.line());
  return delete_text();
}

Flow RouteReader::delete_text() {
  if (!disk_.remove_file(path_.c_str())) return fail();
  return Flow::kStopped;
}

Flow RouteReader::beyond_grid(int32_t posizione) {
  state_.record_fault_at(Fault::kBeyondGrid, posizione, FaultText::kRoute, in_.line());
  return Flow::kEndOfReading;
}

Flow RouteReader::fail() {
  state_.fail_reading(disk_, FaultText::kRoute, in_.line());
  return Flow::kStopped;
}

Flow RouteReader::range_check(int32_t p) {
  // Without a route length line there is no grid to test against.
  if (!state_.griglia.exists()) return fail();
  if (!state_.griglia.fits(p)) return beyond_grid(p);
  return Flow::kGoOn;
}

void RouteReader::run() {
  Flow flow = find_general_section();
  if (flow == Flow::kGoOn) flow = read_general_section();
  if (flow == Flow::kGoOn) flow = between_sections();
  if (flow == Flow::kGoOn) flow = read_line_section();
  if (flow == Flow::kEndOfReading) end_of_reading();
}

Flow RouteReader::find_general_section() {
  for (;;) {
    // An empty text has no general section either.
    if (in_.at_end()) return stop(Fault::kNoGeneralSection);
    next_field();
    if (in_.at_end()) return stop(Fault::kNoGeneralSection);
    if (contains_ignoring_case(state_.campo, "[generale]")) return Flow::kGoOn;
  }
}

// A section title ends the general section: not a dash-led field, and both brackets.
bool ends_general_section(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  return !(!field.empty() && field.front() == '-') && contains(field, "[") && contains(field, "]");
}

Flow RouteReader::read_general_section() {
  for (;;) {
    if (in_.at_end()) return Flow::kGoOn;
    next_field();
    if (in_.at_end()) return Flow::kGoOn;
    // Comments and stray negative numbers: up to ten dash fields are passed
    // over, with no end-of-text test in between.
    for (int i = 0; i < kGeneralDashSkips; ++i) {
      if (contains(state_.campo, "-")) next_field();
    }
    if (in_.failed()) return fail();
    Flow flow = general_keywords();
    if (flow != Flow::kGoOn) return flow;
    if (ends_general_section(state_.campo)) return Flow::kGoOn;
  }
}

// A keyword of the route text and the reader's action for it.
struct RouteKeyword {
  Keyword keyword;
  Flow (RouteReader::*action)();
};

// Only the route length is case-insensitive; the other words of the general
// section must stand as written.
const RouteKeyword RouteReader::kGeneralKeywords[] = {
    {{"lunghezza", "percorso"}, &RouteReader::route_length},
    {{"progressiva", "tre", true}, &RouteReader::progressive_three},
    {{"progressiva", "due", true}, &RouteReader::progressive_two},
    {{"progressiva", "uno", true}, &RouteReader::progressive_one},
    {{"sfondo", "uno", true}, &RouteReader::background_one},
    {{"sfondo", "due", true}, &RouteReader::background_two},
    {{"sfondo", "tre", true}, &RouteReader::background_three},
    {{"ripetizione", "segnali", true}, &RouteReader::signal_repetition},
};

// A curve line is read only when the route plan is built.
const RouteKeyword RouteReader::kLineKeywords[] = {
    {{"pendenza"}, &RouteReader::gradient_line},
    {{"curva"}, &RouteReader::curve_line},
    {{"montagna"}, &RouteReader::mountain_line},
    {{"indicatori_v"}, &RouteReader::speed_board_line},
    {{"indicat", "cartello"}, &RouteReader::location_board_line},
};

Flow RouteReader::general_keywords() {
  return run_keywords(kGeneralKeywords, state_.campo, Flow::kGoOn,
                      [this](Flow (RouteReader::*action)()) { return (this->*action)(); });
}

Flow RouteReader::route_length() {
  int32_t length = in_.read_i32();
  if (values_failed()) return fail();
  if (length < 0 || length > kMaxRouteLength) return stop(Fault::kRouteTooLong);
  state_.stazioni[kServiceRecord].area_end = length;
  state_.griglia.create(length);
  if (state_.write_route != 0) state_.piano.create(length + kRunOutMetres);
  return Flow::kGoOn;
}

Flow RouteReader::background(int32_t StationRecord::*field) {
  state_.stazioni[kRouteRecord].*field = in_.read_i32();
  if (values_failed()) return fail();
  return Flow::kGoOn;
}

Flow RouteReader::progressive(int32_t record) {
  StationRecord& r = state_.stazioni[record];
  r.area_start = in_.read_i32();  // position
  r.area_end = in_.read_i32();    // kilometre value
  r.position = in_.read_i32();    // flag
  if (values_failed()) return fail();
  return Flow::kGoOn;
}

Flow RouteReader::signal_repetition() {
  StationRecord& train = state_.stazioni[kTrainRecord];
  int32_t start = in_.read_i32();
  int32_t end = in_.read_i32();
  if (values_failed()) return fail();
  train.area_start = start;
  train.area_end = end;
  if (start % 50 != 0) return stop(Fault::kRepetitionStart);
  if (end % 50 != 0) return stop(Fault::kRepetitionEnd);
  // The system comes from the keyword field: "... 4 codici" or "... 9 codici".
  if (contains(state_.campo, "4")) {
    train.position = 4;
  } else if (contains(state_.campo, "9")) {
    train.position = 9;
  } else {
    return stop(Fault::kRepetitionSystem);
  }
  if (end == 0) train.position = 0;
  return Flow::kGoOn;
}

Flow RouteReader::between_sections() {
  if (!progressive_ordina(state_.stazioni)) return fail();
  montagne_ = MountainTables{};
  state_.next_board_record = kFirstBoardRecord;
  gradient_cursor_ = 0;
  if (state_.write_route != 0) {
    if (!state_.piano.exists()) return fail();  // no route length line
    state_.piano.start();
  }
  return Flow::kGoOn;
}

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

void RouteReader::end_of_reading() {
  if (!disk_.remove_file(path_.c_str())) {
    fail();
    return;
  }
  // Without a route length line the grid was never made: its first use fails.
  LineGrid& grid = state_.griglia;
  if (!grid.exists()) {
    fail();
    return;
  }
  // The last gradient runs on to cell L - 3.
  do {
    if (!write_gradient()) {
      fail();
      return;
    }
  } while (gradient_cursor_ < grid.last() - 2);
  if (state_.write_route != 0) state_.piano.finish();
}

}  // namespace

void leggi_percorso(CompileState& state, Disk& disk) {
  state.stazioni[kRouteRecord].name = state.nome_percorso;
  state.stazioni[kTrainRecord].name = state.nome_treno;

  Text path = state.path_of(state.route_text_name());
  if (!disk.file_exists(path.c_str())) {
    state.record_fault(Fault::kNoRouteText, FaultText::kRoute, 0);
    return;
  }
  Bytes text;
  if (!disk.read_file(path.c_str(), &text)) {
    // The text is there and cannot be read back: the folder's fault, not the text's.
    state.record_fault(Fault::kCannotWriteFile, FaultText::kRoute, 0);
    return;
  }
  std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
  RouteReader(state, disk, path, view).run();
}

}  // namespace binario
