#ifndef BINARIO_SCENARIO_SCENARIO_CONTEXT_H_
#define BINARIO_SCENARIO_SCENARIO_CONTEXT_H_

#include <cstdint>

#include "base/field_reader.h"
#include "base/grammar.h"
#include "base/text.h"
#include "model/compile_state.h"
#include "model/station_table.h"
#include "platform/disk.h"

namespace binario {

using grammar::KeywordRule;

// What the reader does after one keyword action.
enum class Step {
  kGoOn,      // read the next keyword field
  kEndSteps,  // a position beyond the grid (code 15): leave the loop, run the end steps
  kStop,      // a fault ended reading; the text is deleted (after code 25, by the run)
};

// One reading of the scenario text: where it is, the field stream, and the
// reader's working values. The keyword actions work on it.
struct ScenarioContext {
  ScenarioContext(CompileState& s, Disk& d, FieldReader& r, const Text& text_path)
      : state(s), disk(d), in(r), path(text_path) {}

  CompileState& state;
  Disk& disk;
  FieldReader& in;
  const Text& path;  // the scenario text, deleted when reading stops; outlives the reading

  // Line tables: the first cell whose line speed (adhesion) is not written
  // yet, and the value in force up to the next table line.
  int32_t speed_fill = 0;
  int32_t adherence_fill = 0;
  int32_t current_speed = 0;
  int32_t current_adherence = 0;
  int32_t speed_set_at = kNoField;    // keyword field of the line that set the current speed
  int32_t keyword_offset = kNoField;  // keyword field being acted on: where its faults are

  int32_t next_station = kFirstStationRecord;

  // Range check of a line's position: at least `margin` metres before the
  // end of the grid. A position that fails records code 15 with it.
  bool position_fits(int32_t position, int32_t margin = 100);
  // The same for a point object (signal, slowdown, code point, station),
  // which also may not lie before the start of the line.
  bool point_fits(int32_t position, int32_t margin = 100);

  // Reads values [from, to) of a keyword line, each number at its width, into
  // v[from] to v[to - 1]; all of them when `to` is not given.
  void read_values(const KeywordRule& rule, int32_t* v, size_t from = 0, size_t to = 0) {
    grammar::read_numbers(in, rule, v, from, to == 0 ? rule.count : to);
  }

  // True when the values just read are all there and fit their fields;
  // otherwise records the reading failure (code 25).
  bool values_read();

  // Deletes the scenario text. False when it could not be deleted.
  bool delete_text();

  // Outcomes of a fault found on the current line: the code is recorded,
  // with the field it was found at, and the scenario text deleted (after
  // code 25 the run deletes it, with the route text).
  Step fail_reading(int32_t offset);  // code 25 at `offset`: the run deletes the texts
  // Code 25 at the field just read, or at the one whose read failed.
  Step fail_reading() { return fail_reading(static_cast<int32_t>(in.field_offset())); }
  Step stop(Fault fault);                       // a code without a position
  Step stop_at(Fault fault, int32_t position);  // a code with its position
  // A code 15 that the route reader left stops the scenario at its first
  // point object (signal or slowdown), once that object is laid.
  bool route_left_beyond_grid() const { return state.fault() == Fault::kBeyondGrid; }

  // Code 15 with `position`: reading leaves the loop and the end steps run.
  Step beyond_grid(int32_t position);
};

}  // namespace binario

#endif  // BINARIO_SCENARIO_SCENARIO_CONTEXT_H_
