#ifndef BINARIO_PACKAGE_NAME_RULES_H_
#define BINARIO_PACKAGE_NAME_RULES_H_

// The names a package may carry. The route name, the train name and every
// record name end up in paths inside the installer's folder, so none of them
// may reach outside it or name something other than a plain file there.

#include <cstdint>
#include <string_view>

namespace binario {

enum class NameUse : uint8_t {
  kScenarioName,  // route or train name: a part of the file names built from it
  kFileName,      // record name: a whole file name
};

enum class NameFault : uint8_t {
  kNone,
  kForbiddenByte,  // a folder separator, a drive colon, a control byte or < > " | ? *
  kDotName,        // a record named "." or ".."
  kDeviceName,     // a record naming a Windows device (CON, NUL, COM1, LPT1.txt ...)
  kTemporaryName,  // beginning with the installer's temporary prefix, in any letter case:
                   // the next run would take the file for a leftover of its own
};

// Checks `name` against the rules for its use. Bytes 128-255 are allowed: they
// are characters of the player's code page and reach the file system unchanged.
// Emptiness and length are the package layout's business, not a name rule.
NameFault check_name(std::string_view name, NameUse use);

// True when Windows takes `a` and `b` for the same file: they differ at most
// in the letter case of A-Z.
bool same_file_name(std::string_view a, std::string_view b);

// The first byte of `name` that no name may hold; -1 when there is none.
int first_forbidden_byte(std::string_view name);

}  // namespace binario

#endif  // BINARIO_PACKAGE_NAME_RULES_H_
