#include "app/win/win_platform.h"

#include "app/win/main_window.h"
#include "app/win/wide_text.h"
#include "app/window_texts.h"
#include "base/os.h"

namespace boltgen::win {

void WinPlatform::Repaint(const Controls& controls) {
  if (!window_) return;
  window_->ShowControls(controls);
  window_->PaintNow();
}

void WinPlatform::ProcessEvents() {
  // Repaints only: the user's input waits until the handler has finished.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
}

void WinPlatform::ShowMessage(MessageKind kind, std::string_view text) {
  const UINT icon = kind == MessageKind::kInfo ? MB_ICONINFORMATION : MB_ICONWARNING;
  HWND owner = window_ && IsWindowVisible(window_->handle()) ? window_->handle() : nullptr;
  MessageBoxW(owner, Wide(text).c_str(), Wide(kWindowTitle).c_str(), MB_OK | icon | (owner ? 0 : MB_TASKMODAL));
}

void WinPlatform::Sleep(int milliseconds) {
  if (milliseconds > 0) ::Sleep(static_cast<DWORD>(milliseconds));
}

bool WinPlatform::OpenDocument(const std::string& path) {
  return !path.empty() && os::OpenDocument(path);
}

void WinPlatform::EndProgram(int status) { PostQuitMessage(status); }

void WinPlatform::ShowWindow() {
  if (window_) window_->Show();
}

}  // namespace boltgen::win
