// binario lsp: the language server editors start to show an author's faults
// while typing, over standard input and output.

#include <cstdio>
#include <iostream>

#include "commands/command.h"
#include "lsp/server.h"
#include "platform/tool_platform.h"

namespace binario::tool {

CommandRun declare_lsp(CommandLine& command) {
  command.footer(
      "Speaks the Language Server Protocol on standard input and output: an editor starts it "
      "and shows check's diagnostics of the route and scenario texts as the author types.");
  return [] {
    // The messages count bytes: no CR LF translation on the way.
    platform::use_binary_standard_streams();
    std::ios::sync_with_stdio(false);
    return serve(std::cin, std::cout);
  };
}

}  // namespace binario::tool
