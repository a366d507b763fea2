// The language facts read from the readers' keyword tables.

#include "lsp/language_facts.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>

#include "text/text_scan.h"

namespace binario::tool {

namespace {

// What a line of each keyword does.
const std::map<std::string_view, const char*> kDoes = {
    {"lunghezza percorso", "sets the route's length; the line grid has one cell per 50 m of it"},
    {"progressiva chilometrica uno", "a kilometric progressive: where the kilometre count changes"},
    {"progressiva chilometrica due", "a kilometric progressive: where the kilometre count changes"},
    {"progressiva chilometrica tre", "a kilometric progressive: where the kilometre count changes"},
    {"sfondo uno", "chooses the first background of the scenery"},
    {"sfondo due", "chooses the second background of the scenery"},
    {"sfondo tre", "chooses the third background of the scenery"},
    {"ripetizione segnali 4 codici",
     "the stretch with signal repetition in the cab (4 or 9 codes)"},
    {"pendenza", "the gradient from its position to the next gradient line"},
    {"curvad1", "a curve (curvad/curvas: right/left, 1 to 6: its class) from its start"},
    {"montagna", "a stretch of mountains beside the line"},
    {"indicatori_vmax", "a speed-indicator board: the speeds for each category on both sides"},
    {"cartello_indicatore", "a location board with its text"},
    {"percentuale massa frenata", "the train's braked-mass percentage"},
    {"numero vetture", "the number of cars of the train"},
    {"velocita", "the line speed from its position to the next speed line"},
    {"aderenza", "the adhesion from its position to the next adhesion line"},
    {"orologio", "the clock at the start of the service"},
    {"sabbia", "the sand the train carries"},
    {"segnale", "a signal at its position with its aspects"},
    {"rallentamento", "a slowdown with its warning and its end"},
    {"abbattimento", "a code point at its position"},
    {"stazione", "a station with its stop and its timetable"},
};

std::string unit_of(std::string_view value) {
  if (value == "position" || value == "start" || value == "end" || value == "length" ||
      value == "route length") {
    return "m";
  }
  if (value == "speed") return "km/h";
  if (value == "gradient") return "per mille";
  return "";
}

std::string range_of(Width width) {
  if (width == Width::kText) return "text";
  return std::to_string(width_min(width)) + " to " + std::to_string(width_max(width));
}

std::string stored_of(Width width) {
  switch (width) {
    case Width::kU8:
      return "as is, in 8 bits without sign";
    case Width::kI16:
      return "as is, in 16 bits";
    case Width::kI32:
      return "as is, in 32 bits";
    case Width::kText:
      return "byte for byte";
  }
  return "";
}

class TableFacts : public LanguageFacts {
 public:
  TableFacts() {
    for (auto table : {route_general_keywords(), route_line_keywords(), scenario_keywords()}) {
      for (const KeywordSpec& k : table) facts_[&k] = facts_of(k);
    }
  }

  std::vector<std::string> section_titles(TextKind kind) const override {
    if (kind == TextKind::kRoute) {
      return {"[generale]",    "[pendenze]", "[curve]", "[montagne]",
              "[indicazioni]", "[cartelli]", "[fine]"};
    }
    return {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
            "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};
  }

  std::vector<const KeywordFacts*> keywords_in(TextKind kind,
                                               const std::string& section) const override {
    std::vector<const KeywordFacts*> out;
    if (section.empty()) return out;  // before "[generale]" the readers act on nothing
    std::span<const KeywordSpec> table = kind == TextKind::kScenario ? scenario_keywords()
                                         : section == "[generale]"   ? route_general_keywords()
                                                                     : route_line_keywords();
    for (const KeywordSpec& k : table) out.push_back(&facts_.at(&k));
    return out;
  }

  TextPlace place(TextKind kind, const SourceText& text, size_t offset) const override {
    const TextScan scan =
        kind == TextKind::kRoute ? scan_route_text(text) : scan_scenario_text(text);
    TextPlace out;
    // The reader finds "[generale]" before it reads keyword fields.
    const size_t general = lower(text.bytes()).find("[generale]");
    if (general != std::string::npos && general < offset) out.section = "[generale]";
    for (const KeywordField& k : scan.keyword_fields) {
      if (k.field.start > offset) break;
      if (k.role == FieldRole::kTitle) out.section = title_of(k.field.raw);
    }
    const int line = text.line_of(offset);
    for (const Statement& s : scan.statements) {
      if (s.keyword.line != line) continue;
      out.keyword = &facts_.at(s.spec);
      if (offset >= s.keyword.start && offset <= s.keyword.end) out.on_field = true;
      for (size_t i = 0; i < s.values.size() && !out.on_field; ++i) {
        const Field& v = s.values[i];
        if (v.line == line && offset >= v.start && offset <= v.end) {
          out.value = static_cast<int>(i);
          out.on_field = true;
        }
      }
      break;
    }
    return out;
  }

  std::vector<TextSymbol> symbols(TextKind kind, const SourceText& text) const override {
    const TextScan scan =
        kind == TextKind::kRoute ? scan_route_text(text) : scan_scenario_text(text);
    std::vector<TextSymbol> out;
    // The reader finds "[generale]" before it reads keyword fields.
    for (int line = 1; line <= text.line_count(); ++line) {
      const std::string_view l = text.line(line);
      const size_t at = lower(l).find("[generale]");
      if (at == std::string::npos) continue;
      out.push_back({TextSymbol::Kind::kSection, "[generale]", "", line, static_cast<int>(at) + 1,
                     text.line_count(), 0});
      break;
    }
    for (const KeywordField& k : scan.keyword_fields) {
      if (k.role != FieldRole::kTitle && k.role != FieldRole::kNeverActed) continue;
      if (k.field.raw.find('[') == std::string::npos) continue;
      if (!out.empty()) out.back().last_line = std::max(out.back().line, k.field.line - 1);
      TextSymbol s{TextSymbol::Kind::kSection,
                   title_of(k.field.raw),
                   "",
                   k.field.line,
                   k.field.column,
                   text.line_count(),
                   0};
      out.push_back(s);
    }
    for (const Statement& s : scan.statements) {
      if (auto symbol = symbol_of(s)) out.push_back(*symbol);
    }
    return out;
  }

 private:
  static std::optional<TextSymbol> symbol_of(const Statement& s) {
    const std::string_view keyword = s.spec->written;
    TextSymbol out;
    if (keyword == "stazione") {
      out.kind = TextSymbol::Kind::kStation;
      out.name = s.values.empty() ? "" : std::string(s.values.back().text.view());
    } else if (keyword == "segnale") {
      out.kind = TextSymbol::Kind::kSignal;
      out.name = "segnale";
    } else if (keyword == "cartello_indicatore") {
      out.kind = TextSymbol::Kind::kBoard;
      out.name = s.values.size() < 2 ? "" : std::string(s.values[1].text.view());
    } else if (keyword == "indicatori_vmax") {
      out.kind = TextSymbol::Kind::kBoard;
      out.name = "indicatori_vmax";
    } else {
      return std::nullopt;
    }
    if (out.name.find_first_not_of(' ') == std::string::npos) out.name = keyword;
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

  static std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }

  static std::string title_of(std::string_view raw) {
    const size_t open = raw.find('[');
    const size_t close = raw.find(']', open);
    std::string title(raw.substr(open, close - open + 1));
    for (char& c : title) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return title;
  }

  static KeywordFacts facts_of(const KeywordSpec& k) {
    KeywordFacts f;
    f.written = k.written;
    const auto does = kDoes.find(k.written);
    f.does = does == kDoes.end() ? "" : does->second;
    for (const ValueSpec& v : k.values) {
      f.values.push_back({v.name, unit_of(v.name), range_of(v.width), stored_of(v.width)});
    }
    return f;
  }

  std::map<const KeywordSpec*, KeywordFacts> facts_;
};

}  // namespace

const LanguageFacts& language_facts() {
  static const TableFacts facts;
  return facts;
}

}  // namespace binario::tool
