// A scenario folder dropped on the tool: check it, then pack it beside itself.

#include "commands/drop.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "commands/command.h"
#include "commands/pack.h"
#include "diagnostics/check_input.h"
#include "diagnostics/check_run.h"
#include "diagnostics/problem_text.h"
#include "files/files.h"
#include "text/display_text.h"

namespace binario::tool {

namespace fs = std::filesystem;

int drop_folder(const std::string& folder) {
  CheckInput input;
  NearMisses misses;
  const std::string problem = input_from_paths({folder}, "", "", &input, &misses, false);
  if (!problem.empty()) {
    report("check", problem);
    return kFailure;
  }
  CheckReport checked = check_texts(input, CheckOptions());
  hint_near_misses(input, misses, &checked);
  std::vector<const SourceText*> sources;
  if (input.route_text) sources.push_back(&*input.route_text);
  if (input.scenario_text) sources.push_back(&*input.scenario_text);
  write_text(checked, sources, std::cerr);
  if (checked.errors() > 0) {
    std::cerr << "no installer written: the route " << printable(display_text(input.route))
              << ", train " << printable(display_text(input.train))
              << (checked.shown.empty() ? " would be stored otherwise than its texts write it\n"
                                        : " does not compile\n");
    return kFailure;
  }

  // Every file of the folder, in name order; sub-folders are not the scenario's.
  PackOptions options;
  options.route = input.route;
  options.train = input.train;
  const fs::path path = fs::absolute(path_from_name(folder));
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(path, ec)) {
    std::error_code file_ec;
    if (entry.is_regular_file(file_ec)) options.files.push_back(name_of(entry.path()));
  }
  if (ec) {
    report("check", "cannot list \"" + folder + "\": " + ec.message());
    return kFailure;
  }
  std::sort(options.files.begin(), options.files.end());
  // A trailing separator leaves an empty last name: the folder is then its parent's.
  const fs::path whole = path.has_filename() ? path : path.parent_path();
  options.out = name_of(whole.parent_path() / path_from_name("installa " + input.train + ".exe"));
  return pack(options);
}

void wait_for_enter() {
  std::cout << "Press Enter to close this window." << std::endl;
  std::string line;
  std::getline(std::cin, line);
}

}  // namespace binario::tool
