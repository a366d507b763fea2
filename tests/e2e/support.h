#ifndef BINARIO_TESTS_E2E_SUPPORT_H_
#define BINARIO_TESTS_E2E_SUPPORT_H_

// Running the real programs in real folders: temporary folders, files as
// strings, and a child process whose status and output are captured.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/scratch_folder.h"

namespace binario::e2e {

namespace fs = std::filesystem;

// A package's files: name and content.
using Files = std::vector<std::pair<std::string, std::string>>;

// The names of the sample scenario in examples/.
namespace sample {
inline const std::string kRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
inline const std::string kTrain = "IR2230";
inline const std::string kRouteText = kRoute + "_linea.txt";
inline const std::string kScenarioText = kRoute + "_" + kTrain + "-.txt";
inline const std::vector<std::string> kCompiledFiles = {
    kRoute + "_linea.dat", kRoute + "_" + kTrain + ".sim", kRoute + "_" + kTrain + ".dat"};
}  // namespace sample

// The installer's own codes are followed by what the player can do.
inline const std::map<std::string, std::string> kWayForward = {
    {"1252",
     "Il programma di installazione risulta danneggiato o incompleto: scaricalo di nuovo.\n"},
    {"1253",
     "Il programma di installazione contiene nomi di file non validi: chiedine all'autore "
     "una versione corretta.\n"},
    {"1254",
     "Impossibile scrivere nella cartella del programma di installazione: avvialo dalla "
     "cartella del simulatore e accetta la richiesta di autorizzazione.\n"},
    {"1255",
     "Il programma di installazione non riesce a leggere se stesso: copialo in una "
     "cartella del computer e avvialo di nuovo.\n"},
};

// Seals `installer` anew after a test changed its package, as a packer that
// crafted it would: the installer's other checks then see the change.
void reseal(std::string* installer);

// The programs under test, from the build.
fs::path tool_path();
fs::path stub_path();

// The command line of `binario pack` for the sample's route and train with the
// stub under test, writing `installer`; with `force`, texts that do not
// compile are packed too. The files to pack go after it.
std::vector<std::string> pack_command(const fs::path& installer, bool force = false);

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of its scope.
class TempDir {
 public:
  TempDir();
  const fs::path& path() const { return scratch_.path(); }

 private:
  ScratchFolder scratch_;
};

std::string read_file(const fs::path& path);
void write_file(const fs::path& path, const std::string& content);

// Everything inside `folder`, recursively: a file's relative path maps to its
// content, a folder's to "<folder>".
std::map<std::string, std::string> contents(const fs::path& folder);

struct RunResult {
  int status = -1;  // exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs `argv` (argv[0] is the program's path) with `cwd` as working directory.
RunResult run(const std::vector<std::string>& argv, const fs::path& cwd);

// Runs the program whose bytes are `image` from an anonymous in-memory file,
// so that its own file has no path it could be opened by.
RunResult run_from_memory(const std::string& image, const fs::path& cwd);

}  // namespace binario::e2e

#endif  // BINARIO_TESTS_E2E_SUPPORT_H_
