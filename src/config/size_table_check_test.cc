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

// The problems as the user reads them; empty when there are none.
std::string Message(const Result<>& checked) { return checked ? "" : checked.error().message; }

std::string Check(const std::string& content, bool with_nuts = true) {
  return Message(CheckSizeSection(content, "boltgen.ini", "[Inch 1/2]", with_nuts));
}

TEST(CheckSizeSection, WellFormedSectionsPassAsTheyAreWrittenToday) {
  const char* accepted[] = {
      "",
      // Zero where zero means "none"; a pitch of 0 (usable without threads); a label after blanks.
      "HghtWshFace=0\r\nRadWshFace=0\r\npitch2=0\r\npitch3=1e-2   fine\r\n",
      // Other keys, lines without '=', short lines and the next section's lines are not looked at.
      "Colour=red\r\njust words\r\nab\r\n[Next]\r\nFlats=abc\r\n",
  };
  for (const char* more : accepted) EXPECT_EQ(Check(Table(more)), "") << more;
  // A key line before the first section belongs to no size.
  EXPECT_EQ(Check("Flats=abc\r\n" + Table()), "");
  // The nut heights are held to "greater than 0" only when the nuts are drawn.
  EXPECT_EQ(Check(Table("HghtNut=0\r\nHghtNutJam=-1\r\n"), false), "");
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
      {"\t[Inch 5/8]\r\nFlats=9\r\n",
       "boltgen.ini:15: [Inch 1/2]: line 15 looks like a section header but starts with a tab"},
      {"  \t [X]\r\n", ":15: [Inch 1/2]: line 15 looks like"},
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
  EXPECT_EQ(Message(CheckSizeSection("[Inch 1/2\r\nDiaNom=x\r\nFlats=1\r\n", "t.ini", "[Inch 1/2", true)),
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
  // The start-up reader names "[A] ;c" as "[A] "; a comment on a header is refused.
  const std::string commented = "[A] ;c\r\n" + Table().substr(Table().find("DiaNom"));
  EXPECT_EQ(Message(CheckSizeSection(commented, "t.ini", "[A] ", true)),
            "t.ini:1: [A] : a comment follows the header; a header must stand alone on its line");
  // A header that is the last line lists every key as missing.
  EXPECT_NE(Message(CheckSizeSection("[Z]", "t.ini", "[Z]", true)).find("t.ini:1: [Z]: DiaNom is missing"),
            std::string::npos);
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
