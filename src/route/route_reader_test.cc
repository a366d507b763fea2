#include "route/route_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_disk.h"
#include "model/route_plan.h"
#include "test_folder.h"

namespace binario {
namespace {

// A route text of 159900 m, the sample's length, with the given line section.
std::string sample_route(const std::vector<std::string>& line_section) {
  return route_text(line_section, 159900);
}

class RouteReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.write_route = 1;
    disk.put(kScenarioText, "[generale]\r\n");
    disk.put(kNote, "nota");
  }

  void read(const std::string& text) {
    disk.put(kRouteText, text);
    leggi_percorso(state, disk);
  }

  const GridCell& cell(int32_t i) const { return state.griglia[i]; }

  MemoryDisk disk;
  CompileState state = test_state();
};

TEST_F(RouteReaderTest, GeneralSectionFillsTheRouteHeader) {
  read(lines({
      "Linea di prova, \"con, virgola\"",
      "[generale]",
      "lunghezza percorso, 159900",
      "progressiva chilometrica uno, 122900, 106500, 1",
      "progressiva chilometrica due, 5000, 2000, 0",
      "sfondo uno, 3",
      "sfondo due, 4",
      "sfondo tre, 5",
      "ripetizione segnali 9 codici, 3450, 9000",
      "[linea]",
      "[fine]",
  }));
  ASSERT_EQ(state.fault(), Fault::kNone);
  const StationTable& t = state.stazioni;
  EXPECT_EQ(t[kRouteRecord].name.view(), "R");
  EXPECT_EQ(t[kTrainRecord].name.view(), "T");
  EXPECT_EQ(t[kServiceRecord].area_end, 159900);
  // Ordered by position, the flag adding 100 to "uno".
  EXPECT_EQ(t[81].area_start, 122900);
  EXPECT_EQ(t[81].area_end, 106600);
  EXPECT_EQ(t[81].position, 1);
  EXPECT_EQ(t[82].area_start, 5000);
  EXPECT_EQ(t[82].area_end, 2000);
  EXPECT_EQ(t[83].area_start, 0);
  // Background two goes to `position`, three to `area_end`.
  EXPECT_EQ(t[kRouteRecord].area_start, 3);
  EXPECT_EQ(t[kRouteRecord].position, 4);
  EXPECT_EQ(t[kRouteRecord].area_end, 5);
  EXPECT_EQ(t[kTrainRecord].area_start, 3450);
  EXPECT_EQ(t[kTrainRecord].area_end, 9000);
  EXPECT_EQ(t[kTrainRecord].position, 9);

  EXPECT_EQ(state.griglia.last(), 3338);
  EXPECT_EQ(state.piano.last(), 166900);
  EXPECT_EQ(state.piano.cursor(), 166899);  // finished up to T - 2
  EXPECT_EQ(state.next_board_record, 80);
  EXPECT_FALSE(disk.has(kRouteText));
  EXPECT_TRUE(disk.has(kScenarioText));
  EXPECT_TRUE(disk.has(kNote));
}

TEST_F(RouteReaderTest, SignalRepetitionSystem) {
  struct Case {
    const char* line;
    int32_t code;
    int32_t system;
  };
  const Case cases[] = {
      {"ripetizione segnali 4 codici, 3450, 9000", 0, 4},
      {"ripetizione segnali 9 codici, 3450, 0", 0, 0},
      {"ripetizione segnali 49 codici, 0, 50", 0, 4},
      {"ripetizione segnali codici, 100, 200", code_of(Fault::kRepetitionSystem), 0},
      {"ripetizione segnali 4 codici, 3475, 200", code_of(Fault::kRepetitionStart), 0},
      {"ripetizione segnali 4 codici, 3450, 201", code_of(Fault::kRepetitionEnd), 0},
  };
  for (const Case& c : cases) {
    MemoryDisk d;
    CompileState s = test_state();
    s.write_route = 1;
    d.put(kScenarioText, "x");
    d.put(kRouteText,
          lines({"[generale]", "lunghezza percorso, 1000", c.line, "[linea]", "[fine]"}));
    leggi_percorso(s, d);
    EXPECT_EQ(code_of(s.fault()), c.code) << c.line;
    if (c.code == 0) {
      EXPECT_EQ(s.stazioni[kTrainRecord].position, c.system) << c.line;
    }
    EXPECT_FALSE(d.has(kRouteText)) << c.line;
    EXPECT_TRUE(d.has(kScenarioText)) << c.line;
  }
}

TEST_F(RouteReaderTest, KeywordCaseRules) {
  read(lines({
      "[generale]",
      "LUNGHEZZA Percorso, 2000",                     // case-insensitive
      "Progressiva chilometrica uno, 1000, 2000, 0",  // case-sensitive: passed over
      "sfondo Uno, 7",
      "Ripetizione segnali 4 codici, 125, 0",
      "[linea]",
      "PENDENZA, 100, 3",
      "CurvaS1, 500, 10",
      "MONTAGNA, 0, 500, 2",
      "INDICATORI_VMAX, 1000, 100, 100, 100, 0, 100, 100, 100, 0",
      "Cartello_Indicatore, 1500, (A)",
      "[fine]",
  }));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_EQ(state.griglia.last(), 180);
  EXPECT_EQ(state.stazioni[81].area_end, 0);
  EXPECT_EQ(state.stazioni[83].area_end, 0);
  EXPECT_EQ(state.stazioni[kRouteRecord].area_start, 0);
  EXPECT_EQ(state.stazioni[kTrainRecord].area_start, 0);
  EXPECT_EQ(cell(2).gradient, 103);
  EXPECT_LT(state.piano.value(RoutePlan::kX, 510), 0.0);
  EXPECT_EQ(cell(9).mountain, 2);
  EXPECT_EQ(cell(21).kind, cell_kind::kSpeedBoard);
  EXPECT_EQ(cell(31).kind, cell_kind::kLocationBoard);
}

TEST_F(RouteReaderTest, DashFieldsArePassedOver) {
  read(lines({
      "[generale]",
      "-- commento: sfondo uno --",
      "-",
      "-",
      "-",
      "-",
      "-",
      "-",
      "-",
      "-",
      "-",  // ten dash fields in a row
      "lunghezza percorso, 2000",
      "sfondo uno, 5, -7",  // a stray negative number
      "sfondo due, 6",
      "[linea]",
      "-- vecchia pendenza --, 1000, 9",  // skipped; its numbers have no keyword
      "-- a --",
      "-- b --",
      "-- pendenza, 200, 4",  // a third dash field is read like any other
      "[fine]",
  }));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_EQ(state.stazioni[kRouteRecord].area_start, 5);
  EXPECT_EQ(state.stazioni[kRouteRecord].position, 6);
  EXPECT_EQ(cell(0).gradient, 100);
  EXPECT_EQ(cell(3).gradient, 100);
  EXPECT_EQ(cell(4).gradient, 104);
  EXPECT_EQ(cell(20).gradient, 104);
}

TEST_F(RouteReaderTest, OnlyATitleWithBothBracketsEndsTheGeneralSection) {
  read(lines({
      "[generale]",
      "lunghezza percorso, 2000",
      "[ nota",
      "sfondo uno, 7",
      "nota ]",
      "sfondo due, 8",
      "[linea]",
      "sfondo tre, 9",
      "[fine]",
  }));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_EQ(state.stazioni[kRouteRecord].area_start, 7);
  EXPECT_EQ(state.stazioni[kRouteRecord].position, 8);
  EXPECT_EQ(state.stazioni[kRouteRecord].area_end, 0);  // in the line section: no keyword
}

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

// Every fault of the route text: its code, its position, and which texts remain.
TEST_F(RouteReaderTest, FaultsAndWhatTheyLeave) {
  std::vector<std::string> mountains, boards;
  for (int i = 0; i <= 80; ++i) {
    mountains.push_back("montagna, " + std::to_string(1000 * i) + ", " +
                        std::to_string(1000 * i + 500) + ", 1");
    boards.push_back("cartello_indicatore, " + std::to_string(1000 * i) + ", (x)");
  }
  struct Case {
    const char* what;
    std::string text;
    int32_t code;
    int32_t posizione;  // -1: none recorded
    int32_t write_route = 1;
  };
  const int none = -1;
  const Case cases[] = {
      {"no general section", lines({"lunghezza percorso, 1000", "[fine]"}), 102, none},
      {"general section as the last field", lines({"x", "[generale]"}), 102, none},
      {"empty text", "", 102, none},
      {"route too long", route_text({}, 1000001), 1, none},
      {"negative route length", route_text({}, -50), 1, none},
      {"curve without a class", sample_route({"curva, 1000, 100"}), 103, none},
      {"curve past a million points", route_text({"curvad1, 999990, 20"}, 1000000), 103, none},
      {"location board on a taken cell",
       sample_route(
           {"indicatori_vmax, 1000, 1, 1, 1, 0, 1, 1, 1, 0", "cartello_indicatore, 1000, (x)"}),
       6, 1000},
      {"speed board on a taken cell",
       sample_route(
           {"cartello_indicatore, 1000, (x)", "indicatori_vmax, 1010, 1, 1, 1, 0, 1, 1, 1, 0"}),
       21, 1010},
      {"mountain with a negative start", sample_route({"montagna, -50, 1000, 1"}), 15, -50},
      {"mountain ending past the grid", sample_route({"montagna, 1000, 167000, 1"}), 15, 167000},
      {"speed board at a negative position",
       sample_route({"indicatori_vmax, -10, 1, 1, 1, 0, 1, 1, 1, 0"}), 15, -10},
      {"location board at a negative position", sample_route({"cartello_indicatore, -10, (x)"}), 15,
       -10},
      {"curve ending past the plan", sample_route({"curvad1, 166000, 1000"}), 15, 166000},
      {"curve past the grid beats its class", sample_route({"curva, 166850, 10"}), 15, 166850},
      {"curve past the plan beats its class", sample_route({"curva, 166000, 1000"}), 15, 166000},
      {"no route length", lines({"[generale]", "[linea]", "pendenza, 0, 1", "[fine]"}), 25, none},
      {"no route length, no plan", lines({"[generale]", "[linea]", "pendenza, 0, 1", "[fine]"}), 25,
       none, 0},
      {"no route length, nothing used", lines({"[generale]", "[linea]", "[fine]"}), 25, none, 0},
      {"not a number", sample_route({"pendenza, 1x0, 2"}), 25, none},
      {"route length out of 32 bits",
       lines({"[generale]", "lunghezza percorso, 99999999999", "[linea]", "[fine]"}), 25, none},
      {"line cut short by the end",
       lines({"[generale]", "lunghezza percorso, 1000", "[linea]", "pendenza, 100"}), 25, none},
      {"dash skipping past the end", lines({"[generale]", "lunghezza percorso, 1000", "-a", "-b"}),
       25, none},
      {"81st mountain line", sample_route(mountains), 25, none},
      {"81st location board", sample_route(boards), 25, none},
      {"speed board values past 16 bits",
       sample_route({"indicatori_vmax, 1000, 2000, 1, 1, 0, 1, 1, 1, 0"}), 25, none},
      {"gradient + 100 past 32 bits", sample_route({"pendenza, 0, 2147483600"}), 25, none},
      {"kilometre value + 100 past 32 bits",
       lines({"[generale]", "lunghezza percorso, 1000",
              "progressiva chilometrica tre, 50, 2147483600, 1", "[linea]", "[fine]"}),
       25, none},
  };
  for (const Case& c : cases) {
    MemoryDisk d;
    CompileState s = test_state();
    s.write_route = c.write_route;
    s.record_fault_at(Fault::kNone, -1, InputText::kNone, 0);
    d.put(kScenarioText, "[generale]\r\n");
    d.put(kNote, "nota");
    d.put(kRouteText, c.text);
    leggi_percorso(s, d);
    EXPECT_EQ(code_of(s.fault()), c.code) << c.what;
    EXPECT_EQ(s.posizione_errore(), c.posizione) << c.what;
    // After a reading failure the run, not the reader, deletes both texts.
    if (c.code != 25) {
      EXPECT_FALSE(d.has(kRouteText)) << c.what;
    }
    EXPECT_TRUE(d.has(kScenarioText)) << c.what;
    EXPECT_TRUE(d.has(kNote)) << c.what;
  }
}

TEST_F(RouteReaderTest, RouteLengthOfAMillionIsAccepted) {
  read(route_text({}, 1000000));
  ASSERT_EQ(state.fault(), Fault::kNone);
  EXPECT_EQ(state.griglia.last(), 20140);
  EXPECT_EQ(state.piano.last(), 1007000);
}

TEST_F(RouteReaderTest, MissingRouteTextIsCode101AndDeletesNothing) {
  leggi_percorso(state, disk);
  EXPECT_EQ(state.fault(), Fault::kNoRouteText);
  EXPECT_TRUE(disk.has(kScenarioText));
  EXPECT_EQ(state.stazioni[kRouteRecord].name.view(), "R");
}

// A fault of a line is recorded at its keyword field; a value that cannot be
// read, at that value.
TEST_F(RouteReaderTest, FaultRecordsTheFieldItStoppedOn) {
  const std::string taken =
      sample_route({"pendenza, 0, 1", "indicatori_vmax, 500, 1, 1, 1, 0, 1, 1, 1, 0",
                    "  cartello_indicatore, 500, (x)"});
  read(taken);
  EXPECT_EQ(state.fault(), Fault::kLocationBoardTaken);
  EXPECT_EQ(state.fault_byte(), static_cast<int32_t>(taken.find("cartello_indicatore")));

  const std::string unreadable = sample_route({"pendenza, 0, 1", "montagna, 500, 1O00, 1"});
  state = test_state();
  state.write_route = 1;
  read(unreadable);
  EXPECT_EQ(state.fault(), Fault::kReadingFailure);
  EXPECT_EQ(state.fault_byte(), static_cast<int32_t>(unreadable.find("1O00")));
}

}  // namespace
}  // namespace binario
