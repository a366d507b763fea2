#include "preview/page.h"

#include <algorithm>

#include "preview/ground_plan.h"
#include "preview/page_assets.h"
#include "preview/page_data.h"
#include "preview/profile.h"
#include "preview/svg_writer.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

const SourceText* text_named(const PreviewRoute& route, const std::string& file) {
  for (const SourceText& t : route.texts) {
    if (t.name() == file) return &t;
  }
  return nullptr;
}

// The faulty line with its neighbours, and a caret under the field.
void excerpt(const SourceText& text, const Diagnostic& d, SvgWriter& html) {
  if (d.line <= 0 || d.line > text.line_count()) return;
  html.open("pre", {{"class", "excerpt"}});
  for (int n = std::max(1, d.line - 1); n <= std::min(text.line_count(), d.line + 1); ++n) {
    const std::string line = display_text(text.line(n));
    html.open("span", {{"class", n == d.line ? "ln here" : "ln"}});
    html.text(std::to_string(n));
    html.close();
    html.text(" " + line + "\n");
    if (n == d.line && d.column > 0) {
      // The caret counts characters as shown, as the column counts bytes of the text.
      const std::string before =
          display_text(text.line(n).substr(0, static_cast<size_t>(d.column - 1)));
      size_t shown = 0;
      for (unsigned char c : before) shown += (c & 0xC0) != 0x80;
      html.open("span", {{"class", "caret"}});
      html.text(std::string(std::to_string(n).size() + 1 + shown, ' ') +
                std::string(static_cast<size_t>(std::max(1, d.width)), '^') + "\n");
      html.close();
    }
  }
  html.close();
}

void diagnostics_section(const PreviewRoute& route, SvgWriter& html) {
  const CheckReport& r = route.report;
  if (r.diagnostics.empty() && route.problem.empty()) return;
  html.open("section", {{"id", "bp-faults"}});
  html.text_element("h2", {},
                    route.problem.empty() ? totals_line(r) : "The scenario cannot be read");
  if (!route.problem.empty()) html.text_element("p", {{"class", "problem"}}, route.problem);
  if (!r.shown.empty()) {
    html.text_element("p", {{"class", "shown"}}, "The installer would stop with: " + r.shown);
  }
  for (const Diagnostic& d : r.diagnostics) {
    const bool error = d.severity == Severity::kError;
    html.open("div", {{"class", error ? "diag error" : "diag warning"},
                      {"data-file", d.file},
                      {"data-line", d.line}});
    std::string where = d.file;
    if (d.line > 0) where += ":" + std::to_string(d.line);
    if (d.column > 0) where += ":" + std::to_string(d.column);
    html.text_element("span", {{"class", "where"}}, where);
    html.text_element("span", {{"class", "sev"}}, error ? "error" : "warning");
    html.text_element("span", {{"class", "msg"}}, d.message);
    html.text_element("span", {{"class", "code"}},
                      error ? "[code " + std::to_string(d.code) + "]" : "[-W" + d.warning + "]");
    if (const SourceText* t = text_named(route, d.file)) excerpt(*t, d, html);
    for (const Note& n : d.notes) {
      std::string note = "note: ";
      if (!n.file.empty()) note += n.file + ":" + std::to_string(n.line) + ": ";
      html.text_element("div", {{"class", "note"}}, note + n.text);
    }
    for (const std::string& h : d.hints)
      html.text_element("div", {{"class", "hint"}}, "hint: " + h);
    html.close();
  }
  html.close();
}

std::string facts(const PreviewRoute& route) {
  if (!route.compiled) return "does not compile: no drawing until the errors below are mended";
  const CompiledRoute& c = *route.compiled;
  const RecordUses uses = record_uses(c.records);
  int signals = 0;
  for (const GridCell& g : c.cells) signals += g.kind == cell_kind::kSignal;
  return svg_number(static_cast<double>(route_length(c)) / 1000) + " km · " +
         std::to_string(uses.stations) + " stations and locations · " + std::to_string(signals) +
         " signals · " + std::to_string(uses.boards) + " location boards · " +
         std::to_string(c.cells.size()) +
         " cells · point at anything for its values, click to keep them";
}

void legend(SvgWriter& html) {
  html.raw(
      "<ul class=\"legend\"><li><i class=\"k-track\"></i>track</li><li><i "
      "class=\"k-beyond\"></i>beyond the route's end</li><li><i "
      "class=\"k-st\"></i>station</li><li><i "
      "class=\"k-loc\"></i>other location</li><li><i class=\"k-sig\"></i>signal</li><li><i "
      "class=\"k-brd\"></i>board</li><li><i class=\"k-slw\"></i>slowdown</li><li><i "
      "class=\"k-cod\"></i>code point</li></ul>");
}

void drawings_sections(const PreviewRoute& route, const std::vector<PreviewObject>& objects,
                       PreviewDrawings* drawings, SvgWriter& html) {
  const DrawingInput input{*route.compiled, objects};
  drawings->ground_plan = ground_plan_svg(input).svg;
  drawings->profile = profile_svg(input).svg;
  html.open("section", {{"id", "bp-plan"}});
  html.text_element("h2", {}, "Ground plan");
  legend(html);
  html.raw(drawings->ground_plan);
  html.close();
  html.open("section", {{"id", "bp-profile"}});
  html.open("h2");
  html.text("Line profile");
  html.raw(
      "<span class=\"zoom\"><button type=\"button\" data-zoom=\"in\" title=\"Zoom in\">+</button>"
      "<button type=\"button\" data-zoom=\"out\" title=\"Zoom out\">&#8722;</button>"
      "<button type=\"button\" data-zoom=\"all\" title=\"The whole line\">whole line</button>"
      "<span class=\"hint\">wheel to zoom, drag to move along the line</span></span>");
  html.close();
  html.open("div", {{"class", "frame"}});
  html.raw(drawings->profile);
  html.close();
  html.close();
}

}  // namespace

std::string preview_page(const PreviewRoute& route, PreviewDrawings* drawings) {
  std::vector<PreviewObject> objects;
  if (route.compiled) objects = collect_objects(*route.compiled, route.sources);
  const std::string title = route.route_name + " · " + route.train_name;
  SvgWriter html;
  html.raw(
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">");
  html.text_element("title", {}, title);
  html.raw("<style>");
  html.raw(kPageCss);
  html.raw("</style></head><body><main id=\"bp-main\"><header>");
  html.text_element("h1", {}, title);
  html.text_element("div", {{"class", "facts"}}, facts(route));
  html.raw("</header>");
  diagnostics_section(route, html);
  if (route.compiled) drawings_sections(route, objects, drawings, html);
  html.raw("<script type=\"application/json\" id=\"bp-data\">");
  html.raw(page_data(route, objects));
  html.raw(
      "</script></main><aside id=\"bp-details\" class=\"empty\"><h3>Details</h3>Point at a "
      "station, signal, "
      "board or the profile; click to keep.</aside><script>");
  html.raw(kPageJs);
  html.raw("</script></body></html>\n");
  if (route.compiled) {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string style = "<style>" + std::string(kPageCss) + "</style>";
    for (std::string* svg : {&drawings->ground_plan, &drawings->profile}) {
      const size_t open_end = svg->find('>');
      svg->insert(open_end + 1, style);
      svg->insert(0, xml);
    }
  }
  return html.markup();
}

}  // namespace binario::tool
