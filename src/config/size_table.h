#ifndef BOLTGEN_CONFIG_SIZE_TABLE_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "config/size_table_sections.h"

namespace boltgen {

// One size as the size list offers it, read without checks: the generation
// checks the section it uses.
struct SizeEntry {
  std::string name;                  // the header, brackets included: "[Inch 3/4]"
  double nominal_diameter = 0;       // DiaNom's leading number, 0 when not given
  std::array<std::string, 4> pitches;  // pitch0 to pitch3, empty when not given
};

// Every section of the size table, in file order (no cap on the count), a
// section with a faulty header included: the list keeps the file's numbering,
// so that an index always names the section it counts to. A key given twice
// takes its later value.
std::vector<SizeEntry> ListSizes(const SizeTableSections& table);
std::vector<SizeEntry> ReadSizeList(std::string_view content);

// The list index of the size selected at start-up: the eighth when there are
// at least eight, otherwise the first; -1 for an empty list.
int DefaultSizeIndex(const std::vector<SizeEntry>& sizes);

// The pitch lookup: the non-empty pitch texts of the first size whose name
// equals `size_text` exactly, in key order. Empty when no size matches.
std::vector<std::string> PitchesOf(const std::vector<SizeEntry>& sizes, std::string_view size_text);

// The first size whose name equals `size_text` exactly, or null.
const SizeEntry* FindSize(const std::vector<SizeEntry>& sizes, std::string_view size_text);

// The whole file as bytes, or the system's reason why it cannot be read.
Result<std::string> ReadWholeFile(const std::string& path);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_H_
