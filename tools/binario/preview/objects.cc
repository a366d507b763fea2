#include "preview/objects.h"

#include <utility>

#include "preview/drawing.h"
#include "preview/value_names.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

namespace vn = value_name;
namespace at = value_name::place;

ObjectValue number(const grammar::Value& v, int64_t n) { return {v.name, v.unit, {n}, false, {}}; }
ObjectValue number(const char* name, int64_t n, const char* unit = "") {
  return {name, unit, {n}, false, {}};
}
ObjectValue range(const char* name, int64_t from, int64_t to, const char* unit) {
  return {name, unit, {from, to}, true, {}};
}

void station_values(const StationRecord& r, PreviewObject* o) {
  const int64_t flags[] = {r.flag_a, r.flag_b};
  const int64_t groups[] = {r.group1_a, r.group1_b, r.group1_c, r.group2_a, r.group2_b, r.group2_c};
  o->values = {number(vn::station(at::kPosition), r.position),
               number(vn::station(at::kStationKind), r.station_kind),
               range(vn::kArea, r.area_start, r.area_end, "m")};
  for (size_t i = 0; i < 2; ++i)
    o->values.push_back(number(vn::station(at::kStationFlagA + i), flags[i]));
  const grammar::Value& extended = vn::station(at::kStationFlagA + 2);
  o->values.push_back({extended.name, "yes/no", {r.flag_c}, false, {}});
  for (size_t i = 0; i < 6; ++i)
    o->values.push_back(number(vn::station(at::kStationFlagA + 3 + i), groups[i]));
  o->values.push_back(number(vn::station(at::kStationDwell), r.dwell));
  if (r.scheduled_time != 0) o->values.push_back(number(vn::kTime, r.scheduled_time, "clock"));
}

PreviewObject station(const CompiledRoute& c, int record, const SourceLines& sources) {
  const StationRecord& r = c.records[static_cast<size_t>(record)];
  PreviewObject o;
  o.kind = r.station_kind < 25 ? ObjectKind::kStation : ObjectKind::kLocation;
  o.metre = r.position;
  o.title = display_text(r.name.view());
  o.scheduled_time = r.scheduled_time;
  station_values(r, &o);
  if (r.station_kind < 25) o.values.push_back(number(vn::kStopCell, r.area_end / 50 - 1));
  o.values.push_back(number(vn::kRecord, record));
  o.source = sources.station(record);
  return o;
}

// A signal's cell holds its aspects as 10 x left + right per aspect and its
// heads as 10 x repeater + 3 x left head + right head.
void signal_values(const GridCell& g, PreviewObject* o) {
  const int heads = g.value4 % 10;
  const int16_t aspects[] = {g.value1, g.value2, g.value3};
  o->values.push_back(number(vn::signal(at::kSignalLeftHead), heads / 3));
  for (size_t i = 0; i < 3; ++i) {
    o->values.push_back(number(vn::signal(at::kSignalLeftAspect1 + i), aspects[i] / 10));
  }
  o->values.push_back(number(vn::signal(at::kSignalRepeater), g.value4 / 10));
  o->values.push_back(number(vn::signal(at::kSignalRightHead), heads % 3));
  for (size_t i = 0; i < 3; ++i) {
    o->values.push_back(number(vn::signal(at::kSignalRightAspect1 + i), aspects[i] % 10));
  }
  o->values.push_back(number(vn::signal(at::kSignalTime), g.signal_time));
}

// A speed board's cell holds each pair of speeds as 20 x left + right / 5.
void speed_board_values(const GridCell& g, PreviewObject* o) {
  const int16_t pairs[] = {g.value1, g.value2, g.value3};
  for (size_t i = 0; i < 3; ++i) {
    o->values.push_back(number(vn::speed_board(at::kBoardLeftSpeedA + i), pairs[i] / 20));
  }
  o->values.push_back(number(vn::speed_board(at::kBoardLeftStripes), g.value4 / 10));
  for (size_t i = 0; i < 3; ++i) {
    o->values.push_back(number(vn::speed_board(at::kBoardRightSpeedA + i), pairs[i] % 20 * 5));
  }
  o->values.push_back(number(vn::speed_board(at::kBoardRightStripes), g.value4 % 10));
}

void slowdown_point_values(const GridCell& g, PreviewObject* o) {
  if (g.kind == cell_kind::kPreWarning) {
    o->values.push_back(number(vn::kPreWarningNumber, g.value1));
    return;
  }
  o->speed = g.value1;
  o->values.push_back(number(vn::slowdown(at::kSlowdownSpeed), g.value1));
  if (g.kind != cell_kind::kWarningBoard) {
    o->values.push_back(number(vn::slowdown(at::kSlowdownEndValue), g.value3));
  }
  o->values.push_back(number(vn::slowdown(at::kSlowdownBoardValue), g.value2));
}

std::string point_title(uint8_t kind, int64_t metre) {
  return std::string(cell_kind_name(kind)) + " at " + km_text(metre);
}

// The object's own values, after its position.
void kind_values(const CompiledRoute& c, const GridCell& g, PreviewObject* o) {
  switch (g.kind) {
    case cell_kind::kSignal:
      o->kind = ObjectKind::kSignal;
      signal_values(g, o);
      break;
    case cell_kind::kSpeedBoard:
      o->kind = ObjectKind::kSpeedBoard;
      speed_board_values(g, o);
      break;
    case cell_kind::kLocationBoard: {
      o->kind = ObjectKind::kLocationBoard;
      const bool known = g.value1 >= 0 && static_cast<size_t>(g.value1) < c.records.size();
      const std::string text =
          known ? display_text(c.records[static_cast<size_t>(g.value1)].name.view()) : "";
      o->title = "location board " + text;
      o->values.push_back({vn::location_board(at::kBoardText).name, "", {}, false, text});
      break;
    }
    case cell_kind::kPreWarning:
    case cell_kind::kSlowdownStart:
    case cell_kind::kSlowdownEnd:
    case cell_kind::kWarningBoard:
      o->kind = ObjectKind::kSlowdownPoint;
      slowdown_point_values(g, o);
      break;
    default:
      o->kind = ObjectKind::kCodePoint;
      if (g.kind == cell_kind::kCodePoint) {
        o->values.push_back(number(vn::code_point(at::kCodeValue), g.value1));
      }
      break;
  }
}

PreviewObject point_object(const CompiledRoute& c, size_t i, const SourceLines& sources) {
  const GridCell& g = c.cells[i];
  PreviewObject o;
  o.metre = object_metre(i, g.kind);
  o.title = point_title(g.kind, o.metre);
  o.values.push_back(number(vn::signal(at::kPosition), o.metre));
  kind_values(c, g, &o);
  o.values.push_back(number(vn::kCell, static_cast<int64_t>(i)));
  if (g.approach != 0) o.values.push_back(number(vn::kApproach, g.approach));
  o.values.push_back(number(vn::kLineSpeed, line_speed_kmh(g), "km/h"));
  o.values.push_back(number(vn::kGradient, gradient_per_mille(g), "per mille"));
  o.source = sources.cell_object(static_cast<int32_t>(i), g.kind);
  return o;
}

bool drawn_alone(uint8_t kind) {
  // Stop markers belong to their stations, mountain markers to their stretches.
  return kind != cell_kind::kEmpty && kind != cell_kind::kStopMarker &&
         kind != cell_kind::kMountainMarker;
}

// A slowdown from its start to the next end.
PreviewObject slowdown(const CompiledRoute& c, size_t start, const SourceLines& sources) {
  size_t end = start;
  while (end < c.cells.size() && c.cells[end].kind != cell_kind::kSlowdownEnd) ++end;
  if (end == c.cells.size()) end = start;
  PreviewObject o;
  o.kind = ObjectKind::kSlowdown;
  o.metre = object_metre(start, cell_kind::kSlowdownStart);
  o.end_metre = object_metre(end, cell_kind::kSlowdownEnd);
  o.speed = c.cells[start].value1;
  o.title = "slowdown to " + std::to_string(o.speed) + " km/h";
  o.values = {range(vn::slowdown(at::kPosition).name, o.metre, o.end_metre, "m"),
              number(vn::slowdown(at::kSlowdownSpeed), o.speed),
              number(vn::slowdown(at::kSlowdownEndValue), c.cells[start].value3),
              number(vn::slowdown(at::kSlowdownBoardValue), c.cells[start].value2)};
  o.source = sources.cell_object(static_cast<int32_t>(start), cell_kind::kSlowdownStart);
  return o;
}

void add_mountains(const CompiledRoute& c, const SourceLines& sources,
                   std::vector<PreviewObject>* objects) {
  for (size_t i = 0; i < c.cells.size();) {
    const uint8_t type = c.cells[i].mountain;
    size_t e = i;
    int markers = 0;
    for (; e < c.cells.size() && c.cells[e].mountain == type; ++e) {
      markers += c.cells[e].kind == cell_kind::kMountainMarker;
    }
    if (type != 0) {
      PreviewObject o;
      o.kind = ObjectKind::kMountain;
      o.metre = cell_metre(i);
      o.end_metre = cell_metre(e);
      o.title = "mountain stretch, kind " + std::to_string(type);
      o.values = {number(vn::mountain(0), o.metre), number(vn::mountain(1), o.end_metre),
                  number(vn::mountain(at::kMountainKind), type),
                  number(vn::kMountainMarkers, markers)};
      o.source = sources.mountain(static_cast<int32_t>(i));
      objects->push_back(std::move(o));
    }
    i = e;
  }
}

}  // namespace

std::vector<PreviewObject> collect_objects(const CompiledRoute& c, const SourceLines& sources) {
  std::vector<PreviewObject> objects;
  const RecordUses uses = record_uses(c.records);
  for (int i = kFirstStationRecord; i < kFirstStationRecord + uses.stations; ++i) {
    objects.push_back(station(c, i, sources));
  }
  for (size_t i = 0; i < c.cells.size(); ++i) {
    if (drawn_alone(c.cells[i].kind)) objects.push_back(point_object(c, i, sources));
  }
  for (size_t i = 0; i < c.cells.size(); ++i) {
    if (c.cells[i].kind == cell_kind::kSlowdownStart) objects.push_back(slowdown(c, i, sources));
  }
  add_mountains(c, sources, &objects);
  return objects;
}

const char* kind_word(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::kStation:
      return "station";
    case ObjectKind::kLocation:
      return "location";
    case ObjectKind::kSignal:
      return "signal";
    case ObjectKind::kSpeedBoard:
      return "speed-board";
    case ObjectKind::kLocationBoard:
      return "location-board";
    case ObjectKind::kSlowdownPoint:
      return "slowdown-point";
    case ObjectKind::kCodePoint:
      return "code-point";
    case ObjectKind::kSlowdown:
      return "slowdown";
    case ObjectKind::kMountain:
      return "mountain";
  }
  return "object";
}

}  // namespace binario::tool
