#include "route/mountains.h"

#include <cassert>

#include "model/cell_index.h"

namespace binario {

namespace {
constexpr int32_t kMarkerTypeOffset = 10;
constexpr int32_t kCloseMountainType = 3;
constexpr int64_t kProximityMetres = 150;
constexpr int32_t kMarkerEvery = 4;
}  // namespace

Fault check_montagna(const LineGrid& griglia, const MountainTables& montagne, int32_t inizio,
                     int32_t fine, int32_t* off_grid) {
  if (inizio < 0) {
    *off_grid = inizio;
    return Fault::kBeyondGrid;
  }
  if (stretch_last_cell(fine) > griglia.last()) {
    *off_grid = fine;
    return Fault::kBeyondGrid;
  }
  if (montagne.count >= MountainTables::kMaxLines) return Fault::kReadingFailure;
  return Fault::kNone;
}

void memo_montagna(LineGrid& griglia, MountainTables& montagne, int32_t inizio, int32_t fine,
                   int32_t& tipo) {
#ifndef NDEBUG
  int32_t off_grid = 0;
  assert(check_montagna(griglia, montagne, inizio, fine, &off_grid) == Fault::kNone);
#endif
  bool markers = false;
  if (tipo > kMarkerTypeOffset) {
    markers = true;
    tipo -= kMarkerTypeOffset;
  }

  int32_t n = ++montagne.count;
  montagne.inizio[static_cast<size_t>(n)] = inizio;
  montagne.fine[static_cast<size_t>(n)] = fine;
  if (n > 1 && int64_t{inizio} - montagne.fine[static_cast<size_t>(n - 1)] <= kProximityMetres) {
    tipo = kCloseMountainType;
  }

  int32_t first = stretch_cell(inizio);
  int32_t last = stretch_last_cell(fine);
  int32_t counted = 0;
  for (int32_t c = first; c <= last; ++c) {
    GridCell& cell = griglia[c];
    cell.mountain = static_cast<uint8_t>(tipo);
    ++counted;
    if (markers && counted % kMarkerEvery == 0 && cell.kind == cell_kind::kEmpty) {
      cell.kind = cell_kind::kMountainMarker;
    }
  }
}

}  // namespace binario
