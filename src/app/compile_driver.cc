#include "app/compile_driver.h"

#include "finish/competition_codes.h"
#include "finish/post_process.h"
#include "model/grid_cell_format.h"
#include "model/station_record_format.h"
#include "platform/replace_file.h"
#include "route/route_reader.h"
#include "scenario/scenario_reader.h"

namespace binario {

namespace {

CompileResult failed(Fault fault) {
  CompileResult result;
  result.fault = fault;
  return result;
}

// The route plan is kept as its file image and written from there; the other
// images are built in one buffer, written whole and released before the next.
bool write_route_plan(CompileState& state, Disk& disk) {
  Bytes scratch;
  std::span<const uint8_t> image = state.piano.file_image(&scratch);
  return replace_file(disk, state.path_of(state.route_plan_name()), image.data(), image.size());
}

bool write_station_file(CompileState& state, Disk& disk) {
  Bytes image;
  state.stazioni.serialize(&image);
  return replace_file(disk, state.path_of(state.station_file_name()), image);
}

bool write_grid_file(CompileState& state, Disk& disk) {
  Bytes image;
  state.griglia.serialize(&image);
  return replace_file(disk, state.path_of(state.grid_file_name()), image);
}

}  // namespace

// A text already gone is left alone: removing it only answers false.
void remove_texts(const CompileState& state, Disk& disk) {
  for (int i = 0; i < 2; ++i) {
    disk.remove_file(
        state.path_of(i == 0 ? state.route_text_name() : state.scenario_text_name()).c_str());
  }
}

CompileResult recorded(const CompileState& state) {
  CompileResult result;
  result.fault = state.fault();
  result.position = state.posizione_errore();
  result.input = state.fault_input();
  result.byte = state.fault_byte();
  return result;
}

void memorizza_dati(CompileState& state, Disk& disk) {
  leggi_percorso(state, disk);
  if (state.fault() == Fault::kNone || state.fault() == Fault::kBeyondGrid) {
    leggi_scenario(state, disk);
  }
  if (state.fault() == Fault::kReadingFailure) remove_texts(state, disk);
}

CompileResult memorizza_percorso(CompileState& state, Disk& disk, bool write_route) {
  state.write_route = write_route ? 1 : 0;
  state.clear_fault();
  state.stazioni.clear();

  // A recorded fault is reported and nothing is written.
  memorizza_dati(state, disk);
  if (state.fault() != Fault::kNone) return recorded(state);
  // The readers leave a complete grid (and plan) whenever they record no fault.
  if (!state.griglia.exists() || (write_route && !state.piano.exists())) {
    return failed(Fault::kReadingFailure);
  }
  post_process_grid(state);
  if (state.fault() != Fault::kNone) return recorded(state);

  StationRecord& route = state.stazioni[kRouteRecord];
  GridCell& header = state.griglia[kHeaderCell];
  if (route.group1_a != 0 || header.value1 != 0) return failed(Fault::kHeaderStampTaken);
  route.group1_a = kStationHeaderStamp;
  header.value1 = kGridHeaderStamp;
  if (route.scheduled_time != 0 || header.value2 != 0) return failed(Fault::kHeaderCodeTaken);
  route.scheduled_time = codice_gara_st(state.stazioni);
  header.value2 = static_cast<int16_t>(codice_gara_og(state.stazioni));

  if (write_route && !write_route_plan(state, disk)) return failed(Fault::kCannotWriteFile);
  if (!write_station_file(state, disk)) return failed(Fault::kCannotWriteFile);
  if (!write_grid_file(state, disk)) return failed(Fault::kCannotWriteFile);
  return CompileResult();
}

}  // namespace binario
