#ifndef BOLTGEN_APP_COMMAND_LINE_H_
#define BOLTGEN_APP_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace boltgen {

// The most words a command line is split into: every word counts, so that
// all switches fit into one run.
inline constexpr int kAllWords = 1 << 30;

// Splits the raw argument text into at most `max_args` words at spaces and
// tabs. Quotation marks have no meaning and stay in the words.
std::vector<std::string> SplitArguments(std::string_view raw, int max_args = kAllWords);

// Rebuilds the raw argument text from arguments the system already split:
// the words joined with single blanks.
std::string JoinArguments(int argc, const char* const* argv);

// True when any word holds a '?' or is "--help".
bool AsksForHelp(const std::vector<std::string>& words);

// The help message, lines separated by '\n'.
std::string_view HelpText();

// True when the help is asked for as "--help" and no word holds a '?': a '?'
// keeps showing the help message exactly as it always stood.
bool AsksForAddedSwitches(const std::vector<std::string>& words);

// The help message, then one line per switch added after its own set.
std::string HelpTextWithAddedSwitches();

// The keys of every switch the program knows, in the help's order.
const std::vector<std::string_view>& KnownSwitches();

// One line for each word that changes nothing: a word that is no switch
// (keys are case-sensitive), or a switch that a later one of the same key
// replaces. Empty when every word is used.
std::vector<std::string> UnusedWords(const std::vector<std::string>& words);

// The settings of one command line, with the defaults that apply whenever at
// least one argument is given.
struct SwitchSettings {
  double size_index = 7;      // /D: (NaN when the value is not a number)
  double pitch_index = 0;     // /P: (likewise)
  double length = 3;          // /L: (its leading number)
  std::string length_value;   // /L: as written; empty when the switch is absent
  double segments_index = 1;  // /S: (NaN when the value is not a number)
  // The index values as written, for messages; empty when the switch is absent.
  std::string size_value, pitch_value, segments_value;
  bool size_given = false;    // /D: is among the words: its default 7 is no choice of the user's
  bool no_threads = true;     // /T: checks "No Threads": /T:1 gives a plain shank
  bool washer_face = true;    // /W:
  bool head_radius = true;    // /R:
  bool sharp_threads = true;  // /A:
  bool nuts = false;          // /N:
  std::string file_name;      // /F:
  bool process_and_exit = false;  // /G:
  bool blocks = false;        // /B:
  bool stl = false;           // /M: also write each part as an STL file
  bool dxf = false;           // /E: also write each part as a DXF drawing
  bool threemf = false;       // /X: also write all parts into one 3MF file
  bool threaded_nuts = false; // /I: the nuts carry the thread (and are included)
  std::string nut_clearance;  // /C: their radial clearance in millimetres, as written

  bool operator==(const SwitchSettings&) const = default;
};

// Interprets the words: key = first three characters (case counts), value =
// the rest trimmed of blanks. Unknown words are ignored; a later switch wins.
// An index (/D:, /P:, /S:) must be one decimal number; /L: takes the number
// at the start of its value.
SwitchSettings ParseSwitches(const std::vector<std::string>& words);

// Refuses the /L: value `value` when it gives no length: it spells an
// infinity or "not a number", or holds no digit before anything else. A value
// that starts with a number passes, and so does an absent switch (`value`
// empty).
Result<> CheckLengthSwitch(std::string_view value);

}  // namespace boltgen

#endif  // BOLTGEN_APP_COMMAND_LINE_H_
