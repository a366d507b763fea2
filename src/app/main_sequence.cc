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

// The unpacking: the whole installer is read and its package checked before
// any file is written, so a truncated download or a hostile name writes
// nothing. Returns the fault to show, or kNone once every file is written.
Fault unpack(Disk& disk, const Text& installer_path, CompileState& state) {
  Bytes image;
  if (!disk.read_file(installer_path.c_str(), &image)) return Fault::kCannotReadInstaller;
  Package package;
  const PackageCheck check = read_package(image, &package);
  if (!check.passed()) return check.fault();
  sc_nome_percorso_nome_treno(package, state);
  if (!sc_recupera_file(package, state.cartella, disk)) return Fault::kCannotWriteFile;
  return Fault::kNone;
}

}  // namespace

CompileResult installa(Disk& disk, const Text& installer_path) {
  CompileState state;
  std::string_view path = installer_path.view();
  size_t slash = path.rfind(platform::kPathSeparator);
  state.cartella = slash == std::string_view::npos ? std::string_view(".") : path.substr(0, slash);

  // The folder changes only when the whole run succeeds.
  StagedDisk staged(disk, state.cartella);
  CompileResult result;
  result.fault = unpack(staged, installer_path, state);
  if (result.ok()) result = memorizza_percorso(state, staged, true);
  if (result.ok() && !staged.commit()) result.fault = Fault::kCannotWriteFile;
  if (!result.ok()) staged.roll_back();
  return result;
}

}  // namespace binario
