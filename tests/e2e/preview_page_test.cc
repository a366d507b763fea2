// What `binario preview` puts on the page about the texts themselves: their
// faults and warnings, each at its line with the line shown, as check tells them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support.h"

namespace binario::e2e {
namespace {

using namespace sample;

std::string sample_scenario() { return read_file(fs::path(BINARIO_EXAMPLES_DIR) / kScenarioText); }

struct PageCase {
  const char* what;
  std::string from, to;  // the edit of the sample scenario text
  int status;
  std::vector<std::string> shown;  // on the page
  bool drawn;                      // the page has its drawings
};

TEST(PreviewPageTest, FaultsAndWarningsShowAtTheirLines) {
  const std::vector<PageCase> cases = {
      {"a keyword misspelt",
       "segnale,    1900,",
       "sgnale,    1900,",
       0,
       {"class=\"diag warning\"", "-.txt:62:1</span>", "[-Wunknown-keyword]",
        "hint: did you mean &#39;segnale&#39;?", "<span class=\"ln here\">62</span> sgnale,"},
       true},
      {"a position that is no number",
       "segnale,    1900,",
       "segnale,    19x0,",
       1,
       {"class=\"diag error\"", "-.txt:62:13</span>", "[code 25]",
        "The installer would stop with:  Errore n. 25", "<span class=\"caret\">"},
       false},
  };
  for (const PageCase& c : cases) {
    TempDir temp;
    write_file(temp.path() / kRouteText, read_file(fs::path(BINARIO_EXAMPLES_DIR) / kRouteText));
    std::string scenario = sample_scenario();
    scenario.replace(scenario.find(c.from), c.from.size(), c.to);
    write_file(temp.path() / kScenarioText, scenario);
    const RunResult previewed =
        run({tool_path().string(), "preview", ".", "-o", "page.html"}, temp.path());
    EXPECT_EQ(previewed.status, c.status) << c.what << ": " << previewed.err;
    const std::string page = read_file(temp.path() / "page.html");
    EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos) << c.what;
    for (const std::string& s : c.shown) {
      EXPECT_NE(page.find(s), std::string::npos) << c.what << ": no " << s;
    }
    EXPECT_EQ(page.find("<svg class=\"bp profile\"") != std::string::npos, c.drawn) << c.what;
  }
}

}  // namespace
}  // namespace binario::e2e
