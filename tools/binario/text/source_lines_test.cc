// The line that declared each object of a compiled route, found at the cell
// the installer lays it in.

#include "text/source_lines.h"

#include <gtest/gtest.h>

#include "model/grid_cell.h"
#include "text/source_text.h"
#include "text/text_scan.h"

namespace binario::tool {
namespace {

const SourceText kRoute("R_linea.txt",
                        "pendenza, 100, 9\r\n"  // before [generale]: not read
                        "[generale]\r\nlunghezza percorso, 9000\r\n[linea]\r\n"
                        "pendenza, 0, 0\r\n"
                        "pendenza, 3000, 5\r\n"
                        "montagna, 4000, 5000, 1\r\n"
                        "cartello_indicatore, 2525, BIVIO\r\n");
const SourceText kScenario("R_T-.txt",
                           "[generale]\r\n"
                           "-- segnale, 500, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n"  // a comment
                           "stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\r\n"
                           "segnale, 2400, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n"
                           "rallentamento, 5025, 60, 500, 1, 1, 0\r\n"
                           "abbattimento, 6000, 180\r\n"
                           "velocita, 0, 100\r\n");

SourceLines Lines() {
  SourceLines lines;
  lines.add(kRoute.name(), scan_route_text(kRoute));
  lines.add(kScenario.name(), scan_scenario_text(kScenario));
  return lines;
}

TEST(SourceLinesTest, ObjectsAreFoundAtTheCellsTheInstallerLaysThemIn) {
  const SourceLines lines = Lines();
  EXPECT_EQ(lines.station(1).text(), "R_T-.txt:3");
  EXPECT_FALSE(lines.station(2).known());
  EXPECT_EQ(lines.location_board_text(80).text(), "R_linea.txt:8");
  EXPECT_EQ(lines.cell_object(52, cell_kind::kLocationBoard).text(),
            "R_linea.txt:8");  // 2525 rounds to even
  EXPECT_EQ(lines.cell_object(49, cell_kind::kSignal).text(), "R_T-.txt:4");
  EXPECT_FALSE(lines.cell_object(11, cell_kind::kSignal).known());  // the commented signal
  EXPECT_EQ(lines.cell_object(102, cell_kind::kSlowdownStart).text(), "R_T-.txt:5");
  EXPECT_EQ(lines.cell_object(78, cell_kind::kWarningBoard).text(), "R_T-.txt:5");
  EXPECT_EQ(lines.cell_object(112, cell_kind::kSlowdownEnd).text(), "R_T-.txt:5");
  EXPECT_EQ(lines.cell_object(120, cell_kind::kCodePoint).text(), "R_T-.txt:6");
  EXPECT_EQ(lines.mountain(80).text(), "R_linea.txt:7");
}

TEST(SourceLinesTest, StretchValuesAreFoundByTheLineThatCoversTheCell) {
  const SourceLines lines = Lines();
  EXPECT_EQ(lines.gradient(0).text(), "R_linea.txt:5");
  EXPECT_EQ(lines.gradient(59).text(), "R_linea.txt:5");
  EXPECT_EQ(lines.gradient(60).text(), "R_linea.txt:6");
  EXPECT_EQ(lines.line_speed(150).text(), "R_T-.txt:7");
  EXPECT_FALSE(lines.adhesion(10).known());
}

}  // namespace
}  // namespace binario::tool
