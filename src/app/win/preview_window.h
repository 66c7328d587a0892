#ifndef BOLTGEN_APP_WIN_PREVIEW_WINDOW_H_
#define BOLTGEN_APP_WIN_PREVIEW_WINDOW_H_

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "app/preview_raster.h"
#include "mesh/triangle_mesh.h"

namespace boltgen::win {

// The "Preview" window beside the main one: the picture (drag to turn,
// wheel to zoom, R or Home for the first view) and a "Save PNG" button. It
// builds nothing itself; it shows what it is given.
class PreviewWindow {
 public:
  explicit PreviewWindow(HWND owner);
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  // Beside `main` on its screen, within the screen's free area; over it
  // only where there is no room beside it.
  void PlaceBeside(HWND main);
  void Show();
  bool visible() const;
  void SetHint(const std::string& what);
  void SetParts(std::vector<TriangleMesh> meshes, const std::string& message);
  // Its keys; true when the message was used up.
  bool PreTranslate(MSG& message);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK CanvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  LRESULT HandleCanvas(UINT message, WPARAM w, LPARAM l);
  void Layout();
  void Paint(HDC dc, const RECT& area) const;
  void AskAndSave();
  int Px(int units) const;

  HWND window_ = nullptr;
  HWND canvas_ = nullptr;
  HWND hint_ = nullptr;
  HWND save_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<TriangleMesh> meshes_;
  std::wstring message_;
  PreviewView view_;
  POINT drag_from_{};
};

}  // namespace boltgen::win

#endif  // BOLTGEN_APP_WIN_PREVIEW_WINDOW_H_
