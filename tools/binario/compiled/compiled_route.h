#ifndef BINARIO_TOOLS_COMPILED_COMPILED_ROUTE_H_
#define BINARIO_TOOLS_COMPILED_COMPILED_ROUTE_H_

// The three compiled files of one scenario, decoded, and what their records
// and cells mean to an author. Dump and preview read only this.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compiled/compiled_files.h"
#include "model/grid_cell.h"
#include "model/station_table.h"

namespace binario::tool {

struct CompiledRoute {
  std::vector<StationRecord> records;  // the 87 records of the station file
  std::vector<GridCell> cells;         // cells 0 to L of the grid file
  std::vector<PlanPoint> plan;         // point i is i metres along the line
};

// How the records 1 to 80 are shared: stations from record 1 upward, location
// board texts from record 80 downward.
struct RecordUses {
  int stations = 0;  // records 1 to `stations`
  int boards = 0;    // records 80 down to 81 - `boards`
};
RecordUses record_uses(const std::vector<StationRecord>& records);

// What record `index` holds: "station", "location board", "kilometric
// progressive", "service values", "route values", "train values", "cleared".
const char* record_use(int index, const RecordUses& uses);

// The named values of a route-header record (81 to 86), in the order an
// author reads them; empty for any other record.
std::vector<std::pair<const char*, int64_t>> header_meaning(int index, const StationRecord& r);

// "signal", "slowdown start", ...; "empty" for kind 0, "unknown" for a code
// the compiler never stores.
const char* cell_kind_name(uint8_t kind);

// First metre of the 50-metre stretch that cell `index` covers.
inline int64_t cell_metre(size_t index) { return static_cast<int64_t>(index) * 50; }

// Metre at which the writer of a point object placed it, from its cell:
// signals, boards and slowdown starts sit one cell after their position,
// code points in the cell of their position, stop markers one cell before
// their station's area end.
int64_t object_metre(size_t index, uint8_t kind);

// Signed gradient in per mille, line speed in km/h.
inline int gradient_per_mille(const GridCell& c) { return static_cast<int>(c.gradient) - 100; }
inline int line_speed_kmh(const GridCell& c) { return static_cast<int>(c.line_speed) * 5; }

// "hh:mm:ss" of seconds after midnight.
std::string clock_text(int64_t seconds);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMPILED_COMPILED_ROUTE_H_
