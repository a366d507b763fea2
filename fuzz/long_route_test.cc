#include "long_route.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "package/package_layout.h"
#include "package/package_writer.h"

namespace binario::fuzz {
namespace {

TEST(LongRouteTest, PassesOverTheRoutesTheReaderWouldBuildLong) {
  struct Case {
    const char* what;
    const char* text;
    bool long_route;
  };
  const Case cases[] = {
      {"at the limit", "[generale]\r\nlunghezza percorso, 5000\r\n[linea]\r\n[fine]\r\n", false},
      {"one metre over", "[generale]\r\nlunghezza percorso, 5001\r\n[linea]\r\n[fine]\r\n", true},
      {"the longest route", "[generale]\r\nlunghezza percorso, 1000000\r\n", true},
      {"refused before anything is built", "[generale]\r\nlunghezza percorso, 1000001\r\n", false},
      {"negative, refused", "[generale]\r\nlunghezza percorso, -159900\r\n", false},
      {"any letter case", "[GENERALE]\r\nLunghezza Percorso, 159900\r\n", true},
      {"a later length line builds again",
       "[generale]\r\nlunghezza percorso, 1000\r\nsfondo uno, 2\r\nlunghezza percorso, 8000\r\n",
       true},
      {"before the general section", "lunghezza percorso, 159900\r\n[generale]\r\n", false},
      {"no general section", "lunghezza percorso, 159900\r\n[linea]\r\n", false},
      {"in the line section",
       "[generale]\r\nlunghezza percorso, 1000\r\n[linea]\r\nlunghezza percorso, 159900\r\n",
       false},
      {"a dash field is no section title",
       "[generale]\r\n-- [nota] --\r\nlunghezza percorso, 159900\r\n", true},
      {"not a number", "[generale]\r\nlunghezza percorso, lunga\r\n", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(asks_for_long_route(c.text), c.long_route) << c.what;
  }
}

// The install harness's input: the installer image from the route name area on.
std::string installer_input(std::string_view record_name, std::string_view content) {
  Bytes image;
  EXPECT_TRUE(begin_installer(Bytes(), "R", "T", &image));
  EXPECT_TRUE(append_record(record_name, reinterpret_cast<const uint8_t*>(content.data()),
                            content.size(), &image));
  return std::string(image.begin() + kRouteNameOffset, image.end());
}

bool installs_long(const std::string& input) {
  return installs_long_route(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

TEST(LongRouteTest, LooksForTheLengthInThePackagesRouteText) {
  const std::string long_route = "[generale]\r\nlunghezza percorso, 159900\r\n[linea]\r\n";
  const std::string short_route = "[generale]\r\nlunghezza percorso, 4000\r\n[linea]\r\n";
  EXPECT_TRUE(installs_long(installer_input("R_linea.txt", long_route)));
  EXPECT_FALSE(installs_long(installer_input("R_linea.txt", short_route)));
  // Another route's text is never compiled.
  EXPECT_FALSE(installs_long(installer_input("S_linea.txt", long_route)));
  // A package cut short is refused before any route is built.
  std::string cut = installer_input("R_linea.txt", long_route);
  cut.pop_back();
  EXPECT_FALSE(installs_long(cut));
}

}  // namespace
}  // namespace binario::fuzz
