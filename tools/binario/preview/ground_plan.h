#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_GROUND_PLAN_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_GROUND_PLAN_H_

#include "preview/drawing.h"

namespace binario::tool {

// The line seen from above, from the route plan: the track (dashed beyond the
// route's end), signals, boards, slowdown points and code points as marks,
// and the names of stations and locations beside theirs. The drawing's width
// is fixed, its height follows the shape of the line.
Drawing ground_plan_svg(const DrawingInput& input);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_GROUND_PLAN_H_
