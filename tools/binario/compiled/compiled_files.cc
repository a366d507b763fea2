#include "compiled/compiled_files.h"

#include <cmath>

#include "model/grid_cell_format.h"
#include "model/station_record_format.h"

namespace binario::tool {

namespace {

bool failed(const FormatError& why, std::string* error) {
  *error = why.what;
  return false;
}

}  // namespace

bool decode_station_file(const Bytes& file, std::vector<StationRecord>* records,
                         std::string* error) {
  FormatError why;
  return binario::decode_station_file(file, records, &why) || failed(why, error);
}

bool decode_grid_file(const Bytes& file, std::vector<GridCell>* cells, std::string* error) {
  FormatError why;
  return binario::decode_grid_file(file, cells, &why) || failed(why, error);
}

bool decode_route_plan_points(const Bytes& file, std::vector<PlanPoint>* points,
                              std::string* error) {
  FormatError why;
  return decode_route_plan_file(file, points, &why) || failed(why, error);
}

RoutePlanSummary summarize_route_plan(const std::vector<PlanPoint>& points) {
  RoutePlanSummary summary;
  summary.points = static_cast<int64_t>(points.size());
  double previous_dx = 0, previous_dy = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const PlanPoint& p = points[i];
    if (p.tag == value_tag::kEmpty) ++summary.empty_points;
    if (p.tag == value_tag::kInt16) ++summary.integer_points;
    if (p.tag == value_tag::kDouble) ++summary.double_points;
    if (p.tag == value_tag::kEmpty) continue;
    if (summary.last_point == static_cast<int64_t>(i) - 1 && i > 0) {
      double dx = p.x - summary.last_x, dy = p.y - summary.last_y;
      if (i > 1 && std::fabs(dx * previous_dy - dy * previous_dx) > 1e-12) ++summary.curved_points;
      previous_dx = dx;
      previous_dy = dy;
    }
    summary.last_x = p.x;
    summary.last_y = p.y;
    summary.last_point = static_cast<int64_t>(i);
  }
  return summary;
}

bool decode_route_plan(const Bytes& file, RoutePlanSummary* summary, std::string* error) {
  std::vector<PlanPoint> points;
  if (!decode_route_plan_points(file, &points, error)) return false;
  *summary = summarize_route_plan(points);
  return true;
}

}  // namespace binario::tool
