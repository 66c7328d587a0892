#ifndef BOLTGEN_APP_QT_MAIN_WINDOW_H_
#define BOLTGEN_APP_QT_MAIN_WINDOW_H_

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

#include "app/bolt_app.h"
#include "base/controls.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace Ui {
class Form1;
}

namespace boltgen {

// The main window. It holds no state of its own: it shows `app.controls` and
// hands every user action to the handler the action stands for. Qt has no
// Validate event, so the Validate handlers run when a control loses the focus.
class MainWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MainWindow(BoltApp& app, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the controls as they are now. Never runs a handler.
  void ShowControls(const Controls& controls);

  // True once the program was asked to end and the window closed.
  bool ended() const { return ended_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Esc

 private:
  using Handler = std::function<void()>;

  void Connect();
  void ConnectCheck(QCheckBox* box, CheckBox& control);
  // Runs a handler as the user's action: validations still owed first, the
  // typed texts copied into the controls, then the widgets refreshed.
  void Run(Handler handler);
  void ValidateLater(Handler handler);
  void RunPendingValidations();
  void CopyEdits();
  void EndIfAsked();
  bool HandleKey(QWidget* receiver, QKeyEvent* event);
  void HandleFocusOut(QObject* watched, QFocusEvent* event);

  BoltApp& app_;
  std::unique_ptr<Ui::Form1> ui_;
  std::vector<Handler> pending_validations_;
  bool busy_ = false;
  bool ended_ = false;
  bool validations_wait_for_release_ = false;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_MAIN_WINDOW_H_
