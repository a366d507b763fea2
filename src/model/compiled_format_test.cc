// The three compiled files read back by the decoders beside their encoders:
// what the installer writes comes back field for field, and bytes that are
// cut short or carry an unknown tag are refused at the byte where that shows,
// without reading past the end (the sanitizer build watches that).

#include <gtest/gtest.h>

#include "model/grid_cell_format.h"
#include "model/line_grid.h"
#include "model/route_plan.h"
#include "model/route_plan_format.h"
#include "model/station_record_format.h"

namespace binario {
namespace {

StationRecord full_record() {
  StationRecord r;
  r.station_kind = 2;
  r.area_start = -450;
  r.area_end = 1200;
  r.position = 800;
  r.flag_a = 1;
  r.name = Text("BOLOGNA CENTRALE");
  r.group1_a = -3;
  r.group1_b = 4;
  r.group2_a = 5;
  r.group2_b = 6;
  r.group2_c = -7;
  r.group1_c = 8;
  r.dwell = 9;
  r.flag_c = 10;
  r.flag_b = 11;
  r.scheduled_time = 39180;
  return r;
}

TEST(CompiledFormatTest, StationRecordComesBackFieldForField) {
  const StationRecord r = full_record();
  Bytes image;
  encode_station_record(r, &image);
  ASSERT_EQ(image.size(), kStationRecordFixedBytes + r.name.size());
  ByteReader in(image.data(), image.size());
  StationRecord back;
  std::optional<uint16_t> name_length;
  ASSERT_TRUE(decode_station_record(&in, &back, &name_length));
  EXPECT_EQ(in.left(), 0u);
  EXPECT_EQ(name_length, r.name.size());
  EXPECT_EQ(back.station_kind, r.station_kind);
  EXPECT_EQ(back.area_start, r.area_start);
  EXPECT_EQ(back.area_end, r.area_end);
  EXPECT_EQ(back.position, r.position);
  EXPECT_EQ(back.flag_a, r.flag_a);
  EXPECT_EQ(back.name.view(), r.name.view());
  EXPECT_EQ(back.group1_a, r.group1_a);
  EXPECT_EQ(back.group1_b, r.group1_b);
  EXPECT_EQ(back.group2_a, r.group2_a);
  EXPECT_EQ(back.group2_b, r.group2_b);
  EXPECT_EQ(back.group2_c, r.group2_c);
  EXPECT_EQ(back.group1_c, r.group1_c);
  EXPECT_EQ(back.dwell, r.dwell);
  EXPECT_EQ(back.flag_c, r.flag_c);
  EXPECT_EQ(back.flag_b, r.flag_b);
  EXPECT_EQ(back.scheduled_time, r.scheduled_time);
}

TEST(CompiledFormatTest, StationFileCutAnywhereIsRefusedInsideTheFile) {
  StationTable table;
  table[86] = full_record();
  Bytes file;
  table.serialize(&file);
  std::vector<StationRecord> records;
  FormatError error;
  ASSERT_TRUE(decode_station_file(file, &records, &error)) << error.what;
  const size_t last_start = file.size() - kStationRecordFixedBytes - table[86].name.size();
  for (size_t cut = last_start; cut < file.size(); ++cut) {
    Bytes shorter(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(decode_station_file(shorter, &records, &error)) << cut;
    EXPECT_GE(error.offset, last_start) << cut;
    EXPECT_LE(error.offset, cut) << cut;
    EXPECT_NE(error.what.find("record 86"), std::string::npos) << error.what;
  }
  // A name that claims more characters than the file holds.
  Bytes lying = file;
  lying[last_start + 14] = 0xFF;
  lying[last_start + 15] = 0xFF;
  EXPECT_FALSE(decode_station_file(lying, &records, &error));
  EXPECT_EQ(error.offset, last_start + 16);
  EXPECT_NE(error.what.find("names 65535 characters"), std::string::npos) << error.what;
}

TEST(CompiledFormatTest, GridFileCutInsideACellNamesThatCell) {
  LineGrid grid;
  grid.create(0);
  grid[3].kind = cell_kind::kSpeedBoard;
  grid[3].value2 = -20;
  grid[3].gradient = 97;
  Bytes file;
  grid.serialize(&file);
  std::vector<GridCell> cells;
  FormatError error;
  ASSERT_TRUE(decode_grid_file(file, &cells, &error)) << error.what;
  ASSERT_EQ(cells.size(), static_cast<size_t>(grid.last()) + 1);
  EXPECT_EQ(cells[3].kind, cell_kind::kSpeedBoard);
  EXPECT_EQ(cells[3].value2, -20);
  EXPECT_EQ(cells[3].gradient, 97);

  file.resize(4 * kGridCellBytes + 7);
  EXPECT_FALSE(decode_grid_file(file, &cells, &error));
  EXPECT_EQ(error.offset, 4u * kGridCellBytes);
  EXPECT_FALSE(decode_grid_file(Bytes{}, &cells, &error));
}

TEST(CompiledFormatTest, TaggedValuesComeBackAndBadOnesAreRefusedAtTheirTag) {
  struct Case {
    uint16_t tag;
    double value;
    size_t bytes;
  };
  const Case cases[] = {
      {value_tag::kEmpty, 0, 2},
      {value_tag::kInt16, -32768, 4},
      {value_tag::kInt16, 1, 4},
      {value_tag::kDouble, -0.0004, 10},
  };
  for (const Case& c : cases) {
    Bytes image(3 + tagged_value_bytes(c.tag), 0xEE);
    uint8_t* end = encode_tagged_value(image.data() + 3, c.tag, c.value);
    EXPECT_EQ(end - image.data(), static_cast<std::ptrdiff_t>(3 + c.bytes));
    ByteReader in(image.data(), image.size(), 3);
    TaggedValue back;
    FormatError error;
    ASSERT_TRUE(decode_tagged_value(&in, &back, &error)) << error.what;
    EXPECT_EQ(back.tag, c.tag);
    EXPECT_EQ(back.value, c.value);
    EXPECT_EQ(back.offset, 3u);
    EXPECT_EQ(in.left(), 0u);
    // Every shorter image is refused at the tag, leaving the reader there.
    for (size_t keep = 3; keep < image.size(); ++keep) {
      ByteReader cut(image.data(), keep, 3);
      EXPECT_FALSE(decode_tagged_value(&cut, &back, &error)) << keep;
      EXPECT_EQ(error.offset, 3u);
      EXPECT_EQ(cut.at(), 3u);
    }
  }
  Bytes unknown;
  put_u16(&unknown, 0);
  put_u16(&unknown, 7);
  std::vector<PlanPoint> points;
  FormatError error;
  EXPECT_FALSE(decode_route_plan_file(unknown, &points, &error));
  EXPECT_EQ(error.offset, 2u);
  EXPECT_NE(error.what.find("tag 7"), std::string::npos) << error.what;
}

TEST(CompiledFormatTest, RoutePlanFileComesBackPointForPoint) {
  RoutePlan plan;
  plan.create(40);
  plan.start();
  ASSERT_TRUE(plan.lay_curve(10, 20, 0.002));
  plan.finish();
  Bytes file;
  plan.serialize(&file);
  std::vector<PlanPoint> points;
  FormatError error;
  ASSERT_TRUE(decode_route_plan_file(file, &points, &error)) << error.what;
  ASSERT_EQ(points.size(), 41u);
  for (int32_t i = 0; i <= plan.last(); ++i) {
    EXPECT_EQ(points[static_cast<size_t>(i)].tag, plan.tag(RoutePlan::kX, i)) << i;
    EXPECT_EQ(points[static_cast<size_t>(i)].x, plan.value(RoutePlan::kX, i)) << i;
    EXPECT_EQ(points[static_cast<size_t>(i)].y, plan.value(RoutePlan::kY, i)) << i;
  }
  // x of point 0 an integer, y of point 0 turned into an empty value.
  Bytes mixed;
  put_u16(&mixed, value_tag::kInt16);
  put_i16(&mixed, 0);
  put_u16(&mixed, value_tag::kEmpty);
  EXPECT_FALSE(decode_route_plan_file(mixed, &points, &error));
  EXPECT_EQ(error.offset, 4u);
}

}  // namespace
}  // namespace binario
