#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_SVG_WRITER_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_SVG_WRITER_H_

// A small writer of SVG (and HTML) markup: elements with attributes, text
// escaped, numbers written with one decimal and no trailing zeros.

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace binario::tool {

// An attribute's value: a text (escaped when written) or a number.
struct Attribute {
  Attribute(const char* n, std::string_view v) : name(n), value(std::string(v)) {}
  Attribute(const char* n, const char* v) : name(n), value(std::string(v)) {}
  Attribute(const char* n, const std::string& v) : name(n), value(v) {}
  Attribute(const char* n, double v) : name(n), value(v) {}
  Attribute(const char* n, int v) : name(n), value(static_cast<double>(v)) {}
  Attribute(const char* n, long long v) : name(n), value(static_cast<double>(v)) {}
  Attribute(const char* n, long v) : name(n), value(static_cast<double>(v)) {}
  Attribute(const char* n, size_t v) : name(n), value(static_cast<double>(v)) {}

  const char* name;
  std::variant<std::string, double> value;
};

using Attributes = std::initializer_list<Attribute>;

// "12.5", "3", "-0.1": one decimal, none when it is 0.
std::string svg_number(double v);

// `s` with &, <, >, " and ' written as entities.
std::string escaped(std::string_view s);

class SvgWriter {
 public:
  // <name a="..."/>.
  void element(const char* name, Attributes attributes);
  // <name a="...">text</name>, the text escaped.
  void text_element(const char* name, Attributes attributes, std::string_view text);
  // <name a="..."> ... close().
  void open(const char* name, Attributes attributes = {});
  void close();
  // Escaped text, or markup that is already markup.
  void text(std::string_view text);
  void raw(std::string_view markup);

  // The markup so far; every opened element must have been closed.
  const std::string& markup() const { return out_; }
  bool balanced() const { return open_.empty(); }

 private:
  void start_tag(const char* name, Attributes attributes);

  std::string out_;
  std::vector<const char*> open_;
};

// A path's "d" attribute, built point by point.
class PathData {
 public:
  void move(double x, double y) { add('M', x, y); }
  void line(double x, double y) { add('L', x, y); }
  void close_path() { d_ += d_.empty() ? "Z" : " Z"; }
  const std::string& str() const { return d_; }

 private:
  void add(char command, double x, double y);
  std::string d_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_SVG_WRITER_H_
