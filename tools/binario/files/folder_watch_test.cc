#include "files/folder_watch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace binario::tool {
namespace {

namespace fs = std::filesystem;

class FolderWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("binario_watch_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    write("R_linea.txt", "lunghezza percorso, 1000\r\n");
  }
  void TearDown() override { fs::remove_all(folder_); }

  void write(const char* name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }

  fs::path folder_;
};

TEST_F(FolderWatchTest, NothingSavedIsNoChange) {
  FolderWatch watch({folder_});
  EXPECT_FALSE(watch.changed());
  EXPECT_FALSE(watch.changed());
}

// An editor's save by rename: a new file written beside, renamed over the text.
TEST_F(FolderWatchTest, ASaveByRenameIsSeenOnce) {
  FolderWatch watch({folder_});
  write(".R_linea.txt.new", "lunghezza percorso, 2000\r\n");
  fs::rename(folder_ / ".R_linea.txt.new", folder_ / "R_linea.txt");
  EXPECT_TRUE(watch.changed());
  EXPECT_FALSE(watch.changed());
}

// A file system that keeps whole seconds: the same length, the same time, another text.
TEST_F(FolderWatchTest, ASaveOfTheSameLengthAndTimeIsSeen) {
  const fs::file_time_type time = fs::last_write_time(folder_ / "R_linea.txt");
  FolderWatch watch({folder_});
  write("R_linea.txt", "lunghezza percorso, 3000\r\n");
  fs::last_write_time(folder_ / "R_linea.txt", time);
  EXPECT_TRUE(watch.changed());
}

TEST_F(FolderWatchTest, AWatchedFileAloneIgnoresItsNeighbours) {
  FolderWatch watch({folder_ / "R_linea.txt"});
  write("R_T_note.txt", "a note\r\n");
  EXPECT_FALSE(watch.changed());
  fs::remove(folder_ / "R_linea.txt");
  EXPECT_TRUE(watch.changed());
}

}  // namespace
}  // namespace binario::tool
