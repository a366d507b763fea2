#ifndef BINARIO_ROUTE_ROUTE_TEXT_READER_H_
#define BINARIO_ROUTE_ROUTE_TEXT_READER_H_

// The route reader's own parts, shared by its two files: route_reader.cc (the
// routine, the general section, the end of reading) and line_section.cc (the
// lines of the line section). Nothing outside route/ includes this.

#include <cstdint>
#include <string_view>

#include "base/field_reader.h"
#include "base/grammar.h"
#include "model/compile_state.h"
#include "platform/disk.h"
#include "route/mountains.h"

namespace binario::route_text {

// How the reading of the route text goes on after a step.
enum class Flow {
  kGoOn,
  kEndOfReading,  // end of the text, or code 15: the tails are filled, the scenario follows
  kStopped,       // a code that ends the routine was recorded; the text is dealt with
};

using grammar::KeywordRule;

class RouteReader {
 public:
  RouteReader(CompileState& state, Disk& disk, const Text& path, std::string_view text)
      : state_(state), disk_(disk), path_(path), in_(text) {}

  void run();

 private:
  // The reader's action for each keyword of the general section and of the
  // line section, in the grammar's order.
  using Action = Flow (RouteReader::*)(const KeywordRule&);
  static const Action kGeneralActions[];
  static const Action kLineActions[];

  Flow find_general_section();
  Flow read_general_section();
  Flow general_keywords();
  Flow between_sections();
  Flow read_line_section();
  Flow line_keywords();
  void end_of_reading();

  Flow route_length(const KeywordRule& rule);
  Flow progressive(const KeywordRule& rule, int32_t record);
  Flow progressive_three(const KeywordRule& rule) {
    return progressive(rule, kProgressiveRecordFirst);
  }
  Flow progressive_two(const KeywordRule& rule) {
    return progressive(rule, kProgressiveRecordFirst + 1);
  }
  Flow progressive_one(const KeywordRule& rule) {
    return progressive(rule, kProgressiveRecordFirst + 2);
  }
  // The three background values of the route header.
  Flow background(const KeywordRule& rule, int32_t StationRecord::*field);
  Flow background_one(const KeywordRule& rule) {
    return background(rule, &StationRecord::area_start);
  }
  Flow background_two(const KeywordRule& rule) {
    return background(rule, &StationRecord::position);
  }
  Flow background_three(const KeywordRule& rule) {
    return background(rule, &StationRecord::area_end);
  }
  Flow signal_repetition(const KeywordRule& rule);
  Flow gradient_line(const KeywordRule& rule);
  Flow curve_line(const KeywordRule& rule);
  Flow mountain_line(const KeywordRule& rule);
  Flow speed_board_line(const KeywordRule& rule);
  Flow location_board_line(const KeywordRule& rule);

  // Reads the numbers of a keyword line, each at its width, into `v`.
  void read_values(const KeywordRule& rule, int32_t* v) {
    grammar::read_numbers(in_, rule, v, 0, rule.count);
  }
  // Reads the next field into the field variable.
  void next_field() { in_.read_text(&state_.campo); }
  // The range check of a line's first value p: the grid bound is at least
  // (p + 100) / 50. Records code 15 at p when it fails.
  Flow range_check(int32_t p);
  // One gradient cell at the cursor; false when gradient + 100 overflows.
  bool write_gradient();

  // Records `code` (with a position when it has one), deletes the route text
  // and ends the routine.
  Flow stop(Fault fault);
  Flow stop_at(Fault fault, int32_t posizione);
  // Deletes the route text after a fault: the routine ends.
  Flow delete_text();
  // Code 15 at `posizione`: the reading ends, the routine goes on.
  Flow beyond_grid(int32_t posizione);
  // Any other failure: code 25, both texts deleted.
  Flow fail();
  // A line's values have been read: a failed read is code 25.
  bool values_failed() const { return in_.failed(); }

  CompileState& state_;
  Disk& disk_;
  const Text& path_;
  FieldReader in_;

  // Byte offset of the keyword field being acted on: where a fault of its
  // line is recorded.
  int32_t keyword_offset_ = kNoField;
  int32_t gradient_cursor_ = 0;
  int32_t previous_gradient_ = 0;
  MountainTables montagne_;
};

}  // namespace binario::route_text

#endif  // BINARIO_ROUTE_ROUTE_TEXT_READER_H_
