#include "support.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "package/seal.h"

extern char** environ;

namespace binario::e2e {

void reseal(std::string* installer) {
  Bytes image(installer->begin(), installer->end());
  put_seal(&image);
  installer->assign(image.begin(), image.end());
}

fs::path tool_path() { return BINARIO_TOOL; }
fs::path stub_path() { return BINARIO_STUB; }

std::vector<std::string> pack_command(const fs::path& installer, bool force) {
  std::vector<std::string> argv = {tool_path().string(), "pack"};
  if (force) argv.push_back("--force");
  argv.insert(argv.end(), {"--route", sample::kRoute, "--train", sample::kTrain, "--stub",
                           stub_path().string(), "-o", installer.string()});
  return argv;
}

TempDir::TempDir() : scratch_("binario-e2e") {
  if (scratch_.path().empty()) throw std::runtime_error("cannot make a scratch folder");
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void write_file(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::map<std::string, std::string> contents(const fs::path& folder) {
  std::map<std::string, std::string> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = fs::relative(entry.path(), folder).string();
    found[name] = entry.is_directory() ? "<folder>" : read_file(entry.path());
  }
  return found;
}

namespace {

std::string read_all(FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  std::fclose(file);
  return text;
}

// Forks; the child enters `cwd`, sends its output to two temporary files and
// calls `exec`, which does not return on success.
template <typename Exec>
RunResult run_child(const fs::path& cwd, Exec exec) {
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  if (out == nullptr || err == nullptr) throw std::runtime_error("tmpfile failed");
  std::fflush(nullptr);
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::dup2(::fileno(out), STDOUT_FILENO);
    ::dup2(::fileno(err), STDERR_FILENO);
    exec();
    ::_exit(127);
  }
  int wait_status = 0;
  ::waitpid(pid, &wait_status, 0);
  RunResult result;
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  result.out = read_all(out);
  result.err = read_all(err);
  return result;
}

std::vector<char*> c_args(std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  return args;
}

}  // namespace

RunResult run(const std::vector<std::string>& argv, const fs::path& cwd) {
  std::vector<std::string> copy = argv;
  std::vector<char*> args = c_args(copy);
  return run_child(cwd, [&] { ::execve(args[0], args.data(), environ); });
}

RunResult run_from_memory(const std::string& image, const fs::path& cwd) {
  std::vector<std::string> argv = {"setup.exe"};
  std::vector<char*> args = c_args(argv);
  return run_child(cwd, [&] {
    int fd = ::memfd_create("setup.exe", 0);
    if (fd < 0 || ::write(fd, image.data(), image.size()) != static_cast<ssize_t>(image.size())) {
      return;
    }
    ::fexecve(fd, args.data(), environ);
  });
}

}  // namespace binario::e2e
