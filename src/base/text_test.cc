#include "base/text.h"

#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

std::vector<std::string> Lines(std::string_view content) {
  std::vector<std::string> lines;
  LineReader reader(content);
  while (const auto line = reader.Next()) {
    lines.push_back(std::to_string(reader.number()) + ":" + std::string(*line));
  }
  return lines;
}

TEST(Text, LinesEndAtCrLfCrOrLfAndAreNumberedFromOne) {
  using L = std::vector<std::string>;
  EXPECT_EQ(Lines("a\r\nb\rc\nd\r\n\r\ne"), (L{"1:a", "2:b", "3:c", "4:d", "5:", "6:e"}));
  // LF CR is two line ends, with an empty line between them; a last line end adds no line.
  EXPECT_EQ(Lines("a\n\rb\n\nc\r"), (L{"1:a", "2:", "3:b", "4:", "5:c"}));
  EXPECT_EQ(Lines(""), L{});
}

// Offsets, positions (in characters) and codes of the first control character.
std::string Found(std::string_view text) {
  const auto found = FindControlCharacter(text);
  if (!found) return "none";
  return std::to_string(found->offset) + "/" + std::to_string(found->position) + " " +
         CharacterCodeName(found->code);
}

TEST(Text, ControlCharactersAreFoundInUtf8AndIn8BitText) {
  const std::pair<std::string_view, const char*> cases[] = {
      {"[Inch 3/4]", "none"},
      // UTF-8 letters whose bytes lie in 0x80..0x9F are no C1 controls.
      {"M\xC3\xA9tric \xE2\x82\xAC", "none"},
      {"\xC2\xA0no-break", "none"},
      {"a\tb", "1/2 code 9"},
      {std::string_view("a\0b", 3), "1/2 code 0"},
      {"a\x1b[2J", "1/2 code 27"},
      {"a\x7f", "1/2 code 127"},
      {"\xC3\xA9\xC2\x85x", "2/2 code 133"},  // NEL in UTF-8, after a two-byte letter
      {"ab\x85", "2/3 code 133"},              // NEL as one 8-bit byte
      {"ab\x9f", "2/3 code 159"},
      {"a\xE2\x80\xA8", "1/2 U+2028"},
      {"\xE2\x80\xA9", "0/1 U+2029"},
      // An overlong or cut-off sequence is 8-bit text; 0xC0 is no control there.
      {"\xC0\x85", "1/2 code 133"},
      {"\xE2\x80", "1/2 code 128"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Found(text), expected) << text;
}

TEST(Text, InvisibleCharactersAreTrimmedAtBothEndsOnly) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"\tDiaNom", "DiaNom"},
      {"\xEF\xBB\xBF\xE2\x80\x8B DiaNom\xC2\xA0\t", "DiaNom"},
      {"Dia\tNom", "Dia\tNom"},
      {"\f\v", ""},
      {"\xC3\xA9", "\xC3\xA9"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(TrimInvisible(text), expected) << text;
}

}  // namespace
}  // namespace boltgen
