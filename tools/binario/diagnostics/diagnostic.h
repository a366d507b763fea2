#ifndef BINARIO_TOOLS_DIAGNOSTICS_DIAGNOSTIC_H_
#define BINARIO_TOOLS_DIAGNOSTICS_DIAGNOSTIC_H_

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "text/source_text.h"

namespace binario::tool {

enum class Severity { kError, kWarning };

// A note that may point at a line of its own, such as the other station of a
// pair that stands too close.
struct Note {
  Note(std::string t) : text(std::move(t)) {}  // NOLINT: a note without a place
  Note(std::string t, std::string f, int l, int c)
      : text(std::move(t)), file(std::move(f)), line(l), column(c) {}

  std::string text;
  std::string file;  // empty: the note has no place of its own
  int line = 0;
  int column = 0;
};

// One finding about an author's text, at a line and a field.
struct Diagnostic {
  Severity severity = Severity::kError;
  std::string file;
  int line = 0;         // 0: the whole file
  int column = 0;       // bytes from 1; 0: the whole line
  int width = 1;        // bytes the caret covers
  int code = 0;         // the installer's fault code, for errors
  std::string warning;  // the warning's name without "-W", for warnings
  std::string message;
  std::vector<Note> notes;
  std::vector<std::string> hints;
};

// All that `binario check` found about a scenario.
struct CheckReport {
  std::vector<Diagnostic> diagnostics;
  std::string shown;  // the installer's message; empty when it writes its files
  int errors() const;
  int warnings() const;
};

// "2 errors, 3 warnings", "1 error, 0 warnings".
std::string totals_line(const CheckReport& report);

// The compilers' format: "FILE:LINE:COL: error: MESSAGE [code N]", the source
// line with a caret under the field, then the notes and hints; the player's
// message, and the totals last. `sources` are the texts the lines come from.
void write_text(const CheckReport& report, const std::vector<const SourceText*>& sources,
                std::ostream& out);

// One JSON document with every diagnostic and the player's message.
void write_json(const CheckReport& report, std::ostream& out);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_DIAGNOSTIC_H_
