#include "preview/svg_writer.h"

#include <gtest/gtest.h>

namespace binario::tool {
namespace {

TEST(SvgWriterTest, NumbersHaveOneDecimalAtMost) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{3, "3"},     {12.5, "12.5"},  {12.54, "12.5"}, {12.96, "13"},
                        {-0.04, "0"}, {-7.25, "-7.3"}, {1e6, "1000000"}};
  for (const Case& c : cases) EXPECT_EQ(svg_number(c.value), c.text) << c.value;
}

// Names from the texts may hold any character: they never break the markup.
TEST(SvgWriterTest, TextAndAttributesAreEscaped) {
  SvgWriter w;
  w.open("g", {{"class", "st"}, {"data-name", "A \"B\" <C>"}});
  w.text_element("text", {{"x", 1.24}, {"y", 2}}, "PONTE & <FIUME> 'PO'");
  w.close();
  EXPECT_TRUE(w.balanced());
  EXPECT_EQ(w.markup(),
            "<g class=\"st\" data-name=\"A &quot;B&quot; &lt;C&gt;\"><text x=\"1.2\" y=\"2\">"
            "PONTE &amp; &lt;FIUME&gt; &#39;PO&#39;</text></g>");
}

TEST(SvgWriterTest, ElementsCloseInOrder) {
  SvgWriter w;
  w.open("svg", {{"width", 10}});
  w.open("g");
  w.element("circle", {{"r", 2}});
  EXPECT_FALSE(w.balanced());
  w.close();
  w.close();
  w.close();  // one close too many writes nothing
  EXPECT_TRUE(w.balanced());
  EXPECT_EQ(w.markup(), "<svg width=\"10\"><g><circle r=\"2\"/></g></svg>");
}

TEST(SvgWriterTest, PathDataJoinsItsSteps) {
  PathData d;
  d.move(0, 1.5);
  d.line(10, -2);
  d.close_path();
  EXPECT_EQ(d.str(), "M0,1.5 L10,-2 Z");
}

}  // namespace
}  // namespace binario::tool
