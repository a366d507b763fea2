#include "diagnostics/stored_values.h"

#include <cstdio>
#include <string>

#include "base/round.h"
#include "text/display_text.h"

namespace binario::tool {

Diagnostic finding_at(Severity severity, const char* warning, const SourceText& in, const Field& at,
                      std::string message) {
  Diagnostic d;
  d.severity = severity;
  if (severity == Severity::kWarning) d.warning = warning;
  d.file = in.name();
  d.line = at.line;
  d.column = at.column;
  d.width = std::max<int>(1, static_cast<int>(at.raw.size()));
  d.message = std::move(message);
  return d;
}

namespace {

// How the installer keeps a value in its compiled files.
enum class Storage {
  kGradient,    // gradient + 100 in one byte
  kLow8,        // one unsigned byte, the low 8 bits
  kLow16,       // 16 bits signed, the low 16 bits
  kPositive16,  // the low 16 bits when above 0; 0 and below keep nothing
  kSpeedFifth,  // a fifth of the speed, rounded, in one byte
  kRightSpeed,  // a board's right-hand speed: its fifth, rounded, packed
  kSignalTime,  // 1 to 100 become 101, the low 8 bits; 0 unless sx is 2
};

struct StoredValue {
  const KeywordSpec* keyword;
  size_t value;  // index of the value after the keyword
  Storage storage;
};

// Every value the installer does not store exactly as any number of its
// read width: the numbers of the ranges come from the stored widths.
const StoredValue kStoredValues[] = {
    {&kw::kGradient, 1, Storage::kGradient},     {&kw::kSpeed, 1, Storage::kSpeedFifth},
    {&kw::kAdherence, 1, Storage::kLow8},        {&kw::kSlowdown, 1, Storage::kLow16},
    {&kw::kSlowdown, 3, Storage::kLow16},        {&kw::kSlowdown, 5, Storage::kLow16},
    {&kw::kCodePoint, 1, Storage::kPositive16},  {&kw::kSignal, 10, Storage::kSignalTime},
    {&kw::kSpeedBoard, 5, Storage::kRightSpeed}, {&kw::kSpeedBoard, 6, Storage::kRightSpeed},
    {&kw::kSpeedBoard, 7, Storage::kRightSpeed},
};

constexpr int64_t kGradientOffset = 100;
constexpr int64_t kSpeedStep = 5;
constexpr size_t kSignalSx = 1;

struct Range {
  int64_t min;
  int64_t max;
};

// The values that are stored without wrapping; none for a rounded value,
// whose overflow the installer refuses itself.
std::optional<Range> stored_range(Storage storage) {
  switch (storage) {
    case Storage::kGradient:
      return Range{width_min(Width::kU8) - kGradientOffset,
                   width_max(Width::kU8) - kGradientOffset};
    case Storage::kLow8:
    case Storage::kSignalTime:
      return Range{width_min(Width::kU8), width_max(Width::kU8)};
    case Storage::kLow16:
      return Range{width_min(Width::kI16), width_max(Width::kI16)};
    case Storage::kPositive16:
      return Range{INT64_MIN, width_max(Width::kI16)};
    default:
      return std::nullopt;
  }
}

int64_t rounded_step(int64_t v) {
  const std::optional<int32_t> r = round_i32(static_cast<double>(v) / kSpeedStep);
  return r ? *r * kSpeedStep : v;
}

// What the simulator reads back for `v`, in the author's unit.
int64_t stored(Storage storage, int64_t v, const Statement& s) {
  switch (storage) {
    case Storage::kGradient:
      return static_cast<uint8_t>(v + kGradientOffset) - kGradientOffset;
    case Storage::kLow8:
      return static_cast<uint8_t>(v);
    case Storage::kLow16:
      return static_cast<int16_t>(v);
    case Storage::kPositive16:
      return v > 0 ? static_cast<int16_t>(v) : v;
    case Storage::kSpeedFifth:
    case Storage::kRightSpeed:
      return rounded_step(v);
    case Storage::kSignalTime:
      if (s.values[kSignalSx].value != 2) return 0;
      return v >= 1 && v <= 100 ? 101 : static_cast<uint8_t>(v);
  }
  return v;
}

const char* why_converted(Storage storage, const Statement& s) {
  switch (storage) {
    case Storage::kSpeedFifth:
      return "line speeds are kept in steps of 5 km/h";
    case Storage::kRightSpeed:
      return "the right-hand speeds of a board are kept in steps of 5 km/h";
    case Storage::kSignalTime:
      return s.values[kSignalSx].value != 2 ? "a signal keeps its time only when sx is 2"
                                            : "times from 1 to 100 are kept as 101";
    default:
      return "";
  }
}

std::string keyword_of(const Statement& s) { return std::string("'") + s.spec->written + "'"; }

std::string value_named(const Statement& s, size_t i) {
  return std::string(s.spec->values[i].name) + " " +
         with_unit(s.values[i].value, s.spec->values[i]);
}

void check_stored(const SourceText& in, const Statement& s, const StoredValue& rule,
                  std::vector<Diagnostic>& out) {
  const Field& f = s.values[rule.value];
  const int64_t kept = stored(rule.storage, f.value, s);
  if (kept == f.value) return;
  const std::string what = value_named(s, rule.value) + " of " + keyword_of(s);
  const std::string kept_text = with_unit(kept, s.spec->values[rule.value]);
  const std::optional<Range> range = stored_range(rule.storage);
  const bool in_range = !range || (f.value >= range->min && f.value <= range->max) ||
                        (rule.storage == Storage::kSignalTime && kept == 0);
  if (!in_range) {
    Diagnostic d = finding_at(Severity::kError, "", in, f,
                              what + " is outside the range the installer stores, " +
                                  std::to_string(range->min) + " to " + std::to_string(range->max) +
                                  ": it would store " + kept_text);
    d.hints.push_back("write a value from " + std::to_string(range->min) + " to " +
                      std::to_string(range->max));
    out.push_back(std::move(d));
    return;
  }
  out.push_back(
      finding_at(Severity::kWarning, "stored-value", in, f,
                 what + " is stored as " + kept_text + ": " + why_converted(rule.storage, s)));
}

// A number field with nothing in it: the reader takes 0. A value that stood
// on the next line is then passed over for its dash.
void check_empty(const SourceText& in, const TextScan& scan, const Statement& s,
                 std::vector<Diagnostic>& out) {
  for (size_t i = 0; i < s.values.size(); ++i) {
    const Field& f = s.values[i];
    if (f.failure != FieldReader::Failure::kNone) return;
    if (s.spec->values[i].width == Width::kText || !f.raw.empty()) continue;
    Field at = f;
    at.raw = " ";
    Diagnostic d = finding_at(Severity::kWarning, "empty-value", in, at,
                              "value " + std::to_string(i + 1) + " (" + s.spec->values[i].name +
                                  ") of " + keyword_of(s) + " is empty: the installer reads 0");
    for (const KeywordField& k : scan.keyword_fields) {
      if (k.role != FieldRole::kComment || k.field.line != f.line + 1) continue;
      d.notes.push_back(
          {"the installer passes over " + quoted_text(k.field.raw) + " for its dash, as a comment",
           in.name(), k.field.line, k.field.column});
      d.hints.push_back("write every value of " + keyword_of(s) + " on its own line");
      break;
    }
    out.push_back(std::move(d));
  }
}

std::string clock_text(int64_t h, int64_t m, int64_t s) {
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(h),
                static_cast<long long>(m), static_cast<long long>(s));
  return text;
}

// Hours 0 to 23, minutes and seconds 0 to 59: `first` is the hours' index.
void check_time(const SourceText& in, const Statement& s, size_t first, bool station,
                std::vector<Diagnostic>& out) {
  const int64_t h = s.values[first].value;
  const int64_t m = s.values[first + 1].value;
  const int64_t sec = s.values[first + 2].value;
  const char* wrong = h < 0 || h > 23       ? "hours run from 0 to 23"
                      : m < 0 || m > 59     ? "minutes run from 0 to 59"
                      : sec < 0 || sec > 59 ? "seconds run from 0 to 59"
                                            : nullptr;
  if (wrong == nullptr) return;
  Field at = s.values[first];
  at.raw = in.bytes().substr(at.start, s.values[first + 2].end - at.start);
  std::string message = (station ? "the time " : "the clock ") + clock_text(h, m, sec) +
                        " is no time of day: " + wrong;
  if (station) {
    const int64_t t = (h * 60 + m) * 60 + sec;
    message += "; the installer stores " + clock_text(t / 3600, t / 60 % 60, t % 60);
  }
  out.push_back(finding_at(Severity::kWarning, "time-of-day", in, at, message));
}

bool read_whole(const Statement& s) { return s.failed_value() == nullptr; }

void check_text(const SourceText& in, const TextScan& scan, std::vector<Diagnostic>& out) {
  for (const Statement& s : scan.statements) {
    if (!read_whole(s)) continue;
    check_empty(in, scan, s, out);
    for (const StoredValue& rule : kStoredValues) {
      if (s.is(*rule.keyword)) check_stored(in, s, rule, out);
    }
    if (s.is(kw::kClock)) check_time(in, s, 0, false, out);
    if (s.is(kw::kStation)) check_time(in, s, 13, true, out);
  }
}

}  // namespace

std::string with_unit(int64_t v, const ValueSpec& spec) {
  return std::to_string(v) + (*spec.unit != '\0' ? std::string(" ") + spec.unit : "");
}

std::vector<Diagnostic> stored_value_findings(const ScannedTexts& texts) {
  std::vector<Diagnostic> out;
  if (texts.route_scan) check_text(*texts.route, *texts.route_scan, out);
  if (texts.scenario_scan) check_text(*texts.scenario, *texts.scenario_scan, out);
  return out;
}

}  // namespace binario::tool
