#include "compiled_files.h"

#include <cmath>

#include "base/coding.h"

namespace binario::tool {

bool decode_station_file(const Bytes& file, std::vector<StationRecord>* records,
                         std::string* error) {
  records->clear();
  size_t at = 0;
  auto need = [&](size_t n) { return file.size() - at >= n; };
  while (records->size() < static_cast<size_t>(kStationRecords)) {
    const size_t index = records->size();
    if (!need(16)) {
      *error = "the file ends inside station record " + std::to_string(index) +
               ", which starts at offset " + std::to_string(at);
      return false;
    }
    StationRecord r;
    const uint8_t* p = file.data() + at;
    r.station_kind = p[0];
    r.area_start = decode_i32(p + 1);
    r.area_end = decode_i32(p + 5);
    r.position = decode_i32(p + 9);
    r.flag_a = p[13];
    const size_t name_length = decode_u16(p + 14);
    at += 16;
    if (!need(name_length + 18)) {
      *error = "the file ends inside station record " + std::to_string(index) +
               ", which starts at offset " + std::to_string(at - 16) + " and names " +
               std::to_string(name_length) + " characters";
      return false;
    }
    r.name = std::string_view(reinterpret_cast<const char*>(file.data() + at), name_length);
    at += name_length;
    p = file.data() + at;
    r.group1_a = decode_i16(p);
    r.group1_b = decode_i16(p + 2);
    r.group2_a = decode_i16(p + 4);
    r.group2_b = decode_i16(p + 6);
    r.group2_c = decode_i16(p + 8);
    r.group1_c = p[10];
    r.dwell = p[11];
    r.flag_c = p[12];
    r.flag_b = p[13];
    r.scheduled_time = decode_i32(p + 14);
    at += 18;
    records->push_back(std::move(r));
  }
  if (at != file.size()) {
    *error = std::to_string(file.size() - at) +
             " bytes follow the last station record, from offset " + std::to_string(at);
    return false;
  }
  return true;
}

bool decode_grid_file(const Bytes& file, std::vector<GridCell>* cells, std::string* error) {
  cells->clear();
  if (file.empty() || file.size() % kGridCellBytes != 0) {
    *error = "a grid file holds a whole number of 15-byte cells; this one has " +
             std::to_string(file.size()) + " bytes";
    if (!file.empty()) {
      const size_t last = file.size() / kGridCellBytes * kGridCellBytes;
      *error += ", and the cell at offset " + std::to_string(last) + " is cut short";
    }
    return false;
  }
  for (size_t at = 0; at < file.size(); at += kGridCellBytes) {
    const uint8_t* p = file.data() + at;
    GridCell c;
    c.kind = p[0];
    c.value1 = decode_i16(p + 1);
    c.value2 = decode_i16(p + 3);
    c.value3 = decode_i16(p + 5);
    c.value4 = decode_i16(p + 7);
    c.signal_time = p[9];
    c.approach = p[10];
    c.mountain = p[11];
    c.line_speed = p[12];
    c.gradient = p[13];
    c.adhesion = p[14];
    cells->push_back(c);
  }
  return true;
}

namespace {

// One coordinate element: tag then payload.
struct Element {
  uint16_t tag = 0;
  double value = 0;
  size_t offset = 0;  // byte of the tag in the file
};

bool read_elements(const Bytes& file, size_t* at, std::vector<Element>* out, std::string* error) {
  const size_t start = *at;
  while (*at < file.size()) {
    if (file.size() - *at < 2) break;
    Element e;
    e.offset = *at;
    e.tag = decode_u16(file.data() + *at);
    size_t payload = e.tag == 0 ? 0 : e.tag == 2 ? 2 : e.tag == 5 ? 8 : SIZE_MAX;
    if (payload == SIZE_MAX) {
      *error = "unknown element tag " + std::to_string(e.tag) + " at offset " + std::to_string(*at);
      return false;
    }
    if (file.size() - *at - 2 < payload) break;
    const uint8_t* p = file.data() + *at + 2;
    e.value = e.tag == 2 ? decode_i16(p) : e.tag == 5 ? decode_f64(p) : 0.0;
    out->push_back(e);
    *at += 2 + payload;
  }
  if (*at != file.size()) {
    *error = "the file ends inside an element that starts at offset " + std::to_string(*at);
    return false;
  }
  (void)start;
  return true;
}

// The file holds x of every point, then y of every point, with nothing that
// says where y begins: every element is read and the two halves are the two
// equal counts. Each point's x and y must be of the same kind.
bool read_plan_elements(const Bytes& file, std::vector<Element>* elements, std::string* error) {
  size_t at = 0;
  if (!read_elements(file, &at, elements, error)) return false;
  if (elements->empty() || elements->size() % 2 != 0) {
    *error = "a route plan holds the same number of x and y elements; this one has " +
             std::to_string(elements->size()) + " elements";
    return false;
  }
  const size_t n = elements->size() / 2;
  for (size_t i = 0; i < n; ++i) {
    const Element& x = (*elements)[i];
    const Element& y = (*elements)[n + i];
    if (x.tag != y.tag) {
      *error = "point " + std::to_string(i) + " has an x of tag " + std::to_string(x.tag) +
               " at offset " + std::to_string(x.offset) + " and a y of tag " +
               std::to_string(y.tag) + " at offset " + std::to_string(y.offset);
      return false;
    }
  }
  return true;
}

}  // namespace

bool decode_route_plan_points(const Bytes& file, std::vector<PlanPoint>* points,
                              std::string* error) {
  points->clear();
  std::vector<Element> elements;
  if (!read_plan_elements(file, &elements, error)) return false;
  const size_t n = elements.size() / 2;
  points->reserve(n);
  for (size_t i = 0; i < n; ++i) {
    points->push_back(PlanPoint{elements[i].tag, elements[i].value, elements[n + i].value});
  }
  return true;
}

bool decode_route_plan(const Bytes& file, RoutePlanSummary* summary, std::string* error) {
  std::vector<Element> elements;
  if (!read_plan_elements(file, &elements, error)) return false;
  const size_t n = elements.size() / 2;
  *summary = RoutePlanSummary{};
  summary->points = static_cast<int64_t>(n);
  double previous_dx = 0, previous_dy = 0;
  for (size_t i = 0; i < n; ++i) {
    const Element& x = elements[i];
    const Element& y = elements[n + i];
    if (x.tag == 0) ++summary->empty_points;
    if (x.tag == 2) ++summary->integer_points;
    if (x.tag == 5) ++summary->double_points;
    if (x.tag == 0) continue;
    if (summary->last_point == static_cast<int64_t>(i) - 1 && i > 0) {
      double dx = x.value - summary->last_x, dy = y.value - summary->last_y;
      if (i > 1 && std::fabs(dx * previous_dy - dy * previous_dx) > 1e-12) ++summary->curved_points;
      previous_dx = dx;
      previous_dy = dy;
    }
    summary->last_x = x.value;
    summary->last_y = y.value;
    summary->last_point = static_cast<int64_t>(i);
  }
  return true;
}

}  // namespace binario::tool
