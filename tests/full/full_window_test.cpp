// The full edition's window driven as a user drives it, on the offscreen platform.
#include "full/full_window.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>
#include <random>

#include "core/export/list_writer.h"
#include "core/listing/mask_list.h"
#include "shell/brixel_look.h"
#include "shell/column_choice.h"
#include "shell/drive_list.h"
#include "shell/focus_mark.h"
#include "shell/folder_chooser.h"
#include "shell/folder_list.h"
#include "shell/formatting_panel.h"
#include "shell/image_button.h"
#include "shell/job_progress.h"
#include "shell/name_table_model.h"
#include "shell/picture_switch.h"
#include "shell/progress_panel.h"
#include "shell/window_jobs.h"
#include "shell/window_region.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/accessible_tree.h"
#include "tests/support/temp_tree.h"
#include "tests/support/window_fakes.h"
#include "tests/support/workbook_check.h"

namespace brixel::test {

namespace {

// Drive A holds the start folder; drive B is not ready; drive C is.
struct Fixture {
  TempTree root;
  FakeVolumes volumes;
  FakeDialogs dialogs;
  HeldFolders folders;
  std::vector<QUrl> opened;
  SteeredFileSystem saves;  // where saves write
  std::function<void()> end_with_running_save = [] { QFAIL("the program ended without its save"); };
  std::unique_ptr<FullWindow> window;

  Fixture() {
    root.File("a/music/song.mp3");
    root.File("a/music/my_SONG.Mp3");
    root.File("a/music/Track_two.WAV");
    root.File("a/music/notes.txt");
    root.File("a/music/sub/deep.mp3");
    root.File("a/music/sub/song.mp3");
    root.Folder("a/empty");
    root.Folder("b");
    root.File("c/x.mp3");
    root.File("program/help/help.html", "<html></html>");
    root.File("program/rasshirenia.txt", "*.flac\r\n*.ogg; *.mp3\r\n");
    volumes.volumes = {{root.Path("a"), {}}, {root.Path("b"), QStringLiteral("card")}, {root.Path("c"), {}}};
    volumes.failing = {root.Path("b")};
    Reopen();
  }

  // A window anew, shown, its start-up listing done: started with a folder named on the command
  // line, or remembering settings from a file.
  void Reopen(std::optional<std::string> named = std::nullopt, std::string settings = {}) {
    window.reset();
    window = std::make_unique<FullWindow>(
        WindowServices{FilesBeside(root.Path("program")), root.Path("a/music"), &volumes, &dialogs,
                       [this](const QUrl& url) {
                         opened.push_back(url);
                         return true;
                       },
                       &folders, std::move(named), std::move(settings), &saves, end_with_running_save});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    Wait();  // the start-up preview
  }

  // Lets the job the last action started end.
  void Wait() const { QVERIFY(Idle(*window)); }

  template <typename T>
  T& Get(const char* name) const {
    T* child = window->findChild<T*>(QLatin1String(name));
    if (child == nullptr) qFatal("no control %s", name);
    return *child;
  }
  PictureSwitch& Switch(const char* name) const { return Get<PictureSwitch>(name); }
  void Click(const char* name) const {
    QTest::mouseClick(&Get<QWidget>(name), Qt::LeftButton);
    Wait();
  }

  QStringList Column(const NameTableModel& model, int column) const {
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row) names << model.index(row, column).data().toString();
    return names;
  }
  QStringList Preview() const { return Column(window->PreviewModel(), 0); }
  QStringList AsFound() const { return Column(window->FoundModel(), 0); }
  QStringList Formatted() const { return Column(window->FoundModel(), 1); }
  QString Count() const { return Get<QLabel>("Label10").text(); }
  QStringList OnSwitches() const {
    QStringList on;
    for (const char* name : {"PicNum", "PicBreak", "PicBig", "PicSmall", "PicPerBig", "PicOk"})
      if (Switch(name).IsOn()) on << QLatin1String(name);
    return on;
  }
  // As Qt reports a line picked with the mouse or the keyboard.
  void PickMask(int line) const {
    QComboBox& masks = Get<QComboBox>("cboMask");
    masks.setCurrentIndex(line);
    emit masks.activated(line);
    Wait();
  }
  // Starts the next button's listing and lets it reach its first folder read, which is held.
  void StartHeldListing() {
    folders.Hold();
    QTest::mouseClick(&Get<QWidget>("ImgNext"), Qt::LeftButton);
    QVERIFY(folders.WaitUntilHeld());
  }
  // Grabbed as the window shows on a desktop: cut to its outline, at 100 % and at 200 % scale.
  void Shoot(const QString& name) const {
    for (int scale : {1, 2}) {
      QImage image(window->size() * scale, QImage::Format_ARGB32_Premultiplied);
      image.setDevicePixelRatio(scale);
      image.fill(Qt::transparent);
      window->render(&image, QPoint(), WindowRegion());
      const QString file = ScreenshotFolder() + QLatin1Char('/') + name +
                           (scale == 1 ? QString() : QStringLiteral("@2x")) + QStringLiteral(".png");
      QVERIFY2(image.save(file), qPrintable(file));
    }
  }
  // Saves the table as file type `type` (1 text, 2 spreadsheet, 3 HTML) to `name` beside the
  // folders, over a file holding "kept", through `fs`; the file's bytes after the save.
  std::string SaveOverKept(const std::string& name, int type, const platform::FileSystem& fs) {
    const std::string path = root.Path(name);
    WriteBytes(path, "kept");
    dialogs.answer = SaveFileChoice{QString::fromStdString(path), type};
    saves.now = &fs;
    Click("ImgSave");
    saves.now = &platform::NativeFileSystem();
    return ReadBytes(path);
  }
  // The files beside the folders: a save leaves no temporary file there.
  QStringList Files() const {
    return QDir(QString::fromStdString(root.Path())).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }
  void OpenFolder(const std::string& path) const {
    Get<FolderList>("Dir1").SetPath(root.Path("a"), path);
    Wait();
  }
};

}  // namespace

class FullWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Fixture> f;

 private slots:
  void initTestCase() { ApplyBrixelLook(*qobject_cast<QApplication*>(QCoreApplication::instance())); }
  void init() { f = std::make_unique<Fixture>(); }
  void cleanup() { f.reset(); }

  void startUpShowsTheOptionsPageForTheCurrentFolder() {
    FullWindow& w = *f->window;
    QCOMPARE(w.objectName(), QStringLiteral("frmBrixel"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Brixel V2.0"));
    QCOMPARE(f->Get<QLabel>("Label9").text(), QStringLiteral("Бриксел В.2.0.1"));
    QCOMPARE(f->Get<QComboBox>("cboMask").currentIndex(), 0);
    QCOMPARE(f->Get<QComboBox>("cboMask").currentText(), QStringLiteral("*.mp3; *.wav"));
    QCOMPARE(f->Get<DriveList>("Drive1").currentIndex(), 0);
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music"));
    QCOMPARE(f->Preview(), (QStringList{"my_SONG.Mp3", "song.mp3", "Track_two.WAV"}));
    QCOMPARE(w.PreviewModel().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Файлы"));
    QCOMPARE(w.FoundModel().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Названия до переименования"));
    QCOMPARE(w.FoundModel().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Названия после переименования"));
    QVERIFY(!f->Switch("PicScan").IsOn());
    QVERIFY(f->OnSwitches().isEmpty());
    QCOMPARE(f->Get<QComboBox>("CboRazr").currentIndex(), 0);
    QCOMPARE(f->Get<QLineEdit>("TxtNach").text(), QStringLiteral("1"));
    QVERIFY(!w.ShowsResultsPage());
    for (const char* shown : {"Fra1", "FraBrixel", "ImgNext", "ImgHelp", "PicMini", "PicClose", "Label9"})
      QVERIFY2(f->Get<QWidget>(shown).isVisible(), shown);
    for (const char* hidden :
         {"Fra2", "FGrid2", "FraFind", "FraNum", "FraFormat", "ImgSave", "ImgChancel", "ImgBack"})
      QVERIFY2(!f->Get<QWidget>(hidden).isVisible(), hidden);
    // Column widths: the preview's column fills its list, and each of the table's columns is
    // 7755 / 2 - 150 (3728) twips.
    QTableView& preview = f->Get<QTableView>("FlexGrid1");
    QCOMPARE(preview.columnWidth(0), preview.viewport()->width());
    QCOMPARE(f->Get<QTableView>("FGrid2").columnWidth(0), 249);
    QCOMPARE(f->Get<QTableView>("FGrid2").columnWidth(1), 249);
  }

  void controlsStandWhereTheLayoutPutsThem() {
    // Twips divided by 15, relative to each control's container.
    const std::pair<const char*, QRect> places[] = {
        {"Fra1", {20, 52, 525, 461}},        {"FraDir", {0, 0, 193, 409}},
        {"Drive1", {8, 16, 177, 21}},        {"Dir1", {8, 44, 177, 351}},
        {"FraMask", {0, 412, 193, 45}},      {"cboMask", {8, 16, 177, 21}},
        {"FraFile", {204, 0, 321, 457}},     {"FlexGrid1", {8, 16, 301, 433}},
        {"Fra2", {20, 52, 525, 309}},        {"FGrid2", {4, 4, 517, 301}},
        {"FraFind", {24, 364, 189, 41}},     {"Label10", {12, 16, 165, 21}},
        {"FraNum", {24, 404, 189, 113}},     {"PicNum", {100, 72, 31, 31}},
        {"FraFormat", {216, 364, 329, 153}}, {"PicBig", {8, 16, 40, 40}},
        {"PicSmall", {8, 60, 40, 40}},       {"PicPerBig", {8, 104, 40, 40}},
        {"FraBrixel", {180, 512, 201, 53}},  {"PicScan", {24, 16, 31, 31}},
        {"CmdColumns", {388, 524, 64, 29}},  {"ImgHelp", {20, 524, 84, 39}},
        {"ImgBack", {280, 524, 84, 39}},     {"ImgChancel", {368, 524, 84, 39}},
        {"ImgNext", {456, 524, 84, 39}},     {"ImgSave", {456, 524, 84, 39}},
        {"PicMini", {479, 10, 40, 40}},      {"PicClose", {513, 10, 40, 40}}};
    for (const auto& [name, place] : places) QCOMPARE(f->Get<QWidget>(name).geometry(), place);
    const std::pair<const char*, QPoint> corners[] = {
        {"Label9", {20, 28}}, {"CboRazr", {100, 16}}, {"TxtNach", {100, 44}}};
    for (const auto& [name, corner] : corners) QCOMPARE(f->Get<QWidget>(name).pos(), corner);
    // Every control lies wholly inside its container.
    for (QWidget* control : f->window->findChildren<QWidget*>(Qt::FindChildrenRecursively)) {
      if (control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_"))) continue;
      QVERIFY2(control->parentWidget()->rect().contains(control->geometry()),
               qPrintable(control->objectName()));
    }
  }

  void theMaskFileFollowsTheBuiltInLines() {
    QComboBox& masks = f->Get<QComboBox>("cboMask");
    QCOMPARE(masks.count(), 10);
    QCOMPARE(masks.itemText(7), QStringLiteral("*.jpg; *.png"));
    QCOMPARE(masks.itemText(8), QStringLiteral("*.flac"));
    QCOMPARE(masks.itemText(9), QStringLiteral("*.ogg; *.mp3"));
    QCOMPARE(masks.currentIndex(), 0);
  }

  void aMissingMaskFileIsCreatedEmpty() {
    TempTree program;
    FakeVolumes volumes;
    volumes.volumes = {{program.Path(), {}}};
    FakeDialogs dialogs;
    FullWindow window({FilesBeside(program.Path()), program.Path(), &volumes, &dialogs, {}});
    QCOMPARE(window.findChild<QComboBox*>("cboMask")->count(), 8);
    QVERIFY(QFileInfo::exists(QString::fromStdString(program.Path("rasshirenia.txt"))));
  }

  void aMaskFileThatIsNoRegularFileLeavesTheBuiltInLines() {
    for (const auto kind : {NotAFile::Folder, NotAFile::Fifo, NotAFile::EndlessDevice}) {
      TempTree program;
      // Windows folders hold no FIFOs or devices.
      if (!MakeNotAFile(program.Path("rasshirenia.txt"), kind) && kind != NotAFile::Folder) continue;
      QVERIFY(std::filesystem::exists(program.Root() / "rasshirenia.txt"));
      FakeVolumes volumes;
      volumes.volumes = {{program.Path(), {}}};
      FakeDialogs dialogs;
      FullWindow window({FilesBeside(program.Path()), program.Path(), &volumes, &dialogs, {}});
      QCOMPARE(window.findChild<QComboBox*>("cboMask")->count(), 8);
    }
  }

  void everyControlCarriesItsTexts() {
    const std::pair<const char*, const char*> tips[] = {
        {"ImgHelp", "Помощь"},   {"PicMini", "Свернуть"}, {"PicClose", "Закрыть"},
        {"ImgNext", "Далее"},    {"ImgBack", "Назад"},    {"ImgChancel", "Сбросить настройки"},
        {"ImgSave", "Сохранить"}};
    for (const auto& [name, tip] : tips) QCOMPARE(f->Get<QWidget>(name).toolTip(), QString::fromUtf8(tip));
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "Вложенные папки"},      {"Label2", "Начать с"},
        {"Label3", "Разрядность"},          {"Label4", "Включить"},
        {"Label5", "Все буквы большие"},    {"Label6", "Все буквы маленькие"},
        {"Label7", "Первая буква большая"}, {"Label8", "Заменить \"_\" на \" \""},
        {"Label11", "Убрать расширения"}};
    for (const auto& [name, text] : labels) QCOMPARE(f->Get<QLabel>(name).text(), QString::fromUtf8(text));
    const std::pair<const char*, const char*> frames[] = {{"FraFile", "Наименования файлов"},
                                                          {"FraDir", "Директория"},
                                                          {"FraMask", "Маска"},
                                                          {"FraBrixel", "Опции"},
                                                          {"FraFind", "Найдено файлов"},
                                                          {"FraNum", "Нумерация"},
                                                          {"FraFormat", "Форматирование"}};
    for (const auto& [name, caption] : frames)
      QCOMPARE(f->Get<QWidget>(name).accessibleName(), QString::fromUtf8(caption));
    QComboBox& digits = f->Get<QComboBox>("CboRazr");
    QCOMPARE(digits.count(), 5);
    for (int i = 0; i < 5; ++i) QCOMPARE(digits.itemText(i), QString(i, QLatin1Char('0')) + QLatin1Char('1'));
    QCOMPARE(f->Get<QLineEdit>("TxtNach").maxLength(), 5);
    // Texts fit their controls at the default font, and the captions under the switches keep off
    // their frame's edge.
    for (QLabel* label : f->window->findChildren<QLabel*>())
      QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    for (const char* name : {"Label8", "Label11"}) {
      const QLabel& label = f->Get<QLabel>(name);
      QVERIFY2(label.x() + label.width() <= label.parentWidget()->width() - 10, name);
    }
  }

  void changesOfMaskFolderAndDriveRebuildThePreview() {
    f->PickMask(3);  // *.txt
    QCOMPARE(f->Preview(), QStringList{"notes.txt"});
    f->PickMask(1);  // *.mp3
    QCOMPARE(f->Preview(), (QStringList{"my_SONG.Mp3", "song.mp3"}));
    f->root.File("a/music/added.mp3");
    f->PickMask(1);  // the same line again shows what came meanwhile
    QCOMPARE(f->Preview(), (QStringList{"added.mp3", "my_SONG.Mp3", "song.mp3"}));
    QFile::remove(QString::fromStdString(f->root.Path("a/music/added.mp3")));
    // Keyboard picks count as well.
    QComboBox& masks = f->Get<QComboBox>("cboMask");
    masks.setFocus();
    QTest::keyClick(&masks, Qt::Key_Down);
    f->Wait();
    QCOMPARE(masks.currentIndex(), 2);
    QCOMPARE(f->Preview(), QStringList{"Track_two.WAV"});
    QTest::keyClick(&masks, Qt::Key_Up);
    f->Wait();
    QCOMPARE(f->Preview(), (QStringList{"my_SONG.Mp3", "song.mp3"}));

    // A double click on a subfolder opens it; the preview never shows deeper files.
    FolderList& dir1 = f->Get<FolderList>("Dir1");
    const int sub_row = dir1.Model().CurrentRow() + 1;
    QCOMPARE(dir1.Model().index(sub_row, 0).data().toString(), QStringLiteral("sub"));
    dir1.OpenRow(sub_row);
    f->Wait();
    QCOMPARE(dir1.Path(), f->root.Path("a/music/sub"));
    QCOMPARE(f->Preview(), (QStringList{"deep.mp3", "song.mp3"}));

    f->Get<DriveList>("Drive1").setCurrentIndex(2);
    f->Wait();
    QCOMPARE(dir1.Path(), f->root.Path("c"));
    QCOMPARE(f->Preview(), QStringList{"x.mp3"});
    QCOMPARE(f->window->Chooser().RememberedDrive(), 2);
    // Back on drive A, the folder list returns to where it was there.
    f->Get<DriveList>("Drive1").setCurrentIndex(0);
    f->Wait();
    QCOMPARE(dir1.Path(), f->root.Path("a/music/sub"));
  }

  void nextOnAFolderWithoutMatchesShowsOneBlankRowAndZero() {
    f->OpenFolder(f->root.Path("a/empty"));
    QCOMPARE(f->Preview(), QStringList{""});
    f->Click("ImgNext");
    QVERIFY(f->window->ShowsResultsPage());
    for (const char* shown :
         {"Fra2", "FGrid2", "FraFind", "FraNum", "FraFormat", "ImgSave", "ImgChancel", "ImgBack"})
      QVERIFY2(f->Get<QWidget>(shown).isVisible(), shown);
    for (const char* hidden : {"Fra1", "FraBrixel", "ImgNext"})
      QVERIFY2(!f->Get<QWidget>(hidden).isVisible(), hidden);
    QCOMPARE(f->AsFound(), QStringList{""});
    QCOMPARE(f->Formatted(), QStringList{""});
    QCOMPARE(f->Count(), QStringLiteral("0"));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);  // the busy pointer is gone
  }

  void aDoubleClickOnNextDoesNotSave() {
    // The first click turns the page; the second press lands on the save button in its place.
    QWidget& save = f->Get<QWidget>("ImgSave");
    const QPoint at(40, 20);
    QTest::mouseClick(&f->Get<QWidget>("ImgNext"), Qt::LeftButton, {}, at);
    f->Wait();
    QVERIFY(f->window->ShowsResultsPage());
    QMouseEvent second(QEvent::MouseButtonDblClick, at, save.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                       {});
    QApplication::sendEvent(&save, &second);
    QTest::mouseRelease(&save, Qt::LeftButton, {}, at);
    QVERIFY(f->dialogs.questions.empty());
    QVERIFY(f->dialogs.messages.empty());
    QVERIFY(!f->Get<ImageButton>("ImgSave").ShowsPressedLook());
  }

  void nextListsTheFolderWithOrWithoutItsSubfolders() {
    f->Click("ImgNext");
    QCOMPARE(f->AsFound(), (QStringList{"my_SONG.Mp3", "song.mp3", "Track_two.WAV"}));
    QCOMPARE(f->Formatted(), f->AsFound());
    QCOMPARE(f->Count(), QStringLiteral(" 3"));

    f->Click("ImgBack");
    f->Click("PicScan");
    f->Click("ImgNext");
    QCOMPARE(f->AsFound(), (QStringList{"deep.mp3", "my_SONG.Mp3", "song.mp3", "song.mp3", "Track_two.WAV"}));
    QCOMPARE(f->Count(), QStringLiteral(" 5"));
    QCOMPARE(f->window->FoundModel().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Названия после переименования"));
  }

  void switchesRebuildTheAfterFormattingColumn() {
    f->Click("ImgNext");
    f->Click("PicPerBig");
    f->Click("PicBreak");
    f->Click("PicOk");
    QCOMPARE(f->Formatted(), (QStringList{"My song", "Song", "Track two"}));
    QCOMPARE(f->AsFound(), (QStringList{"my_SONG.Mp3", "song.mp3", "Track_two.WAV"}));
    f->Click("PicOk");
    QCOMPARE(f->Formatted(), (QStringList{"My song.mp3", "Song.mp3", "Track two.wav"}));
    f->Click("PicOk");
    f->Click("PicOk");  // two clicks leave it as it was
    QCOMPARE(f->Formatted(), (QStringList{"My song.mp3", "Song.mp3", "Track two.wav"}));
    QCOMPARE(f->OnSwitches(), (QStringList{"PicBreak", "PicPerBig"}));
  }

  void caseSwitchesExcludeEachOther() {
    f->Click("ImgNext");
    f->Click("PicBig");
    QCOMPARE(f->OnSwitches(), QStringList{"PicBig"});
    QCOMPARE(f->Formatted(), (QStringList{"MY_SONG.MP3", "SONG.MP3", "TRACK_TWO.WAV"}));
    f->Click("PicSmall");
    QCOMPARE(f->OnSwitches(), QStringList{"PicSmall"});
    QCOMPARE(f->Formatted(), (QStringList{"my_song.mp3", "song.mp3", "track_two.wav"}));
    f->Click("PicPerBig");
    QCOMPARE(f->OnSwitches(), QStringList{"PicPerBig"});
    f->Click("PicPerBig");  // clicking the selected one clears the selection
    QVERIFY(f->OnSwitches().isEmpty());
    QCOMPARE(f->Formatted(), f->AsFound());
    // Space on a focused switch clicks it too.
    f->Switch("PicSmall").setFocus();
    QTest::keyClick(&f->Switch("PicSmall"), Qt::Key_Space);
    f->Wait();
    QCOMPARE(f->OnSwitches(), QStringList{"PicSmall"});
  }

  void numberingFollowsDigitCountAndStartText() {
    f->Click("ImgNext");
    f->Click("PicNum");
    QCOMPARE(f->Formatted(), (QStringList{"1 my_SONG.Mp3", "2 song.mp3", "3 Track_two.WAV"}));
    f->Get<QComboBox>("CboRazr").setCurrentIndex(2);  // "001"
    f->Wait();
    QCOMPARE(f->Formatted(), (QStringList{"001 my_SONG.Mp3", "002 song.mp3", "003 Track_two.WAV"}));

    QLineEdit& start = f->Get<QLineEdit>("TxtNach");
    start.setFocus();
    start.selectAll();
    QTest::keyClicks(&start, "98");
    f->Wait();
    QCOMPARE(f->Formatted(), (QStringList{"098 my_SONG.Mp3", "099 song.mp3", "100 Track_two.WAV"}));
    QCOMPARE(start.palette().color(QPalette::Text), QColor(Qt::black));

    // Emptied: no run, the numbers stay.
    start.selectAll();
    QTest::keyClick(&start, Qt::Key_Backspace);
    f->Wait();
    QCOMPARE(start.text(), QString());
    QCOMPARE(f->Formatted().first(), QStringLiteral("098 my_SONG.Mp3"));

    // No number: red text and the names without numbers, until it is one again.
    QTest::keyClicks(&start, "ab");
    f->Wait();
    QCOMPARE(f->Formatted(), (QStringList{"my_SONG.Mp3", "song.mp3", "Track_two.WAV"}));
    QCOMPARE(start.palette().color(QPalette::Text), QColor(Qt::red));
    QTest::keyClicks(&start, "cdefg");  // the box takes five characters at most
    f->Wait();
    QCOMPARE(start.text(), QStringLiteral("abcde"));
    start.selectAll();
    QTest::keyClicks(&start, "7");
    f->Wait();
    QCOMPARE(f->Formatted().first(), QStringLiteral("007 my_SONG.Mp3"));
    QCOMPARE(start.palette().color(QPalette::Text), QColor(Qt::black));
  }

  void workbooksSavedUnderTheUsersLocaleAreReadRight() {
    // The window runs with the C locale of the user's environment, as Qt sets it at start.
    if (!ReaderAvailable("openpyxl"))
      QSKIP("openpyxl cannot be run here (not installed, or a Windows build under wine)");
    f->Click("ImgNext");
    std::vector<std::string> names;
    for (const QString& name : f->Formatted()) names.push_back(name.toStdString());
    int saved = 0;
    for (const char* locale : {"ru_RU.UTF-8", "de_DE.UTF-8"}) {
      const std::string path = f->root.Path(std::string("list-") + locale + ".xlsx");
      f->dialogs.answer = SaveFileChoice{QString::fromStdString(path), 2};
      {
        const ProcessLocale user(locale);
        if (!user.Installed()) continue;
        f->Click("ImgSave");
      }
      QVERIFY(f->dialogs.messages.empty());
      const ReaderVerdict verdict = CheckWorkbook("openpyxl", path, names, test::FullLayout());
      QVERIFY2(verdict.ok, verdict.output.c_str());
      ++saved;
    }
    if (saved == 0) QSKIP("neither ru_RU.UTF-8 nor de_DE.UTF-8 is installed (./test makes them)");
  }

  void resetTurnsEverythingOffWithoutANewListing() {
    f->Click("ImgNext");
    QSignalSpy relisted(&f->window->FoundModel(), &QAbstractItemModel::modelReset);
    for (const char* name : {"PicNum", "PicBreak", "PicSmall", "PicOk"}) f->Click(name);
    f->Get<QComboBox>("CboRazr").setCurrentIndex(4);
    f->Wait();
    f->Get<QLineEdit>("TxtNach").setText(QStringLiteral("42"));
    QVERIFY(f->Formatted() != f->AsFound());

    QSignalSpy runs(&f->window->FoundModel(), &QAbstractItemModel::dataChanged);
    f->Click("ImgChancel");
    QCOMPARE(runs.count(), 1);  // the digit count going back asks for no run of its own
    QVERIFY(f->OnSwitches().isEmpty());
    QCOMPARE(f->Get<QComboBox>("CboRazr").currentIndex(), 0);
    QCOMPARE(f->Get<QLineEdit>("TxtNach").text(), QStringLiteral("1"));
    QCOMPARE(f->Formatted(), f->AsFound());
    QCOMPARE(relisted.count(), 0);
  }

  void backKeepsEverythingAndNextListsAfresh() {
    f->Click("ImgNext");
    f->Click("PicBig");
    QSignalSpy preview_rebuilt(&f->window->PreviewModel(), &QAbstractItemModel::modelReset);
    f->Click("ImgBack");
    QVERIFY(!f->window->ShowsResultsPage());
    QCOMPARE(preview_rebuilt.count(), 0);
    QCOMPARE(f->Formatted().first(), QStringLiteral("MY_SONG.MP3"));  // hidden, not cleared
    QVERIFY(f->Switch("PicBig").IsOn());

    f->root.File("a/music/new.wav");
    f->Get<QComboBox>("CboRazr").setCurrentIndex(3);
    f->Wait();
    QSignalSpy runs(&f->window->FoundModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy relisted(&f->window->FoundModel(), &QAbstractItemModel::modelReset);
    f->Click("ImgNext");
    QCOMPARE(relisted.count(), 1);  // the new list comes formatted with its listing
    QCOMPARE(runs.count(), 0);      // and no run of its own follows
    QVERIFY(f->OnSwitches().isEmpty());
    QCOMPARE(f->AsFound(), (QStringList{"my_SONG.Mp3", "new.wav", "song.mp3", "Track_two.WAV"}));
    QCOMPARE(f->Formatted(), f->AsFound());
    QCOMPARE(f->Count(), QStringLiteral(" 4"));
  }

  void picScanChangesOnlyItsLook() {
    QSignalSpy preview_rebuilt(&f->window->PreviewModel(), &QAbstractItemModel::modelReset);
    f->Click("PicScan");
    QVERIFY(f->Switch("PicScan").IsOn());
    QCOMPARE(f->Switch("PicScan").ShownLook(), f->window->Looks().ImgChecked.get());
    f->Click("PicScan");
    QCOMPARE(f->Switch("PicScan").ShownLook(), f->window->Looks().ImgUnchecked.get());
    QCOMPARE(preview_rebuilt.count(), 0);
    QVERIFY(!f->window->ShowsResultsPage());
  }

  void aDriveThatIsNotReadyLeavesEverythingAsItWas() {
    DriveList& drive1 = f->Get<DriveList>("Drive1");
    const QStringList preview = f->Preview();
    drive1.setCurrentIndex(1);  // drive B is not ready
    f->Wait();
    QCOMPARE(drive1.currentIndex(), 0);
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music"));
    QCOMPARE(f->Preview(), preview);
    QVERIFY(f->dialogs.messages.empty());

    // After a change that worked, a failing drive returns to that one.
    drive1.setCurrentIndex(2);
    f->Wait();
    drive1.setCurrentIndex(1);
    f->Wait();
    QCOMPARE(drive1.currentIndex(), 2);
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("c"));
    QCOMPARE(f->Preview(), QStringList{"x.mp3"});

    // Even the remembered drive failing ends quietly, with the drive list on the folder's drive.
    f->volumes.failing.insert(f->root.Path("c"));
    drive1.setCurrentIndex(1);
    f->Wait();
    QCOMPARE(drive1.currentIndex(), 2);
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("c"));
  }

  void theDriveListIsBroughtUpToDateWhenItOpens() {
    DriveList& drive1 = f->Get<DriveList>("Drive1");
    drive1.setCurrentIndex(2);  // drive C, remembered
    f->Wait();
    f->root.Folder("0-new");
    f->volumes.volumes.insert(f->volumes.volumes.begin(),
                              Volume{f->root.Path("0-new"), QStringLiteral("stick")});
    f->volumes.volumes.erase(f->volumes.volumes.begin() + 2);  // drive B is gone
    QSignalSpy changes(&drive1, &QComboBox::currentIndexChanged);
    drive1.showPopup();
    drive1.hidePopup();
    QCOMPARE(drive1.count(), 3);
    QCOMPARE(drive1.itemText(0), QString::fromStdString(f->root.Path("0-new")) + QStringLiteral("  [stick]"));
    QCOMPARE(drive1.currentIndex(), 2);  // still drive C, now at a new place
    QCOMPARE(f->window->Chooser().RememberedDrive(), 2);
    QCOMPARE(changes.count(), 0);
    drive1.setCurrentIndex(0);
    f->Wait();
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("0-new"));
  }

  void helpOpensThePageBesideTheProgram() {
    f->Click("ImgHelp");
    QCOMPARE(f->opened.size(), std::size_t{1});
    QCOMPARE(f->opened.front(),
             QUrl::fromLocalFile(QString::fromStdString(f->root.Path("program/help/help.html"))));
    QFile::remove(QString::fromStdString(f->root.Path("program/help/help.html")));
    f->Click("ImgHelp");
    QCOMPARE(f->opened.size(), std::size_t{1});  // missing: nothing, silently
    QVERIFY(f->dialogs.messages.empty());
  }

  void titleButtonsMinimiseAndClose() {
    f->Click("PicMini");
    QVERIFY(f->window->isMinimized());
    f->window->showNormal();
    f->Click("ImgNext");
    f->Click("PicClose");
    QVERIFY(!f->window->isVisible());
    QVERIFY(f->dialogs.messages.empty());
  }

  void tabOrderFollowsTheLayout() {
    const auto walk = [this](int steps) {
      QStringList names;
      for (int i = 0; i < steps; ++i) {
        names << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      return names;
    };
    f->window->activateWindow();
    f->Get<QWidget>("Drive1").setFocus();
    QCOMPARE(walk(11), (QStringList{"Drive1", "Dir1", "cboMask", "FlexGrid1", "ImgHelp", "PicScan",
                                    "CmdColumns", "ImgNext", "PicMini", "PicClose", "Drive1"}));
    f->Click("ImgNext");
    f->Get<QWidget>("FGrid2").setFocus();
    QCOMPARE(walk(16), (QStringList{"FGrid2", "CboRazr", "TxtNach", "PicNum", "PicBig", "PicSmall",
                                    "PicPerBig", "PicBreak", "PicOk", "ImgHelp", "ImgBack", "ImgChancel",
                                    "ImgSave", "PicMini", "PicClose", "FGrid2"}));
  }

  void modelsPassTheModelTester() {
    QAbstractItemModelTester preview(&f->window->PreviewModel(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester found(&f->window->FoundModel(),
                                   QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester folders(&f->Get<FolderList>("Dir1").Model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest);
    f->PickMask(1);
    f->Click("ImgNext");
    f->Click("PicNum");
    f->Click("ImgBack");
    f->OpenFolder(f->root.Path("a/empty"));
    f->Click("ImgNext");
    f->Click("ImgChancel");
  }

  void screenshotsOfBothPages() {
    f->Shoot(QStringLiteral("full-options"));
    f->Click("ImgNext");
    f->Click("PicPerBig");
    f->Click("PicNum");
    f->Click("PicOk");
    f->Shoot(QStringLiteral("full-results"));
  }

  // Long jobs. The held folder source stands for a slow share: a scan waits at a folder until the
  // test lets it go, or until the scan is stopped.

  void theWindowStaysLiveAndShowsProgressWhileItLists() {
    QSignalSpy panel_shown(&f->window->Jobs(), &WindowJobs::panelShown);
    f->StartHeldListing();
    QVERIFY(!f->window->ShowsResultsPage());  // the page turns when the new table is complete
    const QPoint start = f->window->pos();
    QTest::mousePress(f->window.get(), Qt::LeftButton, {}, QPoint(300, 572));
    QTest::mouseMove(f->window.get(), QPoint(320, 582));
    QTRY_COMPARE(f->window->pos(), start + QPoint(20, 10));
    QTest::mouseRelease(f->window.get(), Qt::LeftButton, {}, QPoint(320, 582));

    QVERIFY(panel_shown.wait());
    const ProgressPanel& panel = f->window->Jobs().Panel();
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.FolderText(), QString::fromStdString(f->root.Path("a/music")));
    QVERIFY(panel.CountsText().startsWith(QStringLiteral("Прочитано папок: 0")));
    for (const char* locked : {"Drive1", "Dir1", "cboMask", "PicScan", "ImgNext"})
      QVERIFY2(!f->Get<QWidget>(locked).isEnabled(), locked);
    for (const char* live : {"ImgHelp", "PicMini", "PicClose"})
      QVERIFY2(f->Get<QWidget>(live).isEnabled(), live);
    // A screen reader hears the panel through its cancel button, which has the focus and its mark.
    const QWidget& cancel = panel.CancelButton();
    QVERIFY(cancel.hasFocus());
    QCOMPARE(f->window->FocusMarker().Target(), &cancel);
    QCOMPARE(cancel.accessibleDescription(),
             QStringLiteral("Поиск файлов: Прочитано папок: 0, Найдено файлов: 0"));
    QCOMPARE(AccessibilityFaults(*f->window), QStringList());
    f->Shoot(QStringLiteral("full-progress"));

    f->folders.Release();
    f->Wait();
    QVERIFY(f->window->ShowsResultsPage());
    QVERIFY(!panel.isVisible());
    QVERIFY(f->Get<QWidget>("Drive1").isEnabled());
    QCOMPARE(f->Count(), QStringLiteral(" 3"));
  }

  void aCancelLeavesTheOptionsPageTheOldTableAndTheChoice() {
    f->Click("ImgNext");
    const QStringList table = f->AsFound();
    f->Click("ImgBack");
    f->Click("PicScan");
    f->StartHeldListing();
    QTest::keyClick(f->window.get(), Qt::Key_Escape);
    QVERIFY(!f->window->Jobs().Busy());       // free at once: the scan is left to stop ...
    QVERIFY(f->folders.WaitUntilStopSeen());  // ... and the stop reaches the walk
    QVERIFY(!f->window->ShowsResultsPage());
    QCOMPARE(f->AsFound(), table);
    QCOMPARE(f->Count(), QStringLiteral(" 3"));
    QVERIFY(f->Switch("PicScan").IsOn());

    // A preview refresh cancelled: the folder goes back with the list it shows.
    f->folders.Release();
    const QStringList preview = f->Preview();
    f->folders.Hold();
    f->Get<FolderList>("Dir1").SetPath(f->root.Path("a"), f->root.Path("a/empty"));
    QVERIFY(f->folders.WaitUntilHeld());
    f->window->Jobs().Cancel();
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music"));
    QCOMPARE(f->Preview(), preview);
    f->folders.Release();
  }

  void clicksMadeWhileAJobRunsReachNoControl() {
    f->StartHeldListing();
    // Where the back button is about to appear, the next button again, the switch, the mask list.
    QTest::mouseClick(f->window.get(), Qt::LeftButton, {}, f->Get<QWidget>("ImgBack").geometry().center());
    QTest::mouseClick(&f->Get<QWidget>("ImgNext"), Qt::LeftButton);
    QTest::mouseClick(&f->Get<QWidget>("PicScan"), Qt::LeftButton);
    QTest::keyClick(&f->Get<QWidget>("cboMask"), Qt::Key_Down);
    f->folders.Release();
    f->Wait();
    QVERIFY(f->window->ShowsResultsPage());  // and it stays there
    QVERIFY(!f->Switch("PicScan").IsOn());
    QCOMPARE(f->Get<QComboBox>("cboMask").currentIndex(), 0);
    QCOMPARE(f->AsFound(), (QStringList{"my_SONG.Mp3", "song.mp3", "Track_two.WAV"}));
  }

  void closingMidJobStopsTheScanAndClosesAtOnce() {
    f->StartHeldListing();
    f->Click("PicClose");
    QVERIFY(!f->window->isVisible());
    QVERIFY(f->folders.WaitUntilStopSeen());
  }

  void foldersThatRefuseOrVanishMidScanGiveWhatIsThere() {
    f->root.File("a/music/locked/hidden.mp3");
    f->root.File("a/music/later/gone.mp3");
    f->folders.Refuse("/locked");
    f->Click("PicScan");
    f->StartHeldListing();
    f->root.File("a/music/new.wav");
    std::filesystem::remove_all(f->root.Root() / "a/music/later");
    f->folders.Release();
    f->Wait();
    QVERIFY(f->window->ShowsResultsPage());
    const QStringList names = f->AsFound();
    QVERIFY(names.contains(QStringLiteral("new.wav")) && names.contains(QStringLiteral("Track_two.WAV")));
    QVERIFY(!names.contains(QStringLiteral("hidden.mp3")) && !names.contains(QStringLiteral("gone.mp3")));
  }

  // Screen readers and the keyboard.

  void everyControlSpeaks() {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(f->window.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Brixel V2.0"));
    QCOMPARE(AccessibilityFaults(*f->window).join(QStringLiteral("; ")), QString());
    QCOMPARE(AccessibleControlNames(*f->window),
             (QStringList{"Свернуть", "Закрыть", "Диск", "Папки", "Маска", "Наименования файлов",
                          "Вложенные папки", "Столбцы", "Помощь", "Далее"}));
    f->Click("ImgNext");
    QCOMPARE(AccessibilityFaults(*f->window), QStringList());
    QAccessibleInterface* digits = QAccessible::queryAccessibleInterface(&f->Get<QComboBox>("CboRazr"));
    QCOMPARE(digits->text(QAccessible::Name), QStringLiteral("Разрядность"));
    QCOMPARE(digits->text(QAccessible::Value), QStringLiteral("1"));

    // A switch toggled by a screen reader is clicked, and says so.
    QAccessibleInterface* big = QAccessible::queryAccessibleInterface(&f->Switch("PicBig"));
    QCOMPARE(big->role(), QAccessible::CheckBox);
    QCOMPARE(big->text(QAccessible::Name), QStringLiteral("Все буквы большие"));
    QAccessibleActionInterface* toggle = big->actionInterface();
    QVERIFY(toggle != nullptr);
    toggle->doAction(QAccessibleActionInterface::toggleAction());
    f->Wait();
    QVERIFY(f->Switch("PicBig").IsOn() && big->state().checked);
    QCOMPARE(f->Formatted().first(), QStringLiteral("MY_SONG.MP3"));
    QAccessibleActionInterface* back =
        QAccessible::queryAccessibleInterface(&f->Get<QWidget>("ImgBack"))->actionInterface();
    QVERIFY(back != nullptr);
    back->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(!f->window->ShowsResultsPage());
  }

  void theKeyboardReachesEveryControlWithAVisibleMark() {
    f->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
    const FocusMark& mark = f->window->FocusMarker();
    const auto marked = [&](const QWidget& control) {
      const QRect place(control.mapTo(f->window.get(), QPoint(0, 0)), control.size());
      return mark.Target() == &control && mark.isVisible() && mark.geometry().contains(place) &&
             !place.contains(mark.geometry());
    };
    // Round the tab chain of each page: every control in turn carries the mark.
    const auto walk_marks = [&](const char* first) {
      f->Get<QWidget>(first).setFocus();
      for (int step = 0; step < 20; ++step) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(marked(*focus), qPrintable(focus->objectName()));
        QTest::keyClick(focus, Qt::Key_Tab);
      }
    };
    walk_marks("Drive1");
    // The mark is drawn, dark beside the red button and light on its edge, at 1x and 2x.
    QWidget& next = f->Get<QWidget>("ImgNext");
    next.setFocus();
    f->Shoot(QStringLiteral("full-focus-next"));
    for (int scale : {1, 2}) {
      QImage image(f->window->size() * scale, QImage::Format_ARGB32);
      image.setDevicePixelRatio(scale);
      image.fill(Qt::white);
      // Drawn in place: the outline's corner goes where it stands in the window.
      f->window->render(&image, WindowRegion().boundingRect().topLeft());
      const QPoint left_edge = next.geometry().topLeft() + QPoint(0, next.height() / 2);
      QVERIFY(qGray(image.pixel((left_edge - QPoint(3, 0)) * scale)) < 60);
      QVERIFY(qGray(image.pixel((left_edge - QPoint(1, 0)) * scale)) > 200);
    }
    f->Click("ImgNext");
    walk_marks("FGrid2");
    f->Click("ImgBack");

    // Minimise by the keyboard.
    QWidget& minimise = f->Get<QWidget>("PicMini");
    minimise.setFocus();
    QVERIFY(marked(minimise));
    QTest::keyClick(&minimise, Qt::Key_Space);
    QVERIFY(f->window->isMinimized());
    f->window->showNormal();
    f->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f->window.get()));

    // The case switches are a radio group to the arrow keys; the selection goes along.
    f->Click("ImgNext");
    PictureSwitch& big = f->Switch("PicBig");
    PictureSwitch& small = f->Switch("PicSmall");
    PictureSwitch& per_big = f->Switch("PicPerBig");
    big.setFocus();
    QTest::keyClick(&big, Qt::Key_Down);
    QVERIFY(small.hasFocus() && f->OnSwitches().isEmpty());  // none selected: the focus alone moves
    QTest::keyClick(&small, Qt::Key_Space);
    f->Wait();
    QTest::keyClick(&small, Qt::Key_Right);
    f->Wait();
    QVERIFY(per_big.hasFocus());
    QCOMPARE(f->OnSwitches(), QStringList{"PicPerBig"});
    QTest::keyClick(&per_big, Qt::Key_Down);  // round to the first
    f->Wait();
    QCOMPARE(f->OnSwitches(), QStringList{"PicBig"});
    QTest::keyClick(&big, Qt::Key_Up);
    f->Wait();
    QCOMPARE(f->OnSwitches(), QStringList{"PicPerBig"});
    QCOMPARE(f->Formatted().first(), QStringLiteral("My_song.mp3"));

    // Alt+F4 closes, wherever the focus is.
    QTest::keyClick(&per_big, Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!f->window->isVisible());
  }

  // The window remembers.

  void chosenColumnsAreListedShownSavedAndRemembered() {
    const std::string settings = f->root.Path("program/Brixel.ini");
    f->Reopen(std::nullopt, settings);
    auto& choice = f->Get<ColumnChoice>("CmdColumns");
    QVERIFY(choice.Chosen().empty());  // names only at first
    choice.SetChosen({Column::Size, Column::Folder});
    choice.SetEncoding(TagEncoding::Cp1251);
    QCOMPARE(choice.accessibleDescription(), QStringLiteral("Папка, Размер"));
    f->Click("PicScan");
    f->Click("ImgNext");
    const NameTableModel& model = f->window->FoundModel();
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Папка"));
    QCOMPARE(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Размер"));
    const int deep = static_cast<int>(f->AsFound().indexOf(QStringLiteral("deep.mp3")));
    QCOMPARE(model.index(deep, 2).data().toString(), QStringLiteral("sub"));
    QCOMPARE(model.index(deep, 3).data().toString(), QStringLiteral("0"));
    f->Shoot(QStringLiteral("full-results-columns"));

    f->dialogs.answer = SaveFileChoice{QString::fromStdString(f->root.Path("c/list.csv")), 4};
    f->Click("ImgSave");
    QVERIFY(f->dialogs.messages.empty());
    const std::string csv = ReadBytes(f->root.Path("c/list.csv"));
    QVERIFY2(csv.starts_with("\xEF\xBB\xBFname,folder,size\r\n"), csv.c_str());
    QVERIFY(csv.find("deep.mp3,sub,0\r\n") != std::string::npos);

    f->Click("PicClose");
    f->Reopen(std::nullopt, settings);
    QCOMPARE(f->Get<ColumnChoice>("CmdColumns").Chosen(),
             (Columns{Column::Name, Column::Folder, Column::Size}));
    QCOMPARE(f->Get<ColumnChoice>("CmdColumns").Encoding(), TagEncoding::Cp1251);
  }

  void settingsAreRememberedFromRunToRun() {
    const std::string settings = f->root.Path("program/Brixel.ini");
    f->Reopen(std::nullopt, settings);
    f->OpenFolder(f->root.Path("a/music/sub"));
    f->PickMask(1);  // *.mp3
    f->Click("PicScan");
    f->window->move(40, 30);
    f->dialogs.answer = SaveFileChoice{QString::fromStdString(f->root.Path("c/list.html")), 3};
    f->Click("ImgNext");
    f->Click("ImgSave");
    f->dialogs.SetSaveFolder(QString::fromStdString(f->root.Path("c")));  // as the dialog leaves it
    f->Click("PicClose");

    f->Reopen(std::nullopt, settings);
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music/sub"));
    QCOMPARE(f->Get<QComboBox>("cboMask").currentIndex(), 1);
    QCOMPARE(f->Preview(), (QStringList{"deep.mp3", "song.mp3"}));
    QVERIFY(f->Switch("PicScan").IsOn());
    QCOMPARE(f->window->pos(), QPoint(40, 30));
    QCOMPARE(f->dialogs.SaveFolder(), QString::fromStdString(f->root.Path("c")));
    f->Click("ImgNext");
    f->Click("ImgSave");
    QCOMPARE(f->dialogs.questions.back().filter_index, 3);

    // The folder gone, the file damaged: the start as without them, and nothing breaks.
    f->Click("PicClose");
    std::filesystem::remove_all(f->root.Root() / "a/music/sub");
    f->Reopen(std::nullopt, settings);
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music"));
    WriteBytes(settings, std::string(1, '\0') + "\xff[listing\nmask=\x01");
    f->Reopen(std::nullopt, settings);
    QCOMPARE(f->Get<QComboBox>("cboMask").currentIndex(), 0);
    QVERIFY(f->dialogs.messages.empty());
  }

  // Folders come in the ways users bring them.

  void aFolderNamedOnTheCommandLineIsTheStart() {
    f->Reopen(f->root.Path("c/x.mp3"));  // a file: its folder
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("c"));
    QCOMPARE(f->Get<DriveList>("Drive1").currentIndex(), 2);
    QCOMPARE(f->Preview(), QStringList{"x.mp3"});
    f->Reopen(f->root.Path("nowhere"));
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music"));
    QCOMPARE(f->dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f->dialogs.messages[0].text,
             QStringLiteral("Папка «%1» не найдена.").arg(QString::fromStdString(f->root.Path("nowhere"))));
  }

  void aDroppedFolderOrFileIsChosen() {
    const auto drop = [this](const std::string& path) { return DropPath(*f->window, path); };
    QVERIFY(drop(f->root.Path("c")));
    f->Wait();
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("c"));
    QCOMPARE(f->Preview(), QStringList{"x.mp3"});
    // On the results page: back to the options page, showing the folder dropped.
    f->Click("ImgNext");
    QVERIFY(drop(f->root.Path("a/music/sub/deep.mp3")));
    f->Wait();
    QVERIFY(!f->window->ShowsResultsPage());
    QCOMPARE(f->Get<FolderList>("Dir1").Path(), f->root.Path("a/music/sub"));
    // Refused while a job runs, and for what brings no folder.
    f->StartHeldListing();
    QVERIFY(!drop(f->root.Path("c")));
    f->folders.Release();
    f->Wait();
    QVERIFY(!drop(f->root.Path("nowhere")));
  }

  // The table goes where users paste it.

  void copyPutsTheRowsOnTheClipboard() {
    f->Click("ImgNext");
    f->Click("PicBig");
    QTableView& table = f->Get<QTableView>("FGrid2");
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);  // none selected: every row
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("my_SONG.Mp3\tMY_SONG.MP3\nsong.mp3\tSONG.MP3\nTrack_two.WAV\tTRACK_TWO.WAV\n"));
    table.selectionModel()->select(f->window->FoundModel().index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table.selectionModel()->select(f->window->FoundModel().index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QAction* copy = table.actions().value(0);
    QVERIFY(copy != nullptr);
    QCOMPARE(copy->text(), QStringLiteral("Копировать"));
    QCOMPARE(table.contextMenuPolicy(), Qt::ActionsContextMenu);
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("my_SONG.Mp3\tMY_SONG.MP3\nTrack_two.WAV\tTRACK_TWO.WAV\n"));

    // A listing that found nothing copies nothing: the clipboard keeps what it held.
    f->Click("ImgBack");
    f->OpenFolder(f->root.Path("a/empty"));
    f->Click("ImgNext");
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("my_SONG.Mp3\tMY_SONG.MP3\nTrack_two.WAV\tTRACK_TWO.WAV\n"));
  }

  void aCancelAtAnyMomentLeavesTheOldStateOrTheCompleteNewOne() {
    for (int i = 0; i < 6; ++i) f->root.File("a/music/d" + std::to_string(i) + "/n.mp3");
    f->Click("PicScan");
    f->Click("ImgNext");
    const QStringList complete = f->AsFound();  // 8 folders read
    f->Click("ImgBack");
    f->PickMask(3);  // *.txt: an old table that differs
    f->Click("ImgNext");
    QStringList old_table = f->AsFound();
    f->Click("ImgBack");
    f->PickMask(0);
    std::mt19937 random(12);  // a fixed seed: a failure comes again
    for (int round = 0; round < 40; ++round) {
      const int nth = std::uniform_int_distribution(0, 8)(random);  // 0: no read held
      if (nth > 0) f->folders.Hold(nth);
      QTest::mouseClick(&f->Get<QWidget>("ImgNext"), Qt::LeftButton);
      if (nth > 0) QVERIFY(f->folders.WaitUntilHeld());
      for (int i = std::uniform_int_distribution(0, 3)(random); i > 0; --i) QCoreApplication::processEvents();
      f->window->Jobs().Cancel();
      f->folders.Release();
      f->Wait();
      if (f->window->ShowsResultsPage()) {
        QCOMPARE(f->AsFound(), complete);
        // A formatting run cancelled as it starts: the switch and the column still agree.
        emit f->Switch("PicBig").clicked();
        f->window->Jobs().Cancel();
        f->Wait();
        QCOMPARE(f->Formatted().first(),
                 f->Switch("PicBig").IsOn() ? QStringLiteral("DEEP.MP3") : QStringLiteral("deep.mp3"));
        f->Click("ImgBack");
        old_table = complete;
      } else {
        QCOMPARE(f->AsFound(), old_table);
      }
    }
  }

  // Saves stopped: by the user at each step of every writer's work, by closing the window.

  void aStopAtAnyStepOfASaveLeavesTheFileAsItWas() {
    f->Click("ImgNext");
    const QStringList files_before = f->Files();
    const auto cancel = [&] { OnWindowThread(*f->window, [&] { f->window->Jobs().Cancel(); }); };
    const std::pair<const char*, int> formats[] = {
        {"list.txt", 1}, {"list.xls", 2}, {"list.xlsx", 2}, {"list.html", 3}};
    for (const auto& [name, type] : formats) {
      if (!XlsxAvailable() && std::string_view(name).ends_with(".xlsx")) continue;  // the Windows build
      // Write: in the writer's own work (Finish); Sync: once the file is complete, just before it
      // takes the old one's place; Link: the name it gets for that, the very last step.
      for (const FailingCall step : {FailingCall::Write, FailingCall::Sync, FailingCall::Link}) {
        for (const bool named : {false, true}) {  // a file system with O_TMPFILE, or without (vfat)
          bool stopped = false;
          FailingFileSystem fs(step, [&] {
            stopped = true;
            cancel();
          });
          fs.refuse_unnamed = named;
          const std::string bytes = f->SaveOverKept(name, type, fs);
          const QString where = QStringLiteral("%1 at call %2, named %3").arg(name).arg(int(step)).arg(named);
          QVERIFY2(!stopped || bytes == "kept", qPrintable(where));
          QVERIFY2(stopped || bytes != "kept", qPrintable(where));  // not stopped: saved
#ifndef _WIN32  // on Windows the workbook library writes a file the writer has closed: no Sync
          QVERIFY2(stopped || step != FailingCall::Sync, qPrintable(where));  // every writer gets there
#endif
          QCOMPARE(f->Files(), files_before + QStringList{QString::fromLatin1(name)});
          QVERIFY(f->dialogs.messages.empty());
          QFile::remove(QString::fromStdString(f->root.Path(name)));
        }
      }
    }
  }

  void aCancelAtRandomPointsOfSavesLeavesTheOldFileOrTheNewOne() {
    f->root.Files({"a/music/d/1.mp3", "a/music/d/2.mp3"});
    f->Click("PicScan");
    f->Click("ImgNext");
    const QStringList files_before = f->Files();
    std::mt19937 random(19);  // a fixed seed: a failure comes again
    const std::pair<const char*, int> formats[] = {{"r.txt", 1}, {"r.xls", 2}, {"r.xlsx", 2}, {"r.html", 3}};
    const FailingCall steps[] = {FailingCall::Create, FailingCall::Unnamed, FailingCall::Write,
                                 FailingCall::Sync, FailingCall::Link};
    for (int round = 0; round < 24; ++round) {
      const auto& [name, type] = formats[std::uniform_int_distribution(0, 3)(random)];
      if (!XlsxAvailable() && std::string_view(name).ends_with(".xlsx")) continue;
      const FailingCall step = steps[std::uniform_int_distribution(0, 4)(random)];
      int calls_left = std::uniform_int_distribution(1, 3)(random);
      bool stopped = false;
      // Unnamed as the step is the call that makes the new file; refused, it is made named.
      FailingFileSystem fs(step, [&] {
        if (--calls_left != 0) return;
        stopped = true;
        OnWindowThread(*f->window, [&] { f->window->Jobs().Cancel(); });
      });
      fs.refuse_unnamed = std::uniform_int_distribution(0, 1)(random) == 1 && step != FailingCall::Unnamed;
      const std::string bytes = f->SaveOverKept(name, type, fs);
      const QString where = QStringLiteral("round %1: %2, call %3, named %4")
                                .arg(round)
                                .arg(name)
                                .arg(int(step))
                                .arg(fs.refuse_unnamed);
      QVERIFY2(stopped ? bytes == "kept" : bytes != "kept", qPrintable(where));
      QCOMPARE(f->Files(), files_before + QStringList{QString::fromLatin1(name)});
      QFile::remove(QString::fromStdString(f->root.Path(name)));
    }
    QVERIFY(f->dialogs.messages.empty());
  }

  void closingWhileASaveCannotStopEndsTheProgramAtOnce() {
#ifdef _WIN32
    QSKIP("on Windows the workbook library writes a file the writer has closed: no step to hold it at");
#endif
    if (!XlsxAvailable()) QSKIP("no .xlsx in this build: no step of a save that cannot stop");
    f->Click("ImgNext");
    QElapsedTimer since_close;
    qint64 ended_after = -1;
    f->end_with_running_save = [&] { ended_after = since_close.elapsed(); };
    f->Reopen();
    f->Click("ImgNext");
    const QStringList files_before = f->Files();
    for (const bool named : {false, true}) {
      // The workbook's bytes are complete and the step before the rename does not end until the
      // window has closed: the stop comes while nothing looks at it.
      FailingFileSystem fs(FailingCall::Sync, [&] {
        OnWindowThread(*f->window, [&] {
          since_close.start();
          f->window->close();
        });
      });
      fs.refuse_unnamed = named;
      ended_after = -1;
      QCOMPARE(f->SaveOverKept("big.xlsx", 2, fs), std::string("kept"));
      QVERIFY(ended_after >= 0);
      qInfo("closed to the end of the program: %lld ms", static_cast<long long>(ended_after));
      QVERIFY2(ended_after < 500, qPrintable(QString::number(ended_after)));
      QCOMPARE(f->Files(), files_before + QStringList{"big.xlsx"});
      f->window->show();
    }
  }

  void theProgressPanelSaysWhatTheWriterDoes() {
    ProgressPanel& panel = f->window->Jobs().Panel();
    panel.Begin(QStringLiteral("Сохранение списка"));
    panel.show();
    panel.raise();
    panel.findChild<QPushButton*>(QStringLiteral("CmdCancel"))->setFocus();  // as a job gives it
    QLocale::setDefault(QLocale(QLocale::Russian));  // the user's locale groups the counts
    JobProgress progress;
    progress.rows_done = 598016;
    progress.rows_total = 600000;
    progress.writing = WritePhase::Rows;
    panel.Show(progress);
    QCOMPARE(panel.CountsText(), QStringLiteral("Обработано имён: 598\u00A0016 из 600\u00A0000"));
    progress.writing = WritePhase::Assembling;
    panel.Show(progress);
    QCOMPARE(panel.CountsText(), QStringLiteral("Запись книги…"));
    f->Shoot(QStringLiteral("progress-assembling"));
    QLocale::setDefault(QLocale::system());
    panel.hide();
  }

  void theSaveTypeIsKeptAndATextListGoesOnlyOntoATextList() {
    f->Click("ImgNext");
    const std::string book = f->root.Path(XlsxAvailable() ? "big.xlsx" : "big.xls");
    f->dialogs.answer = SaveFileChoice{QString::fromStdString(book), 2};
    f->Click("ImgSave");
    const std::string workbook = ReadBytes(book);
    f->dialogs.answer.reset();
    f->dialogs.cancelled_on_type = 3;  // the user looked at HTML, then cancelled
    f->Click("ImgSave");
    f->Click("ImgSave");
    QCOMPARE(f->dialogs.questions.back().filter_index, 3);
    f->dialogs.answer = SaveFileChoice{QString::fromStdString(book), 1};
    f->Click("ImgSave");
    QCOMPARE(ReadBytes(book), workbook);
    QCOMPARE(f->dialogs.messages.size(), std::size_t{1});
    const QString text = f->dialogs.messages[0].text;
    QVERIFY2(
        text.contains(QString::fromStdString(book)) && text.contains(QStringLiteral("не текстовый список")),
        qPrintable(text));
  }

  void theUserIsAskedBeforeWritingInPlaceOrLosingCharacters() {
    f->Click("ImgNext");
    const std::string list = f->root.Path("list.txt");
    WriteBytes(list, "kept\r\n");
    f->dialogs.answer = SaveFileChoice{QString::fromStdString(list), 1};
    // The copy that would take the list's place fails: asked, then written into the file itself.
    const FailingFileSystem no_copy(FailingCall::Copy);
    for (const bool go_on : {false, true}) {
      f->dialogs.go_on = go_on;
      f->saves.now = &no_copy;
      f->Click("ImgSave");
      f->saves.now = &platform::NativeFileSystem();
      QVERIFY(f->dialogs.asked.back().text.contains(QStringLiteral("часть списка")));
      QCOMPARE(ReadBytes(list), go_on ? std::string("kept\r\nmy_SONG.Mp3\r\nsong.mp3\r\nTrack_two.WAV\r\n")
                                      : std::string("kept\r\n"));
    }
    QCOMPARE(f->dialogs.asked.size(), std::size_t{2});

    f->root.File("a/music/Ωmega ß.mp3");
    f->Click("ImgBack");
    f->Click("ImgNext");
    f->dialogs.asked.clear();
    QFile::remove(QString::fromStdString(list));
    f->dialogs.go_on = false;
    f->Click("ImgSave");
    QCOMPARE(f->dialogs.asked.size(), std::size_t{1});
    QVERIFY(f->dialogs.asked[0].text.contains(QStringLiteral(": 1.")));
    QVERIFY(f->dialogs.asked[0].text.contains(QStringLiteral("Ωmega ß.mp3")));
    QVERIFY(!QFile::exists(QString::fromStdString(list)));
    f->dialogs.go_on = true;
    f->Click("ImgSave");
    QVERIFY(ReadBytes(list).find("?mega ?.mp3\r\n") != std::string::npos);
    QVERIFY(f->dialogs.messages.empty());
  }
};

}  // namespace brixel::test

QTEST_MAIN(brixel::test::FullWindowTest)
#include "full_window_test.moc"
