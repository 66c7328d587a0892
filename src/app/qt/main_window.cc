#include "app/qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "app/choice_texts.h"
#include "app/form_font.h"
#include "app/preview_parts.h"
#include "app/qt/preview_window.h"
#include "app/qt/text_convert.h"
#include "app/window_texts.h"
#include "ui_main_window.h"

namespace boltgen {

namespace {

// The key code the window's key handler knows F1 by.
constexpr int kKeyCodeF1 = 112;

// An editable combo box of the window takes typed text as it is: no inline
// completion, and a typed text matches a list entry only in the same case.
void PlainEditing(QComboBox* box) {
  auto* completer = new QCompleter(QStringList(), box);
  completer->setCaseSensitivity(Qt::CaseSensitive);
  box->setCompleter(completer);
}

QFont FormFont(int pixels) {
  QFont font;
  QStringList families;
  for (const std::string_view family : kFormFontFamilies) families << ToQString(family);
  font.setFamilies(families);
  font.setPixelSize(pixels);
  return font;
}

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

void ShowCombo(QComboBox* box, const ComboBox& control) {
  const QSignalBlocker blocker(box);
  QStringList items;
  for (const std::string& item : control.items) items << ToQString(item);
  if (ItemsOf(box) != items) {
    box->clear();
    box->addItems(items);
  }
  const int selected = control.selected < box->count() ? control.selected : -1;
  if (box->currentIndex() != selected) box->setCurrentIndex(selected);
  // Setting an unchanged text would move the cursor of a user still typing.
  const QString text = ToQString(control.text);
  if (box->currentText() != text) box->setEditText(text);
  box->setEnabled(control.enabled);
}

void ShowText(QLineEdit* edit, const TextBox& control) {
  const QSignalBlocker blocker(edit);
  const QString text = ToQString(control.text);
  if (edit->text() != text) edit->setText(text);
  edit->setEnabled(control.enabled);
}

void ShowCheck(QCheckBox* box, const CheckBox& control) {
  const QSignalBlocker blocker(box);
  box->setChecked(control.checked);
  box->setEnabled(control.enabled);
}

// Copies a widget's text into the control only when the user changed it, so
// that a text the widget cannot show exactly is not replaced by its likeness.
void CopyText(const QString& shown, std::string& text) {
  if (shown != ToQString(text)) text = ToText(shown);
}

bool FocusMovedWithinWindow(Qt::FocusReason reason) {
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
         reason != Qt::MenuBarFocusReason;
}

}  // namespace

MainWindow::MainWindow(BoltApp& app, QWidget* parent)
    : QDialog(parent), app_(app), ui_(std::make_unique<Ui::Form1>()) {
  ui_->setupUi(this);
  setFixedSize(size());  // the form's own size
  setFont(FormFont(kFormFontPixels));
  ui_->Label4->setFont(FormFont(kDescriptionFontPixels));
  setWindowTitle(ToQString(kWindowTitle));
  for (QComboBox* box : {ui_->Cmb_Size, ui_->Cmb_Pitch, ui_->CMB_Segments}) PlainEditing(box);
  size_tooltip_ = ui_->Cmb_Size->toolTip();
  pitch_tooltip_ = ui_->Cmb_Pitch->toolTip();
  Connect();
  qApp->installEventFilter(this);
  ShowControls(app_.controls);
}

MainWindow::~MainWindow() {
  if (qApp) qApp->removeEventFilter(this);
  // A box torn down with typed text in it may still signal; nothing runs
  // once the window goes.
  queue_.End();
}

void MainWindow::ShowControls(const Controls& c) {
  ShowCombo(ui_->Cmb_Size, c.Cmb_Size);
  ShowCombo(ui_->Cmb_Pitch, c.Cmb_Pitch);
  ShowText(ui_->TXT_Nom_Length, c.TXT_Nom_Length);
  ShowCombo(ui_->CMB_Segments, c.CMB_Segments);
  ShowText(ui_->TXT_File, c.TXT_File);
  ShowCheck(ui_->Chk_No_Threads, c.Chk_No_Threads);
  ShowCheck(ui_->Chk_WF, c.Chk_WF);
  ShowCheck(ui_->Chk_Rad_HEAD, c.Chk_Rad_HEAD);
  ShowCheck(ui_->Chk_Sharp_Threads, c.Chk_Sharp_Threads);
  ShowCheck(ui_->Chk_Nuts, c.Chk_Nuts);
  ShowCheck(ui_->Chk_WBlock, c.Chk_WBlock);
  ShowCheck(ui_->Chk_STL, c.Chk_STL);
  ShowCheck(ui_->Chk_DXF, c.Chk_DXF);
  ShowCheck(ui_->Chk_3MF, c.Chk_3MF);
  ShowCheck(ui_->Chk_Threaded_Nuts, c.Chk_Threaded_Nuts);
  ShowText(ui_->TXT_Clearance, c.TXT_Clearance);
  ShowStatus(ToQString(c.Status));
  ShowChoiceTexts(c);
}

void MainWindow::ShowStatus(const QString& status) {
  // A long report ends in an ellipsis; the tooltip holds all of it.
  QLabel* label = ui_->Status;
  label->setText(label->fontMetrics().elidedText(status, Qt::ElideRight, label->width()));
  label->setToolTip(status);
}

void MainWindow::ShowChoiceTexts(const Controls& c) {
  const ChoiceTexts texts = ChoiceTextsOf(app_, c);
  ui_->Label8->setText(ToQString(texts.length_label));
  const QString suffix = ToQString(texts.thread_suffix);
  ui_->Cmb_Size->setToolTip(size_tooltip_ + suffix);
  ui_->Cmb_Pitch->setToolTip(pitch_tooltip_ + suffix);
}

void MainWindow::Connect() {
  connect(ui_->Cmb_Size, &QComboBox::activated, this,
          [this](int index) { queue_.Run([this, index] { app_.SelectSize(index); }); });
  connect(ui_->Cmb_Size->lineEdit(), &QLineEdit::textEdited, this,
          [this] { queue_.Run([this] { app_.Cmb_Size_Change(); }); });
  connect(ui_->Cmb_Pitch, &QComboBox::activated, this,
          [this](int index) { queue_.Run([this, index] { app_.SelectPitch(index); }); });
  connect(ui_->CMB_Segments, &QComboBox::activated, this,
          [this](int index) { queue_.Run([this, index] { app_.SelectSegments(index); }); });

  Controls& c = app_.controls;
  ConnectCheck(ui_->Chk_No_Threads, c.Chk_No_Threads);
  ConnectCheck(ui_->Chk_WF, c.Chk_WF);
  ConnectCheck(ui_->Chk_Rad_HEAD, c.Chk_Rad_HEAD);
  ConnectCheck(ui_->Chk_Sharp_Threads, c.Chk_Sharp_Threads);
  ConnectCheck(ui_->Chk_Nuts, c.Chk_Nuts);
  ConnectCheck(ui_->Chk_WBlock, c.Chk_WBlock);
  ConnectCheck(ui_->Chk_STL, c.Chk_STL);
  ConnectCheck(ui_->Chk_DXF, c.Chk_DXF);
  ConnectCheck(ui_->Chk_3MF, c.Chk_3MF);
  ConnectCheck(ui_->Chk_Threaded_Nuts, c.Chk_Threaded_Nuts);
  connect(ui_->CmdPreview, &QPushButton::clicked, this, [this] { queue_.Run([this] { ShowPreview(); }); });
  // Editing the name or typing a pitch changes what Process would write.
  connect(ui_->TXT_File, &QLineEdit::textEdited, this, [this] { queue_.Run([] {}); });
  connect(ui_->TXT_Clearance, &QLineEdit::textEdited, this, [this] { queue_.Run([] {}); });
  connect(ui_->Cmb_Pitch->lineEdit(), &QLineEdit::textEdited, this, [this] { queue_.Run([] {}); });

  connect(ui_->CmdProcess, &QPushButton::clicked, this,
          [this] { queue_.Run([this] { app_.CmdProcess_Click(); }); });
  connect(ui_->CmdExit, &QPushButton::clicked, this,
          [this] { queue_.Run([this] { app_.CmdExit_Click(); }); });
  connect(ui_->CMD_Help, &QPushButton::clicked, this,
          [this] { queue_.Run([this] { app_.CMD_Help_Click(); }); });
}

void MainWindow::ConnectCheck(QCheckBox* box, CheckBox& control) {
  connect(box, &QCheckBox::clicked, this, [this, &control](bool checked) {
    queue_.Run([this, &control, checked] { app_.SetCheck(control, checked); });
  });
}

void MainWindow::FinishHandler() { app_.UpdateReadyStatus(); }

void MainWindow::ShowHandled() {
  ShowControls(app_.controls);
  EndIfAsked();
}

void MainWindow::Settle() { UpdatePreview(); }

bool MainWindow::MouseButtonDown() const { return QGuiApplication::mouseButtons() != Qt::NoButton; }

void MainWindow::RunPendingSoon() {
  QTimer::singleShot(0, this, [this] { queue_.RunPending(); });
}

void MainWindow::CopyEdits() {
  Controls& c = app_.controls;
  CopyText(ui_->Cmb_Size->currentText(), c.Cmb_Size.text);
  CopyText(ui_->Cmb_Pitch->currentText(), c.Cmb_Pitch.text);
  CopyText(ui_->TXT_Nom_Length->text(), c.TXT_Nom_Length.text);
  CopyText(ui_->CMB_Segments->currentText(), c.CMB_Segments.text);
  CopyText(ui_->TXT_File->text(), c.TXT_File.text);
  CopyText(ui_->TXT_Clearance->text(), c.TXT_Clearance.text);
}

void MainWindow::EndIfAsked() {
  const std::optional<int> status = app_.exit_status();
  if (!status || queue_.ended()) return;
  queue_.End();
  close();
  QCoreApplication::exit(*status);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && widget->window() == this)
        return HandleKey(widget, static_cast<QKeyEvent*>(event));
      if (widget && preview_ && widget->window() == preview_)
        return HandlePreviewKey(static_cast<QKeyEvent*>(event));
      break;
    }
    case QEvent::FocusOut:
      HandleFocusOut(watched, static_cast<QFocusEvent*>(event));
      break;
    case QEvent::MouseButtonRelease:
      // A click this release completes runs the owed handlers first;
      // otherwise they run once the release has been delivered.
      queue_.MouseReleased();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

bool MainWindow::HandlePreviewKey(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F1:
      queue_.Run([this] { app_.Form_KeyDown(kKeyCodeF1); });
      return true;
    case Qt::Key_Escape:
      // Esc closes the window it is pressed in: the preview, not the program.
      preview_->close();
      activateWindow();
      return true;
    default:
      return false;
  }
}

bool MainWindow::HandleKey(QWidget* receiver, QKeyEvent* event) {
  // An Alt letter that is no shortcut of the form is a slip on the way to
  // one: it must not type its letter into the box that has the focus.
  // (AltGr is not Alt here: the characters it types still arrive.)
  const Qt::KeyboardModifiers chord = event->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
  if (chord == Qt::AltModifier && !event->text().isEmpty() && qobject_cast<QLineEdit*>(receiver)) {
    return true;
  }
  switch (event->key()) {
    case Qt::Key_F1:
      queue_.Run([this] { app_.Form_KeyDown(kKeyCodeF1); });
      return true;
    case Qt::Key_Escape:
      queue_.Run([this] { app_.CmdExit_Click(); });
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A focused button takes Enter itself, as a desktop user expects.
      if (qobject_cast<QPushButton*>(receiver)) return false;
      // Enter stands for a click on Process, which would have taken the
      // focus and so run the box's own leave handling first: without it the
      // file name would still describe the length shown before the edit.
      if (Handler leave = LeaveHandler(receiver)) queue_.RunBeforeNext(std::move(leave));
      queue_.Run([this] { app_.CmdProcess_Click(); });
      return true;
    default:
      return false;
  }
}

void MainWindow::HandleFocusOut(QObject* watched, QFocusEvent* event) {
  if (queue_.ended() || !FocusMovedWithinWindow(event->reason())) return;
  auto* widget = qobject_cast<QWidget*>(watched);
  // Only the box itself: its inner line edit loses the focus together with it.
  if (!widget || widget->parentWidget() != this) return;
  if (Handler leave = LeaveHandler(widget)) queue_.ValidateLater(std::move(leave));
}

MainWindow::Handler MainWindow::LeaveHandler(QWidget* widget) {
  for (; widget && widget != this; widget = widget->parentWidget()) {
    if (widget == ui_->Cmb_Size) return [this] { app_.Cmb_Size_Validate(); };
    if (widget == ui_->Cmb_Pitch) return [this] { app_.Cmb_Pitch_Validate(); };
    if (widget == ui_->TXT_Nom_Length) return [this] { app_.TXT_Nom_Length_Validate(); };
    if (widget == ui_->CMB_Segments) return [this] { app_.CMB_Segments_Validate(); };
    if (widget == ui_->Chk_Nuts) return [this] { app_.Chk_Nuts_Validate(); };
  }
  return nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing the window ends the program, as Exit does.
  if (!queue_.ended()) queue_.Run([this] { app_.CmdExit_Click(); });
  if (!queue_.ended()) {
    queue_.End();
    QCoreApplication::exit(kExitOk);
  }
  event->accept();
}

void MainWindow::reject() { queue_.Run([this] { app_.CmdExit_Click(); }); }

bool MainWindow::IsFormWidget(const QWidget* widget) const {
  const QWidget* parent = widget->parentWidget();
  return parent == this || (qobject_cast<const QGroupBox*>(parent) && parent->parentWidget() == this);
}

LayoutDump MainWindow::Dump() const {
  LayoutDump dump;
  dump.title = ToText(windowTitle());
  dump.width = width();
  dump.height = height();
  // A group box's widgets too, each at its place in the form, as the form's
  // own table has them.
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (widget->objectName().isEmpty() || widget->isWindow() || !IsFormWidget(widget)) continue;
    LayoutEntry entry;
    entry.name = ToText(widget->objectName());
    // A label is a frame too: the more special kinds first.
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      entry.kind = "label", entry.text = ToText(label->text());
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
      entry.kind = "combo", entry.text = ToText(box->currentText());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      entry.kind = "edit", entry.text = ToText(edit->text());
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      entry.kind = "check", entry.text = ToText(check->text()), entry.checked = check->isChecked();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      entry.kind = "group", entry.text = ToText(group->title());
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      entry.kind = "button", entry.text = ToText(button->text()), entry.is_default = button->isDefault();
    } else if (qobject_cast<QFrame*>(widget)) {
      entry.kind = "line";
    } else {
      entry.kind = "other";
    }
    const QRect rect(widget->mapTo(this, QPoint(0, 0)), widget->size());
    entry.x = rect.x(), entry.y = rect.y(), entry.width = rect.width(), entry.height = rect.height();
    entry.enabled = widget->isEnabled();
    dump.controls.push_back(std::move(entry));
  }
  // Tab follows the focus chain; the widgets Tab skips are left out.
  for (QWidget* next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
    if (IsFormWidget(next) && !next->objectName().isEmpty() && (next->focusPolicy() & Qt::TabFocus)) {
      dump.tab_cycle.push_back(ToText(next->objectName()));
    }
  }
  return dump;
}

void MainWindow::ShowPreview() {
  if (!preview_) {
    preview_ = new PreviewWindow(this);
    preview_->PlaceBeside(*this);
  }
  previewed_choices_.clear();  // shown afresh, whatever it showed before
  preview_->show();
  preview_->raise();
  preview_->activateWindow();
  preview_->canvas()->setFocus(Qt::OtherFocusReason);
  UpdatePreview();
}

void MainWindow::UpdatePreview() {
  if (!preview_ || !preview_->isVisible()) return;
  const ChoiceTexts texts = ChoiceTextsOf(app_, app_.controls);
  if (texts.preview_key == previewed_choices_) return;
  previewed_choices_ = texts.preview_key;
  preview_->SetHint(ToQString(texts.preview_hint));
  PreviewParts parts = BuildPreviewParts(app_);
  preview_->canvas()->SetParts(std::move(parts.meshes), ToQString(parts.message));
}

}  // namespace boltgen
