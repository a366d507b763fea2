// binario list: what an installer carries, and whether it would install.

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "commands/command.h"
#include "diagnostics/check_input.h"
#include "diagnostics/compile_run.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "model/file_names.h"
#include "package/package.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

// A name as text: the simulator's code page shown in UTF-8, control bytes as \xNN.
std::string shown(std::string_view name) { return printable(display_text(name)); }

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
  std::cout << "route: " << (names_read ? shown(package.nome_percorso) : "(unreadable)") << '\n'
            << "train: " << (names_read ? shown(package.nome_treno) : "(unreadable)") << '\n'
            << "files: " << package.records.size() << '\n';
  for (const PackageRecord& record : package.records) {
    char size[24];
    std::snprintf(size, sizeof size, "%10zu", record.size);
    std::cout << size << "  " << shown(record.name) << '\n';
  }
  if (package.certificate_table.place == CertificateTable::Place::kAtEnd) {
    std::cout << "signature: certificate table of " << package.certificate_table.size
              << " bytes at offset " << package.certificate_table.offset << " (not a record)\n";
  }
  std::cout << "seal: " << seal_text(package) << '\n'
            << "package: " << package_problem_text(check, image) << '\n';
  if (!check.passed() || !names_read) return kFailure;
  // The installer compiles these two; without either it stops.
  std::string missing;
  const ScenarioNames names(package.nome_percorso, package.nome_treno);
  const std::string route_text(names.route_text().view());
  const std::string scenario_text(names.scenario_text().view());
  for (const std::string& needed : {route_text, scenario_text}) {
    bool found = false;
    for (const PackageRecord& record : package.records) found |= record.name == needed;
    if (!found) missing += (missing.empty() ? "" : " and ") + shown(needed);
  }
  if (!missing.empty()) {
    std::cout << "compile: the installer would stop: the package holds no " << missing << '\n';
    return kFailure;
  }
  // The two texts are there: compiled as the installer will, do they pass?
  const CheckInput input = input_from_package(package);
  const CompileRun run =
      compile_texts(input.route, input.train, &*input.route_text, &*input.scenario_text);
  if (!run.shown.empty()) {
    std::cout << "compile: the installer would stop with \"" << run.shown
              << "\" (binario check shows where)\n";
    return kFailure;
  }
  std::cout << "compile: the route text and the scenario text are there (binario check "
               "compiles them)\n";
  return kSuccess;
}

}  // namespace

CommandRun declare_list(CommandLine& command) {
  auto installer = std::make_shared<std::string>();
  command.option("INSTALLER", installer.get(), "Installer to examine").type_name("FILE").required();
  command.footer(
      "Prints the route name, the train name, the size and name of each packaged file (names "
      "in the simulator's code page, shown as text), whether the installer is sealed and its "
      "package "
      "as sealed, whether the package is sound, and whether it holds the two texts the installer "
      "compiles, and whether they compile. Exit status 1 when the installer would "
      "refuse the package or stop for a missing text or a fault in one. A damaged package lists "
      "the files read "
      "before the damage.");
  return [installer] { return list(*installer); };
}

}  // namespace binario::tool
