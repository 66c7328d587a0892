#include "app/layout_dump.h"

#include <algorithm>
#include <cmath>

namespace boltgen {
namespace {

// Quoted on one line: a caption of two lines must not look like two controls.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + '"';
}

std::string Rect(int x, int y, int width, int height) {
  return std::to_string(x) + ',' + std::to_string(y) + ' ' + std::to_string(width) + 'x' +
         std::to_string(height);
}

}  // namespace

std::string FormatLayout(LayoutDump dump) {
  std::sort(dump.controls.begin(), dump.controls.end(),
            [](const LayoutEntry& a, const LayoutEntry& b) { return a.name < b.name; });
  std::string out = "window " + Quoted(dump.title) + ' ' + Rect(0, 0, dump.width, dump.height) + '\n';
  for (const LayoutEntry& c : dump.controls) {
    out += "control " + c.name + ' ' + c.kind + ' ' + Rect(c.x, c.y, c.width, c.height);
    if (!c.enabled) out += " disabled";
    if (c.checked) out += " checked";
    if (c.is_default) out += " default";
    out += ' ' + Quoted(c.text) + '\n';
  }
  std::vector<std::string>& cycle = dump.tab_cycle;
  if (!cycle.empty()) std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
  out += "tab";
  for (const std::string& name : cycle) out += ' ' + name;
  return out + '\n';
}

int ToFormUnits(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels / (scale > 0 ? scale : 1.0)));
}

}  // namespace boltgen
