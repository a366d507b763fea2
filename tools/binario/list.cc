// binario list: what an installer carries, and whether it would install.

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "files.h"
#include "package/package.h"
#include "problem_text.h"

namespace binario::tool {

namespace {

int list(const std::string& installer) {
  Bytes image;
  std::string error;
  if (!read_whole_file(installer, &image, &error)) {
    report("list", error);
    return kFailure;
  }
  Package package;
  const PackageCheck check = read_package(image, &package);
  const bool names_read = check.flaw != PackageFlaw::kTooShort &&
                          check.flaw != PackageFlaw::kRouteNameWithoutNul &&
                          check.flaw != PackageFlaw::kTrainNameWithoutNul;
  std::cout << "route: " << (names_read ? printable(package.nome_percorso) : "(unreadable)") << '\n'
            << "train: " << (names_read ? printable(package.nome_treno) : "(unreadable)") << '\n'
            << "files: " << package.records.size() << '\n';
  for (const PackageRecord& record : package.records) {
    char size[24];
    std::snprintf(size, sizeof size, "%10zu", record.size);
    std::cout << size << "  " << printable(record.name) << '\n';
  }
  if (package.certificate_table.place == CertificateTable::Place::kAtEnd) {
    std::cout << "signature: certificate table of " << package.certificate_table.size
              << " bytes at offset " << package.certificate_table.offset << " (not a record)\n";
  }
  std::cout << "package: " << package_problem_text(check, image) << '\n';
  return check.passed() ? kSuccess : kFailure;
}

}  // namespace

CommandRun declare_list(CLI::App& command) {
  auto installer = std::make_shared<std::string>();
  command.add_option("INSTALLER", *installer, "Installer to examine")
      ->type_name("FILE")
      ->required();
  command.footer(
      "Prints the route name, the train name, the size and name of each packaged file, and "
      "whether the package is sound. Exit status 1 when it is not: the installer would refuse "
      "it. A damaged package lists the files read before the damage.");
  return [installer] { return list(*installer); };
}

}  // namespace binario::tool
