#ifndef BOLTGEN_CONFIG_SIZE_TABLE_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace boltgen {

// One size as the start-up reader sees it.
struct SizeEntry {
  std::string Name;  // the header line, brackets included: "[Inch 3/4]"
  double DiaNom = 0;
  std::string Pitch0;
  std::string Pitch1;
  std::string Pitch2;
  std::string Pitch3;
};

// The start-up reader: every section of the size table, in file order (no
// cap on the count). Comments after ';' are cut off, keys matched without
// regard to case, lines end at CR or CR LF.
std::vector<SizeEntry> ReadIniSections(std::string_view content);

// The list index of the size selected at start-up: the eighth when there are
// at least eight, otherwise the first; -1 for an empty list.
int DefaultSizeIndex(const std::vector<SizeEntry>& sizes);

// The pitch lookup: the non-empty pitch texts of the first size whose Name
// equals `size_text` exactly, in key order. Empty when no size matches.
std::vector<std::string> PitchesOf(const std::vector<SizeEntry>& sizes, std::string_view size_text);

// The first size whose Name equals `size_text` exactly, or null.
const SizeEntry* FindSize(const std::vector<SizeEntry>& sizes, std::string_view size_text);

// The whole file as bytes, or the system's reason why it cannot be read.
Result<std::string> ReadWholeFile(const std::string& path);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_H_
