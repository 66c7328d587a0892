#include "app/win/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "app/choice_texts.h"
#include "app/form_bindings.h"
#include "app/form_font.h"
#include "app/preview_parts.h"
#include "app/win/dpi.h"
#include "app/win/preview_window.h"
#include "app/win/wide_text.h"
#include "app/window_texts.h"

namespace boltgen::win {
namespace {

constexpr wchar_t kClassName[] = L"BoltgenMainWindow";
constexpr int kFirstId = 1000;
// Runs the Validate handlers owed once the focus change that owes them is over.
constexpr UINT kRunPending = WM_APP + 1;
// The key code the window's key handler knows F1 by.
constexpr int kKeyCodeF1 = 112;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The first of the form's faces that this system has.
std::wstring FormFace() {
  HDC screen = GetDC(nullptr);
  std::wstring face;
  for (const std::string_view family : kFormFontFamilies) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring name = Wide(family);
    wcsncpy(wanted.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, &FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
    if (found) {
      face = name;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return face;
}

bool Is(const FormControl& control, const char* form_class) {
  return std::strcmp(control.form_class, form_class) == 0;
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetText(HWND hwnd, const std::wstring& text) {
  if (TextOf(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
}

DWORD StyleOf(const FormControl& c) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  // Only a label with a buddy has an Alt letter; any other shows its "&" as it is.
  if (Is(c, "QLabel")) {
    return style | SS_NOTIFY | (c.word_wrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | (c.buddy ? 0 : SS_NOPREFIX);
  }
  if (Is(c, "QGroupBox")) return style | BS_GROUPBOX;
  if (Is(c, "Line")) return style | SS_ETCHEDHORZ;
  if (Is(c, "QComboBox")) {
    return style | WS_VSCROLL | CBS_AUTOHSCROLL | (c.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  }
  if (Is(c, "QLineEdit")) return style | ES_AUTOHSCROLL;
  if (Is(c, "QCheckBox")) return style | BS_AUTOCHECKBOX | BS_NOTIFY;
  const bool two_lines = std::strchr(c.text, '\n') != nullptr;
  return style | BS_NOTIFY | (c.is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (two_lines ? BS_MULTILINE : 0);
}

const wchar_t* ClassOf(const FormControl& c) {
  if (Is(c, "QLabel") || Is(c, "Line")) return WC_STATICW;
  if (Is(c, "QComboBox")) return WC_COMBOBOXW;
  if (Is(c, "QLineEdit")) return WC_EDITW;
  return WC_BUTTONW;
}

// What a live control is, read from the window itself rather than the form.
std::string KindOf(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if (_wcsicmp(name, WC_STATICW) == 0) return (style & SS_TYPEMASK) == SS_ETCHEDHORZ ? "line" : "label";
  if (_wcsicmp(name, WC_COMBOBOXW) == 0) return "combo";
  if (_wcsicmp(name, WC_EDITW) == 0) return "edit";
  if (_wcsicmp(name, WC_BUTTONW) == 0) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) return "check";
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return "button";
    if (type == BS_GROUPBOX) return "group";
  }
  return "other";
}

bool ComboItemsEqual(HWND combo, const std::vector<std::string>& items) {
  if (SendMessageW(combo, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(items.size())) return false;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
    if (text != Wide(items[i])) return false;
  }
  return true;
}

void ShowCombo(HWND combo, const ComboBox& control) {
  if (!ComboItemsEqual(combo, control.items)) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : control.items) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    }
  }
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  const int selected = control.selected < count ? control.selected : -1;
  if (SendMessageW(combo, CB_GETCURSEL, 0, 0) != selected) SendMessageW(combo, CB_SETCURSEL, selected, 0);
  // Setting an unchanged text would move the cursor of a user still typing.
  SetText(combo, Wide(control.text));
  EnableWindow(combo, control.enabled);
}

}  // namespace

MainWindow::MainWindow(BoltApp& app, const Form& form) : app_(app), form_(form) {}

MainWindow::~MainWindow() {
  preview_.reset();
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  if (small_font_) DeleteObject(small_font_);
}

bool MainWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &MainWindow::Procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
  window_ = CreateWindowExW(0, kClassName, Wide(kWindowTitle).c_str(), kWindowStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, form_.width, form_.height, nullptr, nullptr, instance, this);
  if (!window_) return false;
  dpi_ = WindowDpi(window_);
  MakeFonts();
  CreateControls(instance);
  Place();
  return true;
}

void MainWindow::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  // The first control Tab visits has the focus, as in a dialog.
  for (const Control& c : controls_) {
    if (GetWindowLongW(c.hwnd, GWL_STYLE) & WS_TABSTOP) {
      SetFocus(c.hwnd);
      break;
    }
  }
}

double MainWindow::Scale() const { return dpi_ / 96.0; }

int MainWindow::Px(int form_units) const { return MulDiv(form_units, static_cast<int>(dpi_), 96); }

void MainWindow::MakeFonts() {
  if (font_) DeleteObject(font_);
  if (small_font_) DeleteObject(small_font_);
  static const std::wstring face = FormFace();
  auto make = [this](int pixels) {
    return CreateFontW(-Px(pixels), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
  };
  font_ = make(kFormFontPixels);
  small_font_ = make(kDescriptionFontPixels);
}

void MainWindow::CreateControls(HINSTANCE instance) {
  controls_.assign(static_cast<std::size_t>(form_.control_count), Control{});
  // Tab visits the controls in the order they were made: those of the
  // form's tab order first, in that order, each right after the label whose
  // Alt letter focuses it (the dialog manager moves the focus from a label to
  // the control made next), then the rest; group boxes last, so that they lie
  // behind the controls they frame.
  std::vector<int> order;
  for (int t = 0; t < form_.tab_count; ++t) {
    for (int i = 0; i < form_.control_count; ++i) {
      const FormControl& label = form_.controls[i];
      if (label.buddy && std::strcmp(label.buddy, form_.tab_order[t]) == 0) order.push_back(i);
    }
    for (int i = 0; i < form_.control_count; ++i) {
      if (std::strcmp(form_.controls[i].name, form_.tab_order[t]) == 0) order.push_back(i);
    }
  }
  for (const bool groups : {false, true}) {
    for (int i = 0; i < form_.control_count; ++i) {
      if (Is(form_.controls[i], "QGroupBox") == groups && std::find(order.begin(), order.end(), i) == order.end()) {
        order.push_back(i);
      }
    }
  }
  for (const int i : order) {
    const FormControl& c = form_.controls[i];
    DWORD style = StyleOf(c);
    if (std::find(form_.tab_order, form_.tab_order + form_.tab_count, std::string_view(c.name)) !=
        form_.tab_order + form_.tab_count) {
      style |= WS_TABSTOP;
    }
    const DWORD extended = Is(c, "QLineEdit") ? WS_EX_CLIENTEDGE : 0;
    HWND hwnd = CreateWindowExW(extended, ClassOf(c), Wide(c.text).c_str(), style, 0, 0, 1, 1, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)), instance,
                                nullptr);
    HFONT* font = c.name == kDescriptionLabel ? &small_font_ : &font_;
    controls_[static_cast<std::size_t>(i)] = Control{&c, hwnd, font};
    if (Is(c, "QComboBox")) {
      for (int item = 0; item < c.item_count; ++item) {
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(c.items[item]).c_str()));
      }
      if (c.max_visible_items > 0) SendMessageW(hwnd, CB_SETMINVISIBLE, c.max_visible_items, 0);
    }
    if (Is(c, "QCheckBox")) SendMessageW(hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (c.placeholder) SendMessageW(hwnd, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(Wide(c.placeholder).c_str()));
    if (!c.enabled) EnableWindow(hwnd, FALSE);
  }
  AddTooltips();
}

void MainWindow::AddTooltips() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                             nullptr, nullptr, nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Px(400));
  for (const Control& c : controls_) {
    if (c.form->tooltip) SetToolTip(c.hwnd, Wide(c.form->tooltip));
  }
}

void MainWindow::SetToolTip(HWND hwnd, const std::wstring& text) {
  std::vector<HWND> tools{hwnd};
  // A combo box's own edit field takes the mouse over most of it.
  if (HWND inner = GetWindow(hwnd, GW_CHILD)) tools.push_back(inner);
  for (HWND tool : tools) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    TOOLINFOW existing = info;
    const bool known = SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing));
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void MainWindow::FitComboHeight(HWND combo, int height) const {
  // The field is as high as its item plus a margin, which is not the same
  // everywhere (wine adds 2 pixels to the height it is given): the height
  // given is corrected by the height it gave until the field fits, or the
  // field would reach into the control below it at a larger scale.
  LRESULT item = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && item > 0; ++attempt) {
    RECT rect;
    GetWindowRect(combo, &rect);
    const int shown = rect.bottom - rect.top;
    if (shown == height) return;
    item = std::max<LRESULT>(1, item + height - shown);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  }
}

void MainWindow::Place() {
  RECT frame{0, 0, Px(form_.width), Px(form_.height)};
  AdjustRectForDpi(frame, kWindowStyle, 0, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const Control& c : controls_) {
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(*c.font), FALSE);
    const FormRect& r = c.form->rect;
    const bool combo = Is(*c.form, "QComboBox");
    // A combo box's height is that of its drop-down list too; the field
    // itself is sized by its item height below.
    const int lines = c.form->max_visible_items > 0 ? c.form->max_visible_items : 10;
    const int height = combo ? Px(r.height) * (lines + 1) : Px(r.height);
    MoveWindow(c.hwnd, Px(r.x), Px(r.y), Px(r.width), height, TRUE);
    if (combo) FitComboHeight(c.hwnd, Px(r.height));
  }
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Px(400));
}

HWND MainWindow::Named(std::string_view name) const {
  for (const Control& c : controls_) {
    if (c.form->name == name) return c.hwnd;
  }
  return nullptr;
}

int MainWindow::IndexOf(HWND hwnd) const {
  for (; hwnd && hwnd != window_; hwnd = GetParent(hwnd)) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      if (controls_[i].hwnd == hwnd) return static_cast<int>(i);
    }
  }
  return -1;
}

void MainWindow::ShowControls(const Controls& shown) {
  showing_ = true;
  // The lookups by name hand out writable controls; nothing here writes.
  Controls& c = const_cast<Controls&>(shown);
  for (const Control& control : controls_) {
    const std::string_view name = control.form->name;
    if (ComboBox* box = ComboBoxNamed(c, name)) {
      ShowCombo(control.hwnd, *box);
    } else if (TextBox* box = TextBoxNamed(c, name)) {
      SetText(control.hwnd, Wide(box->text));
      EnableWindow(control.hwnd, box->enabled);
    } else if (CheckBox* box = CheckBoxNamed(c, name)) {
      SendMessageW(control.hwnd, BM_SETCHECK, box->checked ? BST_CHECKED : BST_UNCHECKED, 0);
      EnableWindow(control.hwnd, box->enabled);
    } else if (name == kStatusLabel) {
      SetText(control.hwnd, Wide(c.Status));
      // A refusal rarely fits the status line; the tooltip holds all of it.
      SetToolTip(control.hwnd, Wide(c.Status));
    }
  }
  const ChoiceTexts texts = ChoiceTextsOf(app_, c);
  if (HWND label = Named(kLengthLabel)) SetText(label, Wide(texts.length_label));
  // The thread the size and pitch stand for follows their own tooltips.
  for (const std::string_view name : {"Cmb_Size", "Cmb_Pitch"}) {
    const int index = IndexOf(Named(name));
    if (index >= 0 && form_.controls[index].tooltip) {
      SetToolTip(controls_[static_cast<std::size_t>(index)].hwnd,
                 Wide(form_.controls[index].tooltip + texts.thread_suffix));
    }
  }
  showing_ = false;
}

void MainWindow::PaintNow() { RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void MainWindow::CopyEdits() {
  Controls& c = app_.controls;
  for (const Control& control : controls_) {
    std::string* text = nullptr;
    if (ComboBox* box = ComboBoxNamed(c, control.form->name)) text = &box->text;
    if (TextBox* box = TextBoxNamed(c, control.form->name)) text = &box->text;
    if (!text) continue;
    // Only a changed text is copied: one the control cannot show exactly
    // must not be replaced by its likeness.
    const std::wstring shown = TextOf(control.hwnd);
    if (shown != Wide(*text)) *text = Narrow(shown);
  }
}

void MainWindow::FinishHandler() { app_.UpdateReadyStatus(); }

void MainWindow::ShowHandled() {
  ShowControls(app_.controls);
  EndIfAsked();
}

void MainWindow::Settle() { UpdatePreview(); }

bool MainWindow::MouseButtonDown() const { return GetKeyState(VK_LBUTTON) < 0; }

void MainWindow::RunPendingSoon() { PostMessageW(window_, kRunPending, 0, 0); }

void MainWindow::AfterDispatch(const MSG& message) {
  if (message.message == WM_LBUTTONUP) queue_.MouseReleased();
}

void MainWindow::EndIfAsked() {
  const std::optional<int> status = app_.exit_status();
  if (!status || queue_.ended()) return;
  queue_.End();
  preview_.reset();
  PostQuitMessage(*status);
  ShowWindow(window_, SW_HIDE);
}

MainWindow::Handler MainWindow::LeaveHandler(HWND focus) {
  const int index = IndexOf(focus);
  if (index < 0) return nullptr;
  const AppHandler leave = LeaveHandlerOf(controls_[static_cast<std::size_t>(index)].form->name);
  if (!leave) return nullptr;
  return [this, leave] { (app_.*leave)(); };
}

bool MainWindow::PreTranslate(MSG& message) {
  if (queue_.ended()) return false;
  if (preview_ && preview_->PreTranslate(message)) return true;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (message.message == WM_KEYDOWN) {
    const HWND focus = GetFocus();
    const int index = IndexOf(focus);
    const FormControl* control = index >= 0 ? controls_[static_cast<std::size_t>(index)].form : nullptr;
    const bool list_open = control && Is(*control, "QComboBox") &&
                           SendMessageW(controls_[static_cast<std::size_t>(index)].hwnd, CB_GETDROPPEDSTATE, 0, 0);
    switch (message.wParam) {
      case VK_F1:
        queue_.Run([this] { app_.Form_KeyDown(kKeyCodeF1); });
        return true;
      case VK_ESCAPE:
        if (list_open) return false;  // closes the list
        queue_.Run([this] { app_.CmdExit_Click(); });
        return true;
      case VK_RETURN:
        if (list_open) return false;  // takes the entry
        // A focused button takes Enter itself, as a Windows user expects.
        if (control && Is(*control, "QPushButton")) {
          OnCommand(index, BN_CLICKED);
          return true;
        }
        // Enter stands for a click on Process, which would have taken the
        // focus and so run the box's own leave handling first.
        queue_.RunBeforeNext(LeaveHandler(focus));
        queue_.Run([this] { app_.CmdProcess_Click(); });
        return true;
      default:
        break;
    }
  }
  return IsDialogMessageW(window_, &message) != FALSE;
}

void MainWindow::OnCommand(int index, int code) {
  if (index < 0 || index >= static_cast<int>(controls_.size()) || showing_) return;
  const Control& control = controls_[static_cast<std::size_t>(index)];
  const FormControl& form = *control.form;
  const std::string_view name = form.name;
  switch (code) {
    case CBN_SELCHANGE:
    case CBN_SELENDOK: {
      // A choice made with the arrow keys in the closed box counts at once;
      // one from the open list once the list closes on it.
      if (code == CBN_SELCHANGE && SendMessageW(control.hwnd, CB_GETDROPPEDSTATE, 0, 0)) return;
      const AppSelectHandler select = SelectHandlerOf(name);
      const int selected = static_cast<int>(SendMessageW(control.hwnd, CB_GETCURSEL, 0, 0));
      if (select && selected >= 0) queue_.Run([this, select, selected] { (app_.*select)(selected); });
      return;
    }
    case CBN_EDITCHANGE:
    case EN_CHANGE: {
      const AppHandler typed = TypeHandlerOf(name);
      // Editing the name or typing a pitch changes what Process would write.
      queue_.Run(typed ? Handler([this, typed] { (app_.*typed)(); }) : Handler([] {}));
      return;
    }
    case CBN_KILLFOCUS:
    case EN_KILLFOCUS:
    case BN_KILLFOCUS:
      if (!active_) return;  // the window itself lost the focus: nothing was left
      if (Handler leave = LeaveHandler(control.hwnd)) queue_.ValidateLater(std::move(leave));
      return;
    case BN_CLICKED:
      if (CheckBox* box = CheckBoxNamed(app_.controls, name)) {
        const bool checked = SendMessageW(control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        queue_.Run([this, box, checked] { app_.SetCheck(*box, checked); });
      } else if (name == kPreviewButton) {
        queue_.Run([this] { ShowPreview(); });
      } else if (const AppHandler click = ClickHandlerOf(name)) {
        queue_.Run([this, click] { (app_.*click)(); });
      }
      return;
    default:
      return;
  }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(static_cast<int>(LOWORD(w)) - kFirstId, HIWORD(w));
      return 0;
    case kRunPending:
      queue_.RunPending();
      return 0;
    case WM_NEXTDLGCTL: {
      // The dialog keys move the focus by asking the window, as they would
      // ask a dialog. A label's Alt letter asks for the label, then for the
      // control after it: its buddy, made right after it.
      const HWND next = l ? reinterpret_cast<HWND>(w) : GetNextDlgTabItem(window_, GetFocus(), w != 0);
      if (!next) return 0;
      // A text box reached from the keyboard has its text selected, to be typed over.
      if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
      SetFocus(next);
      return 0;
    }
    case WM_ACTIVATE:
      active_ = LOWORD(w) != WA_INACTIVE;
      if (!active_) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) saved_focus_ = focus;
      } else if (saved_focus_ && IsWindow(saved_focus_)) {
        SetFocus(saved_focus_);
      }
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(w);
      MakeFonts();
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Place();
      return 0;
    }
    case WM_CLOSE:
      // Closing the window ends the program, as Exit does.
      if (!queue_.ended()) queue_.Run([this] { app_.CmdExit_Click(); });
      if (!queue_.ended()) {
        queue_.End();
        PostQuitMessage(kExitOk);
      }
      ShowWindow(window_, SW_HIDE);
      return 0;
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

LayoutDump MainWindow::Dump() const {
  LayoutDump dump;
  dump.title = Narrow(TextOf(window_));
  RECT client;
  GetClientRect(window_, &client);
  dump.width = ToFormUnits(client.right, Scale());
  dump.height = ToFormUnits(client.bottom, Scale());
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int index = IndexOf(child);
    if (index < 0) continue;
    LayoutEntry entry;
    entry.name = controls_[static_cast<std::size_t>(index)].form->name;
    entry.kind = KindOf(child);
    entry.text = Narrow(TextOf(child));
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    entry.x = ToFormUnits(rect.left, Scale());
    entry.y = ToFormUnits(rect.top, Scale());
    entry.width = ToFormUnits(rect.right - rect.left, Scale());
    entry.height = ToFormUnits(rect.bottom - rect.top, Scale());
    entry.enabled = IsWindowEnabled(child) != FALSE;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    entry.checked = entry.kind == "check" && SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
    entry.is_default = entry.kind == "button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    dump.controls.push_back(std::move(entry));
    if (style & WS_TABSTOP) dump.tab_cycle.push_back(controls_[static_cast<std::size_t>(index)].form->name);
  }
  return dump;
}

void MainWindow::ShowPreview() {
  if (!preview_) {
    preview_ = std::make_unique<PreviewWindow>(window_);
    preview_->PlaceBeside(window_);
  }
  previewed_choices_.clear();  // shown afresh, whatever it showed before
  preview_->Show();
  UpdatePreview();
}

void MainWindow::UpdatePreview() {
  if (!preview_ || !preview_->visible()) return;
  const ChoiceTexts texts = ChoiceTextsOf(app_, app_.controls);
  if (texts.preview_key == previewed_choices_) return;
  previewed_choices_ = texts.preview_key;
  preview_->SetHint(texts.preview_hint);
  PreviewParts parts = BuildPreviewParts(app_);
  preview_->SetParts(std::move(parts.meshes), parts.message);
}

}  // namespace boltgen::win
