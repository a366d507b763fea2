#include "preview/svg_writer.h"

#include <cmath>
#include <cstdio>

namespace binario::tool {

std::string svg_number(double v) {
  double rounded = std::round(v * 10) / 10;
  if (rounded == 0) rounded = 0;  // no "-0"
  char buffer[48];
  if (rounded == std::floor(rounded)) {
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.1f", rounded);
  }
  return buffer;
}

std::string escaped(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void SvgWriter::start_tag(const char* name, Attributes attributes) {
  out_ += '<';
  out_ += name;
  for (const Attribute& a : attributes) {
    out_ += ' ';
    out_ += a.name;
    out_ += "=\"";
    if (const auto* s = std::get_if<std::string>(&a.value)) {
      out_ += escaped(*s);
    } else {
      out_ += svg_number(std::get<double>(a.value));
    }
    out_ += '"';
  }
}

void SvgWriter::element(const char* name, Attributes attributes) {
  start_tag(name, attributes);
  out_ += "/>";
}

void SvgWriter::text_element(const char* name, Attributes attributes, std::string_view text) {
  start_tag(name, attributes);
  out_ += '>';
  out_ += escaped(text);
  out_ += "</";
  out_ += name;
  out_ += '>';
}

void SvgWriter::open(const char* name, Attributes attributes) {
  start_tag(name, attributes);
  out_ += '>';
  open_.push_back(name);
}

void SvgWriter::close() {
  if (open_.empty()) return;
  out_ += "</";
  out_ += open_.back();
  out_ += '>';
  open_.pop_back();
}

void SvgWriter::text(std::string_view text) { out_ += escaped(text); }

void SvgWriter::raw(std::string_view markup) { out_ += markup; }

void PathData::add(char command, double x, double y) {
  if (!d_.empty()) d_ += ' ';
  d_ += command;
  d_ += svg_number(x);
  d_ += ',';
  d_ += svg_number(y);
}

}  // namespace binario::tool
