// binario dump: every field of the three compiled files, as text, JSON or CSV.

#include "commands/dump.h"

#include <cctype>
#include <charconv>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "commands/command.h"
#include "compiled/compiled_loader.h"
#include "compiled/compiled_route.h"
#include "files/files.h"
#include "model/file_names.h"
#include "scenario/scenario_grammar.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

// One value of a field: nothing (an empty plan point's coordinates), a
// whole number, a double or a text.
struct Value {
  enum Kind { kNone, kInteger, kDouble, kText } kind = kNone;
  int64_t integer = 0;
  double real = 0;
  std::string text;

  Value() = default;
  Value(int64_t v) : kind(kInteger), integer(v) {}           // NOLINT: implicit on purpose
  Value(double v) : kind(kDouble), real(v) {}                // NOLINT
  Value(std::string v) : kind(kText), text(std::move(v)) {}  // NOLINT
};
struct Field {
  const char* name;
  Value value;
};
using Row = std::vector<Field>;

// The shortest text that reads back as the same double.
std::string number_text(double v) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

std::string plain_text(const Value& v) {
  switch (v.kind) {
    case Value::kInteger:
      return std::to_string(v.integer);
    case Value::kDouble:
      return number_text(v.real);
    case Value::kText:
      return v.text;
    default:
      return {};
  }
}

nlohmann::ordered_json json_of(const Value& v) {
  switch (v.kind) {
    case Value::kInteger:
      return v.integer;
    case Value::kDouble:
      return v.real;
    case Value::kText:
      return v.text;
    default:
      return nullptr;
  }
}

std::string csv_cell(const Value& v) {
  std::string s = plain_text(v);
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string quoted = "\"";
  for (char c : s) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// One compiled file written as a sequence of rows in the chosen format.
// `meaning` rows (route header records) carry a nested group of named values.
class Writer {
 public:
  Writer(DumpFormat format, std::ostream& out) : format_(format), out_(out) {}

  void begin_all(size_t files) {
    several_ = files > 1;
    if (format_ == DumpFormat::kJson && several_) out_ << "[\n";
  }
  void end_all() {
    if (format_ == DumpFormat::kJson && several_) out_ << "]\n";
  }

  // `about`: facts of the whole file; `rows_name`: "records", "cells", "points".
  void begin_file(const Row& about, const char* rows_name, const Row& columns) {
    rows_ = 0;
    if (format_ == DumpFormat::kJson) {
      if (files_ > 0) out_ << ",\n";
      nlohmann::ordered_json head = nlohmann::ordered_json::object();
      for (const Field& f : about) head[f.name] = json_of(f.value);
      std::string text = head.dump();
      text.pop_back();  // the rows follow inside the same object
      out_ << text << ",\"" << rows_name << "\":[\n";
    } else if (format_ == DumpFormat::kCsv) {
      if (files_ > 0) out_ << "\n";
      bool first = true;
      for (const Field& f : columns) {
        out_ << (first ? "" : ",") << f.name;
        first = false;
      }
      out_ << "\n";
    } else {
      if (files_ > 0) out_ << "\n";
      bool first = true;
      for (const Field& f : about) {
        out_ << (first ? "" : ", ") << f.name << " " << plain_text(f.value);
        first = false;
      }
      out_ << "\n";
    }
    ++files_;
  }

  void row(const Row& fields, const Row& meaning = {}) {
    if (format_ == DumpFormat::kJson) {
      nlohmann::ordered_json object = nlohmann::ordered_json::object();
      for (const Field& f : fields) object[f.name] = json_of(f.value);
      if (!meaning.empty()) {
        nlohmann::ordered_json group = nlohmann::ordered_json::object();
        for (const Field& f : meaning) group[f.name] = json_of(f.value);
        object["meaning"] = std::move(group);
      }
      out_ << (rows_ > 0 ? ",\n" : "") << object.dump();
    } else if (format_ == DumpFormat::kCsv) {
      bool first = true;
      for (const Field& f : fields) {
        out_ << (first ? "" : ",") << csv_cell(f.value);
        first = false;
      }
      out_ << "\n";
    } else {
      bool first = true;
      for (const Field& f : fields) {
        if (f.value.kind == Value::kNone) continue;
        const std::string text = plain_text(f.value);
        out_ << (first ? "" : "  ") << f.name << " "
             << (f.value.kind == Value::kText ? "\"" + text + "\"" : text);
        first = false;
      }
      out_ << "\n";
      for (const Field& f : meaning) out_ << "    " << f.name << " " << plain_text(f.value) << "\n";
    }
    ++rows_;
  }

  void end_file() {
    if (format_ == DumpFormat::kJson) out_ << "\n]}\n";
  }

 private:
  DumpFormat format_;
  std::ostream& out_;
  bool several_ = false;
  size_t files_ = 0;
  size_t rows_ = 0;
};

std::string meaning_text(const Row& meaning) {
  std::string text;
  for (const Field& f : meaning) {
    text += (text.empty() ? "" : "; ") + std::string(f.name) + "=" + plain_text(f.value);
  }
  return text;
}

// A station value's column: its name in the language reference, in lower
// case with underscores ("extended area": extended_area).
const char* station_key(size_t value) {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> out;
    for (const auto& v : scenario_grammar::kStationValues) {
      std::string key = v.name;
      for (char& c : key) c = c == ' ' ? '_' : static_cast<char>(std::tolower(c));
      out.push_back(key);
    }
    return out;
  }();
  return keys[value].c_str();
}

void dump_stations(const std::string& path, size_t bytes, const std::vector<StationRecord>& records,
                   DumpFormat format, Writer& w) {
  const RecordUses uses = record_uses(records);
  // The station values under their names in the language reference, in the
  // order of the record.
  Row columns = {{"record", {}},         {"use", {}},           {station_key(1), {}},
                 {"area_start", {}},     {"area_end", {}},      {station_key(0), {}},
                 {station_key(3), {}},   {station_key(16), {}}, {station_key(6), {}},
                 {station_key(7), {}},   {station_key(9), {}},  {station_key(10), {}},
                 {station_key(11), {}},  {station_key(8), {}},  {station_key(12), {}},
                 {station_key(5), {}},   {station_key(4), {}},  {"scheduled_time", {}},
                 {"scheduled_clock", {}}};
  if (format == DumpFormat::kCsv) columns.push_back({"meaning", {}});
  w.begin_file({{"file", path},
                {"content", std::string("station table")},
                {"bytes", static_cast<int64_t>(bytes)},
                {"stations", static_cast<int64_t>(uses.stations)},
                {"location_boards", static_cast<int64_t>(uses.boards)}},
               "records", columns);
  for (size_t i = 0; i < records.size(); ++i) {
    const StationRecord& r = records[i];
    Row meaning;
    for (const auto& [name, value] : header_meaning(static_cast<int>(i), r))
      meaning.push_back({name, value});
    Row fields = {
        {"record", static_cast<int64_t>(i)},
        {"use", std::string(record_use(static_cast<int>(i), uses))},
        {station_key(1), int64_t{r.station_kind}},
        {"area_start", int64_t{r.area_start}},
        {"area_end", int64_t{r.area_end}},
        {station_key(0), int64_t{r.position}},
        {station_key(3), int64_t{r.flag_a}},
        {station_key(16), display_text(r.name.view())},
        {station_key(6), int64_t{r.group1_a}},
        {station_key(7), int64_t{r.group1_b}},
        {station_key(9), int64_t{r.group2_a}},
        {station_key(10), int64_t{r.group2_b}},
        {station_key(11), int64_t{r.group2_c}},
        {station_key(8), int64_t{r.group1_c}},
        {station_key(12), int64_t{r.dwell}},
        {station_key(5), int64_t{r.flag_c}},
        {station_key(4), int64_t{r.flag_b}},
        {"scheduled_time", int64_t{r.scheduled_time}},
        {"scheduled_clock", r.scheduled_time != 0 && static_cast<int>(i) < kFirstBoardRecord
                                ? Value(clock_text(r.scheduled_time))
                                : Value()}};
    if (format == DumpFormat::kCsv) {
      fields.push_back({"meaning", meaning_text(meaning)});
      w.row(fields);
    } else {
      w.row(fields, meaning);
    }
  }
  w.end_file();
}

void dump_grid(const std::string& path, size_t bytes, const std::vector<GridCell>& cells,
               Writer& w) {
  const Row columns = {
      {"cell", {}},       {"metre", {}},          {"object_metre", {}}, {"kind", {}},
      {"kind_name", {}},  {"value1", {}},         {"value2", {}},       {"value3", {}},
      {"value4", {}},     {"signal_time", {}},    {"approach", {}},     {"mountain", {}},
      {"line_speed", {}}, {"line_speed_kmh", {}}, {"gradient", {}},     {"gradient_per_mille", {}},
      {"adhesion", {}}};
  w.begin_file({{"file", path},
                {"content", std::string("line grid")},
                {"bytes", static_cast<int64_t>(bytes)},
                {"cell_count", static_cast<int64_t>(cells.size())},
                {"metres_per_cell", int64_t{50}}},
               "cells", columns);
  for (size_t i = 0; i < cells.size(); ++i) {
    const GridCell& c = cells[i];
    w.row({{"cell", static_cast<int64_t>(i)},
           {"metre", cell_metre(i)},
           {"object_metre", c.kind == cell_kind::kEmpty ? Value() : Value(object_metre(i, c.kind))},
           {"kind", int64_t{c.kind}},
           {"kind_name", std::string(cell_kind_name(c.kind))},
           {"value1", int64_t{c.value1}},
           {"value2", int64_t{c.value2}},
           {"value3", int64_t{c.value3}},
           {"value4", int64_t{c.value4}},
           {"signal_time", int64_t{c.signal_time}},
           {"approach", int64_t{c.approach}},
           {"mountain", int64_t{c.mountain}},
           {"line_speed", int64_t{c.line_speed}},
           {"line_speed_kmh", int64_t{line_speed_kmh(c)}},
           {"gradient", int64_t{c.gradient}},
           {"gradient_per_mille", int64_t{gradient_per_mille(c)}},
           {"adhesion", int64_t{c.adhesion}}});
  }
  w.end_file();
}

void dump_plan(const std::string& path, size_t bytes, const std::vector<PlanPoint>& points,
               int64_t step, Writer& w) {
  const Row columns = {{"point", {}}, {"tag", {}}, {"x", {}}, {"y", {}}};
  w.begin_file({{"file", path},
                {"content", std::string("route plan")},
                {"bytes", static_cast<int64_t>(bytes)},
                {"point_count", static_cast<int64_t>(points.size())},
                {"step_m", step}},
               "points", columns);
  for (size_t i = 0; i < points.size(); ++i) {
    if (static_cast<int64_t>(i) % step != 0 && i + 1 != points.size()) continue;
    const PlanPoint& p = points[i];
    const bool empty = p.tag == value_tag::kEmpty;
    w.row({{"point", static_cast<int64_t>(i)},
           {"tag", int64_t{p.tag}},
           {"x", empty ? Value() : Value(p.x)},
           {"y", empty ? Value() : Value(p.y)}});
  }
  w.end_file();
}

}  // namespace

bool dump_files(const std::vector<std::string>& paths, const DumpOptions& options,
                std::ostream& out, std::vector<std::string>* problems) {
  const size_t problems_before = problems->size();
  // A damaged file is reported before anything is written, so that the
  // output holds only whole files and JSON stays well formed.
  std::vector<CompiledFile> files;
  for (const std::string& path : paths) {
    CompiledFile file;
    std::string error;
    if (!load_compiled_file(path, &file, &error)) {
      problems->push_back(error);
      continue;
    }
    files.push_back(std::move(file));
  }
  Writer w(options.format, out);
  w.begin_all(files.size());
  for (const CompiledFile& f : files) {
    if (f.kind == CompiledKind::kStationFile)
      dump_stations(f.path, f.bytes, f.records, options.format, w);
    if (f.kind == CompiledKind::kGridFile) dump_grid(f.path, f.bytes, f.cells, w);
    if (f.kind == CompiledKind::kRoutePlan) dump_plan(f.path, f.bytes, f.plan, options.step, w);
  }
  w.end_all();
  return problems->size() == problems_before;
}

CommandRun declare_dump(CommandLine& command) {
  auto files = std::make_shared<std::vector<std::string>>();
  auto options = std::make_shared<DumpOptions>();
  command
      .option("FILE", files.get(),
              "Compiled files: <route>_<train>.sim, <route>_<train>.dat, <route>_linea.dat")
      .type_name("FILE")
      .required();
  auto format = std::make_shared<int>(static_cast<int>(DumpFormat::kText));
  command.option("--format", format.get(), "text, json or csv")
      .mapped({{"text", static_cast<int>(DumpFormat::kText)},
               {"json", static_cast<int>(DumpFormat::kJson)},
               {"csv", static_cast<int>(DumpFormat::kCsv)}})
      .default_text("text");
  command.option("--step", &options->step, "Route plan: one point every M metres (and the last)")
      .type_name("M")
      .positive();
  command.footer(
      "Writes every field of the compiled files under its name: the 87 station records with the "
      "meaning of the route header records 81 to 86, every grid cell with its metre and its "
      "stretch values (gradient, line speed, adhesion, mountain) whether or not it holds an "
      "object (metre: where the cell's 50 metres begin; object_metre: the position the object was "
      "declared at), and the route plan point by point. JSON gives one object per file (an array "
      "of them for several files); CSV a header row and one row per record, cell or point. Exit "
      "status 1 when a file cannot be read or is damaged; the error names the file and the "
      "offset.");
  return [files, options, format] {
    options->format = static_cast<DumpFormat>(*format);
    std::vector<std::string> problems;
    const bool ok = dump_files(*files, *options, std::cout, &problems);
    for (const std::string& problem : problems) report("dump", problem);
    return ok ? kSuccess : kFailure;
  };
}

}  // namespace binario::tool
