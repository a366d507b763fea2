#include "route/route_reader.h"

#include <string_view>

#include "base/field_reader.h"
#include "base/grammar.h"
#include "model/cell_index.h"
#include "model/route_plan.h"
#include "route/boards.h"
#include "route/mountains.h"
#include "route/progressive_ordina.h"
#include "route/route_grammar.h"
#include "route/route_text_reader.h"

namespace binario {

namespace route_text {

Flow RouteReader::stop(Fault fault) {
  state_.record_fault(fault, InputText::kRoute, keyword_offset_);
  return delete_text();
}

Flow RouteReader::stop_at(Fault fault, int32_t posizione) {
  state_.record_fault_at(fault, posizione, InputText::kRoute, keyword_offset_);
  return delete_text();
}

Flow RouteReader::delete_text() {
  if (!disk_.remove_file(path_.c_str())) return fail();
  return Flow::kStopped;
}

Flow RouteReader::beyond_grid(int32_t posizione) {
  state_.record_fault_at(Fault::kBeyondGrid, posizione, InputText::kRoute, keyword_offset_);
  return Flow::kEndOfReading;
}

Flow RouteReader::fail() {
  state_.fail_reading(InputText::kRoute, static_cast<int32_t>(in_.field_offset()));
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
    if (contains_ignoring_case(state_.campo, route_grammar::kGeneralTitle)) return Flow::kGoOn;
  }
}

namespace {

constexpr int32_t kMaxRouteLength = 1000000;
constexpr int kGeneralDashSkips = 10;

// A section title ends the general section: not a dash-led field, and both brackets.
bool ends_general_section(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  return !(!field.empty() && field.front() == '-') && contains(field, "[") && contains(field, "]");
}

}  // namespace

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
    keyword_offset_ = static_cast<int32_t>(in_.field_offset());
    Flow flow = general_keywords();
    if (flow != Flow::kGoOn) return flow;
    if (ends_general_section(state_.campo)) return Flow::kGoOn;
  }
}

// In the grammar's order: length, progressives three, two, one, backgrounds
// one, two, three, signal repetition.
const RouteReader::Action RouteReader::kGeneralActions[] = {
    &RouteReader::route_length,     &RouteReader::progressive_three, &RouteReader::progressive_two,
    &RouteReader::progressive_one,  &RouteReader::background_one,    &RouteReader::background_two,
    &RouteReader::background_three, &RouteReader::signal_repetition,
};

Flow RouteReader::general_keywords() {
  return grammar::run_rules(
      route_grammar::kGeneralRules, kGeneralActions, state_.campo, Flow::kGoOn,
      [this](Action action, const KeywordRule& rule) { return (this->*action)(rule); });
}

Flow RouteReader::route_length(const KeywordRule& rule) {
  int32_t length = 0;
  read_values(rule, &length);
  if (values_failed()) return fail();
  if (length < 0 || length > kMaxRouteLength) return stop(Fault::kRouteTooLong);
  state_.stazioni[kServiceRecord].area_end = length;
  state_.griglia.create(length);
  if (state_.write_route != 0) state_.piano.create(length + kRunOutMetres);
  return Flow::kGoOn;
}

Flow RouteReader::background(const KeywordRule& rule, int32_t StationRecord::*field) {
  read_values(rule, &(state_.stazioni[kRouteRecord].*field));
  if (values_failed()) return fail();
  return Flow::kGoOn;
}

Flow RouteReader::progressive(const KeywordRule& rule, int32_t record) {
  StationRecord& r = state_.stazioni[record];
  int32_t v[3];
  read_values(rule, v);
  r.area_start = v[0];  // position
  r.area_end = v[1];    // kilometre value
  r.position = v[2];    // flag
  if (values_failed()) return fail();
  return Flow::kGoOn;
}

Flow RouteReader::signal_repetition(const KeywordRule& rule) {
  StationRecord& train = state_.stazioni[kTrainRecord];
  int32_t v[2];
  read_values(rule, v);
  if (values_failed()) return fail();
  const int32_t start = v[0];
  const int32_t end = v[1];
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

}  // namespace route_text

void leggi_percorso(CompileState& state, Disk& disk) {
  state.stazioni[kRouteRecord].name = state.nome_percorso;
  state.stazioni[kTrainRecord].name = state.nome_treno;

  Text path = state.path_of(state.route_text_name());
  if (!disk.file_exists(path.c_str())) {
    state.record_fault(Fault::kNoRouteText, InputText::kRoute, kNoField);
    return;
  }
  Bytes text;
  if (!disk.read_file(path.c_str(), &text)) {
    // The text is there and cannot be read back: the folder's fault, not the text's.
    state.record_fault(Fault::kCannotWriteFile, InputText::kRoute, kNoField);
    return;
  }
  std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
  route_text::RouteReader(state, disk, path, view).run();
}

}  // namespace binario
