#include "config/size_table_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "base/number_format.h"
#include "base/text.h"
#include "config/leading_number.h"

namespace boltgen {
namespace {

// The dimension keys, whether 0 is a value they may take, and whether a
// section may leave them out (the nuts' own width and the third thread
// length are additions that older tables do not have).
struct DimensionRule {
  std::string_view name;
  bool zero_allowed;
  bool nut_height;
  bool optional = false;
};

constexpr std::array<DimensionRule, 13> kDimensionRules = {{
    {"DiaNom", false, false},
    {"Flats", false, false},
    {"HghtHex", false, false},
    {"HghtWshFace", true, false},
    {"MinThrSht", false, false},
    {"MinThrLng", false, false},
    {"HghtNut", false, true},
    {"HghtNutJam", false, true},
    {"RadWshFace", true, false},
    {"Long", false, false},
    {"FlatsNut", false, false, true},
    {"LongXL", false, false, true},
    {"MinThrXLng", false, false, true},
}};

constexpr std::array<std::string_view, 4> kPitchKeys = {"pitch0", "pitch1", "pitch2", "pitch3"};

// A key line's value as both readers agree on it: up to a ';' comment, trimmed.
struct KeyValue {
  std::size_t line = 0;
  std::string_view value;
};

struct Problem {
  std::size_t line;
  std::string what;
};

std::string LineText(std::size_t line) { return FormatNumber(static_cast<double>(line), "0"); }

// The start-up reader's name of a header: up to the first ';'.
std::string_view HeaderName(std::string_view trimmed) {
  return trimmed.substr(0, trimmed.find(';'));
}

bool IsHeader(std::string_view line) { return TrimBlanks(line).starts_with('['); }

// Neither reader trims tabs, so "\t[Next]" is a key line without '=' to both,
// and the keys below it would land in the section above.
bool IsTabIndentedHeader(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  const auto first = trimmed.find_first_not_of(" \t");
  return !trimmed.starts_with('[') && first != std::string_view::npos && trimmed[first] == '[';
}

// The header line of the section the size text names: the start-up list's
// name equal to it, else equal without regard to case, as the dimension
// reader matches it.
std::optional<std::size_t> FindHeader(const std::vector<std::string_view>& lines,
                                      std::string_view size_text) {
  std::optional<std::size_t> ignoring_case;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsHeader(lines[i])) continue;
    const std::string_view name = HeaderName(TrimBlanks(lines[i]));
    if (name == size_text) return i;
    if (!ignoring_case && EqualsIgnoreCase(name, size_text)) ignoring_case = i;
  }
  return ignoring_case;
}

std::string JoinLines(const std::vector<std::size_t>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
    text += LineText(lines[i] + 1);
  }
  return text;
}

void CheckHeader(const std::vector<std::string_view>& lines, std::size_t header,
                 std::vector<Problem>& problems) {
  const std::string_view trimmed = TrimBlanks(lines[header]);
  const std::string_view name = HeaderName(trimmed);
  if (name.find(']') == std::string_view::npos) {
    problems.push_back({header, "the header has no closing ]"});
  }
  if (name.size() != trimmed.size()) {
    problems.push_back({header, "a comment follows the header; a header must stand alone on its line"});
  }
  std::vector<std::size_t> twins;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsHeader(lines[i]) && EqualsIgnoreCase(HeaderName(TrimBlanks(lines[i])), name)) {
      twins.push_back(i);
    }
  }
  if (twins.size() > 1) {
    problems.push_back({header, std::string(twins.size() == 2 ? "defined twice" : "defined " +
                                    LineText(twins.size()) + " times") +
                                    ", at lines " + JoinLines(twins)});
  }
}

std::string Assignment(std::string_view key, std::string_view value) {
  return std::string(key) + "=" + std::string(value);
}

std::optional<std::string> DimensionProblem(const DimensionRule& rule, std::string_view value,
                                            bool with_nuts) {
  const std::optional<double> number = DecimalNumber(value);
  if (!number) return Assignment(rule.name, value) + " is not one finite decimal number";
  if (std::fabs(*number) >= kLargestTableValue) {
    return Assignment(rule.name, value) +
           " is too large: coordinates made from it could overflow (values must stay below 1e300)";
  }
  if (rule.nut_height && !with_nuts) return std::nullopt;
  if (rule.zero_allowed && *number < 0) return Assignment(rule.name, value) + " is less than 0";
  if (!rule.zero_allowed && *number <= 0) {
    return Assignment(rule.name, value) + " is not greater than 0";
  }
  return std::nullopt;
}

// A pitch is a number of 0 or more, then optionally blanks and a label; a
// label may not start like the rest of a number ("1 1/4", "0 ,5").
bool IsPitchText(std::string_view text) {
  const auto blank = text.find(' ');
  const std::optional<double> number = DecimalNumber(text.substr(0, blank));
  if (!number || *number < 0 || *number >= kLargestTableValue) return false;
  if (blank == std::string_view::npos) return true;
  const std::string_view label = TrimBlanks(text.substr(blank));
  return label.empty() || std::string_view("0123456789.,/").find(label.front()) == std::string_view::npos;
}

void CheckSectionLines(const std::vector<std::string_view>& lines, std::size_t header,
                       bool with_nuts, std::vector<Problem>& problems) {
  std::array<KeyValue, kDimensionRules.size()> dimensions{};
  std::array<KeyValue, kPitchKeys.size()> pitches{};
  std::size_t end = header + 1;
  for (; end < lines.size() && !IsHeader(lines[end]); ++end) {
    const std::string_view line = TrimBlanks(lines[end]);
    if (IsTabIndentedHeader(line)) {
      problems.push_back({end, "line " + LineText(end + 1) +
                                   " looks like a section header but starts with a tab"});
      continue;
    }
    if (line.starts_with(';')) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string key = ToLowerAscii(TrimBlanks(line.substr(0, equals)));
    std::string_view value = line.substr(equals + 1);
    value = TrimBlanks(value.substr(0, value.find(';')));
    for (std::size_t k = 0; k < kDimensionRules.size(); ++k) {
      if (key == ToLowerAscii(kDimensionRules[k].name)) dimensions[k] = {end, value};
    }
    for (std::size_t k = 0; k < kPitchKeys.size(); ++k) {
      if (key == kPitchKeys[k]) pitches[k] = {end, value};
    }
  }
  for (std::size_t k = 0; k < kDimensionRules.size(); ++k) {
    const DimensionRule& rule = kDimensionRules[k];
    if (dimensions[k].line == 0) {
      if (rule.optional) continue;
      problems.push_back({header, std::string(rule.name) + " is missing"});
    } else if (auto problem = DimensionProblem(rule, dimensions[k].value, with_nuts)) {
      problems.push_back({dimensions[k].line, std::move(*problem)});
    }
  }
  bool any_pitch = false;
  for (std::size_t k = 0; k < kPitchKeys.size(); ++k) {
    if (pitches[k].value.empty()) continue;  // an empty pitch is not offered, as if absent
    any_pitch = true;
    if (!IsPitchText(pitches[k].value)) {
      problems.push_back({pitches[k].line,
                          Assignment(kPitchKeys[k], pitches[k].value) +
                              " is not a pitch: a decimal number of 0 or more, optionally "
                              "followed by a blank and a label"});
    }
  }
  if (!any_pitch) problems.push_back({header, "no pitch is given (pitch0 to pitch3)"});
}

}  // namespace

Result<> CheckSizeSection(std::string_view content, std::string_view label,
                          std::string_view size_text, bool with_nuts) {
  const std::vector<std::string_view> lines = SplitLines(content);
  const std::optional<std::size_t> header = FindHeader(lines, size_text);
  if (!header) return Done();
  std::vector<Problem> problems;
  CheckHeader(lines, *header, problems);
  CheckSectionLines(lines, *header, with_nuts, problems);
  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  const std::string name(HeaderName(TrimBlanks(lines[*header])));
  std::string message;
  for (const Problem& problem : problems) {
    if (!message.empty()) message += '\n';
    message += std::string(label) + ":" + LineText(problem.line + 1) + ": " + name + ": " +
               problem.what;
  }
  if (message.empty()) return Done();
  return Error{std::move(message)};
}

}  // namespace boltgen
