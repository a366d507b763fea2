#include "diagnostics/check_input.h"

#include <filesystem>
#include <map>
#include <set>

#include "files/files.h"
#include "model/file_names.h"
#include "text/display_text.h"
#include "text/edit_distance.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRouteSuffix = kRouteTextSuffix;
constexpr std::string_view kScenarioSuffix = kScenarioTextSuffix;

bool ends_with(std::string_view s, std::string_view end) {
  return s.size() > end.size() && s.substr(s.size() - end.size()) == end;
}

bool starts_with(std::string_view s, std::string_view start) {
  return s.size() >= start.size() && s.substr(0, start.size()) == start;
}

std::string joined(const std::set<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "\"" : ", \"") + n + "\"";
  return out;
}

std::optional<SourceText> read_text(const fs::path& path, const std::string& shown,
                                    std::string* error) {
  Bytes bytes;
  std::error_code ec;
  if (!fs::exists(path, ec)) return std::nullopt;
  if (!read_whole_file(path, &bytes, error)) return std::nullopt;
  return SourceText(shown, std::string(bytes.begin(), bytes.end()));
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = to_lower_ascii(c);
  return out;
}

bool ends_with_ignoring_case(std::string_view s, std::string_view end) {
  return ends_with(lower(s), lower(end));
}

// The name in `names` nearest `wanted` among those `fits` takes, when it
// is near enough to be a slip; empty when none is.
template <typename Fits>
std::string near_miss(const std::set<std::string>& names, const std::string& wanted, Fits fits,
                      size_t most) {
  std::string best;
  size_t best_distance = SIZE_MAX;
  for (const std::string& n : names) {
    if (n == wanted || !fits(n)) continue;
    const size_t d = lower(n) == lower(wanted) ? 0 : edit_distance(n, wanted);
    if (d <= most && d < best_distance) {
      best = n;
      best_distance = d;
    }
  }
  return best;
}

// A text of the route under a scenario text's name but for its "-": the
// train it names, with the name.
std::optional<std::pair<std::string, std::string>> train_near_miss(
    const std::set<std::string>& names, const std::string& route) {
  std::optional<std::pair<std::string, std::string>> found;
  for (const std::string& n : names) {
    if (!starts_with(lower(n), lower(route + "_")) || !ends_with_ignoring_case(n, ".txt") ||
        ends_with_ignoring_case(n, kRouteSuffix)) {
      continue;
    }
    std::string train = n.substr(route.size() + 1, n.size() - route.size() - 5);
    while (!train.empty() && (train.back() == '-' || train.back() == ' ')) train.pop_back();
    // The other texts of a service carry a word of their own, as "_note".
    if (train.empty() || train.find('_') != std::string::npos) continue;
    if (!found || n.size() < found->second.size()) found = {{train, n}};
  }
  return found;
}

// The route of a scenario text's stem, as a route text in other letter
// case names it ("R_Linea.txt"), spelled as the scenario text spells it.
std::string loose_route(const std::set<std::string>& names, const std::string& stem) {
  for (const std::string& n : names) {
    if (!ends_with_ignoring_case(n, kRouteSuffix)) continue;
    const std::string route = n.substr(0, n.size() - kRouteSuffix.size());
    if (starts_with(lower(stem), lower(route + "_"))) return stem.substr(0, route.size());
  }
  return {};
}

// The near misses of the texts the folder lacks.
void name_near_misses(const std::set<std::string>& names, const CheckInput* out,
                      NearMisses* misses) {
  const ScenarioNames scenario(out->route, out->train);
  const std::string route_text(scenario.route_text().view());
  const std::string scenario_text(scenario.scenario_text().view());
  if (names.count(route_text) == 0) {
    // Any route text: a slip of letter case, or another route's name.
    misses->route = near_miss(
        names, route_text,
        [](const std::string& n) { return ends_with_ignoring_case(n, kRouteSuffix); }, SIZE_MAX);
  }
  if (names.count(scenario_text) == 0 && misses->scenario.empty()) {
    misses->scenario = near_miss(
        names, scenario_text,
        [](const std::string& n) {
          return ends_with_ignoring_case(n, ".txt") && !ends_with_ignoring_case(n, kRouteSuffix);
        },
        3);
  }
}

}  // namespace

CheckInput input_from_package(const Package& package) {
  CheckInput in;
  in.route = package.nome_percorso;
  in.train = package.nome_treno;
  const ScenarioNames names(in.route, in.train);
  const std::string route_name(names.route_text().view());
  const std::string scenario_name(names.scenario_text().view());
  for (const PackageRecord& r : package.records) {
    std::string content(reinterpret_cast<const char*>(r.content), r.size);
    if (r.name == route_name) in.route_text = SourceText(display_text(r.name), content);
    if (r.name == scenario_name) in.scenario_text = SourceText(display_text(r.name), content);
  }
  return in;
}

std::string input_from_paths(const std::vector<std::string>& paths, const std::string& route,
                             const std::string& train, CheckInput* out, NearMisses* misses,
                             bool by_options) {
  std::map<std::string, fs::path> where;  // each text file by its name
  std::set<std::string> names;
  std::error_code ec;
  if (paths.size() == 1 && fs::is_directory(path_from_name(paths[0]), ec)) {
    for (const fs::directory_entry& e : fs::directory_iterator(path_from_name(paths[0]), ec)) {
      if (!e.is_regular_file(ec)) continue;
      names.insert(name_of(e.path().filename()));
      where[name_of(e.path().filename())] = e.path();
    }
  } else {
    for (const std::string& p : paths) {
      const std::string name = name_of(path_from_name(p).filename());
      if (!ends_with(name, kRouteSuffix) && !ends_with(name, kScenarioSuffix)) {
        return "\"" + p +
               "\" is neither a route text (<route>_linea.txt) nor a scenario text "
               "(<route>_<train>-.txt)";
      }
      if (!fs::is_regular_file(path_from_name(p), ec)) return "no file \"" + p + "\"";
      names.insert(name);
      where[name] = p;
    }
  }

  // The route: from --route, else from the one route text.
  std::set<std::string> routes;
  for (const std::string& n : names) {
    if (ends_with(n, kRouteSuffix)) routes.insert(n.substr(0, n.size() - kRouteSuffix.size()));
  }
  out->route = route;
  if (out->route.empty()) {
    if (routes.size() > 1) {
      return "more than one route text (" + joined(routes) + "); " +
             (by_options ? "name the route with --route" : "keep one route in the folder");
    }
    if (routes.size() == 1) out->route = *routes.begin();
  }
  // The train: from --train, else from the one scenario text of the route.
  std::set<std::string> trains;
  std::set<std::string> scenario_names;
  for (const std::string& n : names) {
    if (!ends_with(n, kScenarioSuffix) || ends_with(n, kRouteSuffix)) continue;
    const std::string stem = n.substr(0, n.size() - kScenarioSuffix.size());
    scenario_names.insert(n);
    if (!out->route.empty()) {
      if (starts_with(stem, out->route + "_")) trains.insert(stem.substr(out->route.size() + 1));
    } else if (stem.find('_') != std::string::npos && stem.find('_') == stem.rfind('_')) {
      out->route = stem.substr(0, stem.find('_'));
      trains.insert(stem.substr(stem.find('_') + 1));
    } else if (const std::string r = loose_route(names, stem); !r.empty()) {
      out->route = r;
      trains.insert(stem.substr(r.size() + 1));
    } else {
      return "cannot tell the route name from \"" + n + "\"" +
             (by_options ? "; name it with --route" : "");
    }
  }
  if (out->route.empty()) return "no route text and no scenario text to check";
  out->train = train;
  if (out->train.empty()) {
    if (trains.size() > 1) {
      return "more than one scenario text for route \"" + out->route + "\" (" +
             joined(scenario_names) + "); " +
             (by_options ? "name the train with --train" : "keep one scenario in the folder");
    }
    if (trains.empty()) {
      const auto found = train_near_miss(names, out->route);
      if (!found) return "no scenario text " + out->route + "_<train>-.txt";
      out->train = found->first;
      misses->scenario = found->second;
    } else {
      out->train = *trains.begin();
    }
  }
  name_near_misses(names, out, misses);
  std::string error;
  const ScenarioNames scenario(out->route, out->train);
  for (bool is_route : {true, false}) {
    const std::string name(is_route ? scenario.route_text().view()
                                    : scenario.scenario_text().view());
    if (names.count(name) == 0) continue;
    const fs::path path = where[name];
    std::optional<SourceText> text = read_text(path, name_of(path), &error);
    if (!error.empty()) return error;
    (is_route ? out->route_text : out->scenario_text) = std::move(text);
  }
  return {};
}

void hint_near_misses(const CheckInput& input, const NearMisses& misses, CheckReport* report) {
  const ScenarioNames names(input.route, input.train);
  for (Diagnostic& d : report->diagnostics) {
    if (d.line != 0 || d.severity != Severity::kError) continue;
    const bool route = !input.route_text && d.file == names.route_text().view();
    const bool scenario = !input.scenario_text && d.file == names.scenario_text().view();
    const std::string& file = route ? misses.route : scenario ? misses.scenario : std::string();
    if (file.empty()) continue;
    d.hints.push_back("the folder holds \"" + display_text(file) + "\": did you mean \"" +
                      display_text(d.file) + "\"?");
  }
}

}  // namespace binario::tool
