#include "route/progressive_ordina.h"

#include <cstdint>

namespace binario {

namespace {

struct Progressive {
  int32_t position = 0;
  int32_t kilometre = 0;
  int32_t flag = 0;
};

Progressive load(const StationRecord& r) { return {r.area_start, r.area_end, r.position}; }

void store(const Progressive& p, StationRecord* r) {
  r->area_start = p.position;
  r->area_end = p.kilometre;
  r->position = p.flag;
}

}  // namespace

bool progressive_ordina(StationTable& stazioni) {
  const Progressive t = load(stazioni[kProgressiveRecordFirst]);
  const Progressive d = load(stazioni[kProgressiveRecordFirst + 1]);
  const Progressive u = load(stazioni[kProgressiveRecordFirst + 2]);
  Progressive result[3];  // zero triples unless a rule below applies

  // The sum is 32-bit arithmetic: one that does not fit is a reading failure.
  int64_t sum = int64_t{t.position} + d.position + u.position;
  if (sum < INT32_MIN || sum > INT32_MAX) return false;
  if (sum != 0) {
    // A shared largest position matches no rule and leaves three zero triples.
    if (t.position > d.position && t.position > u.position) {
      result[0] = t;
      result[1] = d.position > u.position ? d : u;
      result[2] = d.position > u.position ? u : d;
    } else if (d.position > t.position && d.position > u.position) {
      result[0] = d;
      result[1] = t.position > u.position ? t : u;
      result[2] = t.position > u.position ? u : t;
    } else if (u.position > t.position && u.position > d.position) {
      result[0] = u;
      result[1] = t.position > d.position ? t : d;
      result[2] = t.position > d.position ? d : t;
    }
  } else {
    // No positions: the last progressive with a kilometre value leads.
    if (t.kilometre > 0) {
      result[0] = t, result[1] = d, result[2] = u;
    }
    if (d.kilometre > 0) {
      result[0] = d, result[1] = t, result[2] = u;
    }
    if (u.kilometre > 0) {
      result[0] = u, result[1] = d, result[2] = t;
    }
  }

  for (int i = 0; i < 3; ++i) {
    if (result[i].flag == 1) {
      if (result[i].kilometre > INT32_MAX - 100) return false;
      result[i].kilometre += 100;
    }
    store(result[i], &stazioni[kProgressiveRecordFirst + i]);
  }
  return true;
}

}  // namespace binario
