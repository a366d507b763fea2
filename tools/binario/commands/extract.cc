// binario extract: an installer's files, unpacked as the installer would
// unpack them, without the compiling.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "commands/command.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "package/extraction.h"
#include "package/package.h"
#include "platform/disk.h"

namespace binario::tool {

namespace {

struct ExtractOptions {
  std::string installer;
  std::string folder = ".";
  bool force = false;
};

int extract(const ExtractOptions& options) {
  std::error_code ec;
  const std::filesystem::path folder = path_from_name(options.folder);
  if (!std::filesystem::is_directory(folder, ec) &&
      !std::filesystem::create_directories(folder, ec)) {
    report("extract", "cannot make the folder \"" + options.folder + "\": " + ec.message());
    return kFailure;
  }
  Bytes image;
  std::string error;
  if (!read_whole_file(options.installer, &image, &error)) {
    report("extract", error);
    return kFailure;
  }
  Package package;
  PackageCheck check = read_package(image, &package);
  if (!check.passed()) {
    report("extract", "\"" + options.installer + "\": " + package_problem_text(check, image));
    // Forced past the seal: the records are unpacked when they can still be read.
    if (options.force && package.seal.refused()) {
      check = read_package(image, &package, SealUse::kIgnore);
      if (!check.passed()) {
        report("extract", "\"" + options.installer + "\": " + package_problem_text(check, image));
      }
    }
    if (!check.passed()) {
      report("extract", "nothing written");
      return kFailure;
    }
    report("extract", "unpacking it all the same (--force): its files may not be those packed");
  }
  std::cout << "seal: " << seal_text(package) << '\n';
  size_t failed = 0;
  if (!sc_recupera_file(package, Text(options.folder), real_disk(), &failed)) {
    report("extract", "cannot write " + printable(package.records[failed].name) + " into \"" +
                          options.folder +
                          "\"; it was left as it was, and the files after it "
                          "were not written");
    return kFailure;
  }
  std::cout << package.records.size() << (package.records.size() == 1 ? " file" : " files")
            << " unpacked into \"" << options.folder << "\"\n";
  return kSuccess;
}

}  // namespace

CommandRun declare_extract(CommandLine& command) {
  auto options = std::make_shared<ExtractOptions>();
  command.option("INSTALLER", &options->installer, "Installer to unpack")
      .type_name("FILE")
      .required();
  command
      .option("-C,--directory", &options->folder,
              "Folder to unpack into, made when missing (default: .)")
      .type_name("DIR");
  command.flag("--force", &options->force,
               "Unpack a package whose bytes differ from its seal, when its records can "
               "still be read");
  command.footer(
      "Makes the installer's checks first and writes nothing from a damaged package or one "
      "with unsafe names (--force unpacks one that only its seal refuses). Each file is "
      "replaced whole, through a temporary file.");
  return [options] { return extract(*options); };
}

}  // namespace binario::tool
