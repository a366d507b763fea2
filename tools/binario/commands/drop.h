#ifndef BINARIO_TOOLS_COMMANDS_DROP_H_
#define BINARIO_TOOLS_COMMANDS_DROP_H_

#include <string>

#include "platform/tool_platform.h"

namespace binario::tool {

// A scenario folder dropped on the tool (its only argument): checks the texts
// and, when they compile, packs every file of the folder into
// `installa <train>.exe` beside it. Shows the diagnostics or the installer's
// name. Returns an exit status.
int drop_folder(const std::string& folder);

// True when this process's console was opened for it alone (a folder dropped
// on the program, or a double click): the window closes when the run ends.
using platform::console_is_own;

// Asks for Enter and waits for it, so that a console of its own stays open
// until the author has read it.
void wait_for_enter();

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_COMMANDS_DROP_H_
