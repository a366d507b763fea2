#include "preview/objects.h"

#include <utility>

#include "preview/drawing.h"
#include "preview/value_names.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

namespace vn = value_name;

ObjectValue number(const char* name, int64_t n, Unit unit = Unit::kNone) {
  return {name, unit, {n}, false, {}};
}
ObjectValue numbers(const char* name, std::vector<int64_t> n, Unit unit = Unit::kNone) {
  return {name, unit, std::move(n), false, {}};
}
ObjectValue range(const char* name, int64_t from, int64_t to, Unit unit) {
  return {name, unit, {from, to}, true, {}};
}

PreviewObject station(const CompiledRoute& c, int record, const SourceLines& sources) {
  const StationRecord& r = c.records[static_cast<size_t>(record)];
  PreviewObject o;
  o.kind = r.station_kind < 25 ? ObjectKind::kStation : ObjectKind::kLocation;
  o.metre = r.position;
  o.title = display_text(r.name.view());
  o.scheduled_time = r.scheduled_time;
  o.values = {number(vn::kPosition, r.position, Unit::kMetres),
              number(vn::kStationKind, r.station_kind),
              range(vn::kArea, r.area_start, r.area_end, Unit::kMetres),
              number(vn::kStationValue4, r.flag_a),
              number(vn::kStationValue5, r.flag_b),
              number(vn::kAreaLonger, r.flag_c, Unit::kYesNo),
              numbers(vn::kStationValues7to9, {r.group1_a, r.group1_b, r.group1_c}),
              numbers(vn::kStationValues10to12, {r.group2_a, r.group2_b, r.group2_c}),
              number(vn::kStop, r.dwell)};
  if (r.scheduled_time != 0) o.values.push_back(number(vn::kTime, r.scheduled_time, Unit::kClock));
  if (r.station_kind < 25) o.values.push_back(number(vn::kStopCell, r.area_end / 50 - 1));
  o.values.push_back(number(vn::kRecord, record));
  o.source = sources.station(record);
  return o;
}

// A signal's cell holds its aspects as 10 x left + right per aspect and its
// sides as 10 x repeater + 3 x left side + right side.
void signal_values(const GridCell& g, PreviewObject* o) {
  const int sides = g.value4 % 10;
  o->values.push_back(number(vn::kLeftSide, sides / 3));
  o->values.push_back(numbers(vn::kLeftAspects, {g.value1 / 10, g.value2 / 10, g.value3 / 10}));
  o->values.push_back(number(vn::kRightSide, sides % 3));
  o->values.push_back(numbers(vn::kRightAspects, {g.value1 % 10, g.value2 % 10, g.value3 % 10}));
  o->values.push_back(number(vn::kRepeater, g.value4 / 10));
  o->values.push_back(number(vn::kSignalTime, g.signal_time));
}

// A speed board's cell holds each speed pair as 20 x left + right / 5.
void speed_board_values(const GridCell& g, PreviewObject* o) {
  const int16_t v[3] = {g.value1, g.value2, g.value3};
  std::vector<int64_t> left, right;
  for (int16_t x : v) {
    left.push_back(x / 20);
    right.push_back(x % 20 * 5);
  }
  o->values.push_back(numbers(vn::kLeftSpeeds, left, Unit::kKmh));
  o->values.push_back(number(vn::kLeftStripes, g.value4 / 10));
  o->values.push_back(numbers(vn::kRightSpeeds, right, Unit::kKmh));
  o->values.push_back(number(vn::kRightStripes, g.value4 % 10));
}

std::string point_title(uint8_t kind, int64_t metre) {
  return std::string(cell_kind_name(kind)) + " at " + km_text(metre);
}

PreviewObject point_object(const CompiledRoute& c, size_t i, const SourceLines& sources) {
  const GridCell& g = c.cells[i];
  PreviewObject o;
  o.metre = object_metre(i, g.kind);
  o.title = point_title(g.kind, o.metre);
  o.values.push_back(number(vn::kPosition, o.metre, Unit::kMetres));
  switch (g.kind) {
    case cell_kind::kSignal:
      o.kind = ObjectKind::kSignal;
      signal_values(g, &o);
      break;
    case cell_kind::kSpeedBoard:
      o.kind = ObjectKind::kSpeedBoard;
      speed_board_values(g, &o);
      break;
    case cell_kind::kLocationBoard: {
      o.kind = ObjectKind::kLocationBoard;
      const bool known = g.value1 >= 0 && g.value1 < kStationRecords &&
                         static_cast<size_t>(g.value1) < c.records.size();
      const std::string text =
          known ? display_text(c.records[static_cast<size_t>(g.value1)].name.view()) : "";
      o.title = "location board " + text;
      o.values.push_back({vn::kBoardText, Unit::kNone, {}, false, text});
      break;
    }
    case cell_kind::kPreWarning:
      o.kind = ObjectKind::kSlowdownPoint;
      o.values.push_back(number(vn::kPreWarningNumber, g.value1));
      break;
    case cell_kind::kSlowdownStart:
    case cell_kind::kSlowdownEnd:
    case cell_kind::kWarningBoard:
      o.kind = ObjectKind::kSlowdownPoint;
      o.speed = g.value1;
      o.values.push_back(number(vn::kSpeed, g.value1, Unit::kKmh));
      if (g.kind != cell_kind::kWarningBoard)
        o.values.push_back(number(vn::kSlowdownFtt, g.value3));
      o.values.push_back(number(vn::kSlowdownDv, g.value2));
      break;
    default:
      o.kind = ObjectKind::kCodePoint;
      if (g.kind == cell_kind::kCodePoint) o.values.push_back(number(vn::kCodeValue, g.value1));
      break;
  }
  o.values.push_back(number(vn::kCell, static_cast<int64_t>(i)));
  if (g.approach != 0) o.values.push_back(number(vn::kApproach, g.approach));
  o.values.push_back(number(vn::kLineSpeed, line_speed_kmh(g), Unit::kKmh));
  o.values.push_back(number(vn::kGradient, gradient_per_mille(g), Unit::kPerMille));
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
  o.values = {range(vn::kPosition, o.metre, o.end_metre, Unit::kMetres),
              number(vn::kSpeed, o.speed, Unit::kKmh),
              number(vn::kSlowdownFtt, c.cells[start].value3),
              number(vn::kSlowdownDv, c.cells[start].value2)};
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
      o.title = "mountain stretch, type " + std::to_string(type);
      o.values = {range(vn::kPosition, o.metre, o.end_metre, Unit::kMetres),
                  number(vn::kMountainType, type), number(vn::kMountainMarkers, markers)};
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
