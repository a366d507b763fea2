// The route text's line section: gradients, curves, mountains and boards
// into the grid, the route plan and the station table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/route_plan.h"
#include "route/route_reader.h"
#include "route/route_reader_fixture.h"

namespace binario {
namespace {

TEST_F(RouteReaderTest, GradientStretches) {
  read(sample_route({"pendenza, 0, 0", "pendenza, 350, -2", "pendenza, 750, 0"}));
  ASSERT_EQ(state.fault(), Fault::kNone);
  const int32_t last = state.griglia.last();
  for (int32_t c = 0; c <= last; ++c) {
    int expected = c <= 6 ? 100 : c <= 14 ? 98 : c <= last - 3 ? 100 : 0;
    ASSERT_EQ(cell(c).gradient, expected) << "cell " << c;
  }
}

TEST_F(RouteReaderTest, GradientLinesAtTheSamePositionAndHalfCells) {
  // Two lines at 500: the second writes one cell with the older gradient.
  read(sample_route({"pendenza, 500, 3", "pendenza, 500, 5", "pendenza, 1000, 1"}));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_EQ(cell(9).gradient, 100);
  EXPECT_EQ(cell(10).gradient, 103);  // the extra cell
  EXPECT_EQ(cell(11).gradient, 105);
  EXPECT_EQ(cell(19).gradient, 105);
  EXPECT_EQ(cell(20).gradient, 101);

  CompileState s = test_state();
  disk.put(kRouteText, sample_route({"pendenza, 75, 2", "pendenza, 125, 4", "pendenza, 1000, 1"}));
  leggi_percorso(s, disk);
  ASSERT_EQ(s.fault(), Fault::kNone);
  EXPECT_EQ(s.griglia[0].gradient, 100);
  EXPECT_EQ(s.griglia[1].gradient, 100);
  EXPECT_EQ(s.griglia[2].gradient, 102);  // the 125 line writes one more cell
  EXPECT_EQ(s.griglia[3].gradient, 104);
}

TEST_F(RouteReaderTest, GradientsOutOfOrderNeverLeaveTheGrid) {
  std::vector<std::string> ls;
  for (int i = 0; i < 300; ++i) ls.push_back("pendenza, 100, " + std::to_string(i % 7));
  read(route_text(ls, 0));  // L = 140
  ASSERT_EQ(state.fault(), Fault::kNone);
  // Each line at 100 pushes the cursor one cell on: the 140th line (gradient
  // 138 % 7 before it) writes the last cell, the later ones write nothing.
  EXPECT_EQ(cell(140).gradient, 100 + 138 % 7);
  EXPECT_EQ(cell(139).gradient, 100 + 137 % 7);
}

TEST_F(RouteReaderTest, RangeCheckBoundaryEndsReadingWithCode15) {
  const std::string text = sample_route({
      "pendenza, 1000, 2",
      "montagna, 166800, 166900, 1",  // 166800 fits
      "pendenza, 166850, 3",          // does not
      "montagna, 0, 1000, 4",         // never read
  });
  read(text);
  EXPECT_EQ(state.fault(), Fault::kBeyondGrid);
  EXPECT_EQ(state.posizione_errore(), 166850);
  EXPECT_EQ(state.fault_byte(), static_cast<int32_t>(text.find("pendenza, 166850")));
  EXPECT_EQ(cell(3336).mountain, 1);
  EXPECT_EQ(cell(0).mountain, 0);
  // The tails are filled as at the end of the text.
  EXPECT_EQ(cell(3335).gradient, 102);
  EXPECT_EQ(cell(3336).gradient, 0);
  EXPECT_EQ(state.piano.cursor(), 166899);
  EXPECT_FALSE(disk.has(kRouteText));
  EXPECT_TRUE(disk.has(kScenarioText));
}

TEST_F(RouteReaderTest, CurveLinesBuildThePlan) {
  read(sample_route({"curvad3, 1000, 150", "curvas6, 5000, 20"}));
  ASSERT_EQ(state.fault(), Fault::kNone);
  RoutePlan expected;
  expected.create(166900);
  expected.start();
  ASSERT_TRUE(expected.lay_curve(1000, 150, 0.0004));
  ASSERT_TRUE(expected.lay_curve(5000, 20, -0.003));
  expected.finish();
  Bytes a, b;
  state.piano.serialize(&a);
  expected.serialize(&b);
  EXPECT_EQ(a, b);
}

TEST_F(RouteReaderTest, WithoutTheWriteRouteFlagCurvesArePassedOver) {
  state.write_route = 0;
  read(sample_route({"curvad3, 1000, 150", "pendenza, 0, 1"}));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_FALSE(state.piano.exists());
  EXPECT_EQ(cell(0).gradient, 101);
}

TEST_F(RouteReaderTest, MountainsAndBoardsReachTheGridAndTheStationTable) {
  read(sample_route({
      "montagna, 107100, 107750, 11",
      "montagna, 107900, 108500, 2",  // 150 m after: type 3
      "indicatori_vmax, 500, 95, 110, 115, 2, 95, 110, 115, 1",
      "cartello_indicatore, 21400, (PONTE SUL)(FIUME PO )(m 428    )",
      "cartello_indicatore, 107200, (GALLERIA)",
  }));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_EQ(cell(2142).mountain, 1);
  EXPECT_EQ(cell(2149).kind, cell_kind::kMountainMarker);
  EXPECT_EQ(cell(2158).mountain, 3);
  EXPECT_EQ(cell(11).value1, 1919);
  EXPECT_EQ(cell(11).value4, 21);
  EXPECT_EQ(cell(429).value1, 80);
  EXPECT_EQ(cell(2145).kind, cell_kind::kLocationBoard);  // replaced the marker
  EXPECT_EQ(cell(2145).value1, 79);
  EXPECT_EQ(state.stazioni[80].name.view(), "(PONTE SUL)(FIUME PO )(m 428    )");
  EXPECT_EQ(state.stazioni[79].name.view(), "(GALLERIA)");
  EXPECT_EQ(state.next_board_record, 78);
}

TEST_F(RouteReaderTest, FieldVariableIsHandedOver) {
  read(sample_route({"pendenza, 0, 1"}));
  EXPECT_EQ(state.campo.view(), "[fine]");
}

}  // namespace
}  // namespace binario
