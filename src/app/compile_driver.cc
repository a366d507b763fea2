#include "app/compile_driver.h"

#include "finish/competition_codes.h"
#include "finish/post_process.h"
#include "platform/replace_file.h"
#include "route/route_reader.h"
#include "scenario/scenario_reader.h"

namespace binario {

namespace {

constexpr int16_t kStationHeaderStamp = 610;
constexpr int16_t kGridHeaderStamp = 5121;  // 0x1401

// "<code>", or "<code>, posizione <m> m" for a fault found at a place on the line.
Text report(const CompileState& state) {
  Text text = decimal(state.codice_errore);
  if (code_records_position(state.codice_errore)) {
    text.append(", posizione ");
    text.append(decimal(state.posizione_errore));
    text.append(" m");
  }
  return text;
}

// Each image is built in one buffer, written whole and released before the next.
bool write_route_plan(CompileState& state, Disk& disk) {
  Bytes image;
  state.piano.serialize(&image);
  return replace_file(disk, state.path_of(state.route_plan_name()), image);
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

void memorizza_dati(CompileState& state, Disk& disk) {
  leggi_percorso(state, disk);
  if (state.codice_errore == 0 || state.codice_errore == codice::kBeyondGrid) {
    leggi_scenario(state, disk);
  }
}

Text memorizza_percorso(CompileState& state, Disk& disk, int32_t j) {
  state.write_route = j;
  state.clear_fault();
  state.stazioni.clear();

  // A recorded fault is reported and nothing is written.
  memorizza_dati(state, disk);
  if (state.codice_errore != 0) return report(state);
  // The readers leave a complete grid (and plan) whenever they record no fault.
  if (!state.griglia.exists() || (j != 0 && !state.piano.exists())) {
    return decimal(codice::kReadingFailure);
  }
  post_process_grid(state);
  if (state.codice_errore != 0) return report(state);

  StationRecord& route = state.stazioni[kRouteRecord];
  GridCell& header = state.griglia[kHeaderCell];
  if (route.group1_a != 0 || header.value1 != 0) return Text("1250");
  route.group1_a = kStationHeaderStamp;
  header.value1 = kGridHeaderStamp;
  if (route.scheduled_time != 0 || header.value2 != 0) return Text("1251");
  route.scheduled_time = codice_gara_st(state.stazioni);
  header.value2 = static_cast<int16_t>(codice_gara_og(state.stazioni));

  if (j != 0 && !write_route_plan(state, disk)) return Text(kUnwritableFileCode);
  if (!write_station_file(state, disk)) return Text(kUnwritableFileCode);
  if (!write_grid_file(state, disk)) return Text(kUnwritableFileCode);
  return Text();
}

}  // namespace binario
