#ifndef BINARIO_TOOLS_COMPILED_COMPILED_FILES_H_
#define BINARIO_TOOLS_COMPILED_COMPILED_FILES_H_

// Readers for the three files the installer writes, for authors' inspection.
// The layouts themselves are read by the decoders beside their encoders; these
// give their findings as the tool's messages.

#include <cstdint>
#include <string>
#include <vector>

#include "base/text.h"
#include "model/grid_cell.h"
#include "model/route_plan_format.h"
#include "model/station_table.h"

namespace binario::tool {

// The station file: exactly 87 records. False, with `error` set, when the
// bytes do not form that.
bool decode_station_file(const Bytes& file, std::vector<StationRecord>* records,
                         std::string* error);

// The grid file: a whole number of 15-byte cells.
bool decode_grid_file(const Bytes& file, std::vector<GridCell>* cells, std::string* error);

// The route plan file, read as what it holds rather than kept point by point.
struct RoutePlanSummary {
  int64_t points = 0;          // per coordinate: T + 1
  int64_t integer_points = 0;  // per coordinate, 16-bit integers
  int64_t double_points = 0;   // per coordinate, doubles
  int64_t empty_points = 0;    // per coordinate, empty
  double last_x = 0;           // the last point that holds both coordinates
  double last_y = 0;
  int64_t last_point = -1;
  // Metres of line that turn: points whose step differs in direction from the one before.
  int64_t curved_points = 0;
};

// What the points of a route plan hold, counted.
RoutePlanSummary summarize_route_plan(const std::vector<PlanPoint>& points);

bool decode_route_plan(const Bytes& file, RoutePlanSummary* summary, std::string* error);

// Every point of the route plan, point i at index i (i metres from the start).
bool decode_route_plan_points(const Bytes& file, std::vector<PlanPoint>* points,
                              std::string* error);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMPILED_COMPILED_FILES_H_
