#include "config/size_table_sections.h"

#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// One line per section: "LINE name|stray lead|comment: key=value@line ...".
std::string Outline(std::string_view content) {
  std::string text;
  for (const TableSection& section : ParseSizeTable(content).sections) {
    text += std::to_string(section.line) + " " + std::string(section.name) + "|" +
            std::string(section.stray_lead) + "|" + (section.comment_follows ? "c" : "") + ":";
    for (const TableKeyLine& key : section.keys) {
      text += " " + std::string(key.key) + "=" + std::string(key.value) + "@" + std::to_string(key.line);
    }
    text += "\n";
  }
  return text;
}

TEST(ParseSizeTable, HeadersKeysAndCommentsLineForLine) {
  const std::pair<std::string, std::string> cases[] = {
      // Keys before the first header belong to no size; a comment line is no header.
      {"DiaNom=9\r\n;[Not]\r\n[A]\r\n  DIANOM  =  0.5 ; half\r\nwords\r\n=x\r\n",
       "3 [A]||: DIANOM=0.5@4 =x@6\n"},
      // Blanks and tabs after the bracket are no part of the name; a comment is noted.
      {"  [Inch 3/4]\t \r\n[B] ; c\r\n[C]x\r\n[D\r\n",
       "1 [Inch 3/4]||:\n2 [B]||c:\n3 [C]x||:\n4 [D||:\n"},
      // A value keeps its inner blanks and tabs; a key indented with a tab keeps the tab.
      {"[A]\npitch0 = 0.1 UNC\t\n\tDiaNom=1\n", "1 [A]||: pitch0=0.1 UNC\t@2 \tDiaNom=1@3\n"},
  };
  for (const auto& [content, outline] : cases) EXPECT_EQ(Outline(content), outline) << content;
}

// A header that only invisible characters keep from the line's start is a
// header all the same: it ends the section above (whose keys stay its own)
// and stays in its place, refused later by its stray lead.
TEST(ParseSizeTable, AHeaderBehindInvisibleCharactersKeepsItsPlace) {
  const std::string leads[] = {"\t", "\xC2\xA0", "\f", "\v", std::string(1, '\0'),
                               "\xE2\x80\x8B", "\xEF\xBB\xBF", " \xA0"};
  for (const std::string& lead : leads) {
    const std::string content = "[A]\nFlats=1\n" + lead + "[B]\nFlats=2\n[C]\n";
    const std::string stray = lead == " \xA0" ? "\xA0" : lead;
    EXPECT_EQ(Outline(content), "1 [A]||: Flats=1@2\n3 [B]|" + stray + "|: Flats=2@4\n5 [C]||:\n")
        << lead;
    EXPECT_TRUE(IsHeaderLine(lead + "[B]", false));
  }
  // Visible text before the bracket makes a key or plain line.
  EXPECT_EQ(Outline("[A]\nx[B]=1\n\t;[C]\n"), "1 [A]||: x[B]=1@2\n");
  EXPECT_FALSE(IsHeaderLine("\t;[C]", false));
}

TEST(ParseSizeTable, AByteOrderMarkIsSkippedAtTheStartOfTheFileOnly) {
  EXPECT_EQ(Outline("\xEF\xBB\xBF[A]\r\n[B]\r\n"), "1 [A]||:\n2 [B]||:\n");
  EXPECT_EQ(Outline("\xEF\xBB\xBF; sizes\r\n[A]\r\n"), "2 [A]||:\n");
  EXPECT_TRUE(IsHeaderLine("\xEF\xBB\xBF[A]", true));
  EXPECT_EQ(Outline("[A]\r\n\xEF\xBB\xBF[B]\r\n"), "1 [A]||:\n2 [B]|\xEF\xBB\xBF|:\n");
}

TEST(FindSection, TheListMatchesExactlyAGenerationAlsoIgnoringCase) {
  const SizeTableSections table = ParseSizeTable("[a]\n[Inch 3/4]\n[A]\n");
  EXPECT_EQ(FindSection(table, "[A]", NameMatch::kExact)->line, 3u);
  EXPECT_EQ(FindSection(table, "[A]", NameMatch::kIgnoringCase)->line, 3u);  // exact first
  EXPECT_EQ(FindSection(table, "[inch 3/4]", NameMatch::kExact), nullptr);
  EXPECT_EQ(FindSection(table, "[inch 3/4]", NameMatch::kIgnoringCase)->line, 2u);
  EXPECT_EQ(FindSection(table, "[Inch 3/4] ", NameMatch::kIgnoringCase), nullptr);
  EXPECT_EQ(KeyLines(ParseSizeTable("[A]\nflats=1\nX=2\nFLATS=3\n").sections[0], "Flats").size(), 2u);
}

}  // namespace
}  // namespace boltgen
