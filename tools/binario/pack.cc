// binario pack: the stub, then the package of the route name, the train name
// and one record per file.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "common/text.h"
#include "files.h"
#include "package/name_rules.h"
#include "package/package.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "problem_text.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

struct PackOptions {
  std::string route;
  std::string train;
  std::string stub;
  std::string out;
  std::vector<std::string> files;
};

// A name for the package, against the same rules the installer checks.
void check_package_name(const std::string& what, const std::string& name, NameUse use,
                        std::vector<std::string>* problems) {
  if (name.empty()) {
    problems->push_back(what + " is empty");
  } else if (name.size() > kMaxNameLength) {
    problems->push_back(what + " " + printable(name) + " is " + std::to_string(name.size()) +
                        " bytes; at most " + std::to_string(kMaxNameLength) + " fit");
  } else if (NameFault fault = check_name(name, use); fault != NameFault::kNone) {
    problems->push_back(what + " " + printable(name) + " " + name_fault_text(name, fault));
  }
}

// The stub named on the command line, else the Windows stub beside the tool,
// else the native one.
fs::path choose_stub(const PackOptions& options, std::vector<std::string>* problems) {
  if (!options.stub.empty()) return options.stub;
  const fs::path folder = own_folder();
  for (const char* name : {"binario-stub.exe", "binario-stub"}) {
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec)) return folder / name;
  }
  problems->push_back("no stub beside the tool in \"" + folder.string() +
                      "\" (binario-stub.exe or binario-stub); name one with --stub");
  return {};
}

int pack(const PackOptions& options) {
  std::vector<std::string> problems;
  check_package_name("route name", options.route, NameUse::kScenarioName, &problems);
  check_package_name("train name", options.train, NameUse::kScenarioName, &problems);
  const bool names_sound = problems.empty();

  Bytes stub;
  const fs::path stub_path = choose_stub(options, &problems);
  std::string error;
  if (!stub_path.empty()) {
    if (!read_whole_file(stub_path, &stub, &error)) {
      problems.push_back(error);
    } else if (stub.size() >= kStubLimit) {
      problems.push_back("stub \"" + stub_path.string() + "\" is " + std::to_string(stub.size()) +
                         " bytes; it must end before the package at offset " +
                         std::to_string(kStubLimit));
    }
  }

  std::vector<std::string> names;
  std::vector<Bytes> contents;
  for (const std::string& file : options.files) {
    std::string name = fs::path(file).filename().string();
    const size_t count = problems.size();
    check_package_name("file name", name, NameUse::kFileName, &problems);
    // Windows folders do not tell letter case apart.
    for (const std::string& earlier : names) {
      if (same_file_name(earlier, name)) {
        problems.push_back("two files would be stored as " + printable(name) +
                           (earlier == name ? "" : " and " + printable(earlier)));
      }
    }
    Bytes content;
    if (!read_whole_file(file, &content, &error)) {
      problems.push_back(error);
    } else if (content.size() > static_cast<size_t>(INT32_MAX)) {
      problems.push_back("\"" + file + "\" is too large for a package record");
    }
    if (problems.size() == count) {
      names.push_back(name);
      contents.push_back(std::move(content));
    }
  }

  // The installer compiles these two; without them it has nothing to do.
  if (names_sound) {
    const std::string route_text = options.route + "_linea.txt";
    const std::string scenario_text = options.route + "_" + options.train + "-.txt";
    for (const std::string& needed : {route_text, scenario_text}) {
      bool found = false;
      for (const std::string& name : options.files) found |= fs::path(name).filename() == needed;
      if (!found) problems.push_back("the files do not include " + printable(needed));
    }
  }

  if (!problems.empty()) {
    for (const std::string& problem : problems) report("pack", problem);
    report("pack", "nothing written");
    return kFailure;
  }

  Bytes image;
  bool built = begin_installer(stub, options.route, options.train, &image);
  for (size_t i = 0; built && i < names.size(); ++i) {
    built = append_record(names[i], contents[i].data(), contents[i].size(), &image);
  }
  // What was just laid out must read back as the installer will read it.
  Package package;
  PackageCheck check = read_package(image, &package);
  if (!built || !check.passed()) {
    report("pack", "the package does not read back: " + package_problem_text(check, image));
    return kFailure;
  }
  if (!write_file_atomically(options.out, image, /*executable=*/true, &error)) {
    report("pack", error);
    return kFailure;
  }
  return kSuccess;
}

}  // namespace

CommandRun declare_pack(CLI::App& command) {
  auto options = std::make_shared<PackOptions>();
  command.add_option("--route", options->route, "Route name (at most 99 bytes)")
      ->type_name("NAME")
      ->required();
  command.add_option("--train", options->train, "Train name (at most 99 bytes)")
      ->type_name("NAME")
      ->required();
  command.add_option("--stub", options->stub,
                     "Installer program to put in front of the package (default: "
                     "binario-stub.exe, else binario-stub, beside this tool)")
      ->type_name("FILE");
  command.add_option("-o,--output", options->out, "Installer to write")->type_name("OUT")->required();
  command.add_option("FILE", options->files,
                     "Files to package, each stored under its base name; they must include "
                     "<route>_linea.txt and <route>_<train>-.txt")
      ->type_name("FILE")
      ->required();
  command.footer(
      "Refuses, writing nothing, a stub of 49999 bytes or more, a name over 99 bytes or unsafe "
      "(a / \\ : < > \" | ? * or control byte; a file named . or .. or after a Windows device), "
      "two files of the same name, and a file list without the route text or the scenario "
      "text.");
  return [options] { return pack(*options); };
}

}  // namespace binario::tool
