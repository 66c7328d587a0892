#ifndef BOLTGEN_APP_LAYOUT_DUMP_H_
#define BOLTGEN_APP_LAYOUT_DUMP_H_

#include <string>
#include <string_view>
#include <vector>

namespace boltgen {

// One control of a live window, as `--dump-layout` reports it: each window
// program reads these back from its own toolkit's widgets, so that two
// windows built from the one form can be compared line by line.
struct LayoutEntry {
  std::string name;
  std::string kind;  // label, combo, edit, button, check, line
  std::string text;  // what the control shows
  int x = 0, y = 0, width = 0, height = 0;  // form units
  bool enabled = true;
  bool checked = false;
  bool is_default = false;
};

struct LayoutDump {
  std::string title;
  int width = 0, height = 0;  // the client area, form units
  std::vector<LayoutEntry> controls;
  // The controls Tab visits, in the order it visits them, from any start.
  std::vector<std::string> tab_cycle;
};

// The dump as text, one line per control, sorted by name so that the order
// in which a toolkit lists its widgets does not count; the tab cycle is
// written from its alphabetically first name, as only its order counts.
std::string FormatLayout(LayoutDump dump);

// Pixels of a window drawn at `scale` (1 at 96 dots per inch) back to form units.
int ToFormUnits(int pixels, double scale);

}  // namespace boltgen

#endif  // BOLTGEN_APP_LAYOUT_DUMP_H_
