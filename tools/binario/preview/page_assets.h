#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_ASSETS_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_ASSETS_H_

// The page's style sheet and script, built in from page.css and page.js.

#include <string_view>

namespace binario::tool {

extern const std::string_view kPageCss;
extern const std::string_view kPageJs;

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_ASSETS_H_
