#ifndef BOLTGEN_BASE_TEXT_H_
#define BOLTGEN_BASE_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace boltgen {

// Removes blanks (spaces) at both ends. Tabs are text, not blanks: a size
// table line indented with a tab keeps its tab.
std::string_view TrimBlanks(std::string_view text);

// Lower-cases ASCII letters only; other bytes of the 8-bit text stay as they are.
std::string ToLowerAscii(std::string_view text);

// Compares two texts without regard to the case of ASCII letters.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Splits file contents into lines. CR LF, a lone CR and a lone LF each end a
// line: a table saved on Windows, on an old Mac or on Linux, or one line of
// it touched by another editor, reads the same, and no line ever carries a
// line break into a script. The views point into `content`.
std::vector<std::string_view> SplitLines(std::string_view content);

// `text` with every control character written as \xNN: C0 (but the line
// break, where `keep_line_breaks`), DEL, and C1 both as UTF-8 writes it
// (C2 80 to C2 9F) and as a stray byte, so that text from a table or a name
// cannot move the cursor, clear or retitle the terminal it is printed on.
std::string EscapeControls(std::string_view text, bool keep_line_breaks);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_TEXT_H_
