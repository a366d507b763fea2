#include "app/errore.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace binario {
namespace {

TEST(ErroreTest, InstallerCodesHaveOneLineOfWayForward) {
  const std::pair<const char*, const char*> cases[] = {
      {"1252", "scaricalo di nuovo"},
      {"1253", "versione corretta"},
      {"1254", "accetta la richiesta di autorizzazione"},
      {"1255", "avvialo di nuovo"},
  };
  std::set<std::string> lines;
  for (const auto& [code, advice] : cases) {
    const std::string line(way_forward(code));
    EXPECT_NE(line.find(advice), std::string::npos) << code << ": " << line;
    // One line, in plain ASCII: it reaches the message box the same in every code page.
    for (char c : line) {
      EXPECT_TRUE(c >= 0x20 && c < 0x7f) << code << ": " << line;
    }
    lines.insert(line);
    // The code's own text stays exactly as it was.
    EXPECT_EQ(error_message(code).view(), std::string(" Errore n. ") + code);
  }
  EXPECT_EQ(lines.size(), 4u) << "each code has its own advice";
}

TEST(ErroreTest, OtherCodesKeepTheirBareText) {
  for (const char* code :
       {"1250", "1251", "101", "25", "8, posizione 125 m", "125", "12520", "1256", " 1252", ""}) {
    EXPECT_EQ(way_forward(code), "") << code;
  }
  EXPECT_EQ(error_message("1250").view(), " Errore n. 1250");
}

}  // namespace
}  // namespace binario
