#include "preview/preview_source.h"

#include <filesystem>

#include "compiled/compiled_files.h"
#include "compiled/compiled_loader.h"
#include "diagnostics/check_input.h"
#include "diagnostics/check_run.h"
#include "diagnostics/compile_run.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "model/file_names.h"
#include "package/package.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

bool decode(const CompiledBytes& files, CompiledRoute* out, std::string* error) {
  std::string why;
  if (!decode_station_file(files.station_file, &out->records, &why)) {
    *error = "not a station file: " + why;
  } else if (!decode_grid_file(files.grid_file, &out->cells, &why)) {
    *error = "not a grid file: " + why;
  } else if (!decode_route_plan_points(files.route_plan, &out->plan, &why)) {
    *error = "not a route plan file: " + why;
  } else {
    return true;
  }
  return false;
}

// <route>_<train>.sim beside <route>_linea.dat, and no text: the route is the
// name before the last "_" that leaves a route plan file.
bool from_compiled_folder(const fs::path& folder, PreviewRoute* route) {
  std::vector<fs::path> stations;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = name_of(entry.path().filename());
    if (name.ends_with(kRouteTextSuffix) || name.ends_with(kScenarioTextSuffix)) return false;
    if (name.ends_with(kStationFileSuffix)) stations.push_back(entry.path());
  }
  if (ec || stations.size() != 1) return false;
  const std::string stem = name_of(stations[0].stem());
  for (size_t cut = stem.rfind('_'); cut != std::string::npos && cut > 0;
       cut = stem.rfind('_', cut - 1)) {
    const std::string route_name = stem.substr(0, cut), train_name = stem.substr(cut + 1);
    const ScenarioNames names(route_name, train_name);  // views of the two names
    if (!fs::exists(folder / path_from_name(names.route_plan().view()), ec)) continue;
    route->route_name = display_text(route_name);
    route->train_name = display_text(train_name);
    CompiledRoute compiled;
    std::string error;
    if (load_compiled_route(folder, names, &compiled, &error)) {
      route->compiled = std::move(compiled);
    } else {
      route->problem = error;
    }
    return true;
  }
  return false;
}

bool is_installer(const std::vector<std::string>& source) {
  std::error_code ec;
  return source.size() == 1 && fs::is_regular_file(path_from_name(source[0]), ec) &&
         path_from_name(source[0]).extension() != ".txt";
}

// The two texts of the source, or why there are none.
std::string read_input(const std::vector<std::string>& source, CheckInput* input,
                       NearMisses* misses) {
  // preview has no --route or --train to name: the file names settle the names.
  if (!is_installer(source)) return input_from_paths(source, "", "", input, misses, false);
  Bytes image;
  std::string error;
  if (!read_whole_file(source[0], &image, &error)) return error;
  Package package;
  const PackageCheck check = read_package(image, &package);
  if (!check.passed()) return source[0] + ": " + package_problem_text(check, image);
  *input = input_from_package(package);
  return {};
}

void compile(const CheckInput& input, const NearMisses& misses, PreviewRoute* route) {
  route->report = check_texts(input, CheckOptions{});
  hint_near_misses(input, misses, &route->report);
  for (const std::optional<SourceText>* t : {&input.route_text, &input.scenario_text}) {
    if (!*t) continue;
    route->texts.push_back(**t);
    route->sources.add_text((*t)->name(), (*t)->bytes());
  }
  CompiledBytes files;
  if (!compile_to_files(input.route, input.train, input.route_text ? &*input.route_text : nullptr,
                        input.scenario_text ? &*input.scenario_text : nullptr, &files)) {
    if (route->report.errors() == 0) route->problem = "the texts do not compile";
    return;
  }
  CompiledRoute compiled;
  std::string error;
  if (decode(files, &compiled, &error)) {
    route->compiled = std::move(compiled);
  } else {
    route->problem = "the compiled files do not read back: " + error;
  }
}

}  // namespace

PreviewRoute load_preview(const std::vector<std::string>& source) {
  PreviewRoute route;
  std::error_code ec;
  if (source.size() == 1 && fs::is_directory(path_from_name(source[0]), ec) &&
      from_compiled_folder(path_from_name(source[0]), &route)) {
    return route;
  }
  CheckInput input;
  NearMisses misses;
  route.problem = read_input(source, &input, &misses);
  route.route_name = display_text(input.route);
  route.train_name = display_text(input.train);
  if (route.problem.empty()) compile(input, misses, &route);
  return route;
}

}  // namespace binario::tool
