#include "app/installer_run.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_disk.h"
#include "package/package_writer.h"
#include "run_report.h"
#include "test_names.h"

namespace binario {
namespace {

const std::string kFolder = "/Programmi/Simulatore/";
const std::string kInstaller = kFolder + "setup.exe";

std::string installer() {
  Bytes image;
  EXPECT_TRUE(begin_installer(Bytes{'M', 'Z'}, "R", "T", &image));
  const std::string route = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n";
  const std::string scenario = "[generale]\r\n[fine]\r\n";
  EXPECT_TRUE(append_record("R_linea.txt", reinterpret_cast<const uint8_t*>(route.data()),
                            route.size(), &image));
  EXPECT_TRUE(append_record("R_T-.txt", reinterpret_cast<const uint8_t*>(scenario.data()),
                            scenario.size(), &image));
  return std::string(image.begin(), image.end());
}

// The permission request, as the player answers it.
class FakeElevation : public Elevation {
 public:
  bool elevated_copy() const override { return copy; }
  bool run_elevated(int* status) override {
    ++requests;
    if (!accepted) return false;
    *status = copy_status;
    return true;
  }

  bool copy = false;     // this run is the elevated copy
  bool accepted = true;  // the player accepts the request
  int copy_status = 0;   // how the elevated copy ends
  int requests = 0;
};

struct ElevationCase {
  const char* what;
  bool refusing_folder;  // the folder refuses new files for want of permission
  bool failing_write;    // a write fails for another reason (a full disk)
  bool copy;
  bool accepted;
  int copy_status;
  int requests;       // permission requests made
  const char* shown;  // the code shown; empty: none
  int status;         // the exit status when nothing is shown
};

void PrintTo(const ElevationCase& c, std::ostream* os) { *os << c.what; }

class InstallerRunTest : public testing::TestWithParam<ElevationCase> {};

TEST_P(InstallerRunTest, AsksForPermissionOnlyWhenTheFolderRefuses) {
  const ElevationCase& c = GetParam();
  MemoryDisk disk;
  disk.put(kInstaller, installer());
  if (c.refusing_folder) disk.refusing_folder = kFolder;
  if (c.failing_write) disk.fail_nth[MemoryDisk::Op::kWrite] = 1;
  FakeElevation elevation;
  elevation.copy = c.copy;
  elevation.accepted = c.accepted;
  elevation.copy_status = c.copy_status;

  const InstallerRun run = esegui_installatore(disk, elevation, Text(kInstaller));
  EXPECT_EQ(elevation.requests, c.requests);
  EXPECT_EQ(run_report(run.result), c.shown);
  if (std::string_view(c.shown).empty()) {
    EXPECT_EQ(run.status, c.status);
  }
  // Installed here only when the folder let this run write.
  EXPECT_EQ(disk.has(kFolder + "R_T.dat"), !c.refusing_folder && !c.failing_write);
}

INSTANTIATE_TEST_SUITE_P(Runs, InstallerRunTest,
                         testing::Values(ElevationCase{"writable folder installs without asking",
                                                       false, false, false, true, 0, 0, "", 0},
                                         ElevationCase{"refusing folder runs the elevated copy",
                                                       true, false, false, true, 0, 1, "", 0},
                                         ElevationCase{"ends as the elevated copy ends", true,
                                                       false, false, true, 1, 1, "", 1},
                                         ElevationCase{"refused request shows 1254", true, false,
                                                       false, false, 0, 1, "1254", 0},
                                         ElevationCase{"elevated copy never asks again", true,
                                                       false, true, true, 0, 0, "1254", 0},
                                         ElevationCase{"other write failure does not ask", false,
                                                       true, false, true, 0, 0, "1254", 0}),
                         NameFromWhat());

TEST(InstallerRunTest, DamagedPackageNeverAsks) {
  MemoryDisk disk;
  std::string damaged = installer();
  damaged.pop_back();
  disk.put(kInstaller, damaged);
  disk.refusing_folder = kFolder;
  FakeElevation elevation;
  EXPECT_EQ(run_report(esegui_installatore(disk, elevation, Text(kInstaller)).result), "1252");
  EXPECT_EQ(elevation.requests, 0);
}

}  // namespace
}  // namespace binario
