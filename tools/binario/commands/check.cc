// binario check: compiles a scenario's texts as a player's run would and
// reports every fault at its line and field, with the warnings beside.

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "commands/command.h"
#include "diagnostics/check_input.h"
#include "diagnostics/check_run.h"
#include "diagnostics/lint.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "package/package.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

struct CheckCommand {
  std::vector<std::string> inputs;
  std::string route;
  std::string train;
  int max_errors = 20;
  std::string format = "text";
  bool werror = false;
  std::vector<std::string> w;  // -W values: NAME, no-NAME, error
};

bool is_installer(const std::vector<std::string>& inputs) {
  std::error_code ec;
  return inputs.size() == 1 && fs::is_regular_file(path_from_name(inputs[0]), ec) &&
         path_from_name(inputs[0]).extension() != ".txt";
}

int check(const CheckCommand& c) {
  CheckOptions options;
  options.max_errors = c.max_errors;
  options.werror = c.werror;
  for (const std::string& w : c.w) {
    const bool off = w.rfind("no-", 0) == 0;
    const std::string name = off ? w.substr(3) : w;
    if (name == "error" && !off) {
      options.werror = true;
      continue;
    }
    bool known = false;
    for (size_t i = 0; i < kWarningCount; ++i) known |= name == kWarningNames[i];
    if (!known) {
      std::string all;
      for (size_t i = 0; i < kWarningCount; ++i)
        all += (i ? ", " : "") + std::string(kWarningNames[i]);
      report("check", "unknown warning \"-W" + w + "\" (warnings: " + all + ")");
      return kUsage;
    }
    if (off) {
      options.disabled.insert(name);
    } else {
      options.disabled.erase(name);
    }
  }

  CheckInput input;
  NearMisses misses;
  if (is_installer(c.inputs)) {
    Bytes image;
    std::string error;
    if (!read_whole_file(c.inputs[0], &image, &error)) {
      report("check", error);
      return kFailure;
    }
    Package package;
    const PackageCheck package_check = read_package(image, &package);
    if (!package_check.passed()) {
      report("check", "package: " + package_problem_text(package_check, image));
      return kFailure;
    }
    input = input_from_package(package);
    if (c.format != "json") std::cout << "seal: " << seal_text(package) << '\n';
  } else {
    std::string problem = input_from_paths(c.inputs, c.route, c.train, &input, &misses);
    if (!problem.empty()) {
      report("check", problem);
      return kUsage;
    }
  }

  CheckReport result = check_texts(input, options);
  hint_near_misses(input, misses, &result);
  if (c.format == "json") {
    write_json(result, std::cout);
  } else {
    std::vector<const SourceText*> sources;
    if (input.route_text) sources.push_back(&*input.route_text);
    if (input.scenario_text) sources.push_back(&*input.scenario_text);
    write_text(result, sources, std::cerr);
    if (result.errors() == 0) {
      std::cout << "route " << printable(display_text(input.route)) << ", train "
                << printable(display_text(input.train)) << ": compiles without a fault\n";
    }
  }
  return result.errors() > 0 ? kFailure : kSuccess;
}

}  // namespace

CommandRun declare_check(CommandLine& command) {
  auto c = std::make_shared<CheckCommand>();
  command
      .option("INPUT", &c->inputs,
              "An installer, a folder holding the texts, or the route and scenario texts")
      .type_name("PATH")
      .required();
  command.option("--route", &c->route, "Route name, when the file names leave it open")
      .type_name("NAME");
  command.option("--train", &c->train, "Train name, when the file names leave it open")
      .type_name("NAME");
  command.option("--max-errors", &c->max_errors, "Stop after this many errors (default 20)")
      .positive();
  command.option("--format", &c->format, "text (default, on standard error) or json")
      .one_of({"text", "json"});
  command.flag("--werror", &c->werror, "Count warnings as errors");
  command.option("-W", &c->w, "-Wno-NAME turns a warning off, -WNAME on, -Werror as --werror")
      .type_name("NAME")
      .one_value_each();
  std::string names;
  for (size_t i = 0; i < kWarningCount; ++i)
    names += (i ? ", " : "") + std::string(kWarningNames[i]);
  command.footer(
      "Compiles the route and scenario texts as a player's run would, and reports every fault "
      "at its file, line and field, with the message the installer would show, every value it "
      "would store otherwise than written, and the warnings: " +
      names + ". Exit status 0 clean, 1 errors (or warnings with --werror), 2 wrong command line.");
  return [c] { return check(*c); };
}

}  // namespace binario::tool
