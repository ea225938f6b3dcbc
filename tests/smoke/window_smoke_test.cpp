// Both editions as a Windows user meets them, on Qt's windows platform under wine on a virtual
// display: the real window with the system's drives, Qt's save dialog and the program's files
// beside it, cut to its outline by the system, clicked through to a saved list, and photographed
// as wine draws it.
#include <windows.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "core/listing/mask_list.h"
#include "core/platform/folder_path.h"
#include "full/full_window.h"
#include "lite/lite_list.h"
#include "lite/lite_window.h"
#include "lite/save_panel.h"
#include "shell/application_setup.h"
#include "shell/drive_list.h"
#include "shell/name_table_model.h"
#include "shell/program_files.h"
#include "tests/support/temp_tree.h"
#include "tests/support/window_fakes.h"

namespace brixel::test {

namespace {

// A music folder to list, and an empty folder for the program, which keeps its files beside it.
struct Folders {
  TempTree tree;
  Folders() {
    tree.File("music/my_SONG.Mp3");
    tree.File("music/Track_two.WAV");
    tree.File("music/notes.txt");
    tree.Folder("program");
  }
  std::string Music() const { return tree.Path("music"); }
  std::string Program() const { return tree.Path("program"); }
};

template <typename T>
T& Child(const QWidget& window, const char* name) {
  T* child = window.findChild<T*>(QLatin1String(name));
  if (child == nullptr) qFatal("no control %s", name);
  return *child;
}

void Click(const QWidget& window, const char* name) {
  QTest::mouseClick(&Child<QWidget>(window, name), Qt::LeftButton);
}

QStringList Column(const NameTableModel& model, int column) {
  QStringList names;
  for (int row = 0; row < model.rowCount(); ++row) names << model.index(row, column).data().toString();
  return names;
}

// The system's own region of the window: inside the outline, not at its corners.
bool SystemCutsTheWindow(const QWidget& window) {
  const auto hwnd = reinterpret_cast<HWND>(window.winId());
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  const int kind = ::GetWindowRgn(hwnd, region);
  const qreal scale = window.devicePixelRatioF();
  const auto at = [&](int x, int y) { return ::PtInRegion(region, int(x * scale), int(y * scale)) != 0; };
  const bool cut = kind == COMPLEXREGION && at(300, 300) && at(498, 20) && !at(1, 1) && !at(590, 590);
  ::DeleteObject(region);
  return cut;
}

// Saves the window as Qt draws it and as the screen shows it (wine's drawing, cut to the region).
void Photograph(QWidget& window, const QString& name) {
  const QString folder = ScreenshotFolder() + QLatin1Char('/');
  QVERIFY(window.grab().save(folder + name + QStringLiteral(".png")));
  const QPixmap screen = window.screen()->grabWindow(window.winId());
  QVERIFY(!screen.isNull());
  QVERIFY(screen.save(folder + name + QStringLiteral("-screen.png")));
}

// Answers Qt's save dialog as a user does: the file type, then a name typed in, then Enter.
void AnswerSaveDialog(const QString& folder, const QString& type_starts, const QString& name) {
  QTimer::singleShot(100, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY2(dialog != nullptr, "no save dialog");
    for (const QString& filter : dialog->nameFilters()) {
      if (filter.trimmed().startsWith(type_starts)) {
        dialog->selectNameFilter(filter);
        emit dialog->filterSelected(filter);
      }
    }
    dialog->setDirectory(folder);
    auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(box != nullptr);
    box->clear();
    QTest::keyClicks(box, name);
    QTest::keyClick(box, Qt::Key_Return);
  });
}

std::string ReadAll(const std::string& path) {
  return ReadBytes(path);
}

}  // namespace

class WindowSmokeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
    SetUpApplication(*qApp, QStringLiteral("BrixelSmoke"), QStringLiteral("org.brixel.Smoke"));
  }

  void theFullEditionListsFormatsAndSaves() {
    Folders folders;  // the system's own drives and dialogs
    FullWindow window({.files = LocateProgramFiles(folders.Program()),
                       .start_folder = folders.Music(),
                       .open_url = [](const QUrl&) { return true; }});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The drives are drive letters, and the one holding the start folder is chosen.
    const DriveList& drives = Child<DriveList>(window, "Drive1");
    QVERIFY(drives.count() >= 1);
    for (int i = 0; i < drives.count(); ++i)
      QVERIFY2(drives.itemText(i).contains(QRegularExpression(QStringLiteral("^[A-Z]:\\\\"))),
               qPrintable(drives.itemText(i)));
    QCOMPARE(drives.currentText().left(3), QString::fromStdString(folders.Music()).left(3).toUpper());
    QVERIFY(SystemCutsTheWindow(window));
    // The mask file is made beside the program.
    QVERIFY(std::filesystem::exists(folders.tree.Root() / "program" / kMaskFileName));
    QTRY_COMPARE(Column(window.PreviewModel(), 0), (QStringList{"my_SONG.Mp3", "Track_two.WAV"}));
    Photograph(window, QStringLiteral("windows-full-options"));

    Click(window, "ImgNext");
    QTRY_VERIFY(window.ShowsResultsPage());
    QTRY_COMPARE(Column(window.FoundModel(), 1), (QStringList{"my_SONG.Mp3", "Track_two.WAV"}));
    Click(window, "PicBig");
    QTRY_COMPARE(Column(window.FoundModel(), 1), (QStringList{"MY_SONG.MP3", "TRACK_TWO.WAV"}));
    Photograph(window, QStringLiteral("windows-full-results"));

    AnswerSaveDialog(QString::fromStdString(folders.tree.Path()), QStringLiteral("Текстовый"),
                     QStringLiteral("list"));
    Click(window, "ImgSave");
    const std::string list = folders.tree.Path("list");  // the name as typed, no extension added
    QTRY_VERIFY(std::filesystem::exists(list));
    QTRY_COMPARE(ReadAll(list), std::string("MY_SONG.MP3\r\nTRACK_TWO.WAV\r\n"));
  }

  void theLiteEditionFormatsAndSavesBesideTheProgram() {
    Folders folders;
    LiteWindow window({.files = LocateProgramFiles(folders.Program()),
                       .start_folder = folders.Music(),
                       .open_url = [](const QUrl&) { return true; }});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(SystemCutsTheWindow(window));
    const std::string output = JoinFolder(folders.Program(), "brixel-kzd.txt");
    QCOMPARE(window.Save().TxtSave().text(), QString::fromStdString(output));

    Click(window, "PicNum");
    Click(window, "PicPerBig");
    QTRY_COMPARE(Column(window.List().Model(), 0), (QStringList{"1 My_song.mp3", "2 Track_two.wav"}));
    Photograph(window, QStringLiteral("windows-lite"));

    Click(window, "ImgSave");
    QTRY_COMPARE(ReadAll(output), std::string("1 My_song.mp3\r\n2 Track_two.wav\r\n"));
  }
};

}  // namespace brixel::test

QTEST_MAIN(brixel::test::WindowSmokeTest)
#include "window_smoke_test.moc"
