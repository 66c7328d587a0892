#include "app/console_platform.h"

#include <gtest/gtest.h>

namespace boltgen {

static std::string Contents(std::FILE* file) {
  char text[64] = {};
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

}  // namespace boltgen
