// Drives the real window on the offscreen platform: what a user sees and
// what the keys and boxes do.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "app/window_texts.h"

namespace boltgen {
namespace {

// A one-size table; the only size is the one selected at start-up.
constexpr char kSizeTable[] =
    "; test sizes\r\n"
    "[Inch 3/4]\r\n"
    "DiaNom=0.75\r\n"
    "Pitch0=0.1 UNC\r\n"
    "Pitch1=0.0625 UNF\r\n"
    "Flats=1.125\r\n"
    "HghtHex=0.484\r\n"
    "HghtWshFace=0.016\r\n"
    "MinThrSht=1.5\r\n"
    "MinThrLng=1.75\r\n"
    "HghtNut=0.641\r\n"
    "HghtNutJam=0.406\r\n"
    "RadWshFace=0.031\r\n"
    "Long=6\r\n";

// The window's platform with the desktop's modal parts recorded instead.
class RecordingPlatform : public QtPlatform {
 public:
  void Repaint(const Controls& controls) override {
    QtPlatform::Repaint(controls);
    status = controls.Status;
  }
  void ShowMessage(MessageKind, std::string_view text) override {
    messages.emplace_back(text);
    status_at_message = status;
  }
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void Sleep(int) override {}

  std::vector<std::string> messages;
  std::vector<std::string> opened;
  std::string status;             // as last repainted
  std::string status_at_message;  // tells what ran before the last message
};

struct Geometry {
  const char* name;
  QRect rect;
};

const Geometry kLayout[] = {
    {"Label6", {8, 8, 89, 17}},          {"Cmb_Size", {104, 8, 153, 21}},
    {"Label7", {8, 39, 89, 17}},         {"Cmb_Pitch", {104, 39, 153, 21}},
    {"Label8", {8, 67, 89, 17}},         {"TXT_Nom_Length", {104, 67, 97, 19}},
    {"Label10", {8, 96, 89, 17}},        {"CMB_Segments", {104, 96, 97, 21}},
    {"Label3", {8, 152, 89, 17}},        {"TXT_File", {104, 152, 313, 19}},
    {"CMD_Help", {208, 64, 73, 57}},     {"Chk_No_Threads", {288, 0, 105, 25}},
    {"Chk_WF", {288, 24, 105, 25}},      {"Chk_Rad_HEAD", {288, 48, 121, 25}},
    {"Chk_Sharp_Threads", {288, 72, 121, 25}}, {"Chk_Nuts", {288, 96, 121, 25}},
    {"Chk_WBlock", {288, 120, 121, 25}}, {"CmdProcess", {104, 176, 65, 17}},
    {"CmdExit", {352, 176, 65, 17}},     {"Label4", {8, 208, 401, 73}},
    {"Line1", {0, 280, 424, 1}},         {"Status", {0, 283, 425, 13}},
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void ControlsStandWhereTheFormPutsThem();
  void StartsReadyWithTheDefaults();
  void LeavingTheLengthBoxFormatsIt();
  void RejectedLengthStaysAsTyped();
  void EnterWritesTheScript();
  void ClickingProcessReportsTheLengthThenGenerates();
  void EscEndsTheProgram();
  void ClearingWasherFaceClearsAndDisablesNuts();
  void LeavingTheSizeBoxSelectsTheFirstPitch();
  void F1AsksForTheHelpFromEveryControl();

 private:
  template <typename T>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
  }
  void Type(QLineEdit* edit, const QString& text);
  QString WorkFile(const QString& name) const { return QDir(folder_->path()).filePath(name); }

  std::unique_ptr<QTemporaryDir> folder_;
  QString previous_folder_;
  std::unique_ptr<RecordingPlatform> platform_;
  std::unique_ptr<BoltApp> app_;
  std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::init() {
  folder_ = std::make_unique<QTemporaryDir>();
  QVERIFY(folder_->isValid());
  previous_folder_ = QDir::currentPath();
  QVERIFY(QDir::setCurrent(folder_->path()));
  QFile table(WorkFile("boltgen.ini"));
  QVERIFY(table.open(QIODevice::WriteOnly));
  table.write(kSizeTable);
  table.close();
  QFile help(WorkFile("boltgen.pdf"));
  QVERIFY(help.open(QIODevice::WriteOnly));
  help.write("%PDF-1.4\n");
  help.close();

  AppEnvironment environment;
  environment.program_path = WorkFile("boltgen").toStdString();
  environment.working_dir = folder_->path().toStdString();
  environment.today = [] { return Date{6, 12, 2026}; };
  platform_ = std::make_unique<RecordingPlatform>();
  app_ = std::make_unique<BoltApp>(*platform_, environment);
  window_ = std::make_unique<MainWindow>(*app_);
  platform_->AttachWindow(window_.get());
  app_->Form_Load();
  window_->ShowControls(app_->controls);
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::cleanup() {
  window_.reset();
  app_.reset();
  platform_.reset();
  QDir::setCurrent(previous_folder_);
  folder_.reset();
}

void MainWindowTest::Type(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::TabFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void MainWindowTest::ControlsStandWhereTheFormPutsThem() {
  QCOMPARE(window_->objectName(), QString("Form1"));
  QCOMPARE(window_->windowTitle(), QString("Quillfen 3D Bolt Generator"));
  QCOMPARE(window_->size(), QSize(424, 303));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  for (const Geometry& g : kLayout) QCOMPARE(Find<QWidget>(g.name)->geometry(), g.rect);

  QCOMPARE(Find<QLabel>("Label6")->text(), QString("Nominal Diameter"));
  QCOMPARE(Find<QLabel>("Label3")->text(), QString("FileName"));
  QCOMPARE(Find<QPushButton>("CMD_Help")->text(), QString("Open PDF\nHelp File"));
  QCOMPARE(Find<QPushButton>("CMD_Help")->text().toStdString(), kHelpButtonCaption);
  QCOMPARE(Find<QCheckBox>("Chk_Sharp_Threads")->text(), QString("Sharp Point Threads"));
  auto* description = Find<QLabel>("Label4");
  QVERIFY(description->wordWrap());
  QCOMPARE(description->text().toStdString(), kDescriptionText);
  QVERIFY(Find<QPushButton>("CmdProcess")->isDefault());

  const QStringList tab_order = {
      "Cmb_Size", "Cmb_Pitch",         "TXT_Nom_Length", "CMB_Segments", "TXT_File",
      "Chk_No_Threads", "Chk_WF",      "Chk_Rad_HEAD",   "Chk_Sharp_Threads",
      "Chk_Nuts", "CmdProcess",        "CmdExit",        "CMD_Help",     "Chk_WBlock"};
  QStringList seen;
  QWidget* widget = Find<QWidget>("Cmb_Size");
  do {
    if (tab_order.contains(widget->objectName()) && !seen.contains(widget->objectName()))
      seen << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget->objectName() != "Cmb_Size");
  QCOMPARE(seen, tab_order);
}

void MainWindowTest::StartsReadyWithTheDefaults() {
  QCOMPARE(Find<QLabel>("Status")->text(), QString("Ready"));
  QCOMPARE(Find<QComboBox>("Cmb_Size")->currentText(), QString("[Inch 3/4]"));
  QCOMPARE(Find<QComboBox>("Cmb_Pitch")->count(), 2);
  QCOMPARE(Find<QComboBox>("Cmb_Pitch")->currentText(), QString("0.1 UNC"));
  QCOMPARE(Find<QComboBox>("CMB_Segments")->currentText(), QString("24"));
  QCOMPARE(Find<QLineEdit>("TXT_Nom_Length")->text(), QString("3.000"));
  QCOMPARE(Find<QLineEdit>("TXT_File")->text(), QString("IN_07500_HCSW-UNC_03000-3D(024)"));
  QVERIFY(Find<QCheckBox>("Chk_Sharp_Threads")->isChecked());
  QVERIFY(!Find<QCheckBox>("Chk_Sharp_Threads")->isEnabled());
  QVERIFY(!Find<QCheckBox>("Chk_Nuts")->isChecked());
}

void MainWindowTest::LeavingTheLengthBoxFormatsIt() {
  auto* length = Find<QLineEdit>("TXT_Nom_Length");
  Type(length, "2.5");
  QTest::keyClick(length, Qt::Key_Tab);
  QTRY_COMPARE(length->text(), QString("2.500"));
  QCOMPARE(app_->controls.TXT_Nom_Length.text, std::string("2.500"));
  QCOMPARE(Find<QLineEdit>("TXT_File")->text(), QString("IN_07500_HCSW-UNC_02500-3D(024)"));
  QVERIFY(platform_->messages.empty());
}

void MainWindowTest::RejectedLengthStaysAsTyped() {
  auto* length = Find<QLineEdit>("TXT_Nom_Length");
  Type(length, "3/4");
  QTest::keyClick(length, Qt::Key_Tab);
  QTRY_COMPARE(platform_->messages.size(), size_t{1});
  QCOMPARE(platform_->messages[0], std::string("Please use decimal numbers for length."));
  QCOMPARE(length->text(), QString("3/4"));
  QCOMPARE(Find<QLineEdit>("TXT_File")->text(), QString("IN_07500_HCSW-UNC_03000-3D(024)"));
}

void MainWindowTest::EnterWritesTheScript() {
  const QString script = WorkFile("IN_07500_HCSW-UNC_03000-3D(024).scr");
  QVERIFY(!QFile::exists(script));
  QTest::keyClick(Find<QLineEdit>("TXT_Nom_Length"), Qt::Key_Return);
  QVERIFY(QFile::exists(script));
  QFile file(script);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.readAll().contains("Mesh"));
  QCOMPARE(Find<QLabel>("Status")->text(), QString("(Script File Written)Ready ...."));
  QVERIFY(!window_->ended());
}

void MainWindowTest::ClickingProcessReportsTheLengthThenGenerates() {
  auto* length = Find<QLineEdit>("TXT_Nom_Length");
  Type(length, "3/4");
  QTest::mouseClick(Find<QPushButton>("CmdProcess"), Qt::LeftButton);
  QTRY_COMPARE(platform_->messages.size(), size_t{1});
  QCOMPARE(platform_->messages[0], std::string("Please use decimal numbers for length."));
  QCOMPARE(length->text(), QString("3/4"));
  QCOMPARE(platform_->status_at_message, std::string("Ready"));  // reported before generating
  // The refused text still counts by its leading number: a 3 long bolt.
  QTRY_VERIFY(QFile::exists(WorkFile("IN_07500_HCSW-UNC_03000-3D(024).scr")));
}

void MainWindowTest::EscEndsTheProgram() {
  QTest::keyClick(Find<QComboBox>("CMB_Segments"), Qt::Key_Escape);
  QCOMPARE(app_->exit_status(), std::optional<int>(kExitOk));
  QVERIFY(window_->ended());
  QVERIFY(!window_->isVisible());
}

void MainWindowTest::ClearingWasherFaceClearsAndDisablesNuts() {
  auto* washer_face = Find<QCheckBox>("Chk_WF");
  auto* nuts = Find<QCheckBox>("Chk_Nuts");
  QTest::mouseClick(nuts, Qt::LeftButton);
  QVERIFY(nuts->isChecked());
  QVERIFY(app_->controls.Chk_Nuts.checked);

  QTest::mouseClick(washer_face, Qt::LeftButton);
  QVERIFY(!washer_face->isChecked());
  QVERIFY(!nuts->isChecked());
  QVERIFY(!nuts->isEnabled());
  QVERIFY(!app_->controls.Chk_Nuts.checked);

  QTest::mouseClick(washer_face, Qt::LeftButton);
  QVERIFY(nuts->isEnabled());
  QVERIFY(!nuts->isChecked());
}

void MainWindowTest::LeavingTheSizeBoxSelectsTheFirstPitch() {
  auto* pitch = Find<QComboBox>("Cmb_Pitch");
  pitch->setFocus(Qt::TabFocusReason);
  QTest::keyClick(pitch, Qt::Key_Down);
  QTRY_COMPARE(app_->controls.Cmb_Pitch.text, std::string("0.0625 UNF"));
  QCOMPARE(Find<QLineEdit>("TXT_File")->text(), QString("IN_07500_HCSW-UNF_03000-3D(024)"));

  auto* size = Find<QComboBox>("Cmb_Size");
  size->setFocus(Qt::TabFocusReason);
  QTest::keyClick(size, Qt::Key_Tab);
  QTRY_COMPARE(pitch->currentText(), QString("0.1 UNC"));
  QCOMPARE(Find<QLineEdit>("TXT_File")->text(), QString("IN_07500_HCSW-UNC_03000-3D(024)"));
}

void MainWindowTest::F1AsksForTheHelpFromEveryControl() {
  const char* const controls[] = {"Cmb_Size", "TXT_File", "Chk_WBlock", "CmdExit"};
  for (const char* name : controls) {
    QWidget* widget = Find<QWidget>(name);
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  }
  QCOMPARE(platform_->opened.size(), std::size(controls));
  for (const std::string& path : platform_->opened)
    QVERIFY2(QString::fromStdString(path).endsWith("boltgen.pdf"), path.c_str());
  QVERIFY(!window_->ended());
}

}  // namespace boltgen

QTEST_MAIN(boltgen::MainWindowTest)
#include "main_window_test.moc"
