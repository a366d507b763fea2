#ifndef BINARIO_TOOLS_BINARIO_LSP_LANGUAGE_FACTS_H_
#define BINARIO_TOOLS_BINARIO_LSP_LANGUAGE_FACTS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "text/source_text.h"

namespace binario::tool {

enum class TextKind { kRoute, kScenario };

// One value of a keyword's line, in the author's words.
struct ValueFacts {
  std::string name;    // "position"
  std::string unit;    // "m"; empty for a plain number or a text
  std::string range;   // "-2147483648 to 2147483647", "text"
  std::string stored;  // what the installer keeps of it
};

struct KeywordFacts {
  std::string written;  // as a text writes it: "segnale"
  std::string does;     // what a line of it does
  std::vector<ValueFacts> values;
};

// What stands at a byte of a text, as its reader reads it.
struct TextPlace {
  std::string section;                    // the title in force: "[generale]"; empty before any
  const KeywordFacts* keyword = nullptr;  // the keyword of the line under the cursor
  int value = -1;                         // the value under the cursor, or -1 (the keyword)
  bool on_field = false;                  // the cursor stands on the keyword or the value
};

// A thing of a text an author looks for: a section, a station, a signal, a
// board; at its lines and byte columns (from 1).
struct TextSymbol {
  enum class Kind { kSection, kStation, kSignal, kBoard };
  Kind kind = Kind::kSection;
  std::string name;    // Windows-1252 bytes: a station's or board's own text
  std::string detail;  // its position
  int line = 0;
  int column = 0;
  int last_line = 0;  // a section runs to the line before the next one
  int last_column = 0;
};

// The language of the two texts, for hover and completion.
class LanguageFacts {
 public:
  virtual ~LanguageFacts() = default;
  // The titles a text's sections carry, in their usual order.
  virtual std::vector<std::string> section_titles(TextKind kind) const = 0;
  // The keywords the reader acts on in the section titled `section`.
  virtual std::vector<const KeywordFacts*> keywords_in(TextKind kind,
                                                       const std::string& section) const = 0;
  // What stands at byte `offset` of `text`.
  virtual TextPlace place(TextKind kind, const SourceText& text, size_t offset) const = 0;
  // The sections of a text, then its stations, signals and boards.
  virtual std::vector<TextSymbol> symbols(TextKind kind, const SourceText& text) const = 0;
};

// The facts of the texts' one grammar.
const LanguageFacts& language_facts();

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_LANGUAGE_FACTS_H_
