#include "config/size_table_check.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "config/leading_number.h"

namespace boltgen {
namespace {

// A complete section at lines 2 to 13, below a comment line; `more` follows
// it (a key given again overrides).
std::string Table(const std::string& more = "") {
  return "; sizes\r\n[Inch 1/2]\r\nDiaNom=0.5\r\npitch0=0.05 UNF\r\npitch1=0.076923 UNC\r\n"
         "Flats=0.75\r\nHghtHex=0.3125\r\nHghtWshFace=0.015\r\nRadWshFace=0.01\r\n"
         "HghtNut=0.4375\r\nHghtNutJam=0.3125\r\nMinThrSht=1.25\r\nMinThrLng=1.5\r\nLong=6\r\n" +
         more;
}

// The problems as the user reads them, or the warnings after "ok"; the
// section is the one `size_text` names ignoring case, as a generation finds it.
std::string CheckSection(const std::string& content, std::string_view label,
                         std::string_view size_text, bool with_nuts) {
  const SizeTableSections table = ParseSizeTable(content);
  const TableSection* section = FindSection(table, size_text, NameMatch::kIgnoringCase);
  if (section == nullptr) return "no section";
  const Result<std::vector<std::string>> checked = CheckSizeSection(table, *section, label, with_nuts);
  if (!checked) return checked.error().message;
  std::string text;
  for (const std::string& warning : *checked) text += "\nwarning " + warning;
  return text;
}

std::string Message(std::string_view label, const std::string& content, std::string_view size_text) {
  return CheckSection(content, label, size_text, true);
}

std::string Check(const std::string& content, bool with_nuts = true) {
  return CheckSection(content, "boltgen.ini", "[Inch 1/2]", with_nuts);
}

// The refusal alone: empty when the section may generate, warned or not.
std::string Refusal(const std::string& content, bool with_nuts = true) {
  const std::string checked = Check(content, with_nuts);
  return checked.starts_with("\nwarning ") ? "" : checked;
}

TEST(CheckSizeSection, WellFormedSectionsPassAsTheyAreWrittenToday) {
  const char* accepted[] = {
      "",
      // Zero where zero means "none"; a pitch of 0 (usable without threads); a label after blanks.
      "HghtWshFace=0\r\nRadWshFace=0\r\npitch2=0\r\npitch3=1e-2   fine\r\n",
      // Other keys, lines without '=', short lines and the next section's lines are not looked at.
      "Colour=red\r\njust words\r\nab\r\n[Next]\r\nFlats=abc\r\n",
  };
  for (const char* more : accepted) EXPECT_EQ(Refusal(Table(more)), "") << more;
  // A key line before the first section belongs to no size.
  EXPECT_EQ(Refusal("Flats=abc\r\n" + Table()), "");
  // The nut heights are held to "greater than 0" only when the nuts are drawn.
  EXPECT_EQ(Refusal(Table("HghtNut=0\r\nHghtNutJam=-1\r\n"), false), "");
  EXPECT_NE(Refusal(Table("HghtNut=-1e308\r\n"), false).find("HghtNut=-1e308 is too far below 0"),
            std::string::npos);
  // A label may hold letters of any script; a header after the section ends it.
  EXPECT_EQ(Refusal(Table("pitch3=0.5 M\xC3\xA9trique\r\n\t[Next]\r\nDiaNom=x\r\n")), "");
  EXPECT_EQ(Refusal(Table("LongXL=8\r\nMinThrXLng=5\r\nFlatsNut=0.8\r\n")), "");
}

TEST(CheckSizeSection, EachFaultNamesFileLineSizeAndValue) {
  const std::pair<std::string, std::string> cases[] = {
      {"Flats=0,75\r\n", "boltgen.ini:15: [Inch 1/2]: Flats=0,75 is not one finite decimal number"},
      {"HghtHex=\r\n", ":15: [Inch 1/2]: HghtHex= is not one"},
      {"HghtHex=0.3\t; tab\r\n", "HghtHex=0.3\t is not one"},
      {"DiaNom=0\r\n", "DiaNom=0 is not greater than 0"},
      {"Long=-6\r\n", "Long=-6 is not greater than 0"},
      {"HghtNut=0\r\n", "HghtNut=0 is not greater than 0"},
      {"RadWshFace=-0.01\r\n", "RadWshFace=-0.01 is less than 0"},
      {"HghtNut=1e308\r\n", "HghtNut=1e308 is too large"},
      {"pitch1=1 1/4\r\n", ":15: [Inch 1/2]: pitch1=1 1/4 is not a pitch"},
      {"pitch1=-0.1 UNC\r\n", "pitch1=-0.1 UNC is not a pitch"},
      {"pitch1=0.1UNC\r\n", "pitch1=0.1UNC is not a pitch"},
      {"pitch0=0 ,5\r\n", ":15: [Inch 1/2]: pitch0=0 ,5 is not a pitch"},
      {"pitch2=0 /2\r\n", "pitch2=0 /2 is not a pitch"},
      {"pitch0=1e-300\r\n", "pitch0=1e-300 is finer than any thread can be drawn: a pitch is 0 or at least 0.0001"},
      {"pitch3=0.1 UNC\f\r\n", ":15: [Inch 1/2]: pitch3's label holds a control character (code 12) at character 4"},
      {"pitch3=0.1 U\xC2\x85\r\n", "pitch3's label holds a control character (code 133) at character 2"},
      {"pitch3=0.1 \xE2\x80\xA8\r\n", "pitch3's label holds a control character (U+2028)"},
      {"HghtNut=-1e308\r\n", "HghtNut=-1e308 is not greater than 0"},
      {"LongXL=8\r\n", "boltgen.ini:15: [Inch 1/2]: LongXL is given without MinThrXLng; give both, or neither"},
      {"MinThrXLng=5\r\n", "boltgen.ini:15: [Inch 1/2]: MinThrXLng is given without LongXL"},
      {"MinThrXLng=5\r\nLongXL=6\r\n", "boltgen.ini:16: [Inch 1/2]: LongXL=6 is not greater than Long=6"},
      {"FlatsNut=0\r\n", "boltgen.ini:15: [Inch 1/2]: FlatsNut=0 is not greater than 0"},
      {"[inch 1/2]\r\n", "boltgen.ini:2: [Inch 1/2]: defined twice, at lines 2 and 15"},
      {"[INCH 1/2]\r\n[Inch 1/2]\r\n", ": defined 3 times, at lines 2, 15 and 16"},
  };
  for (const auto& [more, expected] : cases) {
    const std::string message = Check(Table(more));
    EXPECT_NE(message.find(expected), std::string::npos) << expected << "\nin: " << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;  // that one fault only
  }
}

TEST(CheckSizeSection, MissingKeysPitchesAndBadHeadersAreNamedAtTheHeader) {
  // Every fault is listed, one per line, in line order.
  EXPECT_EQ(Message("t.ini", "[Inch 1/2\r\nDiaNom=x\r\nFlats=1\r\n", "[Inch 1/2"),
            "t.ini:1: [Inch 1/2: the header has no closing ]\n"
            "t.ini:1: [Inch 1/2: HghtHex is missing\n"
            "t.ini:1: [Inch 1/2: HghtWshFace is missing\n"
            "t.ini:1: [Inch 1/2: MinThrSht is missing\n"
            "t.ini:1: [Inch 1/2: MinThrLng is missing\n"
            "t.ini:1: [Inch 1/2: HghtNut is missing\n"
            "t.ini:1: [Inch 1/2: HghtNutJam is missing\n"
            "t.ini:1: [Inch 1/2: RadWshFace is missing\n"
            "t.ini:1: [Inch 1/2: Long is missing\n"
            "t.ini:1: [Inch 1/2: no pitch is given (pitch0 to pitch3)\n"
            "t.ini:2: [Inch 1/2: DiaNom=x is not one finite decimal number");
  // The size list names "[A] ;c" as "[A]"; a comment on a header is refused.
  const std::string commented = "[A] ;c\r\n" + Table().substr(Table().find("DiaNom"));
  EXPECT_EQ(Message("t.ini", commented, "[A]"),
            "t.ini:1: [A]: a comment follows the header; a header must stand alone on its line");
  // A header that is the last line lists every key as missing.
  EXPECT_NE(Message("t.ini", "[Z]", "[Z]").find("t.ini:1: [Z]: DiaNom is missing"), std::string::npos);
}

// A header with anything but blanks before its bracket is refused by its own
// line, naming what stands there; so is a control character in its name.
TEST(CheckSizeSection, OddHeadersAndControlCharactersInNamesAreRefusedByLine) {
  const std::string body = Table().substr(Table().find("DiaNom"));
  const std::pair<std::string, std::string> cases[] = {
      {"\t[A]", "t.ini:2: [A]: the header is preceded by a tab; only blanks may stand before its ["},
      {"  \xC2\xA0[A]", "t.ini:2: [A]: the header is preceded by a no-break space (U+00A0);"},
      {"\f[A]", "preceded by a form feed;"},
      {"\v[A]", "preceded by a vertical tab;"},
      {std::string(1, '\0') + "[A]", "preceded by a NUL byte;"},
      {"\xE2\x80\x8B[A]", "preceded by a zero-width space (U+200B);"},
      {"\xEF\xBB\xBF[A]", "preceded by a byte order mark (U+FEFF);"},
      {"\x1b[A]", "preceded by an invisible character (code 27);"},
      {"[A\x1b[2J]", "t.ini:2: [A\x1b[2J]: the size name holds a control character (code 27) at character 3"},
      {"[A\xC2\x85]", "the size name holds a control character (code 133)"},
      {"[A\xE2\x80\xA9]", "the size name holds a control character (U+2029)"},
      {"[A]\f", "the size name holds a control character (code 12) at character 4"},
  };
  for (const auto& [header, expected] : cases) {
    const std::string content = "; sizes\r\n" + header + "\r\n" + body;
    const SizeTableSections table = ParseSizeTable(content);
    ASSERT_EQ(table.sections.size(), 1u) << header;
    const std::string message = Message("t.ini", content, table.sections[0].name);
    EXPECT_NE(message.find(expected), std::string::npos) << expected << "\nin: " << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
  // A byte order mark that starts the file is no part of the first header.
  EXPECT_EQ(Message("t.ini", "\xEF\xBB\xBF[A]\r\n" + body, "[A]"), "");
}

// A key no reader takes because of a tab (or another invisible character)
// around it is named where the key is missing.
TEST(CheckSizeSection, AKeyHiddenByATabIsNamedWhereItIsMissing) {
  std::string table = Table();
  table.replace(table.find("DiaNom"), 0, "\t");
  EXPECT_EQ(Check(table), "boltgen.ini:2: [Inch 1/2]: DiaNom is missing; line 3 gives it with a tab "
                          "around the key, which hides it: remove that");
  table = Table();
  table.replace(table.find("Long="), 4, "Long\xC2\xA0");
  EXPECT_EQ(Check(table), "boltgen.ini:2: [Inch 1/2]: Long is missing; line 14 gives it with a "
                          "no-break space (U+00A0) around the key, which hides it: remove that");
}

// A key given twice is the table's override: the later value is used, and
// the user is told where both stand.
TEST(CheckSizeSection, AKeyGivenAgainWarnsNamingEveryLine) {
  EXPECT_EQ(Check(Table("DiaNom=1.5\r\n")),
            "\nwarning boltgen.ini:15: [Inch 1/2]: DiaNom is given twice, at lines 3 and 15; the "
            "last, DiaNom=1.5, is used");
  EXPECT_EQ(Check(Table("pitch1=0.1 UNC\r\nflats=1\r\nFLATS=2\r\n")),
            "\nwarning boltgen.ini:15: [Inch 1/2]: pitch1 is given twice, at lines 5 and 15; the last, "
            "pitch1=0.1 UNC, is used"
            "\nwarning boltgen.ini:17: [Inch 1/2]: Flats is given 3 times, at lines 6, 16 and 17; the "
            "last, FLATS=2, is used");
  // Keys the sizes do not use may repeat unnoticed.
  EXPECT_EQ(Check(Table("Colour=red\r\nColour=blue\r\n")), "");
}

TEST(LeadingNumber, TakesTheNumberAtTheStartSkippingBlanksAnywhere) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, double> cases[] = {
      {"0.076923 UNC", 0.076923}, {"3/4", 3},       {"2.5in", 2.5},    {"-2", -2},
      {"+.5", 0.5},               {"1.5.3", 1.5},   {"7,5", 7},
      // No digits: zero.
      {"abc", 0},                 {"", 0},          {".", 0},          {"-", 0},
      {"UNC 0.1", 0},
      // Blanks, tabs and line feeds are skipped, inside the number too.
      {"  \t0.75", 0.75},         {"1 2.5", 12.5},  {"- 3\n.5", -3.5},
      // Exponents with E or D; a bare exponent letter is ignored.
      {"1E3", 1000},              {"2.5d-1", 0.25}, {"1e", 1},         {"1e+x", 1},
      // Out of range: infinity or zero.
      {"1e999", inf},             {"-1e999", -inf}, {"1e-999", 0},     {"0.001e99999999999", inf},
  };
  for (const auto& [text, expected] : cases) {
    // Zero and infinity exactly: the nearest subnormal or DBL_MAX is a fault.
    if (expected == 0 || std::isinf(expected)) {
      EXPECT_EQ(LeadingNumber(text), expected) << text;
    } else {
      EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << text;
    }
  }
  EXPECT_TRUE(std::isfinite(LeadingNumber(std::string(400, '9').insert(0, "0."))));
}

TEST(DecimalNumber, OnlyOneFiniteDecimalNumberAndNothingElse) {
  const std::pair<const char*, double> numbers[] = {
      {"0.75", 0.75}, {"-2", -2}, {"+3", 3}, {".5", 0.5}, {"5.", 5}, {"1.5e3", 1500},
      {"2E-1", 0.2},  {"0", 0},   {"1e-999", 0}};
  for (const auto& [text, expected] : numbers) EXPECT_EQ(DecimalNumber(text), expected) << text;
  for (const char* text : {"", ".", "-", "abc", "0,75", "0x10", "nan", "inf", "1e999", "1 1/4",
                           " 1", "1 ", "1\t", "1..2", "1e", "1e+", "2.5d-1", "7abc", "--1"}) {
    EXPECT_EQ(DecimalNumber(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace boltgen
