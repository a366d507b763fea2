// The largest route a route text may describe, compiled and written on the
// real file system. How fast it goes is measured by the benchmarks (bench/).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/compile_driver.h"
#include "longest_route.h"
#include "platform/disk.h"
#include "platform/scratch_folder.h"
#include "run_report.h"

namespace binario {
namespace {

namespace fs = std::filesystem;

TEST(CompileLongestRouteTest, LongestRouteCompilesAndWritesItsFiles) {
  const ScratchFolder scratch("binario-timing");
  ASSERT_FALSE(scratch.path().empty());
  const fs::path folder = scratch.path();

  std::ofstream(folder / "R_linea.txt", std::ios::binary) << longest_route_text();
  std::ofstream(folder / "R_T-.txt", std::ios::binary) << "[generale]\r\n";

  CompileState state;
  state.cartella = Text(folder.string());
  state.nome_percorso = Text("R");
  state.nome_treno = Text("T");
  const std::string report = run_report(memorizza_percorso(state, real_disk(), true));

  EXPECT_EQ(report, "");
  EXPECT_EQ(fs::file_size(folder / "R_linea.dat"), 20u * 1007000 - 36);
  EXPECT_EQ(fs::file_size(folder / "R_T.dat"), 15u * 20141);
}

}  // namespace
}  // namespace binario
