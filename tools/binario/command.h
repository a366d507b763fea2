#ifndef BINARIO_TOOLS_BINARIO_COMMAND_H_
#define BINARIO_TOOLS_BINARIO_COMMAND_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <string_view>

namespace binario::tool {

// Exit statuses of every command.
constexpr int kSuccess = 0;
constexpr int kFailure = 1;  // the command could not do its work
constexpr int kUsage = 2;    // the command line is wrong

// A command declares its options on its own subcommand and returns the work
// to run once the command line has been parsed into them.
using CommandRun = std::function<int()>;

struct Command {
  const char* name;
  const char* summary;
  CommandRun (*declare)(CLI::App& command);
};

CommandRun declare_pack(CLI::App& command);
CommandRun declare_list(CLI::App& command);
CommandRun declare_extract(CLI::App& command);
CommandRun declare_inspect(CLI::App& command);
CommandRun declare_check(CLI::App& command);
CommandRun declare_dump(CLI::App& command);
CommandRun declare_preview(CLI::App& command);

// Prints "binario <command>: <message>" on standard error.
void report(std::string_view command, const std::string& message);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_COMMAND_H_
