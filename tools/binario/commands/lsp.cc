// binario lsp: the language server editors start to show an author's faults
// while typing, over standard input and output.

#include <cstdio>
#include <iostream>

#include "commands/command.h"
#include "lsp/server.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace binario::tool {

CommandRun declare_lsp(CommandLine& command) {
  command.footer(
      "Speaks the Language Server Protocol on standard input and output: an editor starts it "
      "and shows check's diagnostics of the route and scenario texts as the author types.");
  return [] {
#ifdef _WIN32
    // The messages count bytes: no CR LF translation on the way.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    return serve(std::cin, std::cout);
  };
}

}  // namespace binario::tool
