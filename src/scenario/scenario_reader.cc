#include "scenario/scenario_reader.h"

#include "base/field_reader.h"
#include "base/grammar.h"
#include "scenario/general_values.h"
#include "scenario/line_tables.h"
#include "scenario/scenario_context.h"
#include "scenario/scenario_grammar.h"
#include "scenario/signal.h"
#include "scenario/slowdown.h"
#include "scenario/station_line.h"

namespace binario {

namespace {

using Action = Step (*)(ScenarioContext& r, const KeywordRule& rule);

// In the grammar's order: every test is made on every keyword field, and every
// one that matches runs, reading its own values.
constexpr Action kActions[] = {
    braked_mass_line, cars_line,   speed_line,    adherence_line,  clock_line,
    sand_line,        signal_line, slowdown_line, code_point_line, station_line,
};

Step keyword_actions(ScenarioContext& r) {
  return grammar::run_rules(
      scenario_grammar::kRules, kActions, r.state.campo, Step::kGoOn,
      [&](Action action, const KeywordRule& rule) { return action(r, rule); });
}

// Reads the next keyword field into the field variable. False when the text
// has ended with it: a field after which the text ends is never acted on.
bool read_keyword_field(ScenarioContext& r) {
  r.in.read_text(&r.state.campo);
  return !r.in.at_end();
}

// Skips to the field after "[generale]". False when the text ends first.
bool find_general_section(ScenarioContext& r) {
  while (!r.in.at_end()) {
    r.in.read_text(&r.state.campo);
    if (contains_ignoring_case(r.state.campo, scenario_grammar::kGeneralTitle)) return true;
  }
  return false;
}

// Reads keyword fields and acts on them until the text ends or a fault ends
// reading. A field with a dash is a comment: the next field is read in its
// place, and once more if that one has a dash too.
Step main_loop(ScenarioContext& r) {
  while (!r.in.at_end()) {
    if (!read_keyword_field(r)) break;
    if (contains(r.state.campo, "-")) {
      if (!read_keyword_field(r)) break;
      if (contains(r.state.campo, "-") && !read_keyword_field(r)) break;
    }
    r.keyword_offset = static_cast<int32_t>(r.in.field_offset());
    Step step = keyword_actions(r);
    if (step != Step::kGoOn) return step;
  }
  return Step::kEndSteps;
}

// The kilometric progressive breakpoints that the route reader stored must be
// whole multiples of 50.
bool progressives_on_cells(const StationTable& stazioni) {
  for (int32_t i = kProgressiveRecordFirst; i < kProgressiveRecordFirst + 3; ++i) {
    if (stazioni[i].area_start % 50 != 0 || stazioni[i].area_end % 50 != 0) return false;
  }
  return true;
}

}  // namespace

void leggi_scenario(CompileState& state, Disk& disk) {
  Text path = state.path_of(state.scenario_text_name());
  Bytes text;
  if (!state.griglia.exists() || !disk.file_exists(path.c_str())) {
    state.fail_reading(InputText::kScenario, kNoField);
    return;
  }
  if (!disk.read_file(path.c_str(), &text)) {
    // The text is there and cannot be read back: the folder's fault, not the text's.
    state.record_fault(Fault::kCannotWriteFile, InputText::kScenario, kNoField);
    return;
  }
  std::string_view chars(reinterpret_cast<const char*>(text.data()), text.size());
  FieldReader in(chars);
  ScenarioContext r(state, disk, in, path);

  if (find_general_section(r) && main_loop(r) == Step::kStop) return;

  // End of the text, or a position beyond the grid.
  if (!r.delete_text()) {
    r.fail_reading(kNoField);
    return;
  }
  if (!fill_line_tables_to_end(r)) return;
  if (!progressives_on_cells(state.stazioni)) {
    // The progressives come from the route text.
    state.record_fault(Fault::kProgressiveNotMultiple, InputText::kRoute, kNoField);
  }
}

}  // namespace binario
