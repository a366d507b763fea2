#ifndef BINARIO_MODEL_COMPILE_STATE_H_
#define BINARIO_MODEL_COMPILE_STATE_H_

#include <cstdint>
#include <string_view>

#include "base/text.h"
#include "model/fault.h"
#include "model/file_names.h"
#include "model/line_grid.h"
#include "model/route_plan.h"
#include "model/station_table.h"

namespace binario {

// No field: a fault found at no one place of a text.
inline constexpr int32_t kNoField = -1;

// The one object of a run: the names, every table, the readers' hand-over
// values and the run error state. Everything starts at 0 or empty, the
// fault's field at kNoField.
class CompileState {
 public:
  Text cartella;       // the executable's folder: every file read or written is here
  Text nome_percorso;  // route name, from the package
  Text nome_treno;     // train name, from the package

  int32_t write_route = 0;  // non-zero: build and write the route plan

 private:
  // The run error state, written only through the record functions below.
  // (Kept before the tables, near the start of the state, where the readers'
  // many tests of it take the shortest instructions.)
  Fault codice_errore_ = Fault::kNone;
  int32_t posizione_errore_ = 0;
  InputText fault_input_ = InputText::kNone;
  int32_t fault_byte_ = kNoField;

 public:
  StationTable stazioni;
  LineGrid griglia;
  RoutePlan piano;

  // Hand-over between the route reader and the scenario reader.
  Text campo;  // the last field read
  int32_t next_board_record = kFirstBoardRecord;

  // `<cartella><separator><name>`.
  Text path_of(std::string_view name) const;

  // The run's file names, from the two names.
  ScenarioNames names() const { return ScenarioNames(nome_percorso, nome_treno); }
  Text route_text_name() const;     // <route>_linea.txt
  Text scenario_text_name() const;  // <route>_<train>-.txt
  Text route_plan_name() const;     // <route>_linea.dat
  Text station_file_name() const;   // <route>_<train>.sim
  Text grid_file_name() const;      // <route>_<train>.dat
  // The file name of `text`; empty for InputText::kNone.
  Text text_name(InputText text) const;

  // The run error state. A fault records its code, and its position in
  // metres when it has one; a later fault replaces the code (and the
  // position when it records one).
  Fault fault() const { return codice_errore_; }  // Fault::kNone while there is none
  int32_t posizione_errore() const { return posizione_errore_; }
  // Where the fault was found, for authors' diagnostics only: the text and
  // the byte offset in it of the field the reader stopped on (kNoField when
  // the fault belongs to no one field). Set with the fault.
  InputText fault_input() const { return fault_input_; }
  int32_t fault_byte() const { return fault_byte_; }

  // Records `fault`, found at the field at byte `offset` of `text`
  // (kNoField: at no one field). The position stays as it was.
  void record_fault(Fault fault, InputText text, int32_t offset);
  // The same for a fault found `position` metres along the line.
  void record_fault_at(Fault fault, int32_t position, InputText text, int32_t offset);
  // Before the readers run: no fault recorded.
  void clear_fault();

  // The readers' one failure handler: records code 25 found at the field at
  // byte `offset` of `text`. Files are not the state's business:
  // `memorizza_dati` deletes both texts once reading has ended on this code.
  void fail_reading(InputText text, int32_t offset);
};

}  // namespace binario

#endif  // BINARIO_MODEL_COMPILE_STATE_H_
