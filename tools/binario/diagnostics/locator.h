#ifndef BINARIO_TOOLS_DIAGNOSTICS_LOCATOR_H_
#define BINARIO_TOOLS_DIAGNOSTICS_LOCATOR_H_

// The locator's workings, shared by the files that place each family of
// faults: the route text's, the scenario text's, a reading failure's and the
// grid pass's. Only fault_locator.h is for callers.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "diagnostics/fault_locator.h"

namespace binario::tool::locator {

std::string metres(int64_t m);
// The nearest multiples of `step` either side of `v`.
std::string multiples_hint(int64_t v, int64_t step);
// The names of a keyword's values from the `first` on, in line order.
std::string value_names(const KeywordSpec& k, size_t first);
// The grid cells a statement's object takes, each with what takes it; none
// for a statement with a value that could not be read.
std::vector<std::pair<int32_t, const char*>> cells_of(const Statement& s);

// A cell an object takes in the grid, and who put it there.
struct Owner {
  int32_t cell;
  const char* what;
  const Statement* statement;
  const SourceText* source;
};

// What a grid-pass fault's cell has around it: the slowdown or signal the
// added code point belongs to, and the cells found taken.
struct Crowd {
  const Statement* slowdown = nullptr;
  const Statement* signal = nullptr;
  std::vector<int32_t> looked;
  std::string message;
};

class Locator {
 public:
  Locator(const CompileRun& run, const ScannedTexts& texts);

  LocatedFault locate();

 private:
  const PlacedFault& fault() const { return run_.first; }
  const SourceText* source() const;
  const TextScan* scan() const;
  const SourceText* source_of(const Statement* s) const;

  // The finding, at a field of a statement; the statement's line is set aside.
  LocatedFault at(const Statement& s, const Field& f, const std::string& message,
                  const SourceText* in = nullptr);
  LocatedFault at_line(const SourceText* in, int line, const std::string& message);
  LocatedFault whole(const SourceText* in, const std::string& name, const std::string& message);
  std::string missing_name() const;
  Note note_at(const Statement& s, const Field& f, const std::string& text);

  // The statement the reader stopped on, by the recorded offset: the one of
  // `keyword` (any when null) whose keyword field starts there, else one
  // with a value there. nullptr when none does.
  const Statement* stopped(const KeywordSpec* keyword = nullptr) const;
  // Notes naming who takes `cell`, among the objects read before `before`.
  void owners_notes(int32_t cell, const Statement* before, std::vector<Note>* notes);
  bool owned(int32_t cell) const;

  // Route text.
  LocatedFault no_route_text();
  LocatedFault no_general_section();
  LocatedFault route_too_long();
  LocatedFault repetition_position();
  LocatedFault repetition_system();
  LocatedFault bad_curve();
  LocatedFault progressive_fault();
  // Reading failures: a value the reader could not read, or one it read and
  // could not store.
  LocatedFault reading_failure();
  LocatedFault missing_length();
  const Statement* unreadable_statement() const;
  LocatedFault short_line(const Statement& st, const Field& f);
  LocatedFault unreadable_value(const Statement& st, const Field& f);
  LocatedFault unstorable_value();
  // Objects on the line.
  LocatedFault beyond_grid();
  LocatedFault taken(const KeywordSpec& keyword, int32_t cell, const char* what);
  LocatedFault slowdown_taken();
  LocatedFault station_fault();
  LocatedFault station_too_close(const Statement& st);
  // The grid pass after both texts.
  LocatedFault grid_pass_fault();
  Crowd signal_crowd(int32_t cell, const std::vector<const Statement*>& slowdowns);
  Crowd slowdown_crowd(int32_t cell, const std::vector<const Statement*>& slowdowns);
  LocatedFault crowded(const Crowd& crowd);
  LocatedFault header_fault();
  // The fault's own text, at its line when it has one.
  LocatedFault plain();

  const CompileRun& run_;
  ScannedTexts t_;
  std::vector<Owner> owners_;
};

}  // namespace binario::tool::locator

#endif  // BINARIO_TOOLS_DIAGNOSTICS_LOCATOR_H_
