// binario: the scenario author's tool for making and examining installers.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/command.h"
#include "commands/drop.h"
#include "files/files.h"

namespace binario::tool {

namespace {

// Every command of the tool. A new command is one line here and one file.
constexpr Command kCommands[] = {
    {"pack", "Build an installer: the stub with a package of scenario files behind it",
     declare_pack},
    {"list", "Show an installer's route, train and files, and check its package", declare_list},
    {"extract", "Unpack an installer's files into a folder, without compiling them",
     declare_extract},
    {"check", "Compile an installer's texts as a player's run would, and say where a fault is",
     declare_check},
    {"inspect",
     "Show what the installer compiled: stations, signals, boards, code points, route plan",
     declare_inspect},
    {"dump", "Write every field of the compiled files as text, JSON or CSV", declare_dump},
    {"preview", "Draw a route as one offline HTML page: ground plan, line profile, details",
     declare_preview},
    {"lsp", "Serve editors: check's diagnostics, hover, completion and symbols as one types",
     declare_lsp},
};

}  // namespace

void report(std::string_view command, const std::string& message) {
  std::cerr << "binario " << command << ": " << message << '\n';
}

}  // namespace binario::tool

namespace {

using namespace binario::tool;

bool is_command(std::string_view name) {
  for (const Command& command : kCommands) {
    if (command.name == name) return true;
  }
  return false;
}

int run(int argc, char** argv) {
  CLI::App app("binario " BINARIO_VERSION ": makes and examines scenario installers.", "binario");
  app.set_version_flag("--version", "binario " BINARIO_VERSION);
  app.require_subcommand(1);
  app.footer(
      "binario FOLDER (a scenario folder dropped on the program) checks the folder's texts and, "
      "when they compile, packs the folder into \"installa <train>.exe\" beside it.\n"
      "Exit status: 0 done, 1 failed, 2 wrong command line.");

  // A folder as the only argument, as Explorer passes one dropped on the program.
  if (argc == 2 && argv[1][0] != '-' && !is_command(argv[1])) {
    std::error_code ec;
    if (std::filesystem::is_directory(path_from_name(argv[1]), ec)) return drop_folder(argv[1]);
  }

  std::vector<std::pair<CLI::App*, CommandRun>> commands;
  for (const Command& command : kCommands) {
    CLI::App* sub = app.add_subcommand(command.name, command.summary);
    CommandLine line(*sub);
    commands.emplace_back(sub, command.declare(line));
  }

  // Name an unknown command rather than ask for one.
  if (argc > 1 && argv[1][0] != '-') {
    std::string known;
    for (const Command& command : kCommands) {
      known += std::string(known.empty() ? "" : ", ") + command.name;
    }
    if (!is_command(argv[1])) {
      std::cerr << "binario: unknown command \"" << argv[1] << "\" (commands: " << known
                << ")\nRun with --help for more information.\n";
      return kUsage;
    }
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kSuccess : kUsage;
  }
  for (auto& [sub, command_run] : commands) {
    if (sub->parsed()) return command_run();
  }
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = run(argc, argv);
  // A window opened for this run alone closes with it: keep it until read.
  if (console_is_own()) wait_for_enter();
  return status;
}
