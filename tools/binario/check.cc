// binario check: unpacks an installer into a scratch folder, compiles it as a
// player's run would, and says where the first fault is.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "app/compile_driver.h"
#include "app/errore.h"
#include "app/main_sequence.h"
#include "command.h"
#include "fault_text.h"
#include "files.h"
#include "inspect.h"
#include "model/compile_state.h"
#include "package/extraction.h"
#include "package/package.h"
#include "platform/disk.h"
#include "problem_text.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

// Line `line` (from 1) of the packaged file `name`, without its line end.
std::string line_of(const Package& package, std::string_view name, int32_t line) {
  for (const PackageRecord& record : package.records) {
    if (record.name != name) continue;
    std::string_view text(reinterpret_cast<const char*>(record.content), record.size);
    for (int32_t n = 1; n < line && !text.empty(); ++n) {
      size_t end = text.find_first_of("\r\n");
      if (end == std::string_view::npos) return {};
      // CR LF, a lone LF and a lone CR each end one line.
      text.remove_prefix(
          end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1));
    }
    return std::string(text.substr(0, text.find_first_of("\r\n")));
  }
  return {};
}

// "<file>:<line>: error <code> at <m> m: <meaning>", then the offending line.
void report_fault(const CompileState& state, const Package& package, std::string_view message) {
  const int32_t code = std::atoi(std::string(message.substr(0, message.find(','))).c_str());
  std::string where =
      state.testo_errore.empty() ? "line grid" : display_text(state.testo_errore.view());
  if (state.riga_errore > 0) where += ":" + std::to_string(state.riga_errore);
  std::cout << where << ": error " << code;
  if (code_records_position(code) && code == state.codice_errore) {
    std::cout << " at " << state.posizione_errore << " m";
  }
  std::cout << ": " << fault_text(code) << '\n';
  if (state.riga_errore > 0) {
    std::cout << "    "
              << display_text(line_of(package, state.testo_errore.view(), state.riga_errore))
              << '\n';
  }
  std::cout << "the installer stops with \"" << error_message(message).view()
            << "\" and writes no compiled file\n";
}

int check(const std::string& installer) {
  Bytes image;
  std::string error;
  if (!read_whole_file(installer, &image, &error)) {
    report("check", error);
    return kFailure;
  }
  Package package;
  const PackageCheck package_check = read_package(image, &package);
  if (!package_check.passed()) {
    std::cout << "package: " << package_problem_text(package_check, image) << '\n';
    return kFailure;
  }

  ScratchFolder scratch("binario-check");
  if (scratch.path().empty()) {
    report("check", "cannot make a scratch folder under " + fs::temp_directory_path().string());
    return kFailure;
  }
  CompileState state;
  state.cartella = std::string_view(scratch.path().native());
  sc_nome_percorso_nome_treno(package, state);
  size_t failed = 0;
  if (!sc_recupera_file(package, state.cartella, real_disk(), &failed)) {
    report("check", "cannot unpack " + printable(package.records[failed].name) + " into " +
                        scratch.path().string());
    return kFailure;
  }
  const Text code = memorizza_percorso(state, real_disk(), 1);
  if (!code.empty()) {
    report_fault(state, package, code.view());
    return kFailure;
  }
  std::cout << "route " << printable(package.nome_percorso) << ", train "
            << printable(package.nome_treno) << ": compiles without a fault\n";
  for (const Text& name :
       {state.route_plan_name(), state.station_file_name(), state.grid_file_name()}) {
    std::error_code ec;
    const auto size = fs::file_size(scratch.path() / std::string(name.view()), ec);
    char line[32];
    std::snprintf(line, sizeof line, "%10llu  ", static_cast<unsigned long long>(ec ? 0 : size));
    std::cout << line << printable(name.view()) << '\n';
  }
  return kSuccess;
}

}  // namespace

CommandRun declare_check(CLI::App& command) {
  auto installer = std::make_shared<std::string>();
  command.add_option("INSTALLER", *installer, "Installer to check")->type_name("FILE")->required();
  command.footer(
      "Unpacks the installer into a scratch folder, compiles its route and scenario texts as a "
      "player's run would, and reports the first fault with the file, line and position where it "
      "was found, or the sizes of the three compiled files. Exit status 1 when the installer "
      "would stop with an error.");
  return [installer] { return check(*installer); };
}

}  // namespace binario::tool
