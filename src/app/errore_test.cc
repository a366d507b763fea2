#include "app/errore.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace binario {
namespace {

TEST(ErroreTest, InstallerCodesHaveOneLineOfWayForward) {
  const std::tuple<Fault, const char*, const char*> cases[] = {
      {Fault::kPackageDamaged, "1252", "scaricalo di nuovo"},
      {Fault::kPackageUnsafe, "1253", "versione corretta"},
      {Fault::kCannotWriteFile, "1254", "accetta la richiesta di autorizzazione"},
      {Fault::kCannotReadInstaller, "1255", "avvialo di nuovo"},
  };
  std::set<std::string> lines;
  for (const auto& [fault, code, advice] : cases) {
    const std::string line(way_forward(fault));
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

// The player reads the table's line whole: nothing cut from its end, nothing
// after it; the faults without a line get none.
TEST(ErroreTest, WayForwardIsTheTablesLineWhole) {
#define BINARIO_FAULT_WHOLE_LINE(name, code, shown, player_line, author_text) \
  EXPECT_EQ(way_forward(Fault::name), std::string_view(player_line)) << code;
  BINARIO_FAULTS(BINARIO_FAULT_WHOLE_LINE)
#undef BINARIO_FAULT_WHOLE_LINE
}

TEST(ErroreTest, AnUnfinishedInstallAsksForAnotherStartNotForPermission) {
  CompileResult result;
  result.fault = Fault::kCannotWriteFile;
  EXPECT_EQ(player_message(result).view(),
            std::string(" Errore n. 1254\n") + std::string(way_forward(Fault::kCannotWriteFile)));
  result.unfinished = true;
  const std::string message(player_message(result).view());
  EXPECT_EQ(message.rfind(" Errore n. 1254\n", 0), 0u) << message;
  EXPECT_NE(message.find("avvia di nuovo il programma di installazione"), std::string::npos);
  EXPECT_EQ(message.find("autorizzazione"), std::string::npos) << message;
  for (char c : message) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << message;
}

TEST(ErroreTest, OtherCodesKeepTheirBareText) {
  for (const Fault fault : kAllFaults) {
    const int32_t code = code_of(fault);
    if (code >= 1252 && code <= 1255) continue;
    EXPECT_EQ(way_forward(fault), "") << code;
  }
  EXPECT_EQ(error_message("1250").view(), " Errore n. 1250");
}

// The faults found at a place on the line, and only they, give the player
// their position: 6 to 9, 11 to 13 and 15 to 22.
TEST(ErroreTest, PositionIsShownForTheFaultsFoundOnTheLine) {
  for (const Fault fault : kAllFaults) {
    const int32_t code = code_of(fault);
    const bool on_line =
        (code >= 6 && code <= 9) || (code >= 11 && code <= 13) || (code >= 15 && code <= 22);
    CompileResult result;
    result.fault = fault;
    result.position = 1900;
    const std::string shown(error_code_text(result).view());
    EXPECT_EQ(shown, std::to_string(code) + (on_line ? ", posizione 1900 m" : "")) << code;
  }
  EXPECT_FALSE(records_position(static_cast<Fault>(-1)));
  EXPECT_FALSE(records_position(static_cast<Fault>(64)));
}

}  // namespace
}  // namespace binario
