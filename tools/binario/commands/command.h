#ifndef BINARIO_TOOLS_COMMANDS_COMMAND_H_
#define BINARIO_TOOLS_COMMANDS_COMMAND_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The command-line parser, seen by command_line.cc and main.cc alone: the
// commands declare their options through CommandLine below.
namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace binario::tool {

// Exit statuses of every command.
constexpr int kSuccess = 0;
constexpr int kFailure = 1;  // the command could not do its work
constexpr int kUsage = 2;    // the command line is wrong

// One option or argument of a command, as --help shows it and the parser
// checks it.
class Argument {
 public:
  explicit Argument(CLI::Option* option) : option_(option) {}

  Argument& type_name(const std::string& name);  // the value's name in --help
  Argument& required();
  Argument& positive();                                     // a number above 0
  Argument& one_of(const std::vector<std::string>& words);  // exactly one of these
  // One of these words in any letter case, stored as its number.
  Argument& mapped(const std::map<std::string, int>& words);
  Argument& default_text(const std::string& text);  // the default --help shows
  Argument& values(int least, int most);            // how many values it takes
  Argument& one_value_each();                       // "-W a -W b", never "-W a b"

 private:
  CLI::Option* option_;
};

// A command's part of the command line: its options, arguments and footer.
class CommandLine {
 public:
  explicit CommandLine(CLI::App& command) : command_(command) {}

  // `names` is "-o,--output" for an option, "FILE" for an argument.
  Argument option(const std::string& names, std::string* value, const std::string& help);
  Argument option(const std::string& names, std::vector<std::string>* values,
                  const std::string& help);
  Argument option(const std::string& names, int* value, const std::string& help);
  Argument option(const std::string& names, int64_t* value, const std::string& help);
  Argument flag(const std::string& names, bool* value, const std::string& help);
  void footer(const std::string& text);

 private:
  CLI::App& command_;
};

// A command declares its options and returns the work to run once the
// command line has been parsed into them.
using CommandRun = std::function<int()>;

struct Command {
  const char* name;
  const char* summary;
  CommandRun (*declare)(CommandLine& command);
};

CommandRun declare_pack(CommandLine& command);
CommandRun declare_list(CommandLine& command);
CommandRun declare_extract(CommandLine& command);
CommandRun declare_inspect(CommandLine& command);
CommandRun declare_check(CommandLine& command);
CommandRun declare_dump(CommandLine& command);
CommandRun declare_preview(CommandLine& command);
CommandRun declare_lsp(CommandLine& command);

// Prints "binario <command>: <message>" on standard error.
void report(std::string_view command, const std::string& message);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMMANDS_COMMAND_H_
