#include "commands/inspect.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "commands/command.h"
#include "compiled/compiled_files.h"
#include "compiled/compiled_loader.h"
#include "files/files.h"
#include "model/file_names.h"

namespace binario::tool {

namespace {

std::string clock_text(int32_t seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return buffer;
}

std::string kilometres(int32_t metres) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "km %d.%03d", metres / 1000, std::abs(metres % 1000));
  return buffer;
}

bool is_cleared(const StationRecord& r) {
  return r.station_kind == 0 && r.area_start == 0 && r.area_end == 0 && r.position == 0 &&
         r.flag_a == 0 && r.name.empty() && r.group1_a == 0 && r.group1_b == 0 && r.group2_a == 0 &&
         r.group2_b == 0 && r.group2_c == 0 && r.group1_c == 0 && r.dwell == 0 && r.flag_c == 0 &&
         r.flag_b == 0 && r.scheduled_time == 0;
}

const char* kind_group(uint8_t kind) {
  if (kind == 5 || kind == 6) return "terminus";
  if (kind == 7 || kind == 8) return "station, long area";
  if (kind < 25) return "station";
  return "location";
}

bool holds_only_text(const StationRecord& r) {
  StationRecord numbers = r;
  numbers.name.clear();
  return !r.name.empty() && is_cleared(numbers);
}

std::string pad(std::string s, size_t width) {
  // Pads by characters as shown, not bytes.
  size_t shown = 0;
  for (unsigned char c : s) shown += (c & 0xC0) != 0x80;
  if (shown < width) s.append(width - shown, ' ');
  return s;
}

void report_stations(const std::string& path, size_t bytes, const std::vector<StationRecord>& r,
                     std::ostream& out) {
  const StationRecord& service = r[kServiceRecord];
  const StationRecord& route = r[kRouteRecord];
  const StationRecord& train = r[kTrainRecord];
  out << path << " (" << bytes << " bytes): station table\n";
  out << "  route  " << display_text(route.name.view()) << ", " << service.area_end << " m\n";
  out << "  train  " << display_text(train.name.view()) << ": " << service.position
      << " cars, braked mass " << service.area_start << " %, sand " << train.group1_a << ", clock "
      << clock_text(train.group2_a * 3600 + train.group2_b * 60 + train.group2_c) << "\n";
  out << "  header stamp " << route.group1_a << ", competition code " << route.scheduled_time
      << "\n";
  out << "  backgrounds " << route.area_start << ", " << route.position << ", " << route.area_end;
  if (train.area_end != 0) {
    out << "; signal repetition " << train.area_start << " to " << train.area_end << " m, system "
        << train.position;
  } else {
    out << "; no signal repetition";
  }
  out << "\n";
  for (int i = kProgressiveRecordFirst; i < kServiceRecord; ++i) {
    if (r[i].area_start == 0 && r[i].area_end == 0 && r[i].position == 0) continue;
    out << "  kilometric progressive at " << r[i].area_start << " m: " << kilometres(r[i].area_end)
        << "\n";
  }

  // Boards fill downward from record 80 and carry only their text; stations
  // fill upward from record 1 below the lowest board.
  int boards = 0;
  while (boards < kFirstBoardRecord - kFirstStationRecord &&
         holds_only_text(r[kFirstBoardRecord - boards])) {
    ++boards;
  }
  const int lowest_board = kFirstBoardRecord - boards + 1;
  int stations = 0;
  while (kFirstStationRecord + stations < lowest_board &&
         !is_cleared(r[kFirstStationRecord + stations])) {
    ++stations;
  }
  out << "  " << stations << " stations and locations:\n";
  for (int i = kFirstStationRecord; i < kFirstStationRecord + stations; ++i) {
    const StationRecord& s = r[i];
    char line[160];
    std::snprintf(line, sizeof line, "kind %3u %-18s at %7d m, area %7d to %7d m", s.station_kind,
                  kind_group(s.station_kind), s.position, s.area_start, s.area_end);
    out << "    " << (i < 10 ? " " : "") << i << "  " << pad(display_text(s.name.view()), 28)
        << line;
    if (s.dwell != 0 || s.scheduled_time != 0) {
      out << ", stop " << static_cast<int>(s.dwell) << ", time " << clock_text(s.scheduled_time);
    }
    out << "\n";
  }
  out << "  " << boards << " location board texts in records " << kFirstBoardRecord;
  if (boards > 1) out << " down to " << kFirstBoardRecord - boards + 1;
  out << "\n";
}

// What each kind of cell holds, as the report counts it.
const std::map<uint8_t, const char*>& cell_kind_names() {
  static const std::map<uint8_t, const char*> kNames = {
      {cell_kind::kSignal, "signals"},
      {cell_kind::kSlowdownEnd, "slowdown ends"},
      {cell_kind::kSlowdownStart, "slowdown starts"},
      {cell_kind::kWarningBoard, "slowdown warning boards"},
      {cell_kind::kPreWarning, "pre-warning cells"},
      {cell_kind::kSpeedBoard, "speed-indicator boards"},
      {cell_kind::kStopMarker, "station stop markers"},
      {cell_kind::kMountainMarker, "mountain markers"},
      {cell_kind::kCodePoint, "code points"},
      {cell_kind::kCodeCut, "code-cut points"},
      {cell_kind::kLocationBoard, "location boards"},
  };
  return kNames;
}

// How many cells of each kind the grid holds, and how many lie in mountain stretches.
void report_cell_counts(const std::vector<GridCell>& cells, std::ostream& out) {
  const std::map<uint8_t, const char*>& names = cell_kind_names();
  std::map<uint8_t, int> counts;
  int mountain_cells = 0;
  for (const GridCell& c : cells) {
    if (c.kind != cell_kind::kEmpty) ++counts[c.kind];
    if (c.mountain != 0) ++mountain_cells;
  }
  for (const auto& [kind, name] : names) {
    if (counts[kind] != 0) out << "  " << counts[kind] << " " << name << "\n";
  }
  if (counts[cell_kind::kSlowdownStart] == 0) out << "  no slowdowns\n";
  if (counts[cell_kind::kCodePoint] == 0 && counts[cell_kind::kCodeCut] == 0)
    out << "  no code points\n";
  for (const auto& [kind, count] : counts) {
    if (names.count(kind) == 0)
      out << "  " << count << " cells of unknown kind " << static_cast<int>(kind) << "\n";
  }
  out << "  " << mountain_cells << " cells in mountain stretches\n";
}

// The name of the station record a location board or a stop marker points
// to, when the station file was read; empty otherwise.
std::string named_record(const GridCell& c, const std::vector<StationRecord>* stations) {
  const bool names_a_record =
      c.kind == cell_kind::kLocationBoard || c.kind == cell_kind::kStopMarker;
  if (!names_a_record || stations == nullptr || c.value1 < 0 || c.value1 >= kStationRecords)
    return {};
  return " " + display_text((*stations)[static_cast<size_t>(c.value1)].name.view());
}

// Every cell that holds an object or marks an approach, one line each.
void report_occupied_cells(const std::vector<GridCell>& cells,
                           const std::vector<StationRecord>* stations, std::ostream& out) {
  out << "  occupied cells (cell: kind values; approach, mountain, speed/5, gradient+100, "
         "adhesion):\n";
  const std::map<uint8_t, const char*>& names = cell_kind_names();
  for (size_t i = 0; i < cells.size(); ++i) {
    const GridCell& c = cells[i];
    if (c.kind == cell_kind::kEmpty && c.approach == 0) continue;
    char line[200];
    std::snprintf(line, sizeof line,
                  "    %5d: kind %2u  %6d %6d %6d %6d  time %3u; %3u %3u %3u %3u %3u",
                  static_cast<int>(i), c.kind, c.value1, c.value2, c.value3, c.value4,
                  c.signal_time, c.approach, c.mountain, c.line_speed, c.gradient, c.adhesion);
    out << line;
    auto it = names.find(c.kind);
    if (it != names.end()) out << "  " << it->second;
    out << named_record(c, stations) << "\n";
  }
}

void report_grid(const std::string& path, size_t bytes, const std::vector<GridCell>& cells,
                 const std::vector<StationRecord>* stations, const InspectOptions& options,
                 std::ostream& out) {
  out << path << " (" << bytes << " bytes): line grid\n";
  const int32_t last = static_cast<int32_t>(cells.size()) - 1;
  out << "  " << cells.size() << " cells of 50 m, cells 0 to " << last << "\n";
  if (cells.size() > kHeaderCell) {
    out << "  header stamp " << cells[kHeaderCell].value1 << ", competition code "
        << cells[kHeaderCell].value2 << "\n";
  }
  report_cell_counts(cells, out);
  if (options.cells) report_occupied_cells(cells, stations, out);
}

void report_route_plan(const std::string& path, size_t bytes, const RoutePlanSummary& plan,
                       std::ostream& out) {
  out << path << " (" << bytes << " bytes): route plan\n";
  out << "  " << plan.points << " points per coordinate (0 to " << plan.points - 1 << " m)\n";
  out << "  " << plan.integer_points << " start points, " << plan.double_points << " computed, "
      << plan.empty_points << " empty\n";
  out << "  " << plan.curved_points << " metres of curve\n";
  char line[120];
  std::snprintf(line, sizeof line, "  last point %lld at x %.3f m, y %.3f m\n",
                static_cast<long long>(plan.last_point), plan.last_x, plan.last_y);
  out << line;
}

}  // namespace

bool inspect_files(const std::vector<std::string>& paths, const InspectOptions& options,
                   std::ostream& out, std::vector<std::string>* problems) {
  // Station files first, so that a grid can name its boards and stops.
  std::vector<std::string> ordered = paths;
  std::stable_partition(ordered.begin(), ordered.end(), [](const std::string& p) {
    return compiled_kind_of(p) == CompiledKind::kStationFile;
  });

  std::vector<StationRecord> stations;
  bool have_stations = false;
  const size_t problems_before = problems->size();
  bool first = true;
  for (const std::string& path : ordered) {
    CompiledFile file;
    std::string error;
    if (!load_compiled_file(path, &file, &error)) {
      problems->push_back(error);
      continue;
    }
    std::ostringstream report;
    if (file.kind == CompiledKind::kStationFile) {
      stations = std::move(file.records);
      have_stations = true;
      report_stations(path, file.bytes, stations, report);
    } else if (file.kind == CompiledKind::kRoutePlan) {
      report_route_plan(path, file.bytes, summarize_route_plan(file.plan), report);
    } else {
      report_grid(path, file.bytes, file.cells, have_stations ? &stations : nullptr, options,
                  report);
    }
    if (!first) out << "\n";
    first = false;
    out << report.str();
  }
  return problems->size() == problems_before;
}

CommandRun declare_inspect(CommandLine& command) {
  auto files = std::make_shared<std::vector<std::string>>();
  auto options = std::make_shared<InspectOptions>();
  command
      .option("FILE", files.get(),
              "Compiled files: <route>_<train>.sim, <route>_<train>.dat, <route>_linea.dat")
      .type_name("FILE")
      .required();
  command.flag("--cells", &options->cells, "Also list every occupied cell of the line grid");
  command.footer(
      "Shows what the installer compiled: the route and train header, the stations with their "
      "areas and times, the counts of signals, boards, slowdowns and code points in the line grid, "
      "and the extent of the route plan. Exit status 1 when a file cannot be read or is not what "
      "its name says.");
  return [files, options] {
    std::vector<std::string> problems;
    const bool ok = inspect_files(*files, *options, std::cout, &problems);
    for (const std::string& problem : problems) report("inspect", problem);
    return ok ? kSuccess : kFailure;
  };
}

}  // namespace binario::tool
