// The author tool's decoders of the three compiled files on any bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiled/compiled_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const binario::Bytes file(data, data + size);
  std::string error;
  std::vector<binario::StationRecord> records;
  if (binario::tool::decode_station_file(file, &records, &error) && records.size() != 87) {
    __builtin_trap();
  }
  std::vector<binario::GridCell> cells;
  if (binario::tool::decode_grid_file(file, &cells, &error) && cells.size() * 15 != size) {
    __builtin_trap();
  }
  binario::tool::RoutePlanSummary summary;
  (void)binario::tool::decode_route_plan(file, &summary, &error);
  return 0;
}
