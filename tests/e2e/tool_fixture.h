#ifndef BINARIO_TESTS_E2E_TOOL_FIXTURE_H_
#define BINARIO_TESTS_E2E_TOOL_FIXTURE_H_

// A folder with a route text, a scenario text and a stub, and the author
// tool run in it; shared by the tests of pack, check, list and extract.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/crc32.h"
#include "support.h"

namespace binario::e2e {

inline const std::string kRoute = "ROMA TERMINI_NAPOLI";
inline const std::string kTrain = "R 2";
inline const std::string kRouteText = kRoute + "_linea.txt";
inline const std::string kScenarioText = kRoute + "_" + kTrain + "-.txt";

// Little-endian 32-bit length, as a record stores it.
inline std::string le32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
  return out;
}

inline uint32_t crc32_of(const std::string& bytes) {
  return crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

inline std::string name_field(const std::string& name) {
  return name + std::string(100 - name.size(), '\0');
}

// A 6000 m route and a scenario with one station; `stations` replaces the station line.
inline const std::string kCleanRoute =
    "[generale]\r\nlunghezza percorso, 6000\r\n[linea]\r\npendenza, 0, 0\r\n[fine]\r\n";
inline std::string CleanScenario(const std::string& station =
                                     "stazione, 1000, 2, 400, 0,0,0, 1,1,0, "
                                     "4,1,1, 0, 8,0,0, ALFA\r\n") {
  return "[generale]\r\nnumero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 8 0 "
         "0\r\nvelocita, 0, 100\r\n" +
         station + "[fine]\r\n";
}

// The size column of `list`: ten places, right-aligned.
inline std::string size_column(const std::string& content) {
  const std::string n = std::to_string(content.size());
  return std::string(10 - n.size(), ' ') + n;
}

class ToolTest : public testing::Test {
 protected:
  ToolTest() : dir_(temp_.path()) {
    write_file(dir_ / kRouteText, "route\r\n");
    write_file(dir_ / kScenarioText, "scenario\r\n");
    write_file(dir_ / "stub", "STUB");
  }

  RunResult binario(std::vector<std::string> args) {
    args.insert(args.begin(), tool_path().string());
    return run(args, dir_);
  }

  // `binario pack` of the two texts and `extra`, with the test's stub.
  RunResult pack(const std::string& out, std::vector<std::string> extra = {}) {
    // The placeholder texts would stop the installer: packed all the same.
    std::vector<std::string> args = {"pack",    "--force", "--route",  kRoute,
                                     "--train", kTrain,    "--stub",   "stub",
                                     "-o",      out,       kRouteText, kScenarioText};
    args.insert(args.end(), extra.begin(), extra.end());
    return binario(args);
  }

  TempDir temp_;
  fs::path dir_;
};

}  // namespace binario::e2e

#endif  // BINARIO_TESTS_E2E_TOOL_FIXTURE_H_
