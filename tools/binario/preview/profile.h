#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_PROFILE_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_PROFILE_H_

// The line profile: station names on top, the height from the gradients, the
// signals, boards and slowdown points as ticks, the line speed with the
// slowdowns, and a kilometre scale. The drawing fits the whole line into its
// width; the page's script zooms and pans it along the line.

#include <string>
#include <vector>

#include "preview/drawing.h"
#include "preview/svg_writer.h"

namespace binario::tool {

// Where the profile's parts stand, in pixels; x by metres along the line.
struct ProfileFrame {
  double width = 1400, height = 0;
  double left = 70, right = 30;
  double names_top = 8, names_bottom = 0;  // the names stand on names_bottom
  double h_caption = 0, h_top = 0, h_bottom = 0;
  double ticks_top = 0;  // three rows: signals, boards, slowdown points
  double s_caption = 0, s_top = 0, s_bottom = 0;
  double marks_y = 0;  // kilometric progressives
  double axis_y = 0;
  double metres = 1;  // the length drawn
  double x(double metre) const { return left + metre * (width - left - right) / metres; }
};

Drawing profile_svg(const DrawingInput& input);

// Parts of the profile, each drawn into `svg`.
ProfileFrame profile_frame(const DrawingInput& input);
void draw_profile_curves(const DrawingInput& input, const ProfileFrame& f, SvgWriter& svg);
void draw_profile_ticks(const DrawingInput& input, const ProfileFrame& f, SvgWriter& svg);
void draw_profile_names(const DrawingInput& input, const ProfileFrame& f, SvgWriter& svg);
void draw_profile_axis(const ProfileFrame& f, SvgWriter& svg);
// Captions and the scales' numbers, left of and above the panels.
void draw_profile_margin(const DrawingInput& input, const ProfileFrame& f, SvgWriter& svg);

// The name a station shows on the profile: its name and, when it has one, its time.
std::string profile_name(const PreviewObject& o);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_PROFILE_H_
