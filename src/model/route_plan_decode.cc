#include "model/route_plan_format.h"

namespace binario {

bool decode_tagged_value(ByteReader* in, TaggedValue* v, FormatError* error) {
  const size_t start = in->at();
  ByteReader ahead = *in;
  uint16_t tag = 0;
  if (!ahead.u16(&tag)) {
    *error = FormatError{
        start, "the file ends inside an element that starts at offset " + std::to_string(start)};
    return false;
  }
  if (tag != value_tag::kEmpty && tag != value_tag::kInt16 && tag != value_tag::kDouble) {
    *error = FormatError{start, "unknown element tag " + std::to_string(tag) + " at offset " +
                                    std::to_string(start)};
    return false;
  }
  TaggedValue read{tag, 0.0, start};
  int16_t whole = 0;
  const bool complete = tag == value_tag::kInt16    ? ahead.i16(&whole)
                        : tag == value_tag::kDouble ? ahead.f64(&read.value)
                                                    : true;
  if (!complete) {
    *error = FormatError{
        start, "the file ends inside an element that starts at offset " + std::to_string(start)};
    return false;
  }
  if (tag == value_tag::kInt16) read.value = whole;
  *v = read;
  *in = ahead;
  return true;
}

bool decode_route_plan_file(const Bytes& file, std::vector<PlanPoint>* points, FormatError* error) {
  points->clear();
  std::vector<TaggedValue> values;
  ByteReader in(file.data(), file.size());
  while (in.left() != 0) {
    TaggedValue v;
    if (!decode_tagged_value(&in, &v, error)) return false;
    values.push_back(v);
  }
  if (values.empty() || values.size() % 2 != 0) {
    *error = FormatError{file.size(),
                         "a route plan holds the same number of x and y elements; this one has " +
                             std::to_string(values.size()) + " elements"};
    return false;
  }
  const size_t n = values.size() / 2;
  points->reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const TaggedValue& x = values[i];
    const TaggedValue& y = values[n + i];
    if (x.tag != y.tag) {
      *error = FormatError{
          y.offset, "point " + std::to_string(i) + " has an x of tag " + std::to_string(x.tag) +
                        " at offset " + std::to_string(x.offset) + " and a y of tag " +
                        std::to_string(y.tag) + " at offset " + std::to_string(y.offset)};
      points->clear();
      return false;
    }
    points->push_back(PlanPoint{x.tag, x.value, y.value});
  }
  return true;
}

}  // namespace binario
