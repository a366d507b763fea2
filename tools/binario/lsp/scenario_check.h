#ifndef BINARIO_TOOLS_BINARIO_LSP_SCENARIO_CHECK_H_
#define BINARIO_TOOLS_BINARIO_LSP_SCENARIO_CHECK_H_

#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>

#include "lsp/scenario_texts.h"

namespace binario::tool {

// The diagnostics of each text of a scenario, as the editor shows them:
// check's diagnostics of the two texts taken together, and each character an
// open text holds that Windows-1252 lacks. Every text of the scenario has
// its entry (an empty list clears what the editor shows); a fault of a
// missing text stands on `asked`, the text the editor asked about.
// `uri_of` names a text to the editor, in related information.
using UriOf = std::function<std::string(const std::filesystem::path&)>;
std::map<std::filesystem::path, nlohmann::json> diagnose_scenario(
    const ScenarioTexts& scenario, const std::filesystem::path& asked, const EditorText& editor,
    const UriOf& uri_of);

// The same for a text that belongs to no scenario: none.
nlohmann::json no_diagnostics();

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_SCENARIO_CHECK_H_
