#include "config/size_table_sections.h"

#include <algorithm>

#include "base/text.h"

namespace boltgen {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view line, bool first) {
  if (first && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
  return line;
}

// The offset of the header's '[' in `line` (blanks and invisible characters
// before it), or npos when the line is no header.
std::size_t BracketOffset(std::string_view line) {
  std::size_t offset = 0;
  while (offset < line.size() && line[offset] != '[') {
    const Character c = CharacterAt(line, offset);
    if (!IsInvisibleCharacter(c.code)) return std::string_view::npos;
    offset += c.length;
  }
  return offset < line.size() ? offset : std::string_view::npos;
}

std::string_view TrimTrailingBlanksAndTabs(std::string_view text) {
  const auto last = text.find_last_not_of(" \t");
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

TableSection HeaderSection(std::string_view line, std::size_t bracket, std::size_t number) {
  TableSection section;
  section.line = number;
  const std::string_view lead = line.substr(0, bracket);
  section.stray_lead = lead.substr(std::min(lead.find_first_not_of(' '), lead.size()));
  std::string_view rest = line.substr(bracket);
  const auto semicolon = rest.find(';');
  section.comment_follows = semicolon != std::string_view::npos;
  section.name = TrimTrailingBlanksAndTabs(rest.substr(0, semicolon));
  return section;
}

void AddKeyLine(std::string_view line, std::size_t number, TableSection& section) {
  line = TrimBlanks(line);
  line = line.substr(0, line.find(';'));
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return;
  section.keys.push_back(
      {number, TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))});
}

}  // namespace

bool IsHeaderLine(std::string_view line, bool first) {
  return BracketOffset(WithoutByteOrderMark(line, first)) != std::string_view::npos;
}

SizeTableSections ParseSizeTable(std::string_view content) {
  SizeTableSections table;
  LineReader lines(content);
  while (const std::optional<std::string_view> raw = lines.Next()) {
    const std::string_view line = WithoutByteOrderMark(*raw, lines.number() == 1);
    if (const std::size_t bracket = BracketOffset(line); bracket != std::string_view::npos) {
      table.sections.push_back(HeaderSection(line, bracket, lines.number()));
    } else if (!table.sections.empty()) {
      AddKeyLine(line, lines.number(), table.sections.back());
    }
  }
  return table;
}

const TableSection* FindSection(const SizeTableSections& table, std::string_view name,
                                NameMatch match) {
  const TableSection* ignoring_case = nullptr;
  for (const TableSection& section : table.sections) {
    if (section.name == name) return &section;
    if (ignoring_case == nullptr && EqualsIgnoreCase(section.name, name)) ignoring_case = &section;
  }
  return match == NameMatch::kIgnoringCase ? ignoring_case : nullptr;
}

std::vector<const TableKeyLine*> KeyLines(const TableSection& section, std::string_view key) {
  std::vector<const TableKeyLine*> lines;
  for (const TableKeyLine& line : section.keys) {
    if (EqualsIgnoreCase(line.key, key)) lines.push_back(&line);
  }
  return lines;
}

}  // namespace boltgen
