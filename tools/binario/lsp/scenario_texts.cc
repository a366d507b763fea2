#include "lsp/scenario_texts.h"

#include <set>

#include "files/files.h"
#include "model/file_names.h"

namespace binario::tool {

namespace fs = std::filesystem;

namespace {

bool ends_with(const std::string& s, std::string_view end) {
  return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string utf8_name(const fs::path& p) {
  const std::u8string u8 = p.filename().u8string();
  return std::string(u8.begin(), u8.end());
}

fs::path path_of_utf8(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The installer's bytes of a name as the editor's file system gives it.
std::string stored_name(const std::string& utf8) {
  std::vector<Unencodable> ignored;
  return windows_1252_bytes(utf8, &ignored);
}

// The names of the texts in `folder`, on disk or open in the editor.
std::set<std::string> names_beside(const fs::path& folder, const std::vector<fs::path>& open) {
  std::set<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) names.insert(utf8_name(it->path()));
  }
  for (const fs::path& p : open) {
    if (p.parent_path() == folder) names.insert(utf8_name(p));
  }
  return names;
}

}  // namespace

std::optional<ScenarioTexts> scenario_of(const fs::path& text, const std::vector<fs::path>& open) {
  const std::string name = utf8_name(text);
  const fs::path folder = text.parent_path();
  const std::set<std::string> names = names_beside(folder, open);
  std::string route;
  std::string train;
  if (ends_with(name, kRouteTextSuffix)) {
    route = name.substr(0, name.size() - std::string_view(kRouteTextSuffix).size());
    // The first scenario of the route, by name.
    for (const std::string& n : names) {
      if (ends_with(n, kScenarioTextSuffix) && n.rfind(route + "_", 0) == 0 &&
          n.size() > route.size() + 1 + std::string_view(kScenarioTextSuffix).size()) {
        train = n.substr(route.size() + 1, n.size() - route.size() - 1 -
                                               std::string_view(kScenarioTextSuffix).size());
        break;
      }
    }
  } else if (ends_with(name, kScenarioTextSuffix)) {
    const std::string stem =
        name.substr(0, name.size() - std::string_view(kScenarioTextSuffix).size());
    // The longest route whose text stands beside it; a route name may hold '_'.
    for (const std::string& n : names) {
      if (!ends_with(n, kRouteTextSuffix)) continue;
      const std::string r = n.substr(0, n.size() - std::string_view(kRouteTextSuffix).size());
      if (stem.rfind(r + "_", 0) == 0 && r.size() > route.size() && stem.size() > r.size() + 1) {
        route = r;
      }
    }
    // No route text: the name up to its last '_'.
    if (route.empty()) {
      const size_t cut = stem.rfind('_');
      if (cut == std::string::npos || cut == 0 || cut + 1 == stem.size()) return std::nullopt;
      route = stem.substr(0, cut);
    }
    train = stem.substr(route.size() + 1);
  } else {
    return std::nullopt;
  }
  ScenarioTexts out;
  out.route = stored_name(route);
  out.train = stored_name(train);
  out.route_path = folder / path_of_utf8(route + kRouteTextSuffix);
  if (!train.empty())
    out.scenario_path = folder / path_of_utf8(route + "_" + train + kScenarioTextSuffix);
  return out;
}

std::optional<TextContent> read_text(const fs::path& path, const EditorText& editor) {
  if (path.empty()) return std::nullopt;
  TextContent content;
  if (const std::string* text = editor(path)) {
    content.open = true;
    content.utf8 = *text;
    content.bytes = windows_1252_bytes(*text, &content.unencodable);
    return content;
  }
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  Bytes bytes;
  std::string error;
  if (!read_whole_file(path, &bytes, &error)) return std::nullopt;
  content.bytes.assign(bytes.begin(), bytes.end());
  content.utf8 = utf8_of_windows_1252(content.bytes);
  return content;
}

}  // namespace binario::tool
