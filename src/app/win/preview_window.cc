#include "app/win/preview_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

#include "app/png_image.h"
#include "app/win/dpi.h"
#include "app/win/wide_text.h"
#include "app/window_texts.h"
#include "base/atomic_file.h"

namespace boltgen::win {
namespace {

constexpr wchar_t kClassName[] = L"BoltgenPreview";
constexpr wchar_t kCanvasClass[] = L"BoltgenPreviewCanvas";
constexpr int kSaveId = 1;
constexpr char kHowTo[] = "drag to turn, wheel to zoom, R to reset";
// Drawn at twice the size and shrunk with averaging, for smooth edges.
constexpr int kSamples = 2;
constexpr int kMargin = 6;
constexpr int kBarHeight = 25;
constexpr int kGap = 8;

void Register(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconW(window_class.hInstance, MAKEINTRESOURCEW(1));  // the programs' icon
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

template <typename Self>
Self* Attach(HWND window, UINT message, LPARAM l) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  }
  return reinterpret_cast<Self*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Blit(HDC dc, const RECT& area, const PreviewPixels& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0,
                picture.width, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

PreviewWindow::PreviewWindow(HWND owner) {
  Register(kClassName, &PreviewWindow::Procedure, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Register(kCanvasClass, &PreviewWindow::CanvasProcedure, nullptr);
  const std::wstring title = Wide(std::string(kWindowTitle) + " - Preview");
  window_ = CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, 480, 600, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
  canvas_ = CreateWindowExW(0, kCanvasClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 1, 1, window_,
                            nullptr, GetModuleHandleW(nullptr), this);
  hint_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS,
                          0, 0, 1, 1, window_, nullptr, nullptr, nullptr);
  save_ = CreateWindowExW(0, WC_BUTTONW, L"Save PNG", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                          0, 1, 1, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSaveId)), nullptr,
                          nullptr);
  font_ = CreateFontW(-Px(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Microsoft Sans Serif");
  for (HWND child : {hint_, save_}) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetHint("");
  Layout();
}

PreviewWindow::~PreviewWindow() {
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

int PreviewWindow::Px(int units) const { return MulDiv(units, static_cast<int>(WindowDpi(window_)), 96); }

void PreviewWindow::PlaceBeside(HWND main) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT free = monitor.rcWork;
  RECT beside;
  GetWindowRect(main, &beside);
  const int free_width = free.right - free.left;
  const int free_height = free.bottom - free.top;
  int width = std::min(Px(480), free_width);
  const int height = std::min(Px(600), free_height);
  const int room_right = free.right - beside.right - Px(kGap);
  const int room_left = beside.left - free.left - Px(kGap);
  const int room = std::max(room_right, room_left);
  // Narrower beside the main window rather than over it, while it stays
  // usable; otherwise over it, at its full size.
  if (room < width && room >= Px(240)) width = room;
  int x = room_right >= width || room_right >= room_left ? beside.right + Px(kGap) : beside.left - Px(kGap) - width;
  x = std::clamp(x, static_cast<int>(free.left), std::max<int>(free.left, free.right - width));
  const int y = std::clamp(static_cast<int>(beside.top), static_cast<int>(free.top),
                           std::max<int>(free.top, free.bottom - height));
  SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PreviewWindow::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  SetFocus(canvas_);
}

bool PreviewWindow::visible() const { return IsWindowVisible(window_) != FALSE; }

void PreviewWindow::SetHint(const std::string& what) {
  std::string how = kHowTo;
  if (what.empty()) how[0] = static_cast<char>(how[0] - 'a' + 'A');
  SetWindowTextW(hint_, Wide(what.empty() ? how : what + " - " + how).c_str());
}

void PreviewWindow::SetParts(std::vector<TriangleMesh> meshes, const std::string& message) {
  meshes_ = std::move(meshes);
  message_ = Wide(message);
  InvalidateRect(canvas_, nullptr, FALSE);
}

bool PreviewWindow::PreTranslate(MSG& message) {
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && (message.wParam == 'R' || message.wParam == VK_HOME)) {
    view_ = PreviewView{};
    InvalidateRect(canvas_, nullptr, FALSE);
    return true;
  }
  return IsDialogMessageW(window_, &message) != FALSE;
}

void PreviewWindow::Layout() {
  RECT client;
  GetClientRect(window_, &client);
  const int margin = Px(kMargin);
  const int bar = Px(kBarHeight);
  const int button = Px(80);
  const int width = std::max(1, static_cast<int>(client.right) - 2 * margin);
  const int canvas_height = std::max(1, static_cast<int>(client.bottom) - 3 * margin - bar);
  MoveWindow(canvas_, margin, margin, width, canvas_height, TRUE);
  const int bar_top = margin * 2 + canvas_height;
  MoveWindow(hint_, margin, bar_top + Px(5), std::max(1, width - button - margin), bar - Px(5), TRUE);
  MoveWindow(save_, margin + width - button, bar_top, button, bar, TRUE);
}

void PreviewWindow::Paint(HDC dc, const RECT& area) const {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  if (!meshes_.empty()) {
    Blit(dc, area, RasterisePreview(meshes_, view_, width * kSamples, height * kSamples));
    return;
  }
  const COLORREF background = RGB((kPreviewBackground >> 16) & 0xff, (kPreviewBackground >> 8) & 0xff,
                                  kPreviewBackground & 0xff);
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  RECT text = area;
  InflateRect(&text, -Px(12), -Px(12));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, font_);
  // Centred as a block: measured first, then moved down by half the rest.
  RECT measured = text;
  DrawTextW(dc, message_.c_str(), -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  OffsetRect(&text, 0, std::max(0L, ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2));
  DrawTextW(dc, message_.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK);
  SelectObject(dc, old);
}

void PreviewWindow::AskAndSave() {
  wchar_t file[MAX_PATH] = L"preview.png";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = L"PNG images (*.png)\0*.png\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"png";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return;
  RECT area;
  GetClientRect(canvas_, &area);
  std::string bytes;
  if (!meshes_.empty()) bytes = EncodePng(RasterisePreview(meshes_, view_, area.right, area.bottom));
  const std::string path = Narrow(file);
  // The writer's own message names the file and the reason.
  std::string failure = "The picture could not be saved to " + path + ": there is no picture to save.";
  if (!bytes.empty()) {
    const Result<> written = WriteFileAtomically(path, bytes);
    failure = written ? std::string() : written.error().message;
  }
  if (!failure.empty()) {
    MessageBoxW(window_, Wide(failure).c_str(), Wide(std::string(kWindowTitle) + " - Preview").c_str(),
                MB_OK | MB_ICONWARNING);
  }
}

LRESULT CALLBACK PreviewWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  PreviewWindow* self = Attach<PreviewWindow>(window, message, l);
  if (self && !self->window_) self->window_ = window;
  return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT CALLBACK PreviewWindow::CanvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  PreviewWindow* self = Attach<PreviewWindow>(window, message, l);
  if (self && !self->canvas_) self->canvas_ = window;
  return self ? self->HandleCanvas(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {Px(240), Px(240)};
      return 0;
    case WM_COMMAND:
      if (LOWORD(w) == kSaveId && HIWORD(w) == BN_CLICKED) AskAndSave();
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      // Closing only hides it: the main window reopens it as it was.
      ShowWindow(window_, SW_HIDE);
      return 0;
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

LRESULT PreviewWindow::HandleCanvas(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(canvas_, &paint);
      RECT area;
      GetClientRect(canvas_, &area);
      Paint(dc, area);
      EndPaint(canvas_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the picture covers all of it
    case WM_LBUTTONDOWN:
      SetFocus(canvas_);
      SetCapture(canvas_);
      drag_from_ = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      return 0;
    case WM_MOUSEMOVE:
      if (w & MK_LBUTTON) {
        const POINT to{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        TurnPreview(view_, to.x - drag_from_.x, to.y - drag_from_.y);
        drag_from_ = to;
        InvalidateRect(canvas_, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      return 0;
    case WM_MOUSEWHEEL:
      // One wheel step is WHEEL_DELTA.
      ZoomPreview(view_, static_cast<double>(GET_WHEEL_DELTA_WPARAM(w)) / WHEEL_DELTA);
      InvalidateRect(canvas_, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
      return TRUE;
    default:
      return DefWindowProcW(canvas_, message, w, l);
  }
}

}  // namespace boltgen::win
