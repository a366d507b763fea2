// Reading failures: a value the reader could not read as a number, a line
// short of values, or a value read that the installer cannot store.

#include <string>

#include "diagnostics/locator.h"
#include "text/display_text.h"

namespace binario::tool::locator {

namespace {

std::string ordinal_value(size_t index, const ValueSpec& spec) {
  return "value " + std::to_string(index + 1) + " (" + spec.name + ")";
}

// How to give a short line the values it lacks.
std::string short_line_hint(const Statement& st, size_t own) {
  const std::string& keyword = st.keyword.raw;
  if (contains(keyword, ";")) return "values are separated by commas, not semicolons";
  const size_t digit = keyword.find_first_of("0123456789");
  if (own == 0 && digit != std::string::npos) {
    return "put a comma between the keyword and its first value: '" +
           std::string(st.spec->written) + ", " + keyword.substr(digit) + "'";
  }
  return "write all " + std::to_string(st.values.size()) + " values of '" + st.spec->written +
         "' on its line: " + value_names(*st.spec, 0) + "; it lacks " + value_names(*st.spec, own);
}

}  // namespace

LocatedFault Locator::reading_failure() {
  if (fault().input == InputText::kScenario && t_.scenario == nullptr) {
    return whole(nullptr, "", "the scenario text is missing");
  }
  const Statement* length_line = nullptr;
  if (t_.route_scan != nullptr) {
    for (const Statement* st : t_.route_scan->all(kw::kRouteLength)) {
      if (st->failed_value() != nullptr && length_line == nullptr) length_line = st;
    }
  }
  if (fault().input == InputText::kRoute && !run_.route_length_read && length_line == nullptr) {
    return missing_length();
  }
  // A route length the reader cannot read leaves the line without a grid:
  // that is where the failure begins, wherever the reader stopped.
  const Statement* found = run_.route_length_read ? nullptr : length_line;
  if (found == nullptr) found = unreadable_statement();
  if (found == nullptr) return unstorable_value();
  const Field& f = *found->failed_value();
  if (f.line != found->keyword.line || f.failure == FieldReader::Failure::kPastEnd) {
    return short_line(*found, f);
  }
  return unreadable_value(*found, f);
}

LocatedFault Locator::missing_length() {
  const std::string length = kw::kRouteLength.written;
  const std::string general = grammar::kGeneralTitle;
  LocatedFault out = whole(source(), "",
                           "the route text has no '" + length + "' line in its " + general +
                               " section, so the line has no length");
  out.diagnostic.hints.push_back("add a line such as '" + length + ", 159900' after " + general);
  return out;
}

// The statement the reader stopped on, when the value it stopped on is one
// that could not be read.
const Statement* Locator::unreadable_statement() const {
  const Statement* st = stopped();
  if (st == nullptr || st->failed_value() == nullptr) return nullptr;
  return st;
}

// The reader took the values the line lacks from the next line, or the text
// ended first: the fault is where the line ends.
LocatedFault Locator::short_line(const Statement& st, const Field& f) {
  const size_t index = static_cast<size_t>(&f - st.values.data());
  const ValueSpec& spec = st.spec->values[index];
  const size_t own = st.values_on_own_line();
  const Field& last = own > 0 ? st.values[own - 1] : st.keyword;
  LocatedFault out =
      at(st, last,
         std::string("'") + st.spec->written + "' takes " + std::to_string(st.values.size()) +
             " values; this line has " + std::to_string(own));
  out.diagnostic.column = last.column + static_cast<int>(last.raw.size());
  out.diagnostic.width = 1;
  if (f.failure == FieldReader::Failure::kPastEnd) {
    out.diagnostic.notes.push_back({"the text ends before " + ordinal_value(index, spec)});
  } else {
    out.diagnostic.notes.push_back(Note{"the installer reads " + quoted_text(f.raw) + " as " +
                                            ordinal_value(index, spec) +
                                            " and cannot read it as a number",
                                        source()->name(), f.line, f.column});
  }
  out.diagnostic.hints.push_back(short_line_hint(st, own));
  return out;
}

LocatedFault Locator::unreadable_value(const Statement& st, const Field& f) {
  const size_t index = static_cast<size_t>(&f - st.values.data());
  const ValueSpec& spec = st.spec->values[index];
  const std::string keyword = std::string("'") + st.spec->written + "'";
  if (f.failure == FieldReader::Failure::kOutOfRange) {
    return at(st, f,
              f.raw + " does not fit " + ordinal_value(index, spec) + " of " + keyword +
                  ": it takes " + std::to_string(width_min(spec.width)) + " to " +
                  std::to_string(width_max(spec.width)));
  }
  LocatedFault out = at(st, f,
                        quoted_text(f.raw) + " is not a whole number (value " +
                            std::to_string(index + 1) + ", " + spec.name + ", of " + keyword + ")");
  if (f.raw.find_first_of(".,") != std::string::npos) {
    out.diagnostic.hints.push_back("write whole numbers, without a decimal or thousands separator");
  } else if (f.raw.find('\t') != std::string::npos) {
    out.diagnostic.hints.push_back("a tab is not a blank to the reader: use spaces");
  }
  return out;
}

// Values that were read but that the installer cannot store.
LocatedFault Locator::unstorable_value() {
  const Statement* st = stopped();
  if (st == nullptr) {
    if (fault().line > 0)
      return at_line(source(), fault().line, "the installer cannot read this line");
    return whole(source(), "", "the installer cannot read this text");
  }
  const int64_t p = st->values[0].value;
  if (st->is(kw::kSpeed)) {
    return at(*st, st->values[1],
              "speed " + std::to_string(st->values[1].value) +
                  " km/h does not fit: the installer stores a fifth of it in one byte (0 to 1277 "
                  "km/h)");
  }
  if (st->is(kw::kStation)) {
    return at(*st, st->values[0],
              "the station at " + metres(p) +
                  " cannot be laid: its stop falls past the end of the line grid, or its time "
                  "does not fit");
  }
  if (st->is(kw::kSpeedBoard)) {
    return at(*st, st->values[0],
              "the speed-indicator board's speeds or stripe counts do not fit the installer's "
              "16-bit values");
  }
  if (st->is(kw::kLocationBoard)) {
    return at(*st, st->values[0], "too many location boards: their texts fill every record");
  }
  if (st->is(kw::kMountain)) return at(*st, st->values[0], "too many mountain stretches");
  return at_line(source(), fault().line, "the installer cannot read this line");
}

}  // namespace binario::tool::locator
