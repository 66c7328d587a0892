#ifndef BOLTGEN_APP_WIN_MAIN_WINDOW_H_
#define BOLTGEN_APP_WIN_MAIN_WINDOW_H_

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/handler_queue.h"
#include "app/forms/form.h"
#include "app/layout_dump.h"

namespace boltgen::win {

class PreviewWindow;

// The main window, laid out from the form at run time. Like the Qt window it
// holds no state of its own: it shows `app.controls` and hands each user
// action to the handler it stands for. Win32 has no Validate event either:
// the Validate handlers run when a control loses the focus within the window.
class MainWindow : private HandlerQueue::Window {
 public:
  MainWindow(BoltApp& app, const Form& form);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Builds the window and its controls, hidden. False when Windows refused.
  bool Create(HINSTANCE instance);
  HWND handle() const { return window_; }
  void Show();

  // Shows the controls as they are now. Never runs a handler.
  void ShowControls(const Controls& controls);
  // Draws what changed now, while a handler is still running.
  void PaintNow();

  // The window's keys (F1, Esc, Enter) and the dialog keys (Tab, the Alt
  // letters); true when the message was used up. Called for every message
  // before it is dispatched.
  bool PreTranslate(MSG& message);
  // Called after every dispatched message.
  void AfterDispatch(const MSG& message);

  // The controls as they stand, read back from the live window.
  LayoutDump Dump() const;

  bool ended() const { return queue_.ended(); }

 private:
  using Handler = HandlerQueue::Handler;
  struct Control {
    const FormControl* form;
    HWND hwnd;
    HFONT* font;  // the window's, replaced when the screen's scale changes
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void CreateControls(HINSTANCE instance);
  void AddTooltips();
  void Place();
  void MakeFonts();
  double Scale() const;
  int Px(int form_units) const;
  void FitComboHeight(HWND combo, int height) const;

  void OnCommand(int index, int code);
  // What the queue of handlers asks of the window.
  void CopyEdits() override;
  void FinishHandler() override;
  void ShowHandled() override;
  void Settle() override;
  bool MouseButtonDown() const override;
  void RunPendingSoon() override;
  void EndIfAsked();
  Handler LeaveHandler(HWND focus);
  int IndexOf(HWND hwnd) const;  // the form control `hwnd` is or is part of; -1 for none
  HWND Named(std::string_view name) const;
  void SetToolTip(HWND hwnd, const std::wstring& text);
  void ShowPreview();
  void UpdatePreview();

  BoltApp& app_;
  const Form& form_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT font_ = nullptr;
  HFONT small_font_ = nullptr;
  UINT dpi_ = 96;
  std::vector<Control> controls_;
  HandlerQueue queue_{*this};
  bool showing_ = false;  // the window itself is changing the controls
  bool active_ = false;          // the window is the active one
  HWND saved_focus_ = nullptr;   // the control that had the focus when it was not
  std::unique_ptr<PreviewWindow> preview_;
  std::string previewed_choices_;
};

}  // namespace boltgen::win

#endif  // BOLTGEN_APP_WIN_MAIN_WINDOW_H_
