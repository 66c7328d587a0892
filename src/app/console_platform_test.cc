#include "app/console_platform.h"

#include <gtest/gtest.h>

namespace boltgen {

static std::string Contents(std::FILE* file) {
  char text[256] = {};
  std::rewind(file);
  return std::string(text, std::fread(text, 1, sizeof text, file));
}

TEST(ConsolePlatform, StatusOnChangeMessagesByKind) {
  std::FILE *out = std::tmpfile(), *err = std::tmpfile();
  ConsolePlatform platform(out, err);
  Controls controls;
  for (const char* status : {"Ready", "Ready", "Working ...."}) {
    controls.Status = status;
    platform.Repaint(controls);
  }
  platform.ShowMessage(MessageKind::kInfo, "help\nlines");
  platform.ShowMessage(MessageKind::kError, "refused");
  EXPECT_EQ(Contents(out), "help\nlines\n");
  EXPECT_EQ(Contents(err), "Ready\nWorking ....\nrefused\n");
}

// Text from a table reaches the terminal with no control character left to
// act: a header holding "clear screen" and a C1 CSI in a value, as messages
// and as the status line.
TEST(ConsolePlatform, ControlCharactersInMessagesAreShownEscaped) {
  std::FILE *out = std::tmpfile(), *err = std::tmpfile();
  ConsolePlatform platform(out, err);
  Controls controls;
  controls.Status = "Size [Inch 3/4\x1b[2J]";
  platform.Repaint(controls);
  platform.ShowMessage(MessageKind::kError, "boltgen.ini:12: DiaNom=\xC2\x9B" "31m \x9B\x07\r\x7F");
  platform.ShowMessage(MessageKind::kInfo, "M12 \xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x94\xA9\ttab");
  EXPECT_EQ(Contents(err),
            "Size [Inch 3/4\\x1B[2J]\n"
            "boltgen.ini:12: DiaNom=\\xC2\\x9B31m \\x9B\\x07\\x0D\\x7F\n");
  // Letters of several bytes stay whole, their continuation bytes no C1 codes.
  EXPECT_EQ(Contents(out), "M12 \xC3\xA9 \xE2\x80\xA8 \xF0\x9F\x94\xA9\\x09tab\n");
}

}  // namespace boltgen
