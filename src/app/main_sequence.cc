#include "app/main_sequence.h"

#include "app/compile_driver.h"
#include "model/compile_state.h"
#include "package/extraction.h"
#include "package/package.h"
#include "platform/platform.h"
#include "platform/staged_disk.h"

namespace binario {

void sc_nome_percorso_nome_treno(const Package& package, CompileState& state) {
  state.nome_percorso = package.nome_percorso;
  state.nome_treno = package.nome_treno;
}

namespace {

// Codes the unpacking shows the user besides those of the package check.
constexpr std::string_view kCannotWrite = "1254";
constexpr std::string_view kCannotReadSelf = "1255";

// The unpacking: the whole installer is read and its package checked before
// any file is written, so a truncated download or a hostile name writes
// nothing. Returns the code to show, or empty text once every file is written.
Text unpack(Disk& disk, const Text& installer_path, CompileState& state) {
  Bytes image;
  if (!disk.read_file(installer_path.c_str(), &image)) return Text(kCannotReadSelf);
  Package package;
  const PackageCheck check = read_package(image, &package);
  if (!check.passed()) return Text(check.codice());
  sc_nome_percorso_nome_treno(package, state);
  if (!sc_recupera_file(package, state.cartella, disk)) return Text(kCannotWrite);
  return Text();
}

}  // namespace

Text installa(Disk& disk, const Text& installer_path) {
  CompileState state;
  std::string_view path = installer_path.view();
  size_t slash = path.rfind(platform::kPathSeparator);
  state.cartella = slash == std::string_view::npos ? std::string_view(".") : path.substr(0, slash);

  // The folder changes only when the whole run succeeds.
  StagedDisk staged(disk, state.cartella);
  Text failure = unpack(staged, installer_path, state);
  if (failure.empty()) failure = memorizza_percorso(state, staged, 1);
  if (failure.empty() && !staged.commit()) failure = Text(kCannotWrite);
  if (!failure.empty()) staged.roll_back();
  return failure;
}

}  // namespace binario
