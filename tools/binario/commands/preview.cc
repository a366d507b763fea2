// binario preview: one offline HTML page that shows a route before a player
// sees it. The source is an installer, a folder, or the route text and the
// scenario text; texts are compiled in a scratch folder as a player's run
// would compile them.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/compile_driver.h"
#include "app/main_sequence.h"
#include "commands/command.h"
#include "compiled/compiled_route.h"
#include "diagnostics/fault_text.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "model/compile_state.h"
#include "model/file_names.h"
#include "package/extraction.h"
#include "package/package.h"
#include "platform/disk.h"
#include "preview/preview_page.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRouteTextEnd = kRouteTextSuffix;
constexpr std::string_view kScenarioTextEnd = kScenarioTextSuffix;

bool ends_with(std::string_view s, std::string_view suffix) { return s.ends_with(suffix); }

std::string as_text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Reads the three compiled files named after `state`'s names in its folder.
bool read_compiled(const fs::path& folder, const std::string& route, const std::string& train,
                   CompiledRoute* out, std::string* error) {
  const ScenarioNames scenario(route, train);
  const Text names[] = {scenario.station_file(), scenario.grid_file(), scenario.route_plan()};
  Bytes file[3];
  for (int i = 0; i < 3; ++i) {
    if (!read_whole_file(folder / path_from_name(names[i]), &file[i], error)) return false;
  }
  std::string why;
  if (!decode_station_file(file[0], &out->records, &why)) {
    *error = name_of(folder / path_from_name(names[0])) + ": not a station file: " + why;
    return false;
  }
  if (!decode_grid_file(file[1], &out->cells, &why)) {
    *error = name_of(folder / path_from_name(names[1])) + ": not a grid file: " + why;
    return false;
  }
  if (!decode_route_plan_points(file[2], &out->plan, &why)) {
    *error = name_of(folder / path_from_name(names[2])) + ": not a route plan file: " + why;
    return false;
  }
  return true;
}

// Compiles the texts already in `state.cartella` and reads the result back.
bool compile_in(CompileState& state, CompiledRoute* out, std::string* error) {
  const CompileResult result = memorizza_percorso(state, real_disk(), true);
  if (!result.ok()) {
    std::string where = result.testo == FaultText::kNone
                            ? std::string("line grid")
                            : display_text(state.text_name(result.testo).view());
    if (result.riga > 0) where += ":" + std::to_string(result.riga);
    *error =
        "the route does not compile: " + where + ": error " + std::to_string(code_of(result.fault));
    if (records_position(result.fault)) *error += " at " + std::to_string(result.posizione) + " m";
    *error += ": " + fault_text(result.fault) + " (binario check tells more)";
    return false;
  }
  return read_compiled(path_from_name(state.cartella.view()),
                       std::string(state.nome_percorso.view()),
                       std::string(state.nome_treno.view()), out, error);
}

bool from_installer(const std::string& path, PreviewRoute* route, std::string* error) {
  Bytes image;
  if (!read_whole_file(path, &image, error)) return false;
  Package package;
  const PackageCheck check = read_package(image, &package);
  if (!check.passed()) {
    *error = path + ": " + package_problem_text(check, image);
    return false;
  }
  ScratchFolder scratch("binario-preview");
  if (scratch.path().empty()) {
    *error = "cannot make a scratch folder under " + name_of(fs::temp_directory_path());
    return false;
  }
  CompileState state;
  state.cartella = std::string_view(name_of(scratch.path()));
  sc_nome_percorso_nome_treno(package, state);
  if (!sc_recupera_file(package, state.cartella, real_disk())) {
    *error = "cannot unpack " + path + " into " + name_of(scratch.path());
    return false;
  }
  route->route_name = display_text(state.nome_percorso.view());
  route->train_name = display_text(state.nome_treno.view());
  for (const PackageRecord& record : package.records) {
    if (record.name == state.route_text_name().view() ||
        record.name == state.scenario_text_name().view()) {
      route->sources.add_text(
          display_text(record.name),
          std::string_view(reinterpret_cast<const char*>(record.content), record.size));
    }
  }
  return compile_in(state, &route->compiled, error);
}

// The route text `<route>_linea.txt` and the scenario text `<route>_<train>-.txt`.
bool from_texts(const fs::path& route_text, const fs::path& scenario_text, PreviewRoute* route,
                std::string* error) {
  const std::string route_file = name_of(route_text.filename());
  const std::string scenario_file = name_of(scenario_text.filename());
  const std::string name = route_file.substr(0, route_file.size() - kRouteTextEnd.size());
  if (!ends_with(scenario_file, kScenarioTextEnd) || scenario_file.rfind(name + "_", 0) != 0 ||
      scenario_file.size() <= name.size() + 1 + kScenarioTextEnd.size()) {
    *error = name_of(scenario_text) + ": a scenario text of route \"" + name + "\" is named \"" +
             name + "_<train>-.txt\"";
    return false;
  }
  const std::string train = scenario_file.substr(
      name.size() + 1, scenario_file.size() - name.size() - 1 - kScenarioTextEnd.size());
  Bytes route_bytes, scenario_bytes;
  if (!read_whole_file(route_text, &route_bytes, error) ||
      !read_whole_file(scenario_text, &scenario_bytes, error)) {
    return false;
  }
  ScratchFolder scratch("binario-preview");
  if (scratch.path().empty()) {
    *error = "cannot make a scratch folder under " + name_of(fs::temp_directory_path());
    return false;
  }
  if (!write_file_atomically(scratch.path() / path_from_name(route_file), route_bytes, false,
                             error) ||
      !write_file_atomically(scratch.path() / path_from_name(scenario_file), scenario_bytes, false,
                             error)) {
    return false;
  }
  route->route_name = display_text(name);
  route->train_name = display_text(train);
  route->sources.add_text(display_text(route_file), as_text(route_bytes));
  route->sources.add_text(display_text(scenario_file), as_text(scenario_bytes));
  CompileState state;
  state.cartella = std::string_view(name_of(scratch.path()));
  state.nome_percorso = std::string_view(name);
  state.nome_treno = std::string_view(train);
  return compile_in(state, &route->compiled, error);
}

// A folder with the two texts, or with the three compiled files.
bool from_folder(const fs::path& folder, PreviewRoute* route, std::string* error) {
  std::vector<fs::path> route_texts, scenario_texts, station_files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = name_of(entry.path().filename());
    if (ends_with(name, kRouteTextEnd))
      route_texts.push_back(entry.path());
    else if (ends_with(name, kScenarioTextEnd))
      scenario_texts.push_back(entry.path());
    else if (ends_with(name, kStationFileSuffix))
      station_files.push_back(entry.path());
  }
  if (ec) {
    *error = name_of(folder) + ": " + ec.message();
    return false;
  }
  if (route_texts.size() == 1 && scenario_texts.size() == 1) {
    return from_texts(route_texts[0], scenario_texts[0], route, error);
  }
  if (route_texts.empty() && scenario_texts.empty() && station_files.size() == 1) {
    // <route>_<train>.sim beside <route>_linea.dat: the route is the name
    // before the last "_" that leaves a route plan file.
    const std::string stem = name_of(station_files[0].stem());
    for (size_t cut = stem.rfind('_'); cut != std::string::npos && cut > 0;
         cut = stem.rfind('_', cut - 1)) {
      const std::string name = stem.substr(0, cut);
      if (fs::exists(folder / path_from_name(name + "_linea.dat"))) {
        route->route_name = display_text(name);
        route->train_name = display_text(stem.substr(cut + 1));
        return read_compiled(folder, name, stem.substr(cut + 1), &route->compiled, error);
      }
    }
  }
  *error = name_of(folder) +
           ": expected one route text (<route>_linea.txt) and one scenario text "
           "(<route>_<train>-.txt), or the three compiled files of one scenario";
  return false;
}

bool load(const std::vector<std::string>& source, PreviewRoute* route, std::string* error) {
  if (source.size() == 2) {
    fs::path a = path_from_name(source[0]), b = path_from_name(source[1]);
    if (ends_with(name_of(b.filename()), kRouteTextEnd)) std::swap(a, b);
    if (!ends_with(name_of(a.filename()), kRouteTextEnd)) {
      *error = "of two texts, one is the route text <route>_linea.txt";
      return false;
    }
    return from_texts(a, b, route, error);
  }
  std::error_code ec;
  if (fs::is_directory(path_from_name(source[0]), ec)) {
    return from_folder(path_from_name(source[0]), route, error);
  }
  return from_installer(source[0], route, error);
}

struct PreviewOptions {
  std::vector<std::string> source;
  std::string output;
  std::string svg_folder;
};

int preview(const PreviewOptions& options) {
  PreviewRoute route;
  std::string error;
  if (!load(options.source, &route, &error)) {
    report("preview", error);
    return kFailure;
  }
  PreviewDrawings drawings;
  const std::string page = preview_page(route, &drawings);
  auto write = [&](const fs::path& path, const std::string& text) {
    if (write_file_atomically(path, Bytes(text.begin(), text.end()), false, &error)) return true;
    report("preview", error);
    return false;
  };
  if (!write(options.output, page)) return kFailure;
  if (!options.svg_folder.empty()) {
    std::error_code ec;
    fs::create_directories(path_from_name(options.svg_folder), ec);
    if (!write(path_from_name(options.svg_folder) / "ground_plan.svg", drawings.ground_plan) ||
        !write(path_from_name(options.svg_folder) / "profile.svg", drawings.profile)) {
      return kFailure;
    }
  }
  return kSuccess;
}

}  // namespace

CommandRun declare_preview(CommandLine& command) {
  auto options = std::make_shared<PreviewOptions>();
  command
      .option("SOURCE", &options->source,
              "An installer, a folder, or the route text and the scenario text")
      .type_name("SOURCE")
      .required()
      .values(1, 2);
  command.option("-o,--output", &options->output, "The HTML page to write")
      .type_name("FILE")
      .required();
  command
      .option("--svg", &options->svg_folder,
              "Also write ground_plan.svg and profile.svg into this folder")
      .type_name("DIR");
  command.footer(
      "Writes one self-contained HTML page (no network, no fonts or libraries to fetch): the "
      "ground plan drawn from the route plan with the stations, signals and boards, and the line "
      "profile with the height from the gradients, the line speed, slowdowns, mountain stretches, "
      "the stations with their times and a kilometre scale. Hovering or clicking shows the values "
      "of each object and, when the source is a text, its file and line. A folder holds either "
      "the two texts or the three compiled files. Exit status 1 when the source cannot be read "
      "or does not compile.");
  return [options] { return preview(*options); };
}

}  // namespace binario::tool
