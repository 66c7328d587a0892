// Drives the real window on the offscreen platform: what a user sees and
// what the keys and boxes do.

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include "app/qt/document_opener.h"
#include "app/qt/preview_window.h"
#include "app/qt/window_test.h"
#include "app/window_texts.h"

namespace boltgen {
namespace {

// An inch size, selected at start-up, and a metric one.
constexpr char kSizeTable[] =
    "; test sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\nPitch0=0.1 UNC\r\nPitch1=0.0625 UNF\r\n"
    "Flats=1.125\r\nHghtHex=0.484\r\nHghtWshFace=0.016\r\nMinThrSht=1.5\r\nMinThrLng=1.75\r\n"
    "HghtNut=0.641\r\nHghtNutJam=0.406\r\nRadWshFace=0.031\r\nLong=6\r\n"
    "[Metric M12]\r\nDiaNom=12\r\nPitch0=1.75\r\nPitch1=1.25\r\nFlats=18\r\nHghtHex=7.5\r\n"
    "HghtWshFace=0.6\r\nMinThrSht=30\r\nMinThrLng=36\r\nHghtNut=10.8\r\nHghtNutJam=6\r\n"
    "RadWshFace=0.6\r\nLong=125\r\n";

constexpr char kDefaultName[] = "IN_07500_HCSW-UNC_03000-3D(024)";

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    w_ = std::make_unique<WindowUnderTest>(kSizeTable);
    QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
  }
  void cleanup() { w_.reset(); }

  // The dump the Windows window is held to: the group box and the boxes in it
  // at their places in the form, no part of a widget (a combo box's edit),
  // and Tab through the group.
  void DumpListsTheGroupAndItsBoxesWhereTheFormHasThem() {
    const LayoutDump dump = w_->window->Dump();
    const LayoutEntry* group = nullptr;
    const LayoutEntry* stl = nullptr;
    for (const LayoutEntry& entry : dump.controls) {
      if (entry.name == "Grp_Export") group = &entry;
      if (entry.name == "Chk_STL") stl = &entry;
    }
    QVERIFY(group && stl);
    QCOMPARE(group->kind, std::string("group"));
    QCOMPARE(QString::fromStdString(group->text), w_->Find<QGroupBox>("Grp_Export")->title());
    QWidget* box = w_->Find("Chk_STL");
    QCOMPARE(stl->x, group->x + box->x());
    QCOMPARE(stl->y, group->y + box->y());
    // Every entry is a widget of the form, and the form's widgets are all there.
    QCOMPARE(static_cast<int>(dump.controls.size()),
             static_cast<int>(w_->window->findChildren<QWidget*>(QRegularExpression("^[A-Z]")).size()));
    QVERIFY(std::find(dump.tab_cycle.begin(), dump.tab_cycle.end(), "Chk_STL") != dump.tab_cycle.end());
  }

  // Rows of the form share their border line, so neighbours may meet in one
  // pixel; anything more hides part of a control.
  void ControlsLieInsideTheWindowWithoutCoveringEachOther() {
    const QRect window = w_->window->rect().adjusted(-1, -1, 1, 1);
    const QList<QWidget*> controls =
        w_->window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(controls.size() >= 24);  // the form's controls at least: the checks below see them all
    // The export boxes sit together in their group, inside it.
    auto* group = w_->Find<QGroupBox>("Grp_Export");
    for (const char* name : {"Chk_STL", "Chk_3MF", "Chk_DXF"}) {
      QWidget* box = w_->Find(name);
      QCOMPARE(box->parentWidget(), group);
      QVERIFY2(group->contentsRect().contains(box->geometry()),
               qPrintable(QString("%1 at %2,%3 outside the group's %4,%5 %6x%7")
                              .arg(name).arg(box->x()).arg(box->y())
                              .arg(group->contentsRect().x()).arg(group->contentsRect().y())
                              .arg(group->contentsRect().width()).arg(group->contentsRect().height())));
    }
    for (int i = 0; i < controls.size(); ++i) {
      const QRect rect = controls[i]->geometry();
      QVERIFY2(controls[i]->isVisible() && window.contains(rect),
               qPrintable(controls[i]->objectName()));
      for (int j = i + 1; j < controls.size(); ++j) {
        const QRect shared = rect.intersected(controls[j]->geometry());
        QVERIFY2(shared.width() <= 1 || shared.height() <= 1,
                 qPrintable(controls[i]->objectName() + " covers " + controls[j]->objectName()));
      }
    }
    QVERIFY(w_->Find<QPushButton>("CmdProcess")->isDefault());
    QVERIFY(!w_->Find<QCheckBox>("Chk_Sharp_Threads")->isEnabled());
    // No text is clipped: each fits its control in the window's own font.
    for (QWidget* widget : w_->window->findChildren<QWidget*>()) {
      int needs = 0;
      if (auto* button = qobject_cast<QPushButton*>(widget)) {
        needs = button->fontMetrics()
                    .boundingRect(QRect(), Qt::TextShowMnemonic, button->text())
                    .width() + 4;
      } else if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)) {
        if (widget->objectName() == "Label4" || widget->objectName() == "Status") continue;  // wrapped, elided
        needs = widget->sizeHint().width();
      } else {
        continue;
      }
      QVERIFY2(needs <= widget->width() + 1,
               qPrintable(widget->objectName() + " needs " + QString::number(needs)));
    }
    // Each box reaches the job state's handler.
    const Controls& c = w_->app->controls;
    const std::pair<const char*, const CheckBox*> boxes[] = {
        {"Chk_No_Threads", &c.Chk_No_Threads}, {"Chk_WF", &c.Chk_WF}, {"Chk_WBlock", &c.Chk_WBlock},
        {"Chk_3MF", &c.Chk_3MF}, {"Chk_DXF", &c.Chk_DXF}, {"Chk_STL", &c.Chk_STL}};
    for (const auto& [name, box] : boxes) {
      const bool was = box->checked;
      QTest::mouseClick(w_->Find(name), Qt::LeftButton);
      QVERIFY2(box->checked != was, name);
    }
  }

  // Leaving the length box formats it; Process and Enter run that first, so
  // what is written is what the boxes show; Esc ends.
  void TheBoxesHandlersRunBeforeProcessAndEscEnds() {
    // A refused length is reported before the click's generation, and the
    // box shows the last accepted length again: that is what is written.
    Type("TXT_Nom_Length", "3/4");
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(w_->platform.messages, std::vector<std::string>{std::string(kLengthMessage)});
    QTRY_COMPARE(Scripts(), QStringList{kDefaultName + QString(".scr")});
    QCOMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("3.000"));
    Type("TXT_Nom_Length", "2.5");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Tab);
    QTRY_COMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("2.500"));
    Type("TXT_Nom_Length", "1.75");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Return);
    QCOMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("1.750"));
    QCOMPARE(Scripts(),
             (QStringList{"IN_07500_HCSW-UNC_01750-3D(024).scr", kDefaultName + QString(".scr")}));
    QTest::keyClick(w_->Find("CMB_Segments"), Qt::Key_Escape);
    QCOMPARE(w_->app->exit_status(), std::optional<int>(kExitOk));
    QVERIFY(w_->window->ended() && !w_->window->isVisible());
  }

  // The pitch shown is the pitch written, and the size's unit and thread are
  // named wherever the window shows them.
  void ThePitchAndSizeShownAreWhatIsWrittenAndNamed() {
    auto* label = w_->Find<QLabel>("Label8");
    auto* pitch = w_->Find<QComboBox>("Cmb_Pitch");
    QCOMPARE(label->text(), QString("&Length (in)"));
    QVERIFY(w_->Find("Cmb_Size")->toolTip().endsWith(": 3/4-10 UNC"));
    pitch->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pitch, Qt::Key_Down);
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(Scripts(), QStringList{"IN_07500_HCSW-UNF_03000-3D(024).scr"});
    QTest::mouseClick(w_->Find("CmdPreview"), Qt::LeftButton);
    auto* preview = w_->window->preview();
    QVERIFY(preview && preview->isVisible());
    QVERIFY2(preview->hint().startsWith("3/4-16 UNF x 3.000 in - "), qPrintable(preview->hint()));
    ChooseMetric();
    QCOMPARE(label->text(), QString("&Length (mm)"));
    QVERIFY2(preview->hint().startsWith("M12x1.75 x 3.000 mm - "), qPrintable(preview->hint()));
    pitch->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pitch, Qt::Key_Down);
    QVERIFY(pitch->toolTip().endsWith(": M12x1.25"));
  }

  // A slip as ordinary as Process on a fresh metric size must not end the
  // window with every choice in it; the status line says why until the
  // choices change.
  void ATooShortBoltIsRefusedAndTheWindowStays() {
    QCOMPARE(Status(), QString("Ready"));
    ChooseMetric();
    QTest::keyClick(w_->Find("Cmb_Size"), Qt::Key_Return);
    QCOMPARE(w_->platform.messages.size(), size_t{1});
    QVERIFY(w_->platform.messages[0].find(") too short for pitch (") != std::string::npos);
    QVERIFY(!w_->window->ended() && w_->window->isVisible() && !w_->app->exit_status());
    QVERIFY(Scripts().isEmpty());
    // Too long for the line: elided there, whole in the tooltip.
    QCOMPARE(w_->Find("Status")->toolTip(),
             "(Nothing Written) " + QString::fromStdString(w_->platform.messages[0]));
    QVERIFY(Status().endsWith(QChar(0x2026)));
    QVERIFY(w_->Find<QLabel>("Status")->sizeHint().width() <= w_->Find("Status")->width());
    // Any change of the choices: the old report no longer applies.
    QTest::keyClick(w_->Find("TXT_File"), Qt::Key_Backspace);
    QCOMPARE(Status(), QString("Ready"));
    // Mended in place, the same window writes the bolt.
    Type("TXT_Nom_Length", "80");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Return);
    QCOMPARE(Scripts(), QStringList{"MM_01200_HCSW-018_00800-3D(024).scr"});
  }

  // F1 from any control asks for the manual; where no viewer opens it, the
  // message says where it is and the window stays.
  void HelpOpensTheManualOrSaysWhereItIs() {
    for (const char* name : {"Cmb_Size", "TXT_File", "Chk_WBlock", "CmdExit"}) {
      w_->Find(name)->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    QCOMPARE(w_->platform.opened.size(), size_t{4});
    w_->platform.viewer_found = false;
    QTest::mouseClick(w_->Find("CMD_Help"), Qt::LeftButton);
    QCOMPARE(w_->platform.messages,
             std::vector<std::string>{std::string(kNoViewerMessage) +
                                      w_->Path("boltgen.pdf").toStdString() + "."});
    QVERIFY(w_->window->isVisible() && !w_->window->ended());
  }

  // Tab walks the form from the top left to the bottom right, each control
  // once; every control has its own Alt letter, and an Alt letter that is no
  // shortcut never lands in a box.
  void TheKeyboardReachesEveryControlInTheFormsOrder() {
    QWidget* first = w_->Find("Cmb_Size");
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget*> order;
    for (QWidget* at = first; at && !order.contains(at);) {
      order << at;
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      at = QApplication::focusWidget();
      // The inner line edit of a box stands for the box.
      if (at && qobject_cast<QComboBox*>(at->parentWidget())) at = at->parentWidget();
    }
    QList<QWidget*> focusable;
    for (QWidget* widget : w_->window->findChildren<QWidget*>()) {
      if (widget->focusPolicy() & Qt::TabFocus && widget->isEnabled() && widget->isVisible() &&
          widget->window() == w_->window.get() &&
          !qobject_cast<QComboBox*>(widget->parentWidget()))
        focusable << widget;
    }
    QCOMPARE(order.size(), focusable.size());
    for (int i = 1; i < order.size(); ++i) {
      // Never back up and to the left: a new column starts at the top, a
      // new row at the left.
      const QRect was = Global(order[i - 1]), now = Global(order[i]);
      QVERIFY2(!(now.bottom() < was.top() && now.right() < was.left()),
               qPrintable(order[i - 1]->objectName() + " -> " + order[i]->objectName()));
    }
    QCOMPARE(order.back()->objectName(), QString("CmdExit"));

    // Alt letters: one per control, shown underlined (an '&' in its text or
    // in its label's), and each moves the focus there or presses it.
    QSet<QChar> letters;
    for (QWidget* control : focusable) {
      const QChar letter = ShortcutOf(control);
      QVERIFY2(!letter.isNull(), qPrintable(control->objectName() + " has no Alt letter"));
      QVERIFY2(!letters.contains(letter), qPrintable(control->objectName() + " shares " + letter));
      letters << letter;
    }
    auto* length = w_->Find<QLineEdit>("TXT_Nom_Length");
    length->setFocus(Qt::TabFocusReason);
    QTest::keyClick(length, Qt::Key_Q, Qt::AltModifier);  // no shortcut
    QTest::keyClick(length, Qt::Key_D, Qt::AltModifier);  // Nominal &Diameter
    QCOMPARE(length->text(), QString("3.000"));
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == w_->Find("Cmb_Size") || focus->parentWidget() == w_->Find("Cmb_Size"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);  // D&XF
    QTRY_VERIFY(w_->app->controls.Chk_DXF.checked);  // a shortcut clicks a moment later
  }

  // The name follows the washer face box; Process says what it wrote and
  // where, in the status line and, whole, in its tooltip.
  void TheNameAndTheStatusSayWhatIsWritten() {
    QTest::mouseClick(w_->Find("Chk_WF"), Qt::LeftButton);
    QCOMPARE(w_->Find<QLineEdit>("TXT_File")->text(), QString("IN_07500_BLTP-UNC_03000-3D(024)"));
    QTest::mouseClick(w_->Find("Chk_STL"), Qt::LeftButton);
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(Scripts(), QStringList{"IN_07500_BLTP-UNC_03000-3D(024).scr"});
    const QString folder = QDir(w_->folder.path()).canonicalPath();
    QCOMPARE(w_->Find("Status")->toolTip(),
             "(Script File Written) IN_07500_BLTP-UNC_03000-3D(024).scr and 1 other file in " +
                 folder + ". Ready ....");
    // The form's typed segments are named too, once the box is left.
    auto* segments = w_->Find<QComboBox>("CMB_Segments");
    segments->setFocus(Qt::TabFocusReason);
    segments->lineEdit()->selectAll();
    QTest::keyClicks(segments->lineEdit(), "48");
    QTest::keyClick(segments, Qt::Key_Return);
    QTRY_VERIFY(Scripts().contains("IN_07500_BLTP-UNC_03000-3D(048).scr"));
  }

  // Esc closes the preview, not the program; F1 there opens the manual.
  void ThePreviewTakesEscAndF1() {
    QTest::mouseClick(w_->Find("CmdPreview"), Qt::LeftButton);
    PreviewWindow* preview = w_->window->preview();
    QVERIFY(preview && preview->isVisible());
    QTest::keyClick(preview->canvas(), Qt::Key_F1);
    QCOMPARE(w_->platform.opened.size(), size_t{1});
    QTest::keyClick(preview->canvas(), Qt::Key_Escape);
    QVERIFY(!preview->isVisible());
    QVERIFY(w_->window->isVisible() && !w_->app->exit_status());
  }

  // The window starts as it was left; a file someone else wrote is replaced
  // only after a Yes.
  void TheWindowKeepsItsChoicesAndAsksBeforeReplacing() {
    ChooseMetric();
    Type("TXT_Nom_Length", "40");
    QTest::mouseClick(w_->Find("Chk_Nuts"), Qt::LeftButton);
    QFile foreign(w_->Path("MM_01200_HCSW-018_00400-3D(024).scr"));
    QVERIFY(foreign.open(QIODevice::WriteOnly) && foreign.write("notes\n") == 6);
    foreign.close();
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(w_->platform.questions.size(), size_t{1});
    QVERIFY(foreign.open(QIODevice::ReadOnly));
    QCOMPARE(foreign.readAll(), QByteArray("notes\n"));
    QTest::keyClick(w_->Find("CMB_Segments"), Qt::Key_Escape);
    QVERIFY(w_->window->ended());

    const std::map<std::string, std::string> kept = w_->platform.settings;
    w_ = std::make_unique<WindowUnderTest>(kSizeTable, kept);
    QCOMPARE(w_->Find<QComboBox>("Cmb_Size")->currentText(), QString("[Metric M12]"));
    QCOMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("40.000"));
    QVERIFY(w_->Find<QCheckBox>("Chk_Nuts")->isChecked());
    QCOMPARE(w_->Find<QLineEdit>("TXT_File")->text(), QString("MM_01200_HCSW-018_00400-3D(024)"));
    // Switches given: the run is theirs.
    w_ = std::make_unique<WindowUnderTest>(kSizeTable, kept, "/D:0");
    QCOMPARE(w_->Find<QComboBox>("Cmb_Size")->currentText(), QString("[Inch 3/4]"));
  }

  // Without xdg-open the manual still opens in a viewer found on PATH; only
  // when there is none at all the program says so.
  void HelpFindsAViewerWithoutXdgOpen() {
    QTemporaryDir bin;
    const QByteArray old_path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    const QString document = w_->Path("boltgen.pdf");
    QVERIFY(!OpenDocumentAnyWay(document));
    const QString marker = bin.filePath("opened");
    QFile viewer(bin.filePath(FallbackOpeners().at(3)));
    QVERIFY(viewer.open(QIODevice::WriteOnly));
    viewer.write(("#!/bin/sh\necho \"$1\" > " + marker + "\n").toUtf8());
    viewer.close();
    viewer.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const bool opened = OpenDocumentAnyWay(document);
    qputenv("PATH", old_path);
    QVERIFY(opened);
    QFile said(marker);
    QTRY_VERIFY(said.exists() && said.size() > 0);
    QVERIFY(said.open(QIODevice::ReadOnly));
    QCOMPARE(QString(said.readAll()).trimmed(), document);
  }

 private:
  static QRect Global(QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
  }
  // The underlined letter of a control: in its own text, or in the text of
  // the label that names it.
  QChar ShortcutOf(QWidget* control) const {
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
    for (QLabel* label : w_->window->findChildren<QLabel*>()) {
      if (label->buddy() == control) text = label->text();
    }
    const int at = text.indexOf('&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
  }
  void Type(const char* box, const QString& text) {
    auto* edit = w_->Find<QLineEdit>(box);
    edit->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();  // the box left runs its handler, as before a person types
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  QString Status() const { return w_->Find<QLabel>("Status")->text(); }
  QStringList Scripts() const { return QDir(w_->folder.path()).entryList({"*.scr"}, QDir::Files); }
  // The second size, chosen from the list with the keyboard.
  void ChooseMetric() {
    auto* size = w_->Find<QComboBox>("Cmb_Size");
    size->setFocus(Qt::TabFocusReason);
    QTest::keyClick(size, Qt::Key_Down);
    QCOMPARE(size->currentText(), QString("[Metric M12]"));
  }

  std::unique_ptr<WindowUnderTest> w_;
};

}  // namespace boltgen

QTEST_MAIN(boltgen::MainWindowTest)
#include "main_window_test.moc"
