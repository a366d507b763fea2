#ifndef BINARIO_TOOLS_DIAGNOSTICS_PROBLEM_TEXT_H_
#define BINARIO_TOOLS_DIAGNOSTICS_PROBLEM_TEXT_H_

#include <string>
#include <string_view>

#include "base/text.h"
#include "package/name_rules.h"
#include "package/package.h"

namespace binario::tool {

// A name as authors should see it, in double quotes: control bytes appear as
// \xNN, every other byte as it is.
std::string printable(std::string_view name);

// Why `name` breaks a name rule, such as: contains "/".
std::string name_fault_text(std::string_view name, NameFault fault);

// What is wrong with the package in `image` and where, with the message the
// installer would show for it, such as: damaged (the installer stops with
// " Errore n. 1252"): record 2 at offset 59612: its content of 9413 bytes
// runs past the end of the file.
// Whether the installer is sealed and its package as sealed, such as:
// intact (28391 bytes of package, CRC-32 1A2B3C4D).
std::string seal_text(const Package& package);

std::string package_problem_text(const PackageCheck& check, const Bytes& image);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_PROBLEM_TEXT_H_
