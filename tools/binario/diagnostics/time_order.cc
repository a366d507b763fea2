#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "diagnostics/stored_values.h"
#include "model/station_table.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

// A station with a time in the timetable, along the line.
struct Timed {
  const Statement* line;
  int64_t position;
  int64_t time;
};

std::string clock(int64_t t) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(t / 3600),
                static_cast<long long>(t / 60 % 60), static_cast<long long>(t % 60));
  return text;
}

// How far a station's time lies from what its neighbours make of it: from
// the time between theirs at its position, or from the one neighbour's.
int64_t deviation(const Timed* before, const Timed& t, const Timed* after) {
  if (before == nullptr && after == nullptr) return 0;
  if (before == nullptr) return std::llabs(t.time - after->time);
  if (after == nullptr) return std::llabs(t.time - before->time);
  const int64_t span = after->position - before->position;
  const int64_t expected = span <= 0 ? (before->time + after->time) / 2
                                     : before->time + (after->time - before->time) *
                                                          (t.position - before->position) / span;
  return std::llabs(t.time - expected);
}

// The field of the three time values, for the caret.
Field time_field(const SourceText& in, const Statement& s) {
  Field at = s.values[13];
  at.raw = std::string(in.bytes().substr(at.start, s.values[15].end - at.start));
  return at;
}

Diagnostic too_early(const SourceText& in, const Timed& late, const Timed& t) {
  const Field& name = t.line->values[16];
  Diagnostic d =
      finding_at(Severity::kWarning, "time-order", in, time_field(in, *t.line),
                 "station " + quoted_text(name.raw) + " is scheduled at " + clock(t.time) +
                     ", before the station before it along the line (" + clock(late.time) + ")");
  d.notes.push_back({"the earlier station is here", in.name(), late.line->keyword.line,
                     late.line->keyword.column});
  return d;
}

Diagnostic too_late(const SourceText& in, const Timed& t, const Timed& early) {
  const Field& name = t.line->values[16];
  Diagnostic d =
      finding_at(Severity::kWarning, "time-order", in, time_field(in, *t.line),
                 "station " + quoted_text(name.raw) + " is scheduled at " + clock(t.time) +
                     ", after the station after it along the line (" +
                     quoted_text(early.line->values[16].raw) + ", " + clock(early.time) + ")");
  d.notes.push_back({"the later station is here", in.name(), early.line->keyword.line,
                     early.line->keyword.column});
  return d;
}

}  // namespace

std::vector<Diagnostic> time_order_findings(const SourceText& in, const TextScan& scan) {
  std::vector<Timed> timed;
  for (const Statement* s : scan.all(kw::kStation)) {
    if (s->failed_value() != nullptr) continue;
    const int64_t time =
        (s->values[13].value * 60 + s->values[14].value) * 60 + s->values[15].value;
    if (s->values[1].value >= kFirstLocationKind || time == 0) continue;
    timed.push_back({s, s->values[0].value, time});
  }
  // Where the times go back, the station that breaks the order is the one
  // its neighbours agree with least.
  std::vector<Diagnostic> out;
  std::vector<size_t> kept;  // stations in order so far
  for (size_t k = 0; k < timed.size(); ++k) {
    if (kept.empty() || timed[k].time >= timed[kept.back()].time) {
      kept.push_back(k);
      continue;
    }
    const size_t p = kept.back();
    const Timed* before_p = kept.size() > 1 ? &timed[kept[kept.size() - 2]] : nullptr;
    const Timed* after_k = k + 1 < timed.size() ? &timed[k + 1] : nullptr;
    // Either p is too late or k too early: the one whose leaving out puts
    // the times in order, and when both would, the one further off.
    const bool without_p = before_p == nullptr || before_p->time <= timed[k].time;
    const bool without_k = after_k == nullptr || timed[p].time <= after_k->time;
    if (without_p && (!without_k || deviation(before_p, timed[p], &timed[k]) >
                                        deviation(&timed[p], timed[k], after_k))) {
      out.push_back(too_late(in, timed[p], timed[k]));
      kept.back() = k;
      continue;
    }
    out.push_back(too_early(in, timed[p], timed[k]));
  }
  return out;
}

}  // namespace binario::tool
