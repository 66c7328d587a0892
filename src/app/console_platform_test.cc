#include "app/console_platform.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

std::string Contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
  return text;
}

TEST(ConsolePlatform, StatusOnChangeMessagesByKind) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  ASSERT_TRUE(out && err);
  {
    ConsolePlatform platform(out, err, /*skip_sleeps=*/true);
    Controls controls;
    controls.Status = "Ready";
    platform.Repaint(controls);
    platform.Repaint(controls);
    controls.Status = "Working ....";
    platform.Repaint(controls);
    platform.ShowMessage(MessageKind::kInfo, "help\nlines");
    platform.ShowMessage(MessageKind::kError, "refused");
    platform.Sleep(60000);  // skipped, or this test would take a minute
    platform.EndProgram(3);
    EXPECT_EQ(platform.end_status(), 3);
  }
  EXPECT_EQ(Contents(out), "help\nlines\n");
  EXPECT_EQ(Contents(err), "Ready\nWorking ....\nrefused\n");
  std::fclose(out);
  std::fclose(err);
}

}  // namespace
}  // namespace boltgen
