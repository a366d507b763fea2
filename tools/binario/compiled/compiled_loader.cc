#include "compiled/compiled_loader.h"

#include <utility>

#include "files/files.h"

namespace binario::tool {

CompiledKind compiled_kind_of(std::string_view name) {
  // A route plan's ending also ends as a grid file's: it is tried first.
  if (name.ends_with(kStationFileSuffix)) return CompiledKind::kStationFile;
  if (name.ends_with(kRoutePlanSuffix)) return CompiledKind::kRoutePlan;
  if (name.ends_with(kGridFileSuffix)) return CompiledKind::kGridFile;
  return CompiledKind::kNone;
}

const char* compiled_kind_noun(CompiledKind kind) {
  switch (kind) {
    case CompiledKind::kStationFile:
      return "station";
    case CompiledKind::kGridFile:
      return "grid";
    case CompiledKind::kRoutePlan:
      return "route plan";
    case CompiledKind::kNone:
      break;
  }
  return "compiled";
}

namespace {

bool decode(const Bytes& file, CompiledFile* out, std::string* why) {
  switch (out->kind) {
    case CompiledKind::kStationFile:
      return decode_station_file(file, &out->records, why);
    case CompiledKind::kGridFile:
      return decode_grid_file(file, &out->cells, why);
    case CompiledKind::kRoutePlan:
      return decode_route_plan_points(file, &out->plan, why);
    case CompiledKind::kNone:
      break;
  }
  return false;
}

}  // namespace

bool load_compiled_file(const std::string& path, CompiledFile* out, std::string* error) {
  *out = CompiledFile{};
  out->path = path;
  out->kind = compiled_kind_of(path);
  if (out->kind == CompiledKind::kNone) {
    *error = path + ": not a compiled file (expected .sim, .dat or _linea.dat)";
    return false;
  }
  Bytes file;
  if (!read_whole_file(path, &file, error)) return false;
  out->bytes = file.size();
  std::string why;
  if (!decode(file, out, &why)) {
    *error = path + ": not a " + compiled_kind_noun(out->kind) + " file: " + why;
    return false;
  }
  return true;
}

bool load_compiled_route(const std::filesystem::path& folder, const ScenarioNames& names,
                         CompiledRoute* out, std::string* error) {
  CompiledFile file[3];
  const Text name[3] = {names.station_file(), names.grid_file(), names.route_plan()};
  for (int i = 0; i < 3; ++i) {
    if (!load_compiled_file(name_of(folder / path_from_name(name[i].view())), &file[i], error)) {
      return false;
    }
  }
  out->records = std::move(file[0].records);
  out->cells = std::move(file[1].cells);
  out->plan = std::move(file[2].plan);
  return true;
}

}  // namespace binario::tool
