// What the durable replacement costs: the whole installation on the real
// disk, once with every file flushed before its rename and the folder after
// the renames, once with the same steps and no flush. For the sample package
// and for the longest route (1,000,000 m). Not a test: run it by hand.
//
//   cmake --build --preset dev --target binario_durability_bench
//   build/dev/tests/binario_durability_bench [rounds]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/main_sequence.h"
#include "package/package_writer.h"
#include "platform/disk.h"

namespace binario {
namespace {

namespace fs = std::filesystem;

// The real disk without any flush: the same files, the same renames.
class UnflushedDisk : public Disk {
 public:
  bool read_file(const char* path, Bytes* out) override { return real_disk().read_file(path, out); }
  bool file_exists(const char* path) override { return real_disk().file_exists(path); }
  bool remove_file(const char* path) override { return real_disk().remove_file(path); }
  Created create_new_file(const char* path, const uint8_t* data, size_t size) override {
    int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return Created::kNameTaken;
    bool ok = ::write(fd, data, size) == static_cast<ssize_t>(size);
    ::close(fd);
    return ok ? Created::kWritten : Created::kFailed;
  }
  bool rename_file(const char* from, const char* to) override {
    return real_disk().rename_file(from, to);
  }
  bool rename_new(const char* from, const char* to) override {
    return real_disk().rename_new(from, to);
  }
  Entry entry_at(const char* path) override { return real_disk().entry_at(path); }
  bool list_names(const char* folder, std::string_view prefix, Text* names) override {
    return real_disk().list_names(folder, prefix, names);
  }
  bool lock_folder(const char* folder) override { return real_disk().lock_folder(folder); }
  void unlock_folder() override { real_disk().unlock_folder(); }
  bool sync_folder(const char*) override { return true; }
};

std::string example(const std::string& name) {
  std::ifstream in(std::string(BINARIO_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes installer(const std::string& route, const std::string& train,
                const std::vector<std::pair<std::string, std::string>>& files) {
  Bytes image;
  begin_installer(Bytes{'M', 'Z'}, route, train, &image);
  for (const auto& [name, content] : files) {
    append_record(name, reinterpret_cast<const uint8_t*>(content.data()), content.size(), &image);
  }
  return image;
}

// Median seconds of `rounds` installations, each in a fresh folder.
double median_seconds(Disk& disk, const Bytes& image, const fs::path& root, int rounds) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const fs::path folder = root / ("round" + std::to_string(i));
    fs::create_directories(folder);
    std::ofstream(folder / "setup.exe", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    const auto start = std::chrono::steady_clock::now();
    const CompileResult result = installa(disk, Text((folder / "setup.exe").string()));
    const auto end = std::chrono::steady_clock::now();
    if (!result.ok()) {
      std::fprintf(stderr, "installation failed: code %d\n",
                   static_cast<int>(code_of(result.fault)));
      std::exit(1);
    }
    times.push_back(std::chrono::duration<double>(end - start).count());
    fs::remove_all(folder);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace
}  // namespace binario

int main(int argc, char** argv) {
  using namespace binario;
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const std::string route = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
  std::vector<std::pair<std::string, std::string>> sample;
  for (const char* suffix : {"_linea.txt", "_IR2230-.txt", "_IR2230_note.txt",
                             "_IR2230_rallentamenti.txt", "_IR2230_scheda_treno.txt"}) {
    sample.emplace_back(route + suffix, example(route + suffix));
  }
  const struct {
    const char* what;
    Bytes image;
  } cases[] = {
      {"sample package", installer(route, "IR2230", sample)},
      {"route of 1,000,000 m",
       installer("R", "T",
                 {{"R_linea.txt", "[generale]\r\nlunghezza percorso, 1000000\r\n[fine]\r\n"},
                  {"R_T-.txt", "[generale]\r\n[fine]\r\n"}})},
  };
  // Beside the build, on the disk the build is on (not a memory file system).
  const fs::path root = fs::current_path() / "binario-durability-bench";
  UnflushedDisk unflushed;
  for (const auto& c : cases) {
    const double durable = median_seconds(real_disk(), c.image, root, rounds);
    const double plain = median_seconds(unflushed, c.image, root, rounds);
    std::printf("%-22s flushed %.3f s, unflushed %.3f s, cost %.3f s (median of %d)\n", c.what,
                durable, plain, durable - plain, rounds);
  }
  fs::remove_all(root);
  return 0;
}
