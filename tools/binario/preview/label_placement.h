#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_LABEL_PLACEMENT_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_LABEL_PLACEMENT_H_

// Where the names of stations stand: on the ground plan beside their marks,
// never over another name and off the track where they can; on the profile in
// a row, spread apart where stations crowd.

#include <vector>

namespace binario::tool {

// A box in drawing pixels, y downward.
struct LabelBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};

bool boxes_overlap(const LabelBox& a, const LabelBox& b);

struct DrawnPoint {
  double x = 0, y = 0;
};

enum class TextAnchor { kStart, kMiddle, kEnd };

// A name of `width` x `height` pixels for the mark at (x, y). `across`: the
// track runs across the drawing there, so the name goes above or below first.
struct LabelRequest {
  double x = 0, y = 0;
  double width = 0, height = 0;
  bool across = false;
};

struct PlacedLabel {
  double x = 0, y = 0;  // where the text's baseline starts, ends or centres
  TextAnchor anchor = TextAnchor::kStart;
  LabelBox box;
  bool leader = false;  // stands away from its mark: a line joins them
  bool shown = true;    // false: no free place, the name is left out
};

// Places the names in order; earlier names have the first choice. No name
// overlaps another or leaves `frame`; among the free places nearest the mark
// the one that covers the fewest points of `track` and marks wins. A name
// with no free place within reach is not shown.
std::vector<PlacedLabel> place_labels(const std::vector<LabelRequest>& requests,
                                      const std::vector<DrawnPoint>& track, const LabelBox& frame);

// Positions along a row for marks at `wanted` (ascending): each as near its
// mark as the row allows, neighbours at least `gap` apart, all within
// [`low`, `high`]. Where the row is too short for all, the gap shrinks.
std::vector<double> spread_in_row(const std::vector<double>& wanted, double gap, double low,
                                  double high);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_LABEL_PLACEMENT_H_
