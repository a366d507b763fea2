#include "preview/page_data.h"

#include <nlohmann/json.hpp>

namespace binario::tool {

namespace {

using nlohmann::json;

json object_json(const PreviewObject& o) {
  json values = json::array();
  for (const ObjectValue& v : o.values) {
    json item = {{"n", v.name}, {"u", v.unit}};
    if (!v.text.empty() || v.numbers.empty()) {
      item["t"] = v.text;
    } else {
      item["x"] = v.numbers;
      if (v.range) item["r"] = true;
    }
    values.push_back(std::move(item));
  }
  json item = {{"t", o.title}, {"k", kind_word(o.kind)}, {"m", o.metre}, {"v", std::move(values)}};
  if (o.source.known()) item["s"] = o.source.text();
  return item;
}

// The lines of the texts that set the stretch values, by first cell.
json stretch_lines(const PreviewRoute& route) {
  json lines = {{"g", json::array()}, {"s", json::array()}, {"a", json::array()}};
  SourceLine previous_g, previous_s, previous_a;
  for (size_t i = 0; i < route.compiled->cells.size(); ++i) {
    const int32_t cell = static_cast<int32_t>(i);
    const SourceLine g = route.sources.gradient(cell), s = route.sources.line_speed(cell),
                     a = route.sources.adhesion(cell);
    if (g.line != previous_g.line && g.known()) lines["g"].push_back({cell, g.text()});
    if (s.line != previous_s.line && s.known()) lines["s"].push_back({cell, s.text()});
    if (a.line != previous_a.line && a.known()) lines["a"].push_back({cell, a.text()});
    previous_g = g, previous_s = s, previous_a = a;
  }
  return lines;
}

}  // namespace

std::string page_data(const PreviewRoute& route, const std::vector<PreviewObject>& objects) {
  json data;
  data["route"] = route.route_name;
  data["train"] = route.train_name;
  json list = json::array();
  for (const PreviewObject& o : objects) list.push_back(object_json(o));
  data["objects"] = std::move(list);
  if (route.compiled) {
    json g = json::array(), s = json::array(), a = json::array(), m = json::array();
    for (const GridCell& c : route.compiled->cells) {
      g.push_back(gradient_per_mille(c));
      s.push_back(line_speed_kmh(c));
      a.push_back(c.adhesion);
      m.push_back(c.mountain);
    }
    data["cells"] = {{"g", g}, {"s", s}, {"a", a}, {"m", m}};
    if (!route.sources.empty()) data["lines"] = stretch_lines(route);
  }
  std::string text = data.dump(-1, ' ', false, json::error_handler_t::replace);
  // The block must not end the script element early.
  for (size_t at = 0; (at = text.find("</", at)) != std::string::npos; at += 3) {
    text.replace(at, 2, "<\\/");
  }
  return text;
}

}  // namespace binario::tool
