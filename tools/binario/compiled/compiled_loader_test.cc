#include "compiled/compiled_loader.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/line_grid.h"
#include "model/station_table.h"
#include "platform/scratch_folder.h"

namespace binario::tool {
namespace {

namespace fs = std::filesystem;

void put(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(CompiledLoaderTest, KindComesFromTheNameEnding) {
  const struct {
    const char* name;
    CompiledKind kind;
  } cases[] = {
      {"PADOVA_IR2230.sim", CompiledKind::kStationFile},
      {"PADOVA_IR2230.dat", CompiledKind::kGridFile},
      {"PADOVA_linea.dat", CompiledKind::kRoutePlan},
      {"PADOVA_linea.txt", CompiledKind::kNone},
      {"PADOVA_IR2230-.txt", CompiledKind::kNone},
      {"PADOVA_IR2230.sim.bak", CompiledKind::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(compiled_kind_of(c.name), c.kind) << c.name;
}

// A scenario folder with the three files the installer writes.
class CompiledRouteFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    StationTable table;
    table.clear();
    table[1].name = Text("PADOVA");
    table[1].scheduled_time = 44100;
    Bytes stations;
    table.serialize(&stations);
    put(folder(names_.station_file()), stations);
    LineGrid grid;
    grid.create(1000);
    grid[3].kind = cell_kind::kSignal;
    cells_ = static_cast<size_t>(grid.last()) + 1;
    Bytes cells;
    grid.serialize(&cells);
    put(folder(names_.grid_file()), cells);
    put(folder(names_.route_plan()), Bytes{0, 0, 0, 0});
  }
  fs::path folder(const Text& name) const { return scratch_.path() / std::string(name.view()); }

  ScratchFolder scratch_;
  size_t cells_ = 0;
  ScenarioNames names_{"PADOVA", "IR2230"};
};

TEST_F(CompiledRouteFolder, LoadsTheThreeFilesOfAScenario) {
  CompiledRoute route;
  std::string error;
  ASSERT_TRUE(load_compiled_route(scratch_.path(), names_, &route, &error)) << error;
  ASSERT_EQ(route.records.size(), 87u);
  EXPECT_EQ(route.records[1].name.view(), "PADOVA");
  EXPECT_EQ(route.records[1].scheduled_time, 44100);
  ASSERT_EQ(route.cells.size(), cells_);
  EXPECT_EQ(route.cells[3].kind, cell_kind::kSignal);
  EXPECT_EQ(route.plan.size(), 1u);
}

TEST_F(CompiledRouteFolder, NamesTheFileThatIsMissingOrDamaged) {
  const std::string grid = (scratch_.path() / "PADOVA_IR2230.dat").string();
  put(grid, Bytes{1, 2, 3});
  CompiledRoute route;
  std::string error;
  EXPECT_FALSE(load_compiled_route(scratch_.path(), names_, &route, &error));
  EXPECT_EQ(error.rfind(grid + ": not a grid file: ", 0), 0u) << error;

  fs::remove(scratch_.path() / "PADOVA_linea.dat");
  CompiledFile file;
  EXPECT_FALSE(load_compiled_file((scratch_.path() / "PADOVA_linea.dat").string(), &file, &error));
  EXPECT_NE(error.find("cannot read \"" + (scratch_.path() / "PADOVA_linea.dat").string() + "\""),
            std::string::npos)
      << error;
}

TEST(CompiledLoaderTest, RefusesANameThatIsNoCompiledFile) {
  CompiledFile file;
  std::string error;
  EXPECT_FALSE(load_compiled_file("PADOVA_linea.txt", &file, &error));
  EXPECT_EQ(error, "PADOVA_linea.txt: not a compiled file (expected .sim, .dat or _linea.dat)");
}

}  // namespace
}  // namespace binario::tool
