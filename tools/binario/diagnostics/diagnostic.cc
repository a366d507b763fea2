#include "diagnostics/diagnostic.h"

#include <nlohmann/json.hpp>

#include "text/display_text.h"

namespace binario::tool {

namespace {

std::string plural(int n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

const SourceText* find_source(const std::vector<const SourceText*>& sources,
                              const std::string& file) {
  for (const SourceText* s : sources) {
    if (s != nullptr && s->name() == file) return s;
  }
  return nullptr;
}

// Characters (not bytes) the 8-bit text takes on a UTF-8 terminal.
size_t shown_width(std::string_view bytes) {
  size_t n = 0;
  for (char c : display_text(bytes)) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string where(const std::string& file, int line, int column) {
  std::string out = file;
  if (line <= 0) return out;
  out += ':';
  out += std::to_string(line);
  if (column > 0) {
    out += ':';
    out += std::to_string(column);
  }
  return out;
}

// "   4 | segnale, ..." and the caret line under the field. Tabs before the
// field are kept, so that the caret stands under it.
void write_source_line(const Diagnostic& d, const SourceText& source, std::ostream& out) {
  std::string_view line = source.line(d.line);
  std::string number = std::to_string(d.line);
  out << ' ' << std::string(number.size() < 4 ? 4 - number.size() : 0, ' ') << number << " | "
      << display_text(line) << '\n';
  if (d.column <= 0) return;
  std::string pad;
  const size_t before = std::min(line.size(), static_cast<size_t>(d.column - 1));
  for (size_t i = 0; i < before;) {
    if (line[i] == '\t') {
      pad += '\t';
      ++i;
      continue;
    }
    size_t run = i;
    while (run < before && line[run] != '\t') ++run;
    pad += std::string(shown_width(line.substr(i, run - i)), ' ');
    i = run;
  }
  const size_t width = d.width > 1 ? shown_width(line.substr(before, d.width)) : 1;
  out << ' ' << std::string(std::max<size_t>(number.size(), 4), ' ') << " | " << pad << '^'
      << std::string(width > 1 ? width - 1 : 0, '~') << '\n';
}

}  // namespace

int CheckReport::errors() const {
  int n = 0;
  for (const Diagnostic& d : diagnostics) n += d.severity == Severity::kError;
  return n;
}

int CheckReport::warnings() const { return static_cast<int>(diagnostics.size()) - errors(); }

std::string totals_line(const CheckReport& report) {
  return plural(report.errors(), "error") + ", " + plural(report.warnings(), "warning");
}

void write_text(const CheckReport& report, const std::vector<const SourceText*>& sources,
                std::ostream& out) {
  for (const Diagnostic& d : report.diagnostics) {
    out << where(d.file, d.line, d.column) << ": "
        << (d.severity == Severity::kError ? "error: " : "warning: ") << d.message;
    if (d.severity == Severity::kError && !d.warning.empty()) {
      out << " [-Werror=" << d.warning << "]\n";
    } else if (d.severity == Severity::kError && d.code != 0) {
      out << " [code " << d.code << "]\n";
    } else if (d.severity == Severity::kError) {
      out << '\n';  // the installer stores the value all the same
    } else {
      out << " [-W" << d.warning << "]\n";
    }
    if (const SourceText* source = find_source(sources, d.file); source && d.line > 0) {
      write_source_line(d, *source, out);
    }
    for (const Note& note : d.notes) {
      if (!note.file.empty()) out << where(note.file, note.line, note.column) << ": ";
      out << "note: " << note.text << '\n';
    }
    for (const std::string& hint : d.hints) out << "hint: " << hint << '\n';
  }
  if (!report.shown.empty()) {
    out << "the installer stops with \"" << report.shown << "\" and writes no compiled file\n";
  }
  out << totals_line(report) << '\n';
}

void write_json(const CheckReport& report, std::ostream& out) {
  nlohmann::ordered_json doc;
  doc["diagnostics"] = nlohmann::ordered_json::array();
  for (const Diagnostic& d : report.diagnostics) {
    nlohmann::ordered_json j;
    j["file"] = d.file;
    j["line"] = d.line;
    j["column"] = d.column;
    j["severity"] = d.severity == Severity::kError ? "error" : "warning";
    if (d.warning.empty()) {
      j["code"] = d.code;
    } else {
      j["warning"] = d.warning;
    }
    j["message"] = d.message;
    j["notes"] = nlohmann::ordered_json::array();
    for (const Note& note : d.notes) {
      nlohmann::ordered_json n;
      n["text"] = note.text;
      if (!note.file.empty()) {
        n["file"] = note.file;
        n["line"] = note.line;
        n["column"] = note.column;
      }
      j["notes"].push_back(n);
    }
    j["hints"] = nlohmann::ordered_json::array();
    for (const std::string& hint : d.hints) j["hints"].push_back(hint);
    doc["diagnostics"].push_back(j);
  }
  doc["errors"] = report.errors();
  doc["warnings"] = report.warnings();
  if (report.shown.empty()) {
    doc["installer_message"] = nullptr;
  } else {
    doc["installer_message"] = report.shown;
  }
  out << doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace binario::tool
