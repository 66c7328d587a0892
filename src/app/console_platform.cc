#include "app/console_platform.h"

#include "base/os.h"
#include "base/text.h"

namespace boltgen {
namespace {

// Every message and status line passes here: text from a hostile table or
// name reaches the terminal with its control characters escaped.
void PrintLine(std::FILE* stream, std::string_view text) {
  const std::string shown = EscapeControls(text, true);
  std::fwrite(shown.data(), 1, shown.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

}  // namespace

void ConsolePlatform::Repaint(const Controls& controls) {
  if (controls.Status == shown_status_) return;
  shown_status_ = controls.Status;
  PrintLine(err_, shown_status_);
}

void ConsolePlatform::ShowMessage(MessageKind kind, std::string_view text) {
  PrintLine(kind == MessageKind::kInfo ? out_ : err_, text);
}

void ConsolePlatform::Note(std::string_view line) { PrintLine(err_, line); }

// On a terminal the path itself is the answer: the user was told where it is.
bool ConsolePlatform::OpenDocument(const std::string& path) {
  if (os::HasDisplay() && os::OpenDocument(path)) return true;
  PrintLine(out_, "Help: " + path);
  return true;
}

}  // namespace boltgen
