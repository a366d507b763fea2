// The largest route a route text may describe, compiled and written on the
// real file system. How fast it goes is measured by the benchmarks (bench/).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/compile_driver.h"
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

  // 1000000 m: a gradient every kilometre and a curve every ten.
  std::string text = "[generale]\r\nlunghezza percorso, 1000000\r\n[linea]\r\n";
  for (int km = 0; km < 1000; ++km) {
    text += "pendenza, " + std::to_string(km * 1000) + ", " + std::to_string(km % 13 - 6) + "\r\n";
    if (km % 10 == 5) {
      text += "curva" + std::string(km % 20 == 5 ? "d" : "s") + std::to_string(km % 6 + 1) + ", " +
              std::to_string(km * 1000) + ", 800\r\n";
    }
  }
  text += "[fine]\r\n";
  std::ofstream(folder / "R_linea.txt", std::ios::binary) << text;
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
