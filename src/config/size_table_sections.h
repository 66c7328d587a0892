#ifndef BOLTGEN_CONFIG_SIZE_TABLE_SECTIONS_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_SECTIONS_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace boltgen {

// The size table as every reader sees it, parsed once: its sections in file
// order, each with its header and key lines. The size list, the checks and
// the dimensions all read this, so they agree line for line on which lines
// are headers and which keys belong to which size. Views point into the
// table's text, which must outlive the model.
//
// Line rules: a UTF-8 byte order mark at the very start is skipped; a line
// whose first non-blank character is '[' is a header; one whose '[' follows
// other invisible characters (a tab, NBSP, form feed, NUL, zero-width space,
// a byte order mark...) is a header too, kept in its place with its stray
// lead so that it is refused rather than swallowed by the section above; a
// line with '=' is a key line ("key = value ; comment"); every other line,
// and every key line before the first header, belongs to no size.
struct TableKeyLine {
  std::size_t line = 0;     // from 1
  std::string_view key;     // blanks trimmed; spelled as in the file
  std::string_view value;   // blanks trimmed, up to a ';' comment
};

struct TableSection {
  std::size_t line = 0;          // the header's, from 1
  // From '[' up to a ';' comment, without the blanks and tabs around it:
  // "[Inch 3/4]" for "  [Inch 3/4]\t".
  std::string_view name;
  std::string_view stray_lead;   // what stands before '[' besides blanks
  bool comment_follows = false;  // a ';' comment after the header
  std::vector<TableKeyLine> keys;  // in file order
};

struct SizeTableSections {
  std::vector<TableSection> sections;
};

SizeTableSections ParseSizeTable(std::string_view content);

// Whether `line` is a header by the rules above; `first` for the file's
// first line, where a byte order mark is no stray lead.
bool IsHeaderLine(std::string_view line, bool first);

// How a size text names a section. The size list and its pitch lookup take
// the exact name; a generation also takes a name that differs only in the
// case of its letters (a typed "[inch 3/4]"), the exact one first.
enum class NameMatch { kExact, kIgnoringCase };

const TableSection* FindSection(const SizeTableSections& table, std::string_view name,
                                NameMatch match);

// The key lines of `section` whose key is `key`, letter case ignored.
std::vector<const TableKeyLine*> KeyLines(const TableSection& section, std::string_view key);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_SECTIONS_H_
