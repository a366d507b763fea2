#include "app/main_sequence.h"

#include "app/compile_driver.h"
#include "model/compile_state.h"
#include "package/extraction.h"
#include "package/package.h"
#include "platform/journal.h"
#include "platform/platform.h"
#include "platform/staged_disk.h"

namespace binario {

void sc_nome_percorso_nome_treno(const Package& package, CompileState& state) {
  state.nome_percorso = package.nome_percorso;
  state.nome_treno = package.nome_treno;
}

namespace {

// The whole installer is read and its package checked before anything is
// written, so a damaged download or a hostile name writes nothing. `image`
// holds the bytes that `package` points into.
Fault load_package(Disk& disk, const Text& installer_path, Bytes* image, Package* package) {
  if (!disk.read_file(installer_path.c_str(), image)) return Fault::kCannotReadInstaller;
  return read_package(*image, package).fault();
}

CompileResult cannot_write(bool unfinished) {
  CompileResult result;
  result.fault = Fault::kCannotWriteFile;
  result.unfinished = unfinished;
  return result;
}

}  // namespace

CompileResult installa(Disk& disk, const Text& installer_path) {
  CompileState state;
  std::string_view path = installer_path.view();
  size_t slash = path.rfind(platform::kPathSeparator);
  state.cartella = slash == std::string_view::npos ? std::string_view(".") : path.substr(0, slash);

  Bytes image;
  Package package;
  CompileResult result;
  result.fault = load_package(disk, installer_path, &image, &package);
  if (!result.ok()) return result;

  // One run at a time in the folder; first, what a run that died left.
  FolderLock lock(disk, state.cartella.c_str());
  if (!lock.held()) return cannot_write(false);
  if (recover_folder(disk, state.cartella) == Recovery::kFailed) return cannot_write(true);

  // The folder changes only when the whole run succeeds.
  StagedDisk staged(disk, state.cartella);
  sc_nome_percorso_nome_treno(package, state);
  if (!sc_recupera_file(package, state.cartella, staged)) result.fault = Fault::kCannotWriteFile;
  if (result.ok()) result = memorizza_percorso(state, staged, true);
  if (!result.ok()) {
    staged.roll_back();
    return result;
  }
  switch (staged.commit()) {
    case StagedDisk::Commit::kDone:
      return result;
    case StagedDisk::Commit::kUndone:
      return cannot_write(false);
    case StagedDisk::Commit::kInterrupted:
      return cannot_write(true);
  }
  return cannot_write(true);
}

}  // namespace binario
