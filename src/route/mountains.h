#ifndef BINARIO_ROUTE_MOUNTAINS_H_
#define BINARIO_ROUTE_MOUNTAINS_H_

#include <array>
#include <cstdint>

#include "model/fault.h"
#include "model/line_grid.h"

namespace binario {

// The mountain lines read so far, for the proximity rule. Entries 1 to 80
// hold start and end in reading order; entry 0 is never used.
struct MountainTables {
  static constexpr int32_t kMaxLines = 80;
  int32_t count = 0;
  std::array<int32_t, kMaxLines + 1> inizio{};
  std::array<int32_t, kMaxLines + 1> fine{};
};

// Whether a mountain line that passed the range check can be laid, tested in
// this order: Fault::kBeyondGrid when the stretch would begin before cell 0
// (`off_grid` = inizio) or its last cell round(fine / 50 - 1) lies past the
// last cell (`off_grid` = fine); Fault::kReadingFailure for an 81st mountain
// line; else Fault::kNone.
Fault check_montagna(const LineGrid& griglia, const MountainTables& montagne, int32_t inizio,
                     int32_t fine, int32_t* off_grid);

// Lays a mountain line from `inizio` to `fine` metres: cells round(inizio / 50)
// to round(fine / 50 - 1) get mountain type `tipo`. A `tipo` above 10 is type
// `tipo` - 10 with a marker on every 4th cell of the stretch that is empty; a
// line starting at most 150 m after the previous one's end becomes type 3.
// `tipo` is left holding the type laid. Precondition: check_montagna passed.
void memo_montagna(LineGrid& griglia, MountainTables& montagne, int32_t inizio, int32_t fine,
                   int32_t& tipo);

}  // namespace binario

#endif  // BINARIO_ROUTE_MOUNTAINS_H_
