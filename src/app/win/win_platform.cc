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

namespace {

// The user's own settings, beside those of the maker's other programs.
constexpr wchar_t kSettingsKey[] = L"Software\\Quillfen\\boltgen";

}  // namespace

HWND WinPlatform::Owner() const {
  return window_ && IsWindowVisible(window_->handle()) ? window_->handle() : nullptr;
}

void WinPlatform::ShowMessage(MessageKind kind, std::string_view text) {
  const UINT icon = kind == MessageKind::kInfo ? MB_ICONINFORMATION : MB_ICONWARNING;
  HWND owner = Owner();
  MessageBoxW(owner, Wide(text).c_str(), Wide(kWindowTitle).c_str(), MB_OK | icon | (owner ? 0 : MB_TASKMODAL));
}

bool WinPlatform::Ask(std::string_view question) {
  HWND owner = Owner();
  // Enter must not replace someone else's file by accident: No is the default.
  const int answer = MessageBoxW(owner, Wide(question).c_str(), Wide(kWindowTitle).c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | (owner ? 0 : MB_TASKMODAL));
  return answer == IDYES;
}

std::optional<std::string> WinPlatform::ReadSetting(std::string_view key) {
  const std::wstring name = Wide(key);
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  return Narrow(value);
}

void WinPlatform::WriteSetting(std::string_view key, std::string_view value) {
  HKEY settings = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &settings, nullptr) !=
      ERROR_SUCCESS) {
    return;  // settings are a convenience: a locked store keeps the defaults
  }
  const std::wstring name = Wide(key);
  const std::wstring text = Wide(value);
  RegSetValueExW(settings, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(settings);
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
