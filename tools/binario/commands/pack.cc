// binario pack: the stub, then the package of the route name, the train name
// and one record per file.

#include "commands/pack.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "commands/command.h"
#include "diagnostics/check_run.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "model/file_names.h"
#include "package/name_rules.h"
#include "package/package.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "package/seal.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

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

// An installer that Windows is to run: its name ends in ".exe".
bool for_windows(const std::string& out) {
  if (out.size() < 4) return false;
  std::string end = out.substr(out.size() - 4);
  for (char& c : end) c = to_lower_ascii(c);
  return end == ".exe";
}

// The stub named on the command line, else the one installed with the tool:
// beside it (the Windows bundle, the build tree) or in ../lib/binario (the
// Linux bundle and package). The Windows stub comes before the native one;
// an installer named ".exe" takes only the Windows one.
fs::path choose_stub(const PackOptions& options, std::vector<std::string>* problems) {
  if (!options.stub.empty()) return path_from_name(options.stub);
  const fs::path folder = own_folder();
  fs::path linux_only;
  for (const fs::path& where : {folder, folder.parent_path() / "lib" / "binario"}) {
    for (const char* name : {"binario-stub.exe", "binario-stub"}) {
      std::error_code ec;
      if (!fs::is_regular_file(where / name, ec)) continue;
      if (for_windows(options.out) && std::string_view(name) == "binario-stub") {
        if (linux_only.empty()) linux_only = where / name;
        continue;
      }
      return where / name;
    }
  }
  if (!linux_only.empty()) {
    problems->push_back("only the Linux stub \"" + name_of(linux_only) + "\" is installed, and \"" +
                        options.out +
                        "\" is to run on Windows; install the Windows stub binario-stub.exe "
                        "beside the tool, name one with --stub, or name the installer without "
                        "\".exe\"");
    return {};
  }
  problems->push_back("no stub beside the tool in \"" + name_of(folder) + "\" nor in \"" +
                      name_of(folder.parent_path() / "lib" / "binario") +
                      "\" (binario-stub.exe or binario-stub); name one with --stub");
  return {};
}

// What kind of program a stub is, from its first bytes.
const char* stub_kind(const Bytes& stub) {
  if (stub.size() >= 2 && stub[0] == 'M' && stub[1] == 'Z') return "a Windows program";
  if (stub.size() >= 4 && stub[0] == 0x7F && stub[1] == 'E' && stub[2] == 'L' && stub[3] == 'F') {
    return "a Linux program";
  }
  return "neither a Windows nor a Linux program";
}

// The stub's bytes, which must end before the package begins.
Bytes read_stub(const PackOptions& options, std::vector<std::string>* problems) {
  Bytes stub;
  const fs::path path = choose_stub(options, problems);
  std::string error;
  if (path.empty()) return stub;
  if (!read_whole_file(path, &stub, &error)) {
    problems->push_back(error);
  } else if (stub.size() >= kStubLimit) {
    problems->push_back("stub \"" + name_of(path) + "\" is " + std::to_string(stub.size()) +
                        " bytes; it must end before the installer's seal at offset " +
                        std::to_string(kStubLimit));
  } else {
    std::cerr << "pack: stub \"" << name_of(path) << "\", " << stub_kind(stub) << '\n';
  }
  return stub;
}

struct PackedFile {
  std::string name;  // the base name it is stored under
  Bytes content;
};

// Each file under its base name, refusing names the installer would refuse
// and names that would land on one file.
std::vector<PackedFile> read_files(const PackOptions& options, std::vector<std::string>* problems) {
  std::vector<PackedFile> packed;
  for (const std::string& file : options.files) {
    const size_t problems_before = problems->size();
    PackedFile next{name_of(path_from_name(file).filename()), {}};
    if (next.name.empty()) {
      problems->push_back("\"" + file + "\" names no file");
    } else {
      check_package_name("file name", next.name, NameUse::kFileName, problems);
    }
    // Windows folders do not tell letter case apart.
    for (const PackedFile& earlier : packed) {
      if (same_file_name(earlier.name, next.name)) {
        problems->push_back("two files would be stored as " + printable(next.name) +
                            (earlier.name == next.name ? "" : " and " + printable(earlier.name)));
      }
    }
    std::string error;
    if (!read_whole_file(file, &next.content, &error)) {
      problems->push_back(error);
    } else if (next.content.size() > static_cast<size_t>(INT32_MAX)) {
      problems->push_back("\"" + file + "\" is too large for a package record");
    }
    if (problems->size() == problems_before) packed.push_back(std::move(next));
  }
  return packed;
}

// The installer compiles these two; without them it has nothing to do.
void check_texts_present(const PackOptions& options, std::vector<std::string>* problems) {
  const ScenarioNames names(options.route, options.train);
  const std::string route_text(names.route_text().view());
  const std::string scenario_text(names.scenario_text().view());
  for (const std::string& needed : {route_text, scenario_text}) {
    bool found = false;
    for (const std::string& file : options.files)
      found |= name_of(path_from_name(file).filename()) == needed;
    if (!found) problems->push_back("the files do not include " + printable(needed));
  }
}

}  // namespace

int pack(const PackOptions& options) {
  std::vector<std::string> problems;
  check_package_name("route name", options.route, NameUse::kScenarioName, &problems);
  check_package_name("train name", options.train, NameUse::kScenarioName, &problems);
  if (problems.empty()) check_texts_present(options, &problems);
  const Bytes stub = read_stub(options, &problems);
  const std::vector<PackedFile> files = read_files(options, &problems);
  // The installer must not overwrite one of its own inputs.
  for (const std::string& file : options.files) {
    std::error_code ec;
    if (fs::exists(path_from_name(options.out), ec) &&
        fs::equivalent(path_from_name(options.out), path_from_name(file), ec)) {
      problems.push_back("the output \"" + options.out + "\" is one of the files to package");
    }
  }
  if (!problems.empty()) {
    for (const std::string& problem : problems) report("pack", problem);
    report("pack", "nothing written");
    return kFailure;
  }

  // The texts are checked as the installer will compile them.
  CheckInput input;
  input.route = options.route;
  input.train = options.train;
  const ScenarioNames names(options.route, options.train);
  for (const PackedFile& file : files) {
    if (file.name == names.route_text().view()) {
      input.route_text =
          SourceText(file.name, std::string(file.content.begin(), file.content.end()));
    }
    if (file.name == names.scenario_text().view()) {
      input.scenario_text =
          SourceText(file.name, std::string(file.content.begin(), file.content.end()));
    }
  }
  const CheckReport checked = check_texts(input, CheckOptions());
  if (checked.errors() > 0) {
    std::vector<const SourceText*> sources;
    for (const auto* text : {&input.route_text, &input.scenario_text}) {
      if (*text) sources.push_back(&**text);
    }
    write_text(checked, sources, std::cerr);
    if (!options.force) {
      report("pack", checked.shown.empty()
                         ? "nothing written: the installer would store values otherwise than "
                           "the texts write them (--force packs anyway)"
                         : "nothing written: the installer would stop on these errors (--force "
                           "packs anyway)");
      return kFailure;
    }
  }

  Bytes image;
  bool built = begin_installer(stub, options.route, options.train, &image);
  for (size_t i = 0; built && i < files.size(); ++i) {
    built = append_record(files[i].name, files[i].content.data(), files[i].content.size(), &image);
  }
  if (built) put_seal(&image);
  // What was just laid out must read back as the installer will read it.
  Package package;
  const PackageCheck check = read_package(image, &package);
  if (!built || !check.passed()) {
    report("pack", "the package does not read back: " + package_problem_text(check, image));
    return kFailure;
  }
  std::string error;
  if (!write_file_atomically(options.out, image, /*executable=*/true, &error)) {
    report("pack", error);
    return kFailure;
  }
  std::cout << options.out << ": " << files.size() << (files.size() == 1 ? " file, " : " files, ")
            << image.size() << " bytes; " << totals_line(checked)
            << (checked.errors() > 0 ? " (packed with --force)" : "") << '\n';
  return kSuccess;
}

CommandRun declare_pack(CommandLine& command) {
  auto options = std::make_shared<PackOptions>();
  command.option("--route", &options->route, "Route name (at most 99 bytes)")
      .type_name("NAME")
      .required();
  command.option("--train", &options->train, "Train name (at most 99 bytes)")
      .type_name("NAME")
      .required();
  command
      .option("--stub", &options->stub,
              "Installer program to put in front of the package (default: "
              "binario-stub.exe, else binario-stub, beside this tool or in its "
              "../lib/binario)")
      .type_name("FILE");
  command.option("-o,--output", &options->out, "Installer to write").type_name("OUT").required();
  command
      .option("FILE", &options->files,
              "Files to package, each stored under its base name; they must include "
              "<route>_linea.txt and <route>_<train>-.txt")
      .type_name("FILE")
      .required();
  command.flag("--force", &options->force,
               "Write the installer even when its texts would stop it with an error");
  command.footer(
      "Refuses, writing nothing, a stub of 49975 bytes or more, a name over 99 bytes or unsafe "
      "(a / \\ : < > \" | ? * or control byte; a file named . or .. or after a Windows device; "
      "a name beginning with binario-tmp-), "
      "two files of the same name, a file list without the route text or the scenario "
      "text, an output that is one of the files, and texts that `binario check` finds errors in "
      "(unless --force). Prints one line: files, bytes, errors and warnings.");
  return [options] { return pack(*options); };
}

}  // namespace binario::tool
