#include "app/main_sequence.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_disk.h"
#include "model/compile_state.h"
#include "package/package.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "run_report.h"

namespace binario {
namespace {

const std::string kInstaller = "/games/scenari/setup.exe";

std::string installer(const std::string& first_name) {
  Bytes image;
  EXPECT_TRUE(begin_installer(Bytes{'M', 'Z'}, "R", "T", &image));
  const std::string route = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n";
  const std::string scenario = "[generale]\r\n[fine]\r\n";
  EXPECT_TRUE(append_record(first_name, reinterpret_cast<const uint8_t*>(route.data()),
                            route.size(), &image));
  EXPECT_TRUE(append_record("R_T-.txt", reinterpret_cast<const uint8_t*>(scenario.data()),
                            scenario.size(), &image));
  return std::string(image.begin(), image.end());
}

TEST(InstallaTest, NamesGoToTheCompileState) {
  Bytes image;
  ASSERT_TRUE(begin_installer(Bytes(), "ROUTE A_B", "IR 1", &image));
  Package package;
  ASSERT_TRUE(read_package(image, &package).passed());
  CompileState state;
  sc_nome_percorso_nome_treno(package, state);
  EXPECT_EQ(state.nome_percorso, Text("ROUTE A_B"));
  EXPECT_EQ(state.nome_treno, Text("IR 1"));
}

TEST(InstallaTest, UnpacksAndCompilesInTheInstallersFolder) {
  MemoryDisk disk;
  disk.put(kInstaller, installer("R_linea.txt"));
  EXPECT_EQ(run_report(installa(disk, Text(kInstaller))), "");
  // The two texts were written there, compiled and deleted.
  for (const char* name : {"R_linea.dat", "R_T.sim", "R_T.dat"}) {
    EXPECT_TRUE(disk.has(std::string("/games/scenari/") + name)) << name;
  }
  EXPECT_FALSE(disk.has("/games/scenari/R_linea.txt"));
  EXPECT_FALSE(disk.has("/games/scenari/R_T-.txt"));
  EXPECT_EQ(disk.files.size(), 4u);
}

struct FailureCase {
  const char* what;
  std::string content;  // the installer's bytes; empty: no installer at all
  int blocked_write;    // the number of the write that fails (0: none)
  const char* code;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.what << " -> " << c.code; }

class InstallaFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(InstallaFailureTest, ReportsItsCodeAndWritesNothing) {
  const FailureCase& c = GetParam();
  MemoryDisk disk;
  if (!c.content.empty()) disk.put(kInstaller, c.content);
  disk.put("/games/scenari/R_T-.txt", "older scenario");
  if (c.blocked_write != 0) disk.fail_nth[MemoryDisk::Op::kWrite] = c.blocked_write;
  const auto before = disk.files;
  EXPECT_EQ(run_report(installa(disk, Text(kInstaller))), c.code) << c.what;
  EXPECT_EQ(disk.files, before) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, InstallaFailureTest,
    testing::Values(
        FailureCase{"own file missing", "", 0, "1255"},
        FailureCase{"download cut short",
                    installer("R_linea.txt").substr(0, kFirstRecordOffset + 50), 0, "1252"},
        FailureCase{"record leaving the folder", installer("../R_linea.txt"), 0, "1253"},
        FailureCase{"file that cannot be written", installer("R_linea.txt"), 1, "1254"}));

}  // namespace
}  // namespace binario
