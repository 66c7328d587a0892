#ifndef BOLTGEN_APP_QT_MAIN_WINDOW_H_
#define BOLTGEN_APP_QT_MAIN_WINDOW_H_

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

#include "app/bolt_app.h"
#include "app/controls.h"
#include "app/handler_queue.h"
#include "app/layout_dump.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class Form1;
}

namespace boltgen {

class PreviewWindow;

// The main window. It holds no state of its own: it shows `app.controls` and
// hands every user action to the handler the action stands for. Qt has no
// Validate event, so the Validate handlers run when a control loses the focus.
class MainWindow : public QDialog, private HandlerQueue::Window {
  Q_OBJECT

 public:
  explicit MainWindow(BoltApp& app, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the controls as they are now. Never runs a handler.
  void ShowControls(const Controls& controls);

  // The controls as they stand, read back from the widgets.
  LayoutDump Dump() const;
  // A widget of the form itself, rather than a part of one (a combo box's own
  // edit field): the dialog's children and those of its group boxes.
  bool IsFormWidget(const QWidget* widget) const;

  // True once the program was asked to end and the window closed.
  bool ended() const { return queue_.ended(); }

  // Opens the preview of the current choices, or brings it to the front.
  void ShowPreview();
  PreviewWindow* preview() const { return preview_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Esc

 private:
  using Handler = HandlerQueue::Handler;

  void Connect();
  void ConnectCheck(QCheckBox* box, CheckBox& control);
  // What the queue of handlers asks of the window.
  void CopyEdits() override;
  void FinishHandler() override;
  void ShowHandled() override;
  void Settle() override;
  bool MouseButtonDown() const override;
  void RunPendingSoon() override;
  void EndIfAsked();
  bool HandleKey(QWidget* receiver, QKeyEvent* event);
  // F1 and Esc in the preview window.
  bool HandlePreviewKey(QKeyEvent* event);
  void ShowStatus(const QString& status);
  void HandleFocusOut(QObject* watched, QFocusEvent* event);

  // The Validate handler that leaving `widget` (or the box it belongs to)
  // runs; empty for a widget without one.
  Handler LeaveHandler(QWidget* widget);
  // The texts that follow the choices: the length's unit, the thread in the
  // size and pitch tooltips, the whole status text in its tooltip.
  void ShowChoiceTexts(const Controls& controls);
  // Keeps the preview up to date with the choices.
  void UpdatePreview();

  BoltApp& app_;
  std::unique_ptr<Ui::Form1> ui_;
  HandlerQueue queue_{*this};

  QString size_tooltip_, pitch_tooltip_;  // the form's, before the thread
  PreviewWindow* preview_ = nullptr;
  std::string previewed_choices_;  // the choices the preview shows
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_MAIN_WINDOW_H_
