#include "config/size_table.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/os.h"
#include "config/leading_number.h"
#include "config/size_table_keys.h"

namespace boltgen {

namespace {

// The value of the key's last line in the section, or nothing.
const TableKeyLine* LastKeyLine(const TableSection& section, std::string_view key) {
  const std::vector<const TableKeyLine*> lines = KeyLines(section, key);
  return lines.empty() ? nullptr : lines.back();
}

SizeEntry EntryOf(const TableSection& section) {
  SizeEntry size;
  size.name = section.name;
  if (const TableKeyLine* line = LastKeyLine(section, "DiaNom")) {
    size.nominal_diameter = LeadingNumber(line->value);
  }
  std::size_t pitch = 0;
  for (const SizeTableKey& key : kSizeTableKeys) {
    if (key.kind != KeyKind::kPitch) continue;
    if (const TableKeyLine* line = LastKeyLine(section, key.name)) {
      size.pitches[pitch] = line->value;
    }
    ++pitch;
  }
  return size;
}

}  // namespace

std::vector<SizeEntry> ListSizes(const SizeTableSections& table) {
  std::vector<SizeEntry> sizes;
  sizes.reserve(table.sections.size());
  for (const TableSection& section : table.sections) sizes.push_back(EntryOf(section));
  return sizes;
}

std::vector<SizeEntry> ReadSizeList(std::string_view content) {
  return ListSizes(ParseSizeTable(content));
}

int DefaultSizeIndex(const std::vector<SizeEntry>& sizes) {
  if (sizes.size() >= 8) return 7;
  return sizes.empty() ? -1 : 0;
}

const SizeEntry* FindSize(const std::vector<SizeEntry>& sizes, std::string_view size_text) {
  for (const SizeEntry& size : sizes) {
    if (size.name == size_text) return &size;
  }
  return nullptr;
}

std::vector<std::string> PitchesOf(const std::vector<SizeEntry>& sizes, std::string_view size_text) {
  std::vector<std::string> pitches;
  const SizeEntry* size = FindSize(sizes, size_text);
  if (size == nullptr) return pitches;
  for (const std::string& pitch : size->pitches) {
    if (!pitch.empty()) pitches.push_back(pitch);
  }
  return pitches;
}

Result<std::string> ReadWholeFile(const std::string& path) {
  auto fail = [](int code) { return Error{std::strerror(code)}; };
  std::FILE* file = os::OpenFile(path, "rb");
  if (file == nullptr) return fail(errno);
  std::string content;
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
  // A folder opens but cannot be read: fread then fails with EISDIR.
  const int read_error = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (read_error != 0) return fail(read_error);
  return content;
}

}  // namespace boltgen
