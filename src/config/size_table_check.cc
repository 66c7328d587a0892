#include "config/size_table_check.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

#include "base/number_format.h"
#include "base/text.h"
#include "config/leading_number.h"
#include "config/size_table_keys.h"

namespace boltgen {
namespace {

struct Problem {
  std::size_t line;
  std::string what;
};

std::string LineText(std::size_t line) { return FormatNumber(static_cast<double>(line), "0"); }

std::string JoinLines(const std::vector<std::size_t>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
    text += LineText(lines[i]);
  }
  return text;
}

// "twice, at lines 5 and 20" or "3 times, at lines 2, 15 and 16".
std::string Repeats(const std::vector<std::size_t>& lines) {
  return (lines.size() == 2 ? std::string("twice") : LineText(lines.size()) + " times") +
         ", at lines " + JoinLines(lines);
}

// An invisible character in the words of someone looking at the file.
std::string Describe(char32_t code) {
  switch (code) {
    case '\t': return "a tab";
    case '\f': return "a form feed";
    case '\v': return "a vertical tab";
    case 0: return "a NUL byte";
    case 0xA0: return "a no-break space (U+00A0)";
    case 0x200B: return "a zero-width space (U+200B)";
    case 0xFEFF: return "a byte order mark (U+FEFF)";
    default: return "an invisible character (" + CharacterCodeName(code) + ")";
  }
}

std::string Assignment(const TableKeyLine& line) {
  return std::string(line.key) + "=" + std::string(line.value);
}

// Where a control character in `text` would reach a script, why that is refused.
std::optional<std::string> ControlProblem(std::string_view what, std::string_view text) {
  const std::optional<FoundCharacter> found = FindControlCharacter(text);
  if (!found) return std::nullopt;
  return std::string(what) + " holds a control character (" + CharacterCodeName(found->code) +
         ") at character " + LineText(found->position) +
         ", which a script would carry; remove it";
}

void CheckHeader(const SizeTableSections& table, const TableSection& section,
                 std::vector<Problem>& problems) {
  const auto at_header = [&](std::string what) { problems.push_back({section.line, std::move(what)}); };
  if (!section.stray_lead.empty()) {
    at_header("the header is preceded by " + Describe(CharacterAt(section.stray_lead, 0).code) +
              "; only blanks may stand before its [");
  }
  if (section.name.find(']') == std::string_view::npos) at_header("the header has no closing ]");
  if (section.comment_follows) {
    at_header("a comment follows the header; a header must stand alone on its line");
  }
  if (auto problem = ControlProblem("the size name", section.name)) at_header(std::move(*problem));
  std::vector<std::size_t> twins;
  for (const TableSection& other : table.sections) {
    if (EqualsIgnoreCase(other.name, section.name)) twins.push_back(other.line);
  }
  if (twins.size() > 1) at_header("defined " + Repeats(twins));
}

// A key line whose key is `name` but for invisible characters around it,
// which no reader takes for the key: named when the key is missing.
std::string MissingKey(const TableSection& section, std::string_view name) {
  const std::string missing = std::string(name) + " is missing";
  for (const TableKeyLine& line : section.keys) {
    const std::string_view visible = TrimInvisible(line.key);
    if (visible.size() == line.key.size() || !EqualsIgnoreCase(visible, name)) continue;
    const std::size_t hidden = visible.data() == line.key.data() ? visible.size() : 0;
    return missing + "; line " + LineText(line.line) + " gives it with " +
           Describe(CharacterAt(line.key, hidden).code) +
           " around the key, which hides it: remove that";
  }
  return missing;
}

std::optional<std::string> LengthProblem(const SizeTableKey& key, const TableKeyLine& line,
                                         bool with_nuts) {
  const std::optional<double> number = DecimalNumber(line.value);
  if (!number) return Assignment(line) + " is not one finite decimal number";
  const bool sign_checked = !key.nuts_only || with_nuts;
  if (sign_checked && key.zero_allowed && *number < 0) return Assignment(line) + " is less than 0";
  if (sign_checked && !key.zero_allowed && *number <= 0) {
    return Assignment(line) + " is not greater than 0";
  }
  if (*number >= kLargestTableValue) {
    return Assignment(line) +
           " is too large: coordinates made from it could overflow (values must stay below 1e300)";
  }
  if (*number <= -kLargestTableValue) {
    return Assignment(line) +
           " is too far below 0: coordinates made from it could overflow (values must stay above "
           "-1e300)";
  }
  return std::nullopt;
}

// A pitch is a number of 0 or more, then optionally blanks and a label; a
// label may not start like the rest of a number ("1 1/4", "0 ,5").
std::optional<std::string> PitchProblem(const TableKeyLine& line) {
  const std::string_view text = line.value;
  const auto blank = text.find(' ');
  const std::optional<double> number = DecimalNumber(text.substr(0, blank));
  const std::string_view label =
      blank == std::string_view::npos ? std::string_view() : TrimBlanks(text.substr(blank));
  if (!number || *number < 0 || *number >= kLargestTableValue ||
      (!label.empty() && std::string_view("0123456789.,/").find(label.front()) != std::string_view::npos)) {
    return Assignment(line) +
           " is not a pitch: a decimal number of 0 or more, optionally followed by a blank and a "
           "label";
  }
  if (*number > 0 && *number < kFinestPitch) {
    return Assignment(line) + " is finer than any thread can be drawn: a pitch is 0 or at least " +
           FormatNumber(kFinestPitch, "0.0000");
  }
  return ControlProblem(std::string(line.key) + "'s label", label);
}

// The value of a length key the section gives and the checks accepted.
std::optional<double> CheckedLength(const TableSection& section, std::string_view key,
                                    const std::vector<Problem>& problems) {
  const std::vector<const TableKeyLine*> lines = KeyLines(section, key);
  if (lines.empty()) return std::nullopt;
  for (const Problem& problem : problems) {
    if (problem.line == lines.back()->line) return std::nullopt;
  }
  return LeadingNumber(lines.back()->value);
}

void CheckKeys(const TableSection& section, bool with_nuts, std::vector<Problem>& problems) {
  bool any_pitch = false;
  for (const SizeTableKey& key : kSizeTableKeys) {
    const std::vector<const TableKeyLine*> lines = KeyLines(section, key.name);
    if (lines.empty()) {
      if (key.required) problems.push_back({section.line, MissingKey(section, key.name)});
      continue;
    }
    const TableKeyLine& line = *lines.back();
    if (key.kind == KeyKind::kLength) {
      if (auto problem = LengthProblem(key, line, with_nuts)) {
        problems.push_back({line.line, std::move(*problem)});
      }
      if (!key.partner.empty() && KeyLines(section, key.partner).empty()) {
        problems.push_back({line.line, std::string(key.name) + " is given without " +
                                           std::string(key.partner) + "; give both, or neither"});
      }
    } else if (!line.value.empty()) {  // an empty pitch is not offered, as if absent
      any_pitch = true;
      if (auto problem = PitchProblem(line)) problems.push_back({line.line, std::move(*problem)});
    }
  }
  if (!any_pitch) problems.push_back({section.line, "no pitch is given (pitch0 to pitch3)"});
  // Relations between values, once each value is known to be good.
  for (const SizeTableKey& key : kSizeTableKeys) {
    if (key.exceeds.empty()) continue;
    const std::optional<double> value = CheckedLength(section, key.name, problems);
    const std::optional<double> limit = CheckedLength(section, key.exceeds, problems);
    if (!value || !limit || *value > *limit) continue;
    const TableKeyLine& line = *KeyLines(section, key.name).back();
    problems.push_back({line.line, Assignment(line) + " is not greater than " +
                                       Assignment(*KeyLines(section, key.exceeds).back())});
  }
}

std::vector<Problem> RepeatedKeys(const TableSection& section) {
  std::vector<Problem> warnings;
  for (const SizeTableKey& key : kSizeTableKeys) {
    const std::vector<const TableKeyLine*> lines = KeyLines(section, key.name);
    if (lines.size() < 2) continue;
    std::vector<std::size_t> numbers;
    for (const TableKeyLine* line : lines) numbers.push_back(line->line);
    warnings.push_back({lines.back()->line, std::string(key.name) + " is given " +
                                                Repeats(numbers) + "; the last, " +
                                                Assignment(*lines.back()) + ", is used"});
  }
  return warnings;
}

std::vector<std::string> Lines(std::vector<Problem> problems, std::string_view label,
                               std::string_view name) {
  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  std::vector<std::string> lines;
  for (const Problem& problem : problems) {
    lines.push_back(std::string(label) + ":" + LineText(problem.line) + ": " + std::string(name) +
                    ": " + problem.what);
  }
  return lines;
}

}  // namespace

Result<std::vector<std::string>> CheckSizeSection(const SizeTableSections& table,
                                                  const TableSection& section,
                                                  std::string_view label, bool with_nuts) {
  std::vector<Problem> problems;
  CheckHeader(table, section, problems);
  CheckKeys(section, with_nuts, problems);
  if (problems.empty()) return Lines(RepeatedKeys(section), label, section.name);
  std::string message;
  for (const std::string& line : Lines(std::move(problems), label, section.name)) {
    if (!message.empty()) message += '\n';
    message += line;
  }
  return Error{std::move(message)};
}

}  // namespace boltgen
