// The lite window driven as a user would, on the offscreen platform: start-up, the lite list with
// its switches, the save panel, saving, the failure message and help. The dialogs and the drives
// are fakes; the folders and files are real.
#include "lite/lite_window.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <filesystem>
#include <optional>

#include "core/edition.h"
#include "core/platform/file_path.h"
#include "lite/lite_list.h"
#include "lite/lite_save.h"
#include "lite/save_format.h"
#include "lite/save_panel.h"
#include "shell/brixel_look.h"
#include "shell/column_choice.h"
#include "shell/dialog_facade.h"
#include "shell/drive_list.h"
#include "shell/focus_mark.h"
#include "shell/folder_list.h"
#include "shell/formatting_panel.h"
#include "shell/frame.h"
#include "shell/image_button.h"
#include "shell/name_table_model.h"
#include "shell/picture_switch.h"
#include "shell/progress_panel.h"
#include "shell/qt_dialogs.h"
#include "shell/round_button.h"
#include "shell/shaped_window.h"
#include "shell/volume_source.h"
#include "shell/window_jobs.h"
#include "shell/window_region.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/accessible_tree.h"
#include "tests/support/temp_tree.h"
#include "tests/support/window_fakes.h"
#include "tests/support/workbook_check.h"

namespace brixel {
namespace {

// Two drives: the test tree, always ready, and a stick inside it that is never ready.
std::unique_ptr<test::FakeVolumes> TreeAndStick(const std::string& root) {
  auto volumes = std::make_unique<test::FakeVolumes>();
  volumes->volumes = {{root, {}}, {root + "/stick", QStringLiteral("USB")}};
  volumes->failing = {root + "/stick"};
  return volumes;
}

// The messages shown so far, as "title|text".
QStringList Messages(const test::FakeDialogs& dialogs) {
  QStringList shown;
  for (const auto& m : dialogs.messages) shown << m.title + QLatin1Char('|') + m.text;
  return shown;
}

QStringList ShownNames(const LiteWindow& window) {
  const NameTableModel& model = window.List().Model();
  QStringList names;
  for (int row = 0; row < model.rowCount(); ++row) names << model.index(row, 0).data().toString();
  return names;
}

// Lets the job the last action started end.
void Wait(const QWidget& control) {
  QVERIFY(test::Idle(*control.window()));
}

void Click(QWidget& widget) {
  QTest::mouseClick(&widget, Qt::LeftButton);
  Wait(widget);
}

// An entry picked from the drop-down list, as the user does it: also the one already shown.
void Choose(QComboBox& box, int index) {
  box.setCurrentIndex(index);
  emit box.activated(index);
  Wait(box);
}

}  // namespace

class LiteWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ApplyBrixelLook(*qApp); }

  void init() {
    tree_ = std::make_unique<test::TempTree>();
    tree_->Files({"music/track_one.mp3", "music/my_SONG.Mp3", "music/b_side.wav", "music/readme.txt",
                  "music/sub/deep.mp3"});
    tree_->Folder("empty");
    tree_->File("prog/rasshirenia.txt", "*.flac\r\n");
    tree_->File("prog/help/helpl.html", "<html></html>");
    dialogs_ = test::FakeDialogs();
    volumes_ = TreeAndStick(tree_->Path());
    folders_ = std::make_unique<test::HeldFolders>();
    opened_.clear();
    Reopen();
  }

  // A window anew, its start-up listing done: started with a folder named on the command line,
  // or remembering settings from a file.
  void Reopen(std::optional<std::string> named = std::nullopt, std::string settings = {}) {
    model_tester_.reset();
    window_.reset();
    window_ = std::make_unique<LiteWindow>(
        WindowServices{FilesBeside(tree_->Path("prog")), tree_->Path("music"), volumes_.get(), &dialogs_,
                       [this](const QUrl& url) {
                         opened_ << url;
                         return true;
                       },
                       folders_.get(), std::move(named), std::move(settings), &saves_,
                       [] { QFAIL("the program ended without its save"); }});
    model_tester_ = std::make_unique<QAbstractItemModelTester>(
        &window_->List().Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Wait(*window_);  // the start-up listing
  }

  void cleanup() {
    model_tester_.reset();
    window_.reset();
    folders_.reset();
    tree_.reset();
  }

  void startUpState() {
    LiteWindow& w = *window_;
    QCOMPARE(w.objectName(), QStringLiteral("frmBrixel"));
    QCOMPARE(w.windowTitle(), QStringLiteral("BrixelLite V1.0"));
    QCOMPARE(w.Label9().text(), QStringLiteral("Бриксел лайт В.1.0.0"));
    QCOMPARE(w.CboMask().currentIndex(), 0);
    QCOMPARE(w.CboMask().currentText(), QStringLiteral("*.mp3; *.wav"));
    // The mask file's lines come after the eight built-in ones; the file was read from the
    // program's folder.
    QCOMPARE(w.CboMask().count(), 9);
    QCOMPARE(w.CboMask().itemText(8), QStringLiteral("*.flac"));
    QCOMPARE(ShownNames(w), (QStringList{"b_side.wav", "my_SONG.Mp3", "track_one.mp3"}));
    QCOMPARE(w.List().Model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Файлы"));

    FormattingPanel& f = w.Formatting();
    for (PictureSwitch* s :
         {&f.PicNum(), &f.PicBig(), &f.PicSmall(), &f.PicPerBig(), &f.PicBreak(), &f.PicOk(), &w.PicScan()})
      QVERIFY2(!s->IsOn(), qPrintable(s->objectName()));
    QCOMPARE(w.PicScan().ShownLook(), w.Looks().ImgUnchecked.get());
    QCOMPARE(f.PicBig().ShownLook(), w.Looks().ImgRU.get());
    QCOMPARE(f.CboRazr().currentIndex(), 0);
    QCOMPARE(f.TxtNach().text(), QStringLiteral("1"));

    const QString default_output = QString::fromStdString(DefaultOutputFile(tree_->Path("prog"), "*.txt"));
    QVERIFY(default_output.endsWith(QDir::toNativeSeparators(QStringLiteral("/prog/brixel-kzd.txt"))));
    QCOMPARE(w.Save().CboSave().currentText(), QStringLiteral("*.txt"));
    QCOMPARE(w.Save().SaveFormat(), QStringLiteral("*.txt"));
    QCOMPARE(w.Save().TxtSave().text(), default_output);
    QCOMPARE(w.Save().TxtSave().toolTip(), default_output);
    QCOMPARE(w.Save().CboSave().count(), 5);
    QCOMPARE(w.Save().CboSave().itemText(0), QStringLiteral("*.xls"));
    QCOMPARE(w.Save().CboSave().itemText(2), QStringLiteral("*.htm"));
    QCOMPARE(w.Save().CboSave().itemText(3), QStringLiteral("*.csv"));
    QCOMPARE(w.Save().CboSave().itemText(4), QStringLiteral("*.json"));
    QVERIFY(w.Save().Columns().Chosen().empty());  // names only
  }

  void aMaskFileThatIsNoRegularFileLeavesTheBuiltInLines() {
    for (const auto kind : {test::NotAFile::Folder, test::NotAFile::Fifo, test::NotAFile::EndlessDevice}) {
      const std::string program = tree_->Path("odd" + std::to_string(static_cast<int>(kind)));
      tree_->Folder("odd" + std::to_string(static_cast<int>(kind)));
      // Windows folders hold no FIFOs or devices.
      if (!test::MakeNotAFile(program + "/rasshirenia.txt", kind) && kind != test::NotAFile::Folder) continue;
      QVERIFY(std::filesystem::exists(PathFromUtf8(program) / "rasshirenia.txt"));
      LiteWindow window({FilesBeside(program), tree_->Path("music"), volumes_.get(), &dialogs_, {}});
      QCOMPARE(window.CboMask().count(), 8);
      QCOMPARE(window.CboMask().itemText(7), QStringLiteral("*.jpg; *.png"));
    }
  }

  void controlsHaveTheirNamesPlacesAndTexts() {
    const LiteWindow& w = *window_;
    QCOMPARE(w.size(), QSize(601, 594));
    // Twips divided by 15, relative to each control's container.
    const struct {
      const char* name;
      QRect place;
    } places[] = {
        {"Fra1", {20, 52, 525, 297}},        {"FraDir", {0, 0, 193, 225}},
        {"Drive1", {8, 16, 177, 21}},        {"Dir1", {8, 44, 177, 171}},
        {"FraMask", {0, 228, 193, 45}},      {"cboMask", {8, 16, 177, 21}},
        {"FraFile", {204, 0, 321, 273}},     {"FlexGrid1", {8, 16, 301, 249}},
        {"FraNum", {20, 332, 193, 113}},     {"CboRazr", {100, 16, 81, 21}},
        {"TxtNach", {100, 44, 81, 21}},      {"PicNum", {100, 72, 31, 31}},
        {"FraFormat", {224, 332, 321, 169}}, {"PicBig", {8, 16, 40, 40}},
        {"PicSmall", {8, 64, 40, 40}},       {"PicPerBig", {8, 112, 40, 40}},
        {"PicBreak", {244, 16, 31, 31}},     {"PicOk", {248, 88, 31, 31}},
        {"FraBrixel", {20, 448, 193, 53}},   {"PicScan", {24, 16, 31, 31}},
        {"FraSave", {116, 512, 329, 53}},    {"CboSave", {12, 20, 81, 21}},
        {"CmdColumns", {98, 19, 68, 23}},    {"txtSave", {171, 20, 118, 21}},
        {"CmdSave", {292, 20, 21, 21}},      {"ImgHelp", {20, 524, 84, 39}},
        {"ImgSave", {456, 524, 84, 39}},     {"PicMini", {479, 10, 40, 40}},
        {"PicClose", {513, 10, 40, 40}},
    };
    for (const auto& p : places) {
      const QWidget* control = w.findChild<QWidget*>(QLatin1String(p.name));
      QVERIFY2(control != nullptr, p.name);
      QCOMPARE(control->geometry(), p.place);
    }
    const struct {
      const char* name;
      const char* text;
    } captions[] = {{"Label1", "Вложенные папки"},   {"Label2", "Начать с"},
                    {"Label3", "Разрядность"},       {"Label4", "Включить"},
                    {"Label5", "Все буквы большие"}, {"Label8", "Заменить \"_\" на \" \""},
                    {"Label11", "Убрать расширения"}};
    for (const auto& c : captions) {
      const QLabel* label = w.findChild<QLabel*>(QLatin1String(c.name));
      QVERIFY2(label != nullptr, c.name);
      QCOMPARE(label->text(), QString::fromUtf8(c.text));
    }
    // The captions under the switches keep off their frame's edge.
    for (const char* name : {"Label8", "Label11"}) {
      const QLabel& label = *w.findChild<QLabel*>(QLatin1String(name));
      QVERIFY2(label.x() + label.width() <= label.parentWidget()->width() - 10, name);
    }
    const struct {
      const char* name;
      const char* caption;
    } frames[] = {{"Fra1", ""},
                  {"FraDir", "Директория"},
                  {"FraMask", "Маска"},
                  {"FraFile", "Наименования файлов"},
                  {"FraNum", "Нумерация"},
                  {"FraFormat", "Форматирование"},
                  {"FraBrixel", "Опции"},
                  {"FraSave", "Сохранение"}};
    for (const auto& f : frames) {
      const Frame* frame = w.findChild<Frame*>(QLatin1String(f.name));
      QVERIFY2(frame != nullptr, f.name);
      QCOMPARE(frame->Caption(), QString::fromUtf8(f.caption));
    }
    QCOMPARE(w.findChild<QWidget*>(QStringLiteral("PicMini"))->toolTip(), QStringLiteral("Свернуть"));
    QCOMPARE(w.findChild<QWidget*>(QStringLiteral("PicClose"))->toolTip(), QStringLiteral("Закрыть"));
    // Pick-only lists: nothing can be typed into them.
    QVERIFY(!w.CboMask().isEditable() && !w.Save().CboSave().isEditable());
    // The title keeps its place and shows its whole text.
    QCOMPARE(w.Label9().pos(), QPoint(20, 28));
    QVERIFY(w.Label9().width() >= w.Label9().sizeHint().width());
    QCOMPARE(w.List().View().currentIndex().row(), 0);
    QCOMPARE(w.ImgHelp().toolTip(), QStringLiteral("Помощь"));
    QCOMPARE(w.ImgSave().toolTip(), QStringLiteral("Сохранить"));
    QCOMPARE(w.Save().CmdSave().text(), QStringLiteral("..."));
    QCOMPARE(w.Formatting().TxtNach().maxLength(), 5);
    // Shown, the one column fills the grid: no horizontal scroll bar.
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    const QTableView& grid = w.List().View();
    QCOMPARE(grid.columnWidth(0), grid.viewport()->width());
  }

  void switchesFormatAFreshScanInPlace() {
    LiteWindow& w = *window_;
    FormattingPanel& f = w.Formatting();
    Click(f.PicPerBig());
    Click(f.PicBreak());
    Click(f.PicOk());
    QCOMPARE(ShownNames(w), (QStringList{"B side", "My song", "Track one"}));
    Click(f.PicNum());
    f.CboRazr().setCurrentIndex(1);
    Wait(w);
    QCOMPARE(ShownNames(w), (QStringList{"01 B side", "02 My song", "03 Track one"}));
    // A file copied in meanwhile shows up, formatted, at the next run.
    tree_->File("music/a_new.wav");
    f.CboRazr().setCurrentIndex(2);
    Wait(w);
    QCOMPARE(ShownNames(w), (QStringList{"001 A new", "002 B side", "003 My song", "004 Track one"}));
    // Picking the digit count already chosen runs too.
    tree_->File("music/c_newer.mp3");
    QTest::mousePress(&f.CboRazr(), Qt::LeftButton);
    f.CboRazr().hidePopup();
    emit f.CboRazr().activated(2);
    Wait(w);
    QCOMPARE(ShownNames(w).size(), 5);
    // A pick that changes the entry runs once, not twice.
    QSignalSpy runs(&f, &FormattingPanel::runRequested);
    f.CboRazr().setFocus();
    QTest::keyClick(&f.CboRazr(), Qt::Key_Up);
    Wait(w);
    QCOMPARE(f.CboRazr().currentIndex(), 1);
    QCOMPARE(runs.count(), 1);
    QTest::keyClick(&f.CboRazr(), Qt::Key_Down);
    Wait(w);
    QCOMPARE(runs.count(), 2);
    std::filesystem::remove(std::filesystem::path(tree_->Path("music/c_newer.mp3")));
    // Turning switches off undoes them: the run starts from the names as found.
    Click(f.PicPerBig());
    Click(f.PicNum());
    QCOMPARE(ShownNames(w), (QStringList{"a new", "b side", "my SONG", "track one"}));
    Click(f.PicBig());
    QCOMPARE(ShownNames(w), (QStringList{"A NEW", "B SIDE", "MY SONG", "TRACK ONE"}));
    Click(f.PicSmall());
    QVERIFY(!f.PicBig().IsOn());
    QCOMPARE(ShownNames(w), (QStringList{"a new", "b side", "my song", "track one"}));
  }

  void startBoxRunsOnKeyReleaseUnlessEmpty() {
    LiteWindow& w = *window_;
    FormattingPanel& f = w.Formatting();
    Click(f.PicNum());
    QLineEdit& start = f.TxtNach();
    start.setFocus();
    start.selectAll();
    QTest::keyClick(&start, Qt::Key_Backspace);
    Wait(w);
    tree_->File("music/zz.mp3");
    QCOMPARE(ShownNames(w).size(), 3);  // an empty box runs nothing
    QTest::keyClick(&start, Qt::Key_7);
    Wait(w);
    QCOMPARE(ShownNames(w), (QStringList{"7 b_side.wav", "8 my_SONG.Mp3", "9 track_one.mp3", "10 zz.mp3"}));

    // No number: the box turns red and the names show without numbers.
    QTest::keyClick(&start, Qt::Key_X);
    Wait(w);
    QCOMPARE(start.text(), QStringLiteral("7x"));
    QCOMPARE(start.palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(ShownNames(w), (QStringList{"b_side.wav", "my_SONG.Mp3", "track_one.mp3", "zz.mp3"}));
    QTest::keyClick(&start, Qt::Key_Backspace);
    Wait(w);
    QCOMPARE(start.palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(ShownNames(w).first(), QStringLiteral("7 b_side.wav"));
  }

  void listingChoicesRebuildTheListAndResetTheOptions() {
    LiteWindow& w = *window_;
    FormattingPanel& f = w.Formatting();
    Click(f.PicBig());
    Click(f.PicNum());
    f.CboRazr().setCurrentIndex(3);
    Wait(w);
    f.TxtNach().setText(QStringLiteral("5"));

    Choose(w.CboMask(), 2);  // "*.wav"
    QCOMPARE(ShownNames(w), QStringList{"b_side.wav"});
    QVERIFY(!f.PicBig().IsOn() && !f.PicNum().IsOn());
    QCOMPARE(f.CboRazr().currentIndex(), 0);
    QCOMPARE(f.TxtNach().text(), QStringLiteral("1"));

    Click(f.PicOk());
    QVERIFY(w.Dir1().SetPath(tree_->Path(), tree_->Path("music/sub")));
    Wait(w);
    QCOMPARE(ShownNames(w), QStringList{""});  // no wav there
    QVERIFY(!f.PicOk().IsOn());
    Choose(w.CboMask(), 1);
    QCOMPARE(ShownNames(w), QStringList{"deep.mp3"});

    // Picking the line already shown rebuilds the list too, with files added meanwhile.
    Click(f.PicBig());
    tree_->File("music/sub/added.mp3");
    Choose(w.CboMask(), 1);
    QCOMPARE(ShownNames(w), (QStringList{"added.mp3", "deep.mp3"}));
    QVERIFY(!f.PicBig().IsOn());
  }

  void emptyFolderKeepsItsBlankRow() {
    LiteWindow& w = *window_;
    QVERIFY(w.Dir1().SetPath(tree_->Path(), tree_->Path("empty")));
    Wait(w);
    QCOMPARE(ShownNames(w), QStringList{""});
    Click(w.Formatting().PicNum());
    Click(w.Formatting().PicPerBig());
    QVERIFY(w.Formatting().PicNum().IsOn());
    QCOMPARE(ShownNames(w), QStringList{""});
  }

  void subfolderSwitchChangesOnlyItsLook() {
    LiteWindow& w = *window_;
    const QStringList before = ShownNames(w);
    Click(w.PicScan());
    QVERIFY(w.PicScan().IsOn());
    QCOMPARE(ShownNames(w), before);
    Click(w.Formatting().PicOk());
    QCOMPARE(ShownNames(w), (QStringList{"b_side", "my_SONG", "track_one"}));  // never deep.mp3
  }

  void driveThatIsNotReadyIsUndoneSilently() {
    LiteWindow& w = *window_;
    Click(w.Formatting().PicBig());
    w.Drive1().setCurrentIndex(1);
    Wait(w);
    QCOMPARE(w.Drive1().currentIndex(), 0);
    QCOMPARE(w.Dir1().Path(), tree_->Path("music"));
    QVERIFY(dialogs_.messages.empty());
    // Going back is a drive change of its own: the list is rebuilt and the options reset.
    QVERIFY(!w.Formatting().PicBig().IsOn());
    QCOMPARE(ShownNames(w), (QStringList{"b_side.wav", "my_SONG.Mp3", "track_one.mp3"}));
  }

  void formatChoiceReplacesTheExtension() {
    SavePanel& panel = window_->Save();
    const QString stem = panel.TxtSave().text().chopped(4);
    Choose(panel.CboSave(), 0);
    QCOMPARE(panel.SaveFormat(), QStringLiteral("*.xls"));
    QCOMPARE(panel.TxtSave().text(), stem + QStringLiteral(".xls"));
    QCOMPARE(panel.TxtSave().toolTip(), stem + QStringLiteral(".xls"));

    panel.TxtSave().clear();
    Choose(panel.CboSave(), 2);
    QCOMPARE(panel.TxtSave().text(), QString());
    QCOMPARE(panel.SaveFormat(), QStringLiteral("*.htm"));

    // Typed by hand: the tool tip shows the typed path; a short text keeps what was typed.
    QTest::keyClicks(&panel.TxtSave(), QStringLiteral("ab"));
    QCOMPARE(panel.TxtSave().toolTip(), QStringLiteral("ab"));
    Choose(panel.CboSave(), 1);
    QCOMPARE(panel.TxtSave().text(), QStringLiteral("ab.txt"));

    // The entry already shown, picked again, puts its extension on a typed path.
    QTest::keyClicks(&panel.TxtSave(), QStringLiteral(".doc"));
    Choose(panel.CboSave(), 1);
    QCOMPARE(panel.TxtSave().text(), QStringLiteral("ab.txt.txt"));
    QCOMPARE(panel.TxtSave().toolTip(), QStringLiteral("ab.txt.txt"));
  }

  void cmdSaveAppendsTheExtensionAlwaysAndCancelKeepsTheBox() {
    SavePanel& panel = window_->Save();
    const QString before = panel.TxtSave().text();
    dialogs_.answer.reset();
    Click(panel.CmdSave());
    QCOMPARE(dialogs_.questions.back().file_types, QStringList{"*.txt"});
    QCOMPARE(dialogs_.questions.back().filter_index, 1);
    QCOMPARE(panel.TxtSave().text(), before);

    dialogs_.answer = SaveFileChoice{QStringLiteral("/home/u/list.txt"), 1};
    Click(panel.CmdSave());
    QCOMPARE(panel.TxtSave().text(), QStringLiteral("/home/u/list.txt.txt"));
    QCOMPARE(panel.TxtSave().toolTip(), QStringLiteral("/home/u/list.txt.txt"));

    Choose(panel.CboSave(), 2);
    dialogs_.answer = SaveFileChoice{QStringLiteral("/home/u/page"), 1};
    Click(panel.CmdSave());
    QCOMPARE(dialogs_.questions.back().file_types, QStringList{"*.htm"});
    QCOMPARE(panel.TxtSave().text(), QStringLiteral("/home/u/page.htm"));
    QVERIFY(dialogs_.messages.empty());
  }

  // Qt's own dialog: the save format is its whole filter, the name comes back as picked, and no
  // question about replacing that name is asked, since the extension is still to come.
  void cmdSaveWithQtsDialog() {
    QWidget host;
    QtDialogs dialogs;
    SavePanel panel(host, dialogs);
    panel.ChooseFormat(2);
    QStringList filters;
    bool asks_before_replacing = true;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      filters = dialog->nameFilters();
      asks_before_replacing = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      dialog->setDirectory(QString::fromStdString(tree_->Path("music")));
      dialog->selectFile(QStringLiteral("list.htm"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    Click(panel.CmdSave());
    QCOMPARE(filters, QStringList{"*.htm"});
    QVERIFY(!asks_before_replacing);
    QCOMPARE(panel.TxtSave().text(), QString::fromStdString(tree_->Path("music/list.htm.htm")));
  }

  void saveWritesTheScanInScanOrder() {
    LiteWindow& w = *window_;
    FormattingPanel& f = w.Formatting();
    const std::string output = tree_->Path("list.txt");
    w.Save().TxtSave().setText(QString::fromStdString(output));
    Click(w.PicScan());
    Click(f.PicNum());
    Click(f.PicOk());
    f.CboRazr().setCurrentIndex(1);
    Wait(w);
    Click(w.ImgSave());
    QVERIFY(dialogs_.messages.empty());
    // Both mp3 names first (in the system's order), then the wav name, then the subfolder.
    const QStringList lines = QString::fromStdString(test::ReadBytes(output)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(QStringList({lines[0], lines[1]}).join(' ').count(QStringLiteral("my_SONG")), 1);
    QVERIFY(lines[0].startsWith(QStringLiteral("01 ")) && lines[1].startsWith(QStringLiteral("02 ")));
    QCOMPARE(lines[2], QStringLiteral("03 b_side"));
    QCOMPARE(lines[3], QStringLiteral("04 deep"));
    // A second save appends the list again, numbered from the start.
    Click(w.ImgSave());
    QCOMPARE(QString::fromStdString(test::ReadBytes(output)).split(QStringLiteral("\r\n")).mid(4, 4),
             lines.mid(0, 4));
  }

  void workbooksSavedUnderTheUsersLocaleAreReadRight() {
    // The window runs with the C locale of the user's environment, as Qt sets it at start.
    if (!test::ReaderAvailable("openpyxl"))
      QSKIP("openpyxl cannot be run here (not installed, or a Windows build under wine)");
    LiteWindow& w = *window_;
    QVERIFY(w.Dir1().SetPath(tree_->Path(), tree_->Path("music/sub")));
    Choose(w.Save().CboSave(), 0);  // *.xls: a workbook, .xlsx by the name below
    int saved = 0;
    for (const char* locale : {"ru_RU.UTF-8", "de_DE.UTF-8"}) {
      const std::string path = tree_->Path(std::string("list-") + locale + ".xlsx");
      w.Save().TxtSave().setText(QString::fromStdString(path));
      {
        const test::ProcessLocale user(locale);
        if (!user.Installed()) continue;
        Click(w.ImgSave());
      }
      QVERIFY(dialogs_.messages.empty());
      const test::ReaderVerdict verdict =
          test::CheckWorkbook("openpyxl", path, {"deep.mp3"}, LayoutOf(kLiteEdition));
      QVERIFY2(verdict.ok, verdict.output.c_str());
      ++saved;
    }
    if (saved == 0) QSKIP("neither ru_RU.UTF-8 nor de_DE.UTF-8 is installed (./test makes them)");
  }

  void saveSortsTheListOnTheTextItShows() {
    LiteWindow& w = *window_;
    tree_->Files({"nums/10.mp3", "nums/9a.mp3"});
    QVERIFY(w.Dir1().SetPath(tree_->Path(), tree_->Path("nums")));
    Wait(w);
    Click(w.Formatting().PicOk());
    QCOMPARE(ShownNames(w), (QStringList{"9a", "10"}));  // sorted as found
    w.Save().TxtSave().setText(QString::fromStdString(tree_->Path("nums.txt")));
    Click(w.ImgSave());
    QCOMPARE(ShownNames(w), (QStringList{"10", "9a"}));  // a whole number sorts first
    Click(w.Formatting().PicBig());
    QCOMPARE(ShownNames(w), (QStringList{"9A", "10"}));  // until the next rebuild
  }

  void failedSaveShowsTheMessageAndKeepsGoing() {
    LiteWindow& w = *window_;
    w.Save().TxtSave().setText(QString::fromStdString(tree_->Path("no/such/folder/list.txt")));
    Click(w.ImgSave());
    QCOMPARE(Messages(dialogs_),
             QStringList{QStringLiteral("Внимание ! ! !|Произошла непредвиденная ошибка")});

    const std::string kept = tree_->Path("kept.txt");
    test::WriteBytes(kept, "kept");
    w.Save().TxtSave().setText(QString::fromStdString(kept));
    Click(w.Formatting().PicNum());
    w.Formatting().TxtNach().setText(QStringLiteral("x"));
    Click(w.ImgSave());
    QCOMPARE(dialogs_.messages.size(), std::size_t{2});
    QCOMPARE(test::ReadBytes(kept), std::string("kept"));

    w.Formatting().TxtNach().setText(QStringLiteral("1"));
    Click(w.ImgSave());
    QCOMPARE(dialogs_.messages.size(), std::size_t{2});
    QCOMPARE(test::ReadBytes(kept).substr(0, 6), std::string("kept1 "));
  }

  void helpOpensThePageBesideTheProgram() {
    Click(window_->ImgHelp());
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(QDir::toNativeSeparators(opened_.front().toLocalFile()),
             QString::fromStdString(tree_->Path("prog/help/helpl.html")));
    std::filesystem::remove(tree_->Root() / "prog/help/helpl.html");
    Click(window_->ImgHelp());
    QCOMPARE(opened_.size(), 1);
    QVERIFY(dialogs_.messages.empty());
  }

  void screenshots() {
    LiteWindow& w = *window_;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Shoot(QStringLiteral("start"));
    FormattingPanel& f = w.Formatting();
    Click(f.PicPerBig());
    Click(f.PicBreak());
    Click(f.PicNum());
    Click(f.PicOk());
    Click(w.PicScan());
    f.CboRazr().setCurrentIndex(1);
    Wait(w);
    Choose(w.Save().CboSave(), 4);
    QVERIFY(w.Save().TxtSave().text().endsWith(QStringLiteral("brixel-kzd.json")));
    Shoot(QStringLiteral("formatted"));
  }

  // Screen readers and the keyboard.

  void everyControlSpeaks() {
    LiteWindow& w = *window_;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Name),
             QStringLiteral("BrixelLite V1.0"));
    QCOMPARE(test::AccessibilityFaults(w), QStringList());
    QAccessibleInterface* format = QAccessible::queryAccessibleInterface(&w.Save().CboSave());
    QCOMPARE(format->text(QAccessible::Name), QStringLiteral("Формат списка"));
    QCOMPARE(format->text(QAccessible::Value), QStringLiteral("*.txt"));
    // The numbering switch, pressed by a screen reader.
    QAccessibleInterface* numbering = QAccessible::queryAccessibleInterface(&w.Formatting().PicNum());
    QAccessibleActionInterface* toggle = numbering->actionInterface();
    QVERIFY(toggle != nullptr);
    toggle->doAction(QAccessibleActionInterface::toggleAction());
    Wait(w);
    QVERIFY(numbering->state().checked);
    QCOMPARE(ShownNames(w).first(), QStringLiteral("1 b_side.wav"));
  }

  void theKeyboardReachesTheTitleButtonsAndAltF4Closes() {
    LiteWindow& w = *window_;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ImgSave().setFocus();
    QTest::keyClick(&w.ImgSave(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &w.PicMini());
    QTest::keyClick(&w.PicMini(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &w.PicClose());
    QCOMPARE(w.FocusMarker().Target(), &w.PicClose());
    Shoot(QStringLiteral("focus-close"));
    QTest::keyClick(&w.PicClose(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &w.Drive1());
    QTest::keyClick(&w.Drive1(), Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!w.isVisible());
  }

  // The window remembers; folders come in from outside.

  void settingsAreRememberedFromRunToRun() {
    const std::string settings = tree_->Path("prog/BrixelLite.ini");
    Reopen(std::nullopt, settings);
    LiteWindow* w = window_.get();
    Click(w->Formatting().PicPerBig());
    Click(w->Formatting().PicOk());
    Click(w->Formatting().PicNum());
    Choose(w->Formatting().CboRazr(), 1);
    Click(w->PicScan());
    Choose(w->Save().CboSave(), 2);
    w->Save().SetOutputFile(QString::fromStdString(tree_->Path("lists/list.htm")));
    const QStringList formatted = ShownNames(*w);
    QCOMPARE(formatted.first(), QStringLiteral("01 B_side"));
    w->close();

    Reopen(std::nullopt, settings);
    w = window_.get();
    QCOMPARE(ShownNames(*w), formatted);
    QVERIFY(w->Formatting().PicPerBig().IsOn() && w->PicScan().IsOn());
    QCOMPARE(w->Formatting().CboRazr().currentIndex(), 1);
    QCOMPARE(w->Save().SaveFormat(), QStringLiteral("*.htm"));
    QCOMPARE(w->Save().TxtSave().text(), QString::fromStdString(tree_->Path("lists/list.htm")));

    // A newer version's file: this start is as without it, and it is left as it was.
    test::WriteBytes(settings, "format=9\n[formatting]\ncase=1\n");
    Reopen(std::nullopt, settings);
    QVERIFY(!window_->Formatting().PicBig().IsOn());
    window_->close();
    QCOMPARE(test::ReadBytes(settings), std::string("format=9\n[formatting]\ncase=1\n"));
  }

  void aFolderNamedOrDroppedIsChosen() {
    Reopen(tree_->Path("music/sub/deep.mp3"));
    QCOMPARE(window_->Dir1().Path(), tree_->Path("music/sub"));
    QCOMPARE(ShownNames(*window_), QStringList{"deep.mp3"});

    QVERIFY(test::DropPath(*window_, tree_->Path("music")));
    Wait(*window_);
    QCOMPARE(window_->Dir1().Path(), tree_->Path("music"));
    QCOMPARE(ShownNames(*window_).size(), 3);
    QVERIFY(dialogs_.messages.empty());
  }

  void copyPutsTheListOnTheClipboard() {
    LiteWindow& w = *window_;
    Click(w.Formatting().PicOk());
    QTableView& list = w.List().View();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b_side\nmy_SONG\ntrack_one\n"));
    list.selectRow(1);
    list.actions().value(0)->trigger();  // «Копировать» in the context menu
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("my_SONG\n"));
  }

  // Long jobs, with the held folder source standing for a slow share: a scan waits at a folder
  // until the test lets it go, or until the scan is stopped.

  void aCancelledSaveLeavesTheFileAsItWasAndNoTemporaryFile() {
    LiteWindow& w = *window_;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.PicScan());
    QSignalSpy panel_shown(&w.Jobs(), &WindowJobs::panelShown);
    for (const int format : {1, 2}) {  // "*.txt", "*.htm"
      Choose(w.Save().CboSave(), format);
      const std::string output = tree_->Path("list" + w.Save().SaveFormat().mid(1).toStdString());
      test::WriteBytes(output, "kept");
      w.Save().TxtSave().setText(QString::fromStdString(output));
      folders_->Hold(2);  // the subfolder: the folder's own names are written by then
      QTest::mouseClick(&w.ImgSave(), Qt::LeftButton);
      QVERIFY(folders_->WaitUntilHeld());
      if (format == 1) {
        QVERIFY(panel_shown.wait());
        QCOMPARE(w.Jobs().Panel().Caption(), QStringLiteral("Сохранение списка"));
        QVERIFY(!w.ImgSave().isEnabled() && !w.Save().TxtSave().isEnabled());
        Shoot(QStringLiteral("progress"));
      }
      // A second save asked for meanwhile is refused, by the button and otherwise.
      QTest::mouseClick(&w.ImgSave(), Qt::LeftButton);
      w.LiteSave();
      QTest::keyClick(&w, Qt::Key_Escape);
      QVERIFY(w.Jobs().Busy());  // a save is waited for: it puts its file back first
      Wait(w);
      QCOMPARE(test::ReadBytes(output), std::string("kept"));
      folders_->Release();
    }
    QCOMPARE(QDir(QString::fromStdString(tree_->Path())).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"list.htm", "list.txt"}));
    QVERIFY(dialogs_.messages.empty());
    Click(w.ImgSave());  // not cancelled: the page is replaced
    QVERIFY(test::ReadBytes(tree_->Path("list.htm")).find("deep.mp3") != std::string::npos);
  }

  void aCancelledRebuildOrRunKeepsTheListAndTheChoice() {
    LiteWindow& w = *window_;
    FormattingPanel& f = w.Formatting();
    const QStringList names = ShownNames(w);
    folders_->Hold();
    w.CboMask().setCurrentIndex(2);
    emit w.CboMask().activated(2);
    QVERIFY(folders_->WaitUntilHeld());
    w.Jobs().Cancel();
    QCOMPARE(w.CboMask().currentIndex(), 0);
    QCOMPARE(ShownNames(w), names);
    Wait(w);

    QTest::mouseClick(&f.PicBig(), Qt::LeftButton);
    QVERIFY(folders_->WaitUntilHeld());
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!f.PicBig().IsOn());
    QCOMPARE(ShownNames(w), names);
    Wait(w);

    // The switches stay live while a run reads the folder: the newest options win.
    QTest::mouseClick(&f.PicBig(), Qt::LeftButton);
    QVERIFY(folders_->WaitUntilHeld());
    QTest::mouseClick(&f.PicOk(), Qt::LeftButton);
    folders_->Release();
    Wait(w);
    QCOMPARE(ShownNames(w), (QStringList{"B_SIDE", "MY_SONG", "TRACK_ONE"}));
  }

  void closingMidSaveStopsItAndClosesAtOnce() {
    LiteWindow& w = *window_;
    const std::string output = tree_->Path("kept.txt");
    test::WriteBytes(output, "kept");
    w.Save().TxtSave().setText(QString::fromStdString(output));
    folders_->Hold();
    QTest::mouseClick(&w.ImgSave(), Qt::LeftButton);
    QVERIFY(folders_->WaitUntilHeld());
    Click(w.PicClose());
    QVERIFY(!w.isVisible());
    QCOMPARE(test::ReadBytes(output), std::string("kept"));
  }

  void aStopAtAnyStepOfASaveLeavesTheFileAsItWas() {
    LiteWindow& w = *window_;
    const auto files = [&] {
      return QDir(QString::fromStdString(tree_->Path())).entryList(QDir::Files | QDir::Hidden);
    };
    const QStringList files_before = files();
    for (const int format : {0, 1, 2}) {  // "*.xls", "*.txt", "*.htm"
      Choose(w.Save().CboSave(), format);
      const std::string output = tree_->Path("list" + w.Save().SaveFormat().mid(1).toStdString());
      w.Save().TxtSave().setText(QString::fromStdString(output));
      for (const test::FailingCall step :
           {test::FailingCall::Write, test::FailingCall::Sync, test::FailingCall::Link}) {
        for (const bool named : {false, true}) {  // a file system with O_TMPFILE, or without (vfat)
          test::WriteBytes(output, "kept");
          bool stopped = false;
          test::FailingFileSystem fs(step, [&] {
            stopped = true;
            test::OnWindowThread(w, [&] { w.Jobs().Cancel(); });
          });
          fs.refuse_unnamed = named;
          saves_.now = &fs;
          Click(w.ImgSave());
          saves_.now = &platform::NativeFileSystem();
          const std::string bytes = test::ReadBytes(output);
          QVERIFY(stopped || step != test::FailingCall::Sync);  // every writer gets there
          QVERIFY(stopped ? bytes == "kept" : bytes != "kept");
          QCOMPARE(files(), files_before + QStringList{QFileInfo(QString::fromStdString(output)).fileName()});
          QFile::remove(QString::fromStdString(output));
        }
      }
    }
    QVERIFY(dialogs_.messages.empty());
  }

  void aTextListGoesOnlyOntoATextListAndLossesAreAskedFirst() {
    LiteWindow& w = *window_;
    Choose(w.Save().CboSave(), 1);  // "*.txt"
    const std::string output = tree_->Path("book.txt");
    test::WriteBytes(output, std::string("PK\x03\x04", 4) + "rest");
    w.Save().TxtSave().setText(QString::fromStdString(output));
    Click(w.ImgSave());
    QCOMPARE(test::ReadBytes(output), std::string("PK\x03\x04", 4) + "rest");
    QCOMPARE(dialogs_.messages.size(), std::size_t{1});
    QVERIFY(dialogs_.messages[0].text.contains(QString::fromStdString(output)));
    QVERIFY(dialogs_.asked.empty());

    // A name below the folder, found only by the save's own scan with the subfolders.
    tree_->File("music/sub/Ωmega.mp3");
    QFile::remove(QString::fromStdString(output));
    Click(w.PicScan());
    dialogs_.go_on = false;
    Click(w.ImgSave());
    QCOMPARE(dialogs_.asked.size(), std::size_t{1});
    QVERIFY(dialogs_.asked[0].text.contains(QStringLiteral("Ωmega")));
    QVERIFY(!QFile::exists(QString::fromStdString(output)));
    dialogs_.go_on = true;
    Click(w.ImgSave());
    QVERIFY(test::ReadBytes(output).find("?mega") != std::string::npos);
  }

 private:
  // Grabbed as the window shows on a desktop: cut to its outline, at 100 % and at 200 % scale.
  void Shoot(const QString& name) {
    for (int scale : {1, 2}) {
      QImage image(window_->size() * scale, QImage::Format_ARGB32_Premultiplied);
      image.setDevicePixelRatio(scale);
      image.fill(Qt::transparent);
      window_->render(&image, QPoint(), WindowRegion());
      const QString file = test::ScreenshotFolder() + QStringLiteral("/lite-") + name +
                           (scale == 1 ? QString() : QStringLiteral("@2x")) + QStringLiteral(".png");
      QVERIFY2(image.save(file), qPrintable(file));
    }
  }

  std::unique_ptr<test::TempTree> tree_;
  test::FakeDialogs dialogs_;
  std::unique_ptr<test::FakeVolumes> volumes_;
  std::unique_ptr<test::HeldFolders> folders_;
  test::SteeredFileSystem saves_;
  QList<QUrl> opened_;
  std::unique_ptr<LiteWindow> window_;
  std::unique_ptr<QAbstractItemModelTester> model_tester_;
};

}  // namespace brixel

QTEST_MAIN(brixel::LiteWindowTest)
#include "lite_window_test.moc"
