// Writes the language reference of the route and scenario texts, in
// Markdown, from the two grammars: every section and keyword, each value's
// name, unit, range and what the installer stores, and an example line for
// each keyword, taken from the sample scenario where it has one.
//
// language_reference <route text> <scenario text> <output file>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/grammar.h"
#include "route/route_grammar.h"
#include "scenario/scenario_grammar.h"

namespace {

using binario::grammar::KeywordDef;
using binario::grammar::SectionDef;
using binario::grammar::Value;
using binario::grammar::Width;

// The sample texts are Windows-1252; the reference is UTF-8. Letters of the
// Latin-1 range map one to one.
std::string utf8_of(std::string_view latin) {
  std::string out;
  for (unsigned char c : latin) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The first line of the sample whose keyword field holds `k`, or the
// grammar's own example.
std::string example_of(const KeywordDef& k, const std::vector<std::string>& sample) {
  for (const std::string& line : sample) {
    const std::string_view first = std::string_view(line).substr(0, line.find(','));
    if (first.find('-') != std::string_view::npos) continue;  // a comment
    if (k.test.matches(first) && first.find('[') == std::string_view::npos) return utf8_of(line);
  }
  if (k.example != nullptr) return std::string(k.written) + ", " + k.example;
  return k.written;
}

std::string range_of(Width w) {
  switch (w) {
    case Width::kI32:
      return "whole number, 32 bits";
    case Width::kI16:
      return "-32768 to 32767";
    case Width::kU8:
      return "0 to 255";
    case Width::kText:
      return "text";
  }
  return "";
}

// How the reader recognises the keyword field.
std::string test_of(const KeywordDef& k) {
  std::string words = "`" + std::string(k.test.word) + "`";
  if (k.test.second != nullptr) words += " and `" + std::string(k.test.second) + "`";
  return "Recognised when the keyword field contains " + words +
         (k.test.exact_case ? ", in lower case as written." : ", in any letter case.");
}

void write_keyword(std::ostream& out, const KeywordDef& k, const std::vector<std::string>& sample) {
  out << "### `" << k.written << "`\n\n";
  out << "The line declares " << k.meaning << ". " << test_of(k) << " It takes " << k.values.size()
      << (k.values.size() == 1 ? " value" : " values") << ".\n\n";
  out << "    " << example_of(k, sample) << "\n\n";
  out << "| # | Value | Unit | Read as | The installer stores |\n";
  out << "|---|---|---|---|---|\n";
  for (size_t i = 0; i < k.values.size(); ++i) {
    const Value& v = k.values[i];
    out << "| " << i + 1 << " | " << v.name << " | " << (*v.unit ? v.unit : "-") << " | "
        << range_of(v.width) << " | " << v.stored << " |\n";
  }
  out << "\n";
}

void write_text(std::ostream& out, const char* title, std::span<const SectionDef> sections,
                const std::vector<std::string>& sample) {
  out << "## " << title << "\n\n";
  for (const SectionDef& s : sections) {
    out << "**" << s.title << "**: " << s.meaning << " The keywords, in the order the "
        << "installer tests them:";
    for (const KeywordDef& k : s.keywords) out << " `" << k.written << "`";
    out << ".\n\n";
    for (const KeywordDef& k : s.keywords) write_keyword(out, k, sample);
  }
}

const char kIntroduction[] =
    "# The route and scenario texts\n"
    "\n"
    "This file is written by the build from the grammar the installer reads with "
    "(`language_reference`); do not edit it by hand.\n"
    "\n"
    "Both texts are read as a stream of fields. A field ends at a comma or at the end of "
    "a line; blanks in front of it are skipped; a field that begins with a double quote "
    "runs to the closing quote. A number is a whole decimal number, with an optional sign, "
    "and also ends at a blank. Each line begins with its keyword field; the keyword's "
    "values follow it, separated by commas, in the order the tables below give. A keyword "
    "field is recognised when it contains the keyword's words anywhere in it, and every "
    "keyword it contains is acted on. A field that contains a dash is a comment and is "
    "passed over (up to ten in a row in the route's general section, two elsewhere). The "
    "last field of a text is never acted on, so a text ends with a field such as `[fine]`.\n"
    "\n"
    "A number that does not fit the width it is read at stops the installer. A value "
    "stored in fewer bits than it is read at keeps only its low bits.\n"
    "\n";

bool read_file(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: language_reference <route text> <scenario text> <output file>\n";
    return 2;
  }
  std::string route, scenario;
  if (!read_file(argv[1], &route) || !read_file(argv[2], &scenario)) {
    std::cerr << "language_reference: cannot read the sample texts\n";
    return 1;
  }
  std::ostringstream out;
  out << kIntroduction;
  write_text(out, "The route text, `<route>_linea.txt`", binario::route_grammar::kSections,
             lines_of(route));
  write_text(out, "The scenario text, `<route>_<train>-.txt`", binario::scenario_grammar::kSections,
             lines_of(scenario));
  std::ofstream file(argv[3], std::ios::binary);
  file << out.str();
  if (!file.flush()) {
    std::cerr << "language_reference: cannot write " << argv[3] << "\n";
    return 1;
  }
  return 0;
}
