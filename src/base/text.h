#ifndef BOLTGEN_BASE_TEXT_H_
#define BOLTGEN_BASE_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace boltgen {

// Removes blanks (spaces) at both ends. Tabs are text, not blanks: a size
// table line indented with a tab keeps its tab.
std::string_view TrimBlanks(std::string_view text);

// Lower-cases ASCII letters only; other bytes of the 8-bit text stay as they are.
std::string ToLowerAscii(std::string_view text);

// Compares two texts without regard to the case of ASCII letters.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Walks file contents line by line, without a list of lines, so that a
// bound on a huge file can stop at the first line past it. CR LF, a lone CR
// and a lone LF each end a line: a table saved on Windows, on an old Mac or
// on Linux, or one line of it touched by another editor, reads the same, and
// no line ever carries a line break into a script. Lines are views into the
// contents.
class LineReader {
 public:
  explicit LineReader(std::string_view content) : content_(content) {}
  // The next line, or nothing after the last one.
  std::optional<std::string_view> Next();
  // The number of the line Next returned last, counted from 1.
  std::size_t number() const { return number_; }

 private:
  std::string_view content_;
  std::size_t start_ = 0;
  std::size_t number_ = 0;
};

// One character of text that is UTF-8 where it is valid UTF-8 and 8-bit
// elsewhere: a byte that starts no valid sequence is a character of its own,
// with the byte's value as its code (0x85 is NEL, as in Latin-1).
struct Character {
  char32_t code = 0;
  std::size_t length = 1;  // in bytes
};
Character CharacterAt(std::string_view text, std::size_t offset);

// A character that some program may take for the end of a line or a command
// to the terminal: C0 controls (tab included), DEL, C1 controls (NEL among
// them) and the line and paragraph separators U+2028 and U+2029.
bool IsControlCharacter(char32_t code);

// A character that shows as nothing or as a blank in an editor: blanks,
// control characters, no-break and other wide or narrow spaces, zero-width
// characters and the byte order mark.
bool IsInvisibleCharacter(char32_t code);

// Removes invisible characters at both ends.
std::string_view TrimInvisible(std::string_view text);

// Where the first control character of `text` stands, and which it is.
struct FoundCharacter {
  std::size_t offset = 0;  // in bytes
  std::size_t position = 1;  // in characters, from 1
  char32_t code = 0;
};
std::optional<FoundCharacter> FindControlCharacter(std::string_view text);

// The character's code as a message names it: "code 12" below 256, else
// "U+2028".
std::string CharacterCodeName(char32_t code);

// `text` with every control character written as \xNN: C0 (but the line
// break, where `keep_line_breaks`), DEL, and C1 both as UTF-8 writes it
// (C2 80 to C2 9F) and as a stray byte, so that text from a table or a name
// cannot move the cursor, clear or retitle the terminal it is printed on.
std::string EscapeControls(std::string_view text, bool keep_line_breaks);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_TEXT_H_
