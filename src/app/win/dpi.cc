#include "app/win/dpi.h"

namespace boltgen::win {
namespace {

template <typename Function>
Function User32(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi = User32<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi) {
    if (const UINT dpi = get_dpi(window)) return dpi;
  }
  HDC screen = GetDC(window);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(window, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void AdjustRectForDpi(RECT& rect, DWORD style, DWORD extended_style, UINT dpi) {
  using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32<AdjustFunction>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&rect, style, FALSE, extended_style, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, extended_style);
  }
}

void BecomeDpiAware() {
  using ContextFunction = BOOL(WINAPI*)(HANDLE);
  static const auto set_context = User32<ContextFunction>("SetProcessDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; fails harmlessly when the
  // manifest set it already.
  if (set_context && set_context(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
  using AwareFunction = BOOL(WINAPI*)();
  if (const auto set_aware = User32<AwareFunction>("SetProcessDPIAware")) set_aware();
}

}  // namespace boltgen::win
