#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_OBJECTS_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_OBJECTS_H_

// What an author can point at on the preview: stations, signals, boards,
// slowdowns, code points and mountain stretches, each with its values as
// numbers and the line of the text that declared it.

#include <cstdint>
#include <string>
#include <vector>

#include "compiled/compiled_route.h"
#include "text/source_lines.h"

namespace binario::tool {

enum class ObjectKind {
  kStation,   // a stop of the timetable (kinds below 25)
  kLocation,  // another named place on the line (kinds 25 and above)
  kSignal,
  kSpeedBoard,     // speed-indicator board
  kLocationBoard,  // a board with a text
  kSlowdownPoint,  // warning board, pre-warning cell, start or end of a slowdown
  kCodePoint,      // code point or code-cut point
  kSlowdown,       // a slowdown as a stretch, start to end
  kMountain,       // a stretch of one mountain type
};

// A value as the page shows it. `unit` is the grammar's ("m", "km/h", "per
// mille", "" for a plain number), or "clock" for seconds after midnight shown
// as a time of day, or "yes/no".
struct ObjectValue {
  std::string name;  // the value's name in the language reference
  std::string unit;
  std::vector<int64_t> numbers;  // one, or two for a range
  bool range = false;            // two numbers: from and to
  std::string text;              // a text value (a board's text) instead of numbers
};

struct PreviewObject {
  ObjectKind kind = ObjectKind::kStation;
  int64_t metre = 0;
  int64_t end_metre = 0;       // stretches
  std::string title;           // shown (UTF-8)
  int64_t scheduled_time = 0;  // stations: seconds after midnight, 0 when none
  int speed = 0;               // slowdowns: km/h
  std::vector<ObjectValue> values;
  SourceLine source;
};

// Every object of the compiled route, stations first, then point objects in
// line order, then slowdowns and mountain stretches.
std::vector<PreviewObject> collect_objects(const CompiledRoute& route, const SourceLines& sources);

// "station", "signal", ...: the word the page's styles and the data use.
const char* kind_word(ObjectKind kind);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_OBJECTS_H_
