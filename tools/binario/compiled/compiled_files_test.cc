#include "compiled/compiled_files.h"

#include <gtest/gtest.h>

#include "base/coding.h"
#include "model/line_grid.h"

namespace binario::tool {
namespace {

TEST(CompiledFilesTest, StationFileRoundTrip) {
  StationTable table;
  table.clear();
  table[1].station_kind = 2;
  table[1].area_start = -450;
  table[1].name = Text("BOLOGNA CENTRALE");
  table[1].scheduled_time = 39180;
  table[80].name = Text("(PONTE SUL)(FIUME PO )");
  Bytes file;
  table.serialize(&file);

  std::vector<StationRecord> records;
  std::string error;
  ASSERT_TRUE(decode_station_file(file, &records, &error)) << error;
  ASSERT_EQ(records.size(), 87u);
  EXPECT_EQ(records[1].station_kind, 2);
  EXPECT_EQ(records[1].area_start, -450);
  EXPECT_EQ(records[1].name.view(), "BOLOGNA CENTRALE");
  EXPECT_EQ(records[1].scheduled_time, 39180);
  EXPECT_EQ(records[80].name.view(), "(PONTE SUL)(FIUME PO )");
}

TEST(CompiledFilesTest, StationFileOfTheWrongLengthIsRefused) {
  StationTable table;
  Bytes file;
  table.serialize(&file);
  std::vector<StationRecord> records;
  std::string error;
  Bytes longer = file;
  longer.push_back(0);
  EXPECT_FALSE(decode_station_file(longer, &records, &error));
  EXPECT_NE(error.find("1 bytes follow"), std::string::npos) << error;
  Bytes shorter(file.begin(), file.end() - 1);
  EXPECT_FALSE(decode_station_file(shorter, &records, &error));
  EXPECT_NE(error.find("record 86"), std::string::npos) << error;
}

TEST(CompiledFilesTest, GridFileRoundTrip) {
  LineGrid grid;
  grid.create(159900);
  grid[39].kind = cell_kind::kSignal;
  grid[39].value4 = 8;
  grid[39].adhesion = 100;
  Bytes file;
  grid.serialize(&file);
  std::vector<GridCell> cells;
  std::string error;
  ASSERT_TRUE(decode_grid_file(file, &cells, &error)) << error;
  ASSERT_EQ(cells.size(), 3339u);
  EXPECT_EQ(cells[39].kind, cell_kind::kSignal);
  EXPECT_EQ(cells[39].value4, 8);
  EXPECT_EQ(cells[39].adhesion, 100);
  file.pop_back();
  EXPECT_FALSE(decode_grid_file(file, &cells, &error));
}

TEST(CompiledFilesTest, RoutePlanSummaryCountsTagsAndCurves) {
  // x then y of points 0..5: two integer start points, a straight step, two
  // steps that turn, and an empty point.
  const double xs[] = {0, 0, 0, 0.001, 0.003};
  const double ys[] = {0, 1, 2, 3, 4};
  Bytes file;
  for (const double* coordinate : {xs, ys}) {
    for (int i = 0; i < 2; ++i) {
      put_u16(&file, 2);
      put_i16(&file, static_cast<int16_t>(coordinate[i]));
    }
    for (int i = 2; i < 5; ++i) {
      put_u16(&file, 5);
      put_f64(&file, coordinate[i]);
    }
    put_u16(&file, 0);
  }
  RoutePlanSummary plan;
  std::string error;
  ASSERT_TRUE(decode_route_plan(file, &plan, &error)) << error;
  EXPECT_EQ(plan.points, 6);
  EXPECT_EQ(plan.integer_points, 2);
  EXPECT_EQ(plan.double_points, 3);
  EXPECT_EQ(plan.empty_points, 1);
  EXPECT_EQ(plan.curved_points, 2);
  EXPECT_EQ(plan.last_point, 4);
  EXPECT_DOUBLE_EQ(plan.last_x, 0.003);
  EXPECT_DOUBLE_EQ(plan.last_y, 4);

  file.push_back(9);
  EXPECT_FALSE(decode_route_plan(file, &plan, &error));
}

}  // namespace
}  // namespace binario::tool
