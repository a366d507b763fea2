// The language facts of the two grammars: their sections, keywords and
// values as the readers test and read them.

#include "lsp/language_facts.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "base/grammar_lookup.h"
#include "route/route_grammar.h"
#include "scenario/scenario_grammar.h"
#include "text/text_scan.h"

namespace binario::tool {

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A line that is a section title: it begins with '[' and holds ']'.
std::optional<std::string> title_of_line(std::string_view line) {
  const size_t open = line.find_first_not_of(" \t");
  if (open == std::string_view::npos || line[open] != '[') return std::nullopt;
  const size_t close = line.find(']', open);
  if (close == std::string_view::npos) return std::nullopt;
  return lower(line.substr(open, close - open + 1));
}

std::string range_of(grammar::Width width) {
  if (width == grammar::Width::kText) return "text";
  return std::to_string(grammar::width_min(width)) + " to " +
         std::to_string(grammar::width_max(width));
}

KeywordFacts facts_of(const grammar::KeywordDef& k) {
  KeywordFacts f;
  f.written = k.written;
  f.does = k.meaning;
  for (const grammar::Value& v : k.values) {
    f.values.push_back({v.name, v.unit, range_of(v.width), v.stored});
  }
  return f;
}

class GrammarFacts : public LanguageFacts {
 public:
  GrammarFacts() {
    for (auto table : {std::span<const grammar::KeywordDef>(route_grammar::kGeneralKeywords),
                       std::span<const grammar::KeywordDef>(route_grammar::kLineKeywords),
                       std::span<const grammar::KeywordDef>(scenario_grammar::kKeywords)}) {
      for (const grammar::KeywordDef& k : table) facts_[&k] = facts_of(k);
    }
  }

  // "[generale]" opens the keyword lines; the other titles are the usual
  // ones of the sample, which the readers pass over.
  std::vector<std::string> section_titles(TextKind kind) const override {
    if (kind == TextKind::kRoute) {
      return {grammar::kGeneralTitle, "[pendenze]", "[curve]", "[montagne]",
              "[indicazioni]",        "[cartelli]", "[fine]"};
    }
    return {grammar::kGeneralTitle, "[aderenze]", "[vel_limite]", "[stazioni]",
            "[rallentamenti]",      "[segnali]",  "[codici]",     "[fine]"};
  }

  std::vector<const KeywordFacts*> keywords_in(TextKind kind,
                                               const std::string& section) const override {
    std::vector<const KeywordFacts*> out;
    for (const grammar::KeywordDef& k : keywords_of(kind, section)) out.push_back(&facts_.at(&k));
    return out;
  }

  TextPlace place(TextKind kind, const SourceText& text, size_t offset) const override {
    TextPlace out;
    const int line = text.line_of(offset);
    out.section = section_at(text, line);
    const std::span<const grammar::KeywordDef> keywords = keywords_of(kind, out.section);
    const grammar::LinePlace at =
        grammar::place_in_line(keywords, text.line(line), offset - text.line_start(line));
    if (at.keyword == nullptr) return out;
    out.keyword = &facts_.at(at.keyword);
    out.value = at.value;
    out.on_field = at.end > at.start;
    return out;
  }

  std::vector<TextSymbol> symbols(TextKind kind, const SourceText& text) const override {
    std::vector<TextSymbol> out;
    for (int line = 1; line <= text.line_count(); ++line) {
      const std::optional<std::string> title = title_of_line(text.line(line));
      if (!title) continue;
      if (!out.empty()) out.back().last_line = std::max(out.back().line, line - 1);
      const size_t column = text.line(line).find('[') + 1;
      out.push_back({TextSymbol::Kind::kSection, *title, "", line, static_cast<int>(column),
                     text.line_count(), 0});
    }
    const TextScan scan =
        kind == TextKind::kRoute ? scan_route_text(text) : scan_scenario_text(text);
    for (const Statement& s : scan.statements) {
      if (std::optional<TextSymbol> symbol = symbol_of(s)) out.push_back(*symbol);
    }
    return out;
  }

 private:
  static std::span<const grammar::KeywordDef> keywords_of(TextKind kind,
                                                          const std::string& section) {
    if (section.empty()) return {};  // before "[generale]" the readers act on nothing
    if (kind == TextKind::kScenario) return scenario_grammar::kKeywords;
    if (section == grammar::kGeneralTitle) return route_grammar::kGeneralKeywords;
    return route_grammar::kLineKeywords;
  }

  // The title in force on `line`: empty before "[generale]"; the route's
  // general section ends at the next title.
  static std::string section_at(const SourceText& text, int line) {
    std::string section;
    for (int l = 1; l < line; ++l) {
      const std::optional<std::string> title = title_of_line(text.line(l));
      if (title && (section.empty() ? *title == grammar::kGeneralTitle : true)) section = *title;
    }
    return section;
  }

  static std::optional<TextSymbol> symbol_of(const Statement& s) {
    TextSymbol out;
    if (s.is(kw::kStation)) {
      out.kind = TextSymbol::Kind::kStation;
      out.name = s.values.empty() ? "" : std::string(s.values.back().text.view());
    } else if (s.is(kw::kSignal)) {
      out.kind = TextSymbol::Kind::kSignal;
    } else if (s.is(kw::kLocationBoard)) {
      out.kind = TextSymbol::Kind::kBoard;
      out.name = s.values.size() < 2 ? "" : std::string(s.values[1].text.view());
    } else if (s.is(kw::kSpeedBoard)) {
      out.kind = TextSymbol::Kind::kBoard;
    } else {
      return std::nullopt;
    }
    if (out.name.find_first_not_of(' ') == std::string::npos) out.name = s.spec->written;
    if (!s.values.empty() && s.values[0].failure == FieldReader::Failure::kNone) {
      out.detail = std::to_string(s.values[0].value) + " m";
    }
    out.line = s.keyword.line;
    out.column = s.keyword.column;
    const Field& last = s.values.empty() ? s.keyword : s.values.back();
    out.last_line = last.line;
    out.last_column = last.column + static_cast<int>(last.end - last.start);
    return out;
  }

  std::map<const grammar::KeywordDef*, KeywordFacts> facts_;
};

}  // namespace

const LanguageFacts& language_facts() {
  static const GrammarFacts facts;
  return facts;
}

}  // namespace binario::tool
