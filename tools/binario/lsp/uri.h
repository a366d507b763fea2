#ifndef BINARIO_TOOLS_BINARIO_LSP_URI_H_
#define BINARIO_TOOLS_BINARIO_LSP_URI_H_

#include <filesystem>
#include <string>

namespace binario::tool {

// The path of a `file:` URI, its escapes decoded ("file:///c%3A/x" is
// "c:/x" on Windows); empty for any other URI.
std::filesystem::path path_of_uri(const std::string& uri);

// The `file:` URI of an absolute path, with every byte outside the
// unreserved characters and '/' escaped.
std::string uri_of_path(const std::filesystem::path& path);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_URI_H_
