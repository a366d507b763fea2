#include "app/main_sequence.h"

#include "app/compile_driver.h"
#include "app/compile_state.h"
#include "package/extraction.h"
#include "package/package.h"
#include "platform/platform.h"

namespace binario {

namespace {

// Codes the unpacking shows the user besides those of the package check.
constexpr std::string_view kCannotWrite = "1254";
constexpr std::string_view kCannotReadSelf = "1255";

}  // namespace

Text installa(Disk& disk, const Text& installer_path) {
  CompileState state;
  std::string_view path = installer_path.view();
  size_t slash = path.rfind(platform::kPathSeparator);
  state.cartella = slash == std::string_view::npos ? std::string_view(".") : path.substr(0, slash);

  // The whole installer is read and its package checked before any file is
  // written, so a truncated download or a hostile name writes nothing.
  Bytes image;
  if (!disk.read_file(installer_path.c_str(), &image)) return Text(kCannotReadSelf);
  Package package;
  PackageCheck check = read_package(image, &package);
  if (!check.passed()) return Text(check.codice());

  sc_nome_percorso_nome_treno(package, state);
  if (!sc_recupera_file(package, state, disk)) return Text(kCannotWrite);
  return memorizza_percorso(state, disk, 1);
}

}  // namespace binario
