#include "app/command_line.h"

#include <limits>

#include "base/text.h"
#include "config/leading_number.h"

namespace boltgen {
namespace {

constexpr std::string_view kHelpText =
    "Quillfen Bolt Generator command line arguments:\n"
    "/?  Invoke help (this message box) and exit.\n"
    "/D:# Nominal Diameter: Index into Combobox as read from Ini file. First entry is zero.\n"
    "/P:# Nominal Pitch: Index into Combobox as read from Ini file. First entry is zero.\n"
    "/L:###.### Nominal Length as decimal number.\n"
    "/S:# Segments:Index into Combobox; 0=24, 1=36, 2=48, 3=72, 4=144, 5=240\n"
    "/T:# Show threads: 0=False, 1=True\n"
    "/W:# Show washer face: 0=False, 1=True\n"
    "/R:# Show radius under head: 0=False, 1=True\n"
    "/A:# Show sharp points on threads: 0=False, 1=True\n"
    "/N:# Include Nuts: 0=False, 1=True\n"
    "/F:XXXXX File Name. No spaces or quote characters.\n"
    "/B:# Include commands to write blocks: 0=False, 1=True.\n"
    "/G:# Process and exit: 0=False, 1=True\n"
    "\n"
    "Example:\n"
    "PRGNAME.EXE /D:7 /P:1 /L:3.000 /S:1 /T:1 /W:1 /R:1 /A:1 /N:0 "
    "/F:IN-0750x13UNCx03000(3D-36).SCR /G:1\n"
    "With the INI file that comes with the program this would generate a script named:\n"
    "    IN-0750x13UNCx03000(3D-36).SCR\n"
    "for 3/4 inch diameter bolt with 13TPI UNC threads includeing: washer face, head radius "
    "and sharp point threads. \n"
    "It would NOT include nuts.\n"
    "\n"
    "All switches may be given in one run, in any order, however many words there are; "
    "a later switch replaces an earlier one with the same letter. "
    "Each word that is not used is named on standard error.";

// The switches added after the help message's own set, one line each in its
// style; "--help" lists them after it, "?" keeps the message as it stands.
constexpr std::string_view kAddedSwitches[] = {
    "/M:# Write each part as an STL file in millimetres: 0=False, 1=True",
    "/X:# Write all parts into one 3MF file with its unit: 0=False, 1=True",
    "/E:# Write each part as a DXF drawing (one polygon mesh): 0=False, 1=True",
    "/I:# Threaded nuts (also includes nuts): 0=False, 1=True",
    "/C:#.## Threaded nuts' radial clearance in millimetres; without it the 6H/6g fit",
};

constexpr std::string_view kSwitchKeys[] = {"/D:", "/P:", "/L:", "/S:", "/T:",
                                            "/W:", "/R:", "/A:", "/N:", "/F:",
                                            "/B:", "/G:", "/M:", "/X:", "/E:",
                                            "/I:", "/C:"};

std::string_view KeyOf(std::string_view word) { return word.substr(0, 3); }

bool IsSwitch(std::string_view word) {
  if (word.size() < 3) return false;
  for (std::string_view key : kSwitchKeys) {
    if (KeyOf(word) == key) return true;
  }
  return false;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A flag is off only for the exact value "0"; anything else, even an empty
// value or "no", turns it on.
bool FlagValue(std::string_view value) { return value != "0"; }

// A list index must be a number as a whole: "/D:abc", "/D:nan" and "/D:" are
// NaN, which names no entry and is reported like an index out of range
// (rather than read as 0, the first size).
double IndexValue(std::string_view value) {
  return DecimalNumber(value).value_or(std::numeric_limits<double>::quiet_NaN());
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view raw, int max_args) {
  std::vector<std::string> words;
  bool in_word = false;
  for (char c : raw) {
    if (IsBlank(c)) {
      in_word = false;
      continue;
    }
    if (!in_word) {
      if (static_cast<int>(words.size()) >= max_args) break;
      words.emplace_back();
      in_word = true;
    }
    words.back() += c;
  }
  return words;
}

std::string JoinArguments(int argc, const char* const* argv) {
  std::string raw;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) raw += ' ';
    raw += argv[i];
  }
  return raw;
}

bool AsksForHelp(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (word.find('?') != std::string::npos || word == "--help") return true;
  }
  return false;
}

std::string_view HelpText() { return kHelpText; }

bool AsksForAddedSwitches(const std::vector<std::string>& words) {
  bool long_form = false;
  for (const std::string& word : words) {
    if (word.find('?') != std::string::npos) return false;
    long_form = long_form || word == "--help";
  }
  return long_form;
}

std::string HelpTextWithAddedSwitches() {
  std::string text(kHelpText);
  text += "\n\nSwitches added by this program:";
  for (std::string_view line : kAddedSwitches) {
    text += '\n';
    text += line;
  }
  return text;
}

const std::vector<std::string_view>& KnownSwitches() {
  static const std::vector<std::string_view> keys(std::begin(kSwitchKeys), std::end(kSwitchKeys));
  return keys;
}

std::vector<std::string> UnusedWords(const std::vector<std::string>& words) {
  std::vector<std::string> unused;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    // A word asking for help is used: it shows the help.
    if (word.find('?') != std::string::npos || word == "--help") continue;
    if (!IsSwitch(word)) {
      unused.push_back("Not used: \"" + word +
                       "\" is no switch (see --help; letter case counts).");
      continue;
    }
    for (std::size_t later = i + 1; later < words.size(); ++later) {
      if (IsSwitch(words[later]) && KeyOf(words[later]) == KeyOf(word)) {
        unused.push_back("Not used: \"" + word + "\", replaced by the later \"" +
                         words[later] + "\".");
        break;
      }
    }
  }
  return unused;
}

SwitchSettings ParseSwitches(const std::vector<std::string>& words) {
  SwitchSettings settings;
  for (const std::string& word : words) {
    if (word.size() < 3) continue;
    const std::string_view key = std::string_view(word).substr(0, 3);
    const std::string_view value = TrimBlanks(std::string_view(word).substr(3));
    if (key == "/D:") {
      settings.size_index = IndexValue(value), settings.size_value = value, settings.size_given = true;
    }
    else if (key == "/P:") settings.pitch_index = IndexValue(value), settings.pitch_value = value;
    else if (key == "/L:") settings.length = LeadingNumber(value), settings.length_value = value;
    else if (key == "/S:") settings.segments_index = IndexValue(value), settings.segments_value = value;
    else if (key == "/T:") settings.no_threads = FlagValue(value);
    else if (key == "/W:") settings.washer_face = FlagValue(value);
    else if (key == "/R:") settings.head_radius = FlagValue(value);
    else if (key == "/A:") settings.sharp_threads = FlagValue(value);
    else if (key == "/N:") settings.nuts = FlagValue(value);
    else if (key == "/F:") settings.file_name = value;
    else if (key == "/G:") settings.process_and_exit = FlagValue(value);
    else if (key == "/B:") settings.blocks = FlagValue(value);
    else if (key == "/M:") settings.stl = FlagValue(value);
    else if (key == "/E:") settings.dxf = FlagValue(value);
    else if (key == "/X:") settings.threemf = FlagValue(value);
    else if (key == "/I:") settings.threaded_nuts = FlagValue(value);
    else if (key == "/C:") settings.nut_clearance = value;
  }
  return settings;
}

Result<> CheckLengthSwitch(std::string_view value) {
  if (value.empty()) return Done();
  std::string_view number = value;
  if (number.starts_with('+') || number.starts_with('-')) number.remove_prefix(1);
  number = TrimBlanks(number);
  if (!number.empty() && ((number[0] >= '0' && number[0] <= '9') ||
                          (number[0] == '.' && number.size() > 1 && number[1] >= '0' &&
                           number[1] <= '9'))) {
    return Done();
  }
  const std::string word = ToLowerAscii(number.substr(0, 3));
  const char* what = word == "inf" || word == "nan" ? " is not a finite number" : " is not a number";
  return Error{"The switch /L:" + std::string(value) + what + ". Give a length such as /L:3."};
}

}  // namespace boltgen
