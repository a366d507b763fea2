#include "diagnostics/root_cause.h"

#include <algorithm>
#include <string>

#include "diagnostics/stored_values.h"

namespace binario::tool {

namespace {

// Lines past the end from which they are taken to follow from the length.
constexpr size_t kManyPastTheEnd = 3;

bool same_place(const Diagnostic& a, const Diagnostic& b) {
  return a.file == b.file && a.line == b.line && a.code == b.code;
}

bool beyond_grid(const Diagnostic& d) {
  return d.code == static_cast<int>(Fault::kBeyondGrid) &&
         d.message.find("beyond the end of the line grid") != std::string::npos;
}

bool past_end(const Diagnostic& w) { return w.warning == "past-end"; }

// Lines of both texts that place something past the end of the route,
// counted in the texts: the list of errors stops at its limit.
size_t lines_past_the_end(const ScannedTexts& texts, int32_t route_length) {
  size_t past = 0;
  for (const TextScan* scan : {texts.route_scan, texts.scenario_scan}) {
    if (scan == nullptr) continue;
    for (const Statement& s : scan->statements) {
      past +=
          carries_position(s) && s.failed_value() == nullptr && s.values[0].value > route_length;
    }
  }
  return past;
}

}  // namespace

void gather_past_the_end(std::vector<Diagnostic>& errors, std::vector<Diagnostic>& warnings,
                         const std::optional<Diagnostic>& seen, const ScannedTexts& texts,
                         const CompileRun& run) {
  auto gathered = [&](const Diagnostic& d) {
    return beyond_grid(d) && (!seen || !same_place(d, *seen));
  };
  auto first = std::find_if(errors.begin(), errors.end(), gathered);
  if (first == errors.end()) return;
  const size_t listed = std::count_if(errors.begin(), errors.end(), gathered) +
                        std::count_if(warnings.begin(), warnings.end(), past_end);
  if (listed < kManyPastTheEnd) return;

  Diagnostic kept = *first;
  const size_t listed_here = seen ? 2 : 1;
  const size_t total = lines_past_the_end(texts, run.route_length);
  const size_t others = total > listed_here ? total - listed_here : 0;
  kept.notes.push_back(
      {"this follows from the route length, " + std::to_string(run.route_length) +
       " m: " + std::to_string(others) +
       (others == 1 ? " more line gives a position" : " more lines give positions") +
       " past the end of the route, not listed"});
  if (texts.route_scan) {
    for (const Statement* length : texts.route_scan->all(kw::kRouteLength)) {
      kept.notes.push_back({"the route length is read here", texts.route->name(),
                            length->values[0].line, length->values[0].column});
    }
  }
  errors.erase(std::remove_if(errors.begin(), errors.end(), gathered), errors.end());
  errors.push_back(std::move(kept));
  warnings.erase(std::remove_if(warnings.begin(), warnings.end(), past_end), warnings.end());
}

std::optional<Diagnostic> shown_fault(const CompileRun& original, const ScannedTexts& texts) {
  const PlacedFault& f = original.shown_fault;
  if (original.shown.empty() || f.fault == Fault::kNone) return std::nullopt;
  // A signal or slowdown line within the line ends the scenario's reading on
  // the route text's code 15, with its own position: the fault is the route's.
  if (f.fault == Fault::kBeyondGrid && original.first.fault == Fault::kBeyondGrid &&
      int64_t{f.position} + 100 <= int64_t{50} * original.grid_last) {
    return std::nullopt;
  }
  CompileRun as_shown = original;
  as_shown.first = f;
  return locate_fault(as_shown, texts).diagnostic;
}

void keep_shown_fault(std::vector<Diagnostic>& errors, const std::optional<Diagnostic>& seen) {
  if (!seen) return;
  const bool listed = std::any_of(errors.begin(), errors.end(),
                                  [&](const Diagnostic& d) { return same_place(d, *seen); });
  if (listed) return;
  Diagnostic d = *seen;
  d.notes.push_back({"this is the fault the installer reports"});
  errors.push_back(std::move(d));
}

}  // namespace binario::tool
