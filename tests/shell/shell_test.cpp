// The shared window shell: outline, dragging, buttons, switches, drives, folders, models, help.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>

#include "core/listing/mask_list.h"
#include "core/listing/name_table.h"
#include "core/platform/file_path.h"
#include "core/platform/folder_path.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/drive_list.h"
#include "shell/folder_argument.h"
#include "shell/folder_chooser.h"
#include "shell/folder_list.h"
#include "shell/image_button.h"
#include "shell/listing_controls.h"
#include "shell/messages.h"
#include "shell/mounted_volumes.h"
#include "shell/name_copy.h"
#include "shell/name_table_model.h"
#include "shell/open_help.h"
#include "shell/picture_switch.h"
#include "shell/program_files.h"
#include "shell/qt_dialogs.h"
#include "shell/round_button.h"
#include "shell/russian_qt_texts.h"
#include "shell/shaped_window.h"
#include "shell/switch_looks.h"
#include "shell/window_region.h"
#include "shell/window_settings.h"
#include "tests/support/temp_tree.h"
#include "tests/support/window_fakes.h"

namespace brixel::test {

namespace {

class TestWindow : public ShapedWindow {
 public:
  TestWindow() { ShapeWindowAndButtons(); }
};

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void theOutlineIsTheBodyAndTwoCircles() {
    const QRegion region = WindowRegion();
    for (QPoint inside : {QPoint(300, 300), QPoint(6, 300), QPoint(559, 300), QPoint(300, 578),
                          QPoint(498, 20), QPoint(531, 14), QPoint(515, 30)})
      QVERIFY2(region.contains(inside), qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
    for (QPoint outside : {QPoint(5, 24), QPoint(559, 578), QPoint(560, 300), QPoint(300, 579),
                           QPoint(470, 15), QPoint(300, 10), QPoint(590, 590), QPoint(482, 13)})
      QVERIFY2(!region.contains(outside),
               qPrintable(QStringLiteral("%1,%2").arg(outside.x()).arg(outside.y())));
    QVERIFY(RoundButtonRegion().contains(QPoint(19, 18)));
    QVERIFY(!RoundButtonRegion().contains(QPoint(1, 1)));
    QVERIFY(!RoundButtonRegion().contains(QPoint(38, 18)));

    TestWindow window;
    QCOMPARE(window.mask(), WindowRegion());
    QCOMPARE(window.PicClose().mask(), RoundButtonRegion());
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window.size(), QSize(601, 594));
  }

  void anyMouseButtonDragsTheBackground() {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
      TestWindow window;
      window.move(100, 100);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      const QPoint start = window.pos();
      QTest::mousePress(&window, button, {}, QPoint(300, 200));
      QVERIFY(window.IsDragging());
      QTest::mouseMove(&window, QPoint(340, 230));
      QTRY_COMPARE(window.pos(), start + QPoint(40, 30));
      QTest::mouseRelease(&window, button, {}, QPoint(340, 230));
      QVERIFY(!window.IsDragging());
      QTest::mouseMove(&window, QPoint(100, 100));
      QCOMPARE(window.pos(), start + QPoint(40, 30));
    }
  }

  void aPressOnAControlStartsNoDrag() {
    TestWindow window;
    auto* label = new QLabel(QStringLiteral("caption"), &window);  // passes its presses on
    label->move(200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!window.IsDragging());
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(2, 2));
  }

  void imageButtonsShowThePressedLook() {
    QWidget parent;
    ImageButton button(Picture::Load(artwork::kButtonNext), QStringLiteral("Далее"), &parent);
    QSignalSpy clicks(&button, &ImageButton::clicked);
    QCOMPARE(button.size(), QSize(84, 39));
    button.move(10, 20);

    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(40, 20));
    QVERIFY(button.ShowsPressedLook());
    QCOMPARE(button.geometry(), QRect(10, 20, 83, 38));  // the corner stays put
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(40, 20));
    QCOMPARE(button.geometry(), QRect(10, 20, 84, 39));
    QCOMPARE(clicks.count(), 0);  // only the look

    // The click acts once the button is back at rest.
    connect(&button, &ImageButton::clicked, &button, [&] { QCOMPARE(button.size(), QSize(84, 39)); });
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(40, 20));
    QCOMPARE(clicks.count(), 1);
    // Released outside: no click.
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(40, 20));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 20));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!button.ShowsPressedLook());
    // Space presses and clicks from the keyboard.
    QTest::keyPress(&button, Qt::Key_Space);
    QVERIFY(button.ShowsPressedLook());
    QTest::keyRelease(&button, Qt::Key_Space);
    QCOMPARE(clicks.count(), 2);
  }

  void roundButtonsClickOnlyInsideTheirCircle() {
    QWidget parent;
    RoundButton button(Picture::Load(artwork::kRoundClose), QStringLiteral("Закрыть"), &parent);
    QSignalSpy clicks(&button, &RoundButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(20, 20));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(button.toolTip(), QStringLiteral("Закрыть"));
  }

  void aSwitchIsOnOnlyWithItsOwnOnPicture() {
    const SwitchLooks looks = SwitchLooks::Load();
    for (const Picture::Ptr& look : {looks.ImgChecked, looks.ImgUnchecked, looks.ImgRC, looks.ImgRU})
      QVERIFY(look->IsValid());
    PictureSwitch check(looks.ImgChecked, QSize(31, 31), nullptr);
    QVERIFY(!check.IsOn());  // shows nothing yet
    check.ShowLook(looks.ImgChecked);
    QVERIFY(check.IsOn());
    check.ShowLook(Picture::Load(artwork::kCheckOn));  // the same image, loaded again
    QVERIFY(!check.IsOn());
    CheckSwitchClick(check, looks);  // anything but the "on" picture flips to on
    QCOMPARE(check.ShownLook(), looks.ImgChecked.get());
    CheckSwitchClick(check, looks);
    QCOMPARE(check.ShownLook(), looks.ImgUnchecked.get());

    PictureSwitch a(looks.ImgRC, QSize(40, 40), nullptr), b(looks.ImgRC, QSize(40, 40), nullptr);
    a.ShowLook(looks.ImgRU);
    b.ShowLook(looks.ImgRC);
    CaseSwitchClick(a, {&a, &b}, looks);
    QVERIFY(a.IsOn() && !b.IsOn());
    CaseSwitchClick(a, {&a, &b}, looks);
    QVERIFY(!a.IsOn() && !b.IsOn());

    QSignalSpy clicks(&check, &PictureSwitch::clicked);
    QTest::mouseClick(&check, Qt::LeftButton);
    QTest::mouseClick(&check, Qt::RightButton);
    QCOMPARE(clicks.count(), 1);
  }

  void theArtworkLoads() {
    for (const char* file :
         {artwork::kBody, artwork::kRoundMinimize, artwork::kRoundClose, artwork::kButtonHelp,
          artwork::kButtonBack, artwork::kButtonReset, artwork::kButtonNext, artwork::kButtonSave})
      QVERIFY2(Picture::Load(QLatin1String(file))->IsValid(), file);
    QCOMPARE(Picture::Load(artwork::kBody)->NaturalSize(), QSize(570, 580));
    QCOMPARE(Picture::Load(artwork::kButtonSave)->NaturalSize(), QSize(84, 39));
    QVERIFY(!PictureIcon(QLatin1String(artwork::kAppIcon)).pixmap(32, 32).isNull());
  }

  // The windows are drawn in DejaVu Sans everywhere: Windows has no such font, so that build
  // carries it; Linux has it from the system.
  void theWindowsFontIsAtHand() {
#ifdef _WIN32
    QCOMPARE(AddEmbeddedFonts(), 2);  // regular and bold
#else
    QCOMPARE(AddEmbeddedFonts(), 0);
#endif
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    QCOMPARE(QFontInfo(BaseFont()).family(), QStringLiteral("DejaVu Sans"));
  }

  void pseudoFileSystemsAreNoDrives() {
    QVERIFY(IsUserVolume("ext4", QStringLiteral("/")));
    QVERIFY(IsUserVolume("vfat", QStringLiteral("/media/stick")));
    QVERIFY(IsUserVolume("tmpfs", QStringLiteral("/tmp")));
    QVERIFY(!IsUserVolume("tmpfs", QStringLiteral("/run/user/1000")));
    QVERIFY(!IsUserVolume("fuse.gvfsd-fuse", QStringLiteral("/run/user/1000/gvfs")));
    QVERIFY(IsUserVolume("vfat", QStringLiteral("/run/media/anna/STICK")));  // where udisks mounts them
    QVERIFY(!IsUserVolume("tmpfs", QStringLiteral("/run/media")));
    QVERIFY(!IsUserVolume("tmpfs", QStringLiteral("/sys/fs/cgroup")));
    QVERIFY(!IsUserVolume("proc", QStringLiteral("/proc")));
    QVERIFY(!IsUserVolume("sysfs", QStringLiteral("/sys")));
    QVERIFY(!IsUserVolume("cgroup2", QStringLiteral("/sys/fs/cgroup")));
    QVERIFY(!IsUserVolume("devpts", QStringLiteral("/dev/pts")));
    QVERIFY(IsUserVolume("ext4", QStringLiteral("/runner")));  // only whole folder names count

    const std::vector<Volume> volumes = MountedVolumes().Volumes();
#ifdef _WIN32
    // Drive letters, the system drive among them.
    const std::string system_drive = qEnvironmentVariable("SystemDrive").toUpper().toStdString() + "\\";
    QVERIFY(
        std::any_of(volumes.begin(), volumes.end(), [&](const Volume& v) { return v.root == system_drive; }));
    for (const Volume& v : volumes)
      QVERIFY2(QString::fromStdString(v.root).contains(QRegularExpression(QStringLiteral("^[A-Z]:\\\\$"))),
               v.root.c_str());
#else
    QVERIFY(std::any_of(volumes.begin(), volumes.end(), [](const Volume& v) { return v.root == "/"; }));
    for (const Volume& v : volumes)
      QVERIFY2(v.root.rfind("/proc", 0) != 0 && v.root.rfind("/sys", 0) != 0, v.root.c_str());
#endif
  }

  void theDriveHoldingAFolderIsTheLongestRoot() {
    DriveList drives(nullptr);
    drives.SetVolumes({{"/", {}}, {"/media/stick", QStringLiteral("STICK")}, {"/media/stick2", {}}});
    QCOMPARE(drives.count(), 3);
    QCOMPARE(drives.itemText(1), QStringLiteral("/media/stick  [STICK]"));
    QCOMPARE(drives.IndexHolding("/media/stick/music"), 1);
    QCOMPARE(drives.IndexHolding("/media/stick"), 1);
    QCOMPARE(drives.IndexHolding("/media/stick2/a"), 2);
    QCOMPARE(drives.IndexHolding("/media/sticky"), 0);
    QCOMPARE(drives.IndexHolding("/home"), 0);
  }

#ifdef _WIN32
  void aStartFolderWithASmallDriveLetterIsOnItsDrive() {
    TempTree t;
    t.Folder("music");
    FakeVolumes volumes;
    volumes.volumes = {{"A:\\", {}}, { t.Path().substr(0, 3), {} }};  // the temporary folder's drive
    DriveList drives(nullptr);
    FolderList folders(nullptr);
    FolderChooser chooser(drives, folders, volumes, nullptr);
    std::string start = t.Path("music");
    start[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(start[0])));
    chooser.Start(start);
    QCOMPARE(drives.currentIndex(), 1);
    QCOMPARE(folders.Path(), t.Path("music"));
  }
#endif

  void theFolderListShowsParentsAndSubfolders() {
    TempTree tree;
    tree.Folder("top/music/Disc 10");
    tree.Folder("top/music/Disc 9");
    tree.Folder("top/music/.hidden");
    tree.File("top/music/file.mp3");
    tree.Folder("elsewhere/Live");
#ifdef _WIN32
    // No links to make under wine: the linked folder stands as a folder of its own.
    tree.Folder("top/music/Disc 11");
#else
    std::filesystem::create_directory_symlink(tree.Path("elsewhere/Live"), tree.Path("top/music/Disc 11"));
    std::filesystem::create_symlink(tree.Path("top/music/file.mp3"), tree.Path("top/music/file link"));
    std::filesystem::create_directory_symlink(tree.Path("gone"), tree.Path("top/music/dangling"));
#endif
    FolderList list(nullptr);
    QAbstractItemModelTester tester(&list.Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy changes(&list, &FolderList::pathChanged);

    QVERIFY(list.SetPath(tree.Path("top"), tree.Path("top/music/")));
    QCOMPARE(list.Path(), tree.Path("top/music"));
    QVERIFY(SubfoldersRead(list));
    QStringList rows;
    for (int r = 0; r < list.Model().rowCount(); ++r) rows << list.Model().index(r, 0).data().toString();
    QCOMPARE(rows, (QStringList{QString::fromStdString(tree.Path("top")), "music", "Disc 9", "Disc 10",
                                "Disc 11"}));
    QCOMPARE(list.Model().CurrentRow(), 1);
    QCOMPARE(changes.count(), 1);

    list.OpenRow(3);
    QCOMPARE(list.Path(), tree.Path("top/music/Disc 10"));
    QVERIFY(SubfoldersRead(list));
    QTest::keyClick(&list, Qt::Key_Backspace);
    QCOMPARE(list.Path(), tree.Path("top/music"));
    QCOMPARE(changes.count(), 3);

    // Unopenable or outside the drive: nothing changes.
    QVERIFY(!list.SetPath(tree.Path("top"), tree.Path("top/none")));
    QVERIFY(!list.SetPath(tree.Path("top"), tree.Path("elsewhere")));
    QVERIFY(!list.SetPath(tree.Path("top"), tree.Path("top/music/file.mp3")));
    QCOMPARE(list.Path(), tree.Path("top/music"));
    QVERIFY(list.SetPath(tree.Path("top"), tree.Path("top/music")));
    QCOMPARE(changes.count(), 3);  // the same folder again is no change
  }

  void aSlowFolderIsLeftWhenAnotherIsChosen() {
    TempTree tree;
    tree.Folder("top/slow/inside");
    tree.Folder("top/quick/one");
    tree.Folder("top/quick/two");
    HeldFolders held;
    FolderList list(nullptr);
    list.ReadFrom(&held);
    QSignalSpy shown(&list, &FolderList::subfoldersShown);
    QVERIFY(list.SetPath(tree.Path("top"), tree.Path("top")));
    QVERIFY(SubfoldersRead(list));

    held.Hold(1);
    QVERIFY(list.SetPath(tree.Path("top"), tree.Path("top/slow")));
    QVERIFY(held.WaitUntilHeld());
    // While it is read, the list shows the way down to it and takes keys: Backspace goes up, and the
    // slow reading is stopped and never shown.
    QCOMPARE(list.Model().rowCount(), 2);
    QVERIFY(list.Loading());
    QTest::keyClick(&list, Qt::Key_Backspace);
    QCOMPARE(list.Path(), tree.Path("top"));
    QVERIFY(held.WaitUntilStopSeen());
    QVERIFY(SubfoldersRead(list));
    QCOMPARE(shown.count(), 2);
    QCOMPARE(list.Model().rowCount(), 3);

    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.Path(), tree.Path("top/quick"));
    QVERIFY(SubfoldersRead(list));
    QStringList rows;
    for (int r = 1; r < list.Model().rowCount(); ++r) rows << list.Model().index(r, 0).data().toString();
    QCOMPARE(rows, (QStringList{"quick", "one", "two"}));
  }

  void aDriveSlowToAnswerIsLeftForAFolderChosenMeanwhile() {
    TempTree tree;
    tree.Folder("a/music");
    tree.Folder("b");
    // Drive B says whether it is ready only once the test lets it.
    struct SlowVolumes : FakeVolumes {
      std::string slow;
      mutable std::mutex mutex;
      mutable std::condition_variable changed;
      bool may_answer = false;
      mutable std::atomic<bool> answered{false};
      bool IsReady(const Volume& volume) const override {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return may_answer || volume.root != slow; });
        answered = volume.root == slow;
        return true;
      }
    } volumes;
    volumes.volumes = {{tree.Path("a"), {}}, {tree.Path("b"), {}}};
    volumes.slow = tree.Path("b");
    DriveList drives(nullptr);
    FolderList folders(nullptr);
    FolderChooser chooser(drives, folders, volumes, nullptr);
    const auto let_answer = [&volumes] {
      {
        const std::lock_guard lock(volumes.mutex);
        volumes.may_answer = true;
      }
      volumes.changed.notify_all();
    };
    const auto answer_at_the_end = qScopeGuard(let_answer);  // a failed check must not hang the test
    chooser.Start(tree.Path("a"));
    QVERIFY(SubfoldersRead(folders));

    drives.setCurrentIndex(1);
    QVERIFY(chooser.CheckingDrive());
    QTest::keyClick(&folders, Qt::Key_Down);
    QTest::keyClick(&folders, Qt::Key_Return);
    QCOMPARE(folders.Path(), tree.Path("a/music"));
    QCOMPARE(drives.currentIndex(), 0);
    let_answer();
    QTRY_VERIFY(volumes.answered);
    QTest::qWait(50);  // room for the late answer to arrive, were it taken
    QCOMPARE(folders.Path(), tree.Path("a/music"));
    QCOMPARE(drives.currentIndex(), 0);
  }

  void theNameModelShowsTheTableWithoutCopying() {
    NameTable table;
    NameTableModel model(table, {NameTableModel::Column::AsFound, NameTableModel::Column::Formatted},
                         nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetHeadings({QStringLiteral("до"), QStringLiteral("после")});
    QCOMPARE(model.rowCount(), 0);

    model.BeginRebuild();
    table.StartListing();
    table.Append("b.mp3");
    table.Append("Ёлка.mp3");
    table.FinishListing();
    model.EndRebuild();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("Ёлка.mp3"));
    QCOMPARE(model.index(1, 1).data().toString(), QString());  // not formatted yet

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    table.Formatted().Append("B");
    table.Formatted().Append("Ё");
    model.FormattedChanged();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("B"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("после"));
    QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignBottom));
  }

  void copiedNamesArePastedAsTheyShow() {
    NameColumn found, formatted;
    for (const char* name : {"a.mp3", "tab\there.mp3", "say \"hi\".mp3", "line\nbreak.mp3"})
      found.Append(name);
    formatted.Append("A");
    // One column: the names as they are, one a line.
    QCOMPARE(NamesAsText({&found}, {{0, 1}}), QByteArray("a.mp3\ntab\there.mp3\n"));
    // Two columns: tab-separated cells, quoted where a spreadsheet would split them; the column
    // not yet filled gives empty cells.
    QCOMPARE(NamesAsText({&found, &formatted}, {{0, 0}, {2, 3}}),
             QByteArray("a.mp3\tA\n\"say \"\"hi\"\".mp3\"\t\n\"line\nbreak.mp3\"\t\n"));
  }

  // Settings: what is written is read back; what cannot be read gives way to the start without it,
  // value by value; a newer version's file, or one that cannot be read, is neither read nor written.
  void settingsComeBackOrFallBackQuietly() {
    TempTree t;
    const std::string path = t.Path("Brixel.ini");
    QVERIFY(LoadWindowSettings(path).may_write);  // missing
    WindowSettings kept;
    kept.folder = t.Path("папка");
    kept.mask_line = QStringLiteral("*.mp3; *.wav");
    kept.subfolders = true;
    kept.options = {LetterCase::FirstCapital, true, true, 3, "007", true};
    kept.save_type = 2;
    kept.save_path = t.Path("списки/list.txt");
    kept.position = QPoint(-20, 35);
    StoreWindowSettings(path, kept);
    const RememberedSettings read = LoadWindowSettings(path);
    QVERIFY(read.may_write);
    QCOMPARE(read.settings.folder, kept.folder);
    QCOMPARE(read.settings.mask_line, kept.mask_line);
    QVERIFY(read.settings.subfolders);
    QVERIFY(read.settings.options == kept.options);
    QCOMPARE(read.settings.save_type, 2);
    QCOMPARE(read.settings.save_path, kept.save_path);
    QCOMPARE(read.settings.position, kept.position);

    // Damaged: what makes no sense falls back, the rest is read, and the next store mends it.
    WriteBytes(path,
               "\xff\xfe\x01[listing\nmask=*.txt\n[formatting]\ndigits=9\ncase=7\nnumbering=yes\n"
               "start=123456\n[window]\nx=abc\ny=3\n");
    const RememberedSettings damaged = LoadWindowSettings(path);
    QVERIFY(damaged.may_write);
    QVERIFY(damaged.settings.options == FormatOptions{});
    QVERIFY(!damaged.settings.position);
    QCOMPARE(damaged.settings.save_type, -1);
    StoreWindowSettings(path, kept);
    QCOMPARE(LoadWindowSettings(path).settings.folder, kept.folder);

    // A newer version's file is left as it is; so is one that cannot be read (a folder here).
    WriteBytes(path, "format=2\n[listing]\nfolder=/elsewhere\n");
    const RememberedSettings newer = LoadWindowSettings(path);
    QVERIFY(!newer.may_write);
    QVERIFY(newer.settings.folder.empty());
    t.Folder("Unreadable.ini");
    QVERIFY(!LoadWindowSettings(t.Path("Unreadable.ini")).may_write);
    StoreWindowSettings(t.Path("no/such/folder/x.ini"), kept);  // silently not written
  }

  // A folder handed in: named, remembered, dropped; a file stands for its folder.
  void foldersComeInFromOutside() {
    TempTree t;
    t.File("music/song.mp3");
    const std::string music = t.Path("music");
    QCOMPARE(FolderNamed(music + "/song.mp3"), music);
    QCOMPARE(FolderNamed(music + "/../music/"), music);
    QVERIFY(FolderNamed(t.Path("gone")).empty());

    const std::string current = t.Path();
    QCOMPARE(ChooseStartFolder(music + "/song.mp3", t.Path("gone"), current).folder, music);
    const StartFolder missing = ChooseStartFolder(t.Path("gone"), music, current);
    QCOMPARE(missing.folder, music);  // as without it: the remembered folder
    QVERIFY(missing.named_missing);
    const StartFolder vanished = ChooseStartFolder(std::nullopt, t.Path("gone"), current);
    QCOMPARE(vanished.folder, current);
    QVERIFY(!vanished.named_missing);
    QCOMPARE(CommandLinePath({"Brixel"}), std::nullopt);
    QCOMPARE(CommandLinePath({"Brixel", "-v", "/music"}), std::optional<std::string>("/music"));

    QMimeData drop;
    drop.setUrls({QUrl(QStringLiteral("https://example.org/a.mp3")),
                  QUrl::fromLocalFile(QString::fromStdString(music + "/song.mp3"))});
    QCOMPARE(DroppedFolder(drop), music);
    drop.setUrls({QUrl(QStringLiteral("https://example.org/a.mp3"))});
    QVERIFY(DroppedFolder(drop).empty());
  }

  void theSaveDialogReportsTheNameAsTypedAndTheTypeChosen() {
    TempTree folder;
    const QStringList types{"Текстовый документ (*.txt)", " В формате Excel (*.xls)",
                            " В HTML формате (*.html)"};
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->objectName(), QStringLiteral("CDlg"));
      QCOMPARE(dialog->selectedNameFilter().simplified(), types[1].simplified());  // the type offered
      QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));             // a workbook replaces
      dialog->selectNameFilter(types[0]);
      emit dialog->filterSelected(types[0]);
      QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));  // a text list appends
      dialog->setDirectory(QString::fromStdString(folder.Path()));
      dialog->selectFile(QStringLiteral("list"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const SaveFileChoice choice = QtDialogs().AskSaveFile(nullptr, types, 2);
    QCOMPARE(choice.path, QString::fromStdString(folder.Path("list")));  // no extension added
    QCOMPARE(choice.filter_index, 1);

    // A cancel still says which type the dialog showed last.
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      dialog->selectNameFilter(types[2].simplified());
      for (int scale : {1, 2}) {  // the type and date columns read whole
        QImage image(dialog->size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        dialog->render(&image);
        image.save(ScreenshotFolder() +
                   (scale == 1 ? QStringLiteral("/save-dialog.png") : QStringLiteral("/save-dialog@2x.png")));
      }
      dialog->close();
    });
    const SaveFileChoice cancelled = QtDialogs().AskSaveFile(nullptr, types, 1);
    QVERIFY(cancelled.path.isEmpty());
    QCOMPARE(cancelled.filter_index, 3);
  }

  void messagesHaveOneOkButtonAndNoIcon() {
    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      QCOMPARE(box->windowTitle(), QStringLiteral("Внимание ! ! !"));
      QCOMPARE(box->text(), QStringLiteral("Список пуст."));
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->buttons().size(), 1);
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      box->accept();
    });
    QtDialogs().ShowMessage(nullptr, QStringLiteral("Внимание ! ! !"), QStringLiteral("Список пуст."));
  }

  // Each message and question of a save as it shows, at 100 % and 200 %: as wide as its title
  // reads whole, and a question stops at Esc and by default.
  void messagesAndQuestionsReadWholeAndAreShot() {
    QWidget window;
    QtDialogs dialogs;
    const auto expect = [&](const QString& name, int buttons) {
      QTimer::singleShot(0, [name, buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        QVERIFY(box->width() > box->fontMetrics().horizontalAdvance(box->windowTitle()) * 3 / 2);
        QCOMPARE(box->buttons().size(), buttons);
        for (int scale : {1, 2}) {
          QImage image(box->size() * scale, QImage::Format_ARGB32_Premultiplied);
          image.setDevicePixelRatio(scale);
          box->render(&image);
          const QString file = ScreenshotFolder() + QStringLiteral("/message-") + name +
                               (scale == 1 ? QString() : QStringLiteral("@2x")) + QStringLiteral(".png");
          QVERIFY2(image.save(file), qPrintable(file));
        }
        QTest::keyClick(box, Qt::Key_Escape);
      });
    };
    expect(QStringLiteral("empty"), 1);
    ShowWarning(window, dialogs, QString::fromUtf8(kEmptyListMessage));
    expect(QStringLiteral("not-a-text-list"), 1);
    ShowNotATextList(window, dialogs, "/home/user/Музыка/big.xlsx", ForeignContent::Zip);
    expect(QStringLiteral("mask-file-cut"), 1);
    ShowMaskFileCut(window, dialogs, kMaskFileLineLimit);
    expect(QStringLiteral("in-place"), 2);
    QVERIFY(!AskInPlace(window, dialogs, "/home/user/list.txt", true, 2'831'155, 1'048'576));
    expect(QStringLiteral("cp1251-losses"), 2);
    QVERIFY(!AskCp1251Losses(window, dialogs, {1234, {"Ωmega.mp3", "東京.mp3", "Straße.mp3"}}));
  }

  void helpIsOpenedOnlyWhenThePageIsThere() {
#ifdef _WIN32
    QCOMPARE(HelpPagePath(FilesBeside("D:\\").help_folder, "help.html"), std::string("D:\\help\\help.html"));
    QCOMPARE(HelpPagePath(FilesBeside("C:\\Brixel").help_folder, "help.html"),
             std::string("C:\\Brixel\\help\\help.html"));
#else
    QCOMPARE(HelpPagePath(FilesBeside("/").help_folder, "help.html"), std::string("/help/help.html"));
    QCOMPARE(HelpPagePath(FilesBeside("/opt/brixel").help_folder, "help.html"),
             std::string("/opt/brixel/help/help.html"));
#endif
    TempTree program;
    std::vector<QUrl> opened;
    const UrlOpener opener = [&](const QUrl& url) {
      opened.push_back(url);
      return true;
    };
    QVERIFY(!OpenHelp(program.Path("help"), "help.html", opener));
    QVERIFY(opened.empty());
    program.File("help/help.html", "<html/>");
    QVERIFY(OpenHelp(program.Path("help"), "help.html", opener));
    QCOMPARE(QDir::toNativeSeparators(opened.at(0).toLocalFile()),
             QString::fromStdString(program.Path("help/help.html")));
  }

  // Unpacked into a folder of its own that can be written, the program keeps everything there.
  void programFilesOfAProgramInAFolderOfItsOwn() {
    TempTree t;
    t.File("own/help/help.html");
    const UserFolders user{t.Path("config/brixel"), t.Path("documents"), t.Path("home")};
    const ProgramFiles files =
        ChooseProgramFiles(t.Path("own"), user, [](const std::string&) { return true; });
    QCOMPARE(files.mask_folder, t.Path("own"));
    QCOMPARE(files.help_folder, t.Path("own/help"));
    QCOMPARE(files.output_folder, t.Path("own"));
    QCOMPARE(SettingsFile(files, QStringLiteral("BrixelLite")), t.Path("own/BrixelLite.ini"));
  }

  // Under a prefix (bin/ beside share/brixel/), and in a folder that cannot be written, the program
  // writes only in the user's folders; it reads a mask file beside it all the same.
  void programFilesOfAnInstalledOrReadOnlyProgram() {
    TempTree t;
    t.File("usr/share/brixel/help/help.html");
    t.Folder("usr/bin");
    t.File("ro/help/help.html");
    t.Folder("documents");
    const UserFolders user{t.Path("config/brixel"), t.Path("documents"), t.Path("home")};
    bool asked = false;
    const FolderTest writable = [&](const std::string&) {
      asked = true;
      return true;
    };
    ProgramFiles files = ChooseProgramFiles(t.Path("usr/bin"), user, writable);
    QVERIFY2(!asked, "an installed program writes in the user's folders even where it could write");
    QCOMPARE(files.mask_folder, user.config);
    QCOMPARE(files.help_folder, t.Path("usr/share/brixel/help"));
    QCOMPARE(files.output_folder, user.documents);
    QCOMPARE(SettingsFile(files, QStringLiteral("Brixel")), JoinFolder(user.config, "Brixel.ini"));

    const FolderTest read_only = [](const std::string&) { return false; };
    files = ChooseProgramFiles(t.Path("ro"), user, read_only);
    QCOMPARE(files.mask_folder, user.config);
    QCOMPARE(files.help_folder, t.Path("ro/help"));
    QCOMPARE(files.output_folder, user.documents);

    t.File("ro/rasshirenia.txt", "*.flac\n");
    std::filesystem::remove(t.Root() / "documents");
    files = ChooseProgramFiles(t.Path("ro"), user, read_only);
    QCOMPARE(files.mask_folder, t.Path("ro"));
    QCOMPARE(files.output_folder, user.home);  // no documents folder

    // No help anywhere: the page beside the program is asked for, and opens nothing.
    QCOMPARE(ChooseProgramFiles(t.Path("documents"), user, read_only).help_folder, t.Path("documents/help"));
  }

  // Beside the Windows setup program's marker the program counts as installed, even in a folder
  // it may write (a per-user install); a mask file only in the earlier Windows folder stays in use
  // until the configuration folder has one of its own.
  void programFilesOfAProgramTheSetupProgramInstalled() {
    TempTree t;
    t.File("Brixel/help/help.html");
    t.File(std::string("Brixel/") + kSetupMarkerName);
    t.Folder("documents");
    UserFolders user{t.Path("config/Brixel"), t.Path("documents"), t.Path("home"), t.Path("local/brixel")};
    bool asked = false;
    const FolderTest writable = [&](const std::string&) {
      asked = true;
      return true;
    };
    ProgramFiles files = ChooseProgramFiles(t.Path("Brixel"), user, writable);
    QVERIFY(!asked);
    QCOMPARE(files.mask_folder, user.config);
    QCOMPARE(files.help_folder, t.Path("Brixel/help"));
    QCOMPARE(files.output_folder, user.documents);

    t.File("local/brixel/rasshirenia.txt", "*.flac\n");
    QCOMPARE(ChooseProgramFiles(t.Path("Brixel"), user, writable).mask_folder, user.earlier_config);
    t.File("config/Brixel/rasshirenia.txt", "*.ogg\n");
    QCOMPARE(ChooseProgramFiles(t.Path("Brixel"), user, writable).mask_folder, user.config);
  }

  // The running program's choice: the configuration folder is made when it is needed; one that
  // cannot be made leaves the built-in mask lines and nothing breaks.
  void programFilesOfTheRunningProgram() {
#ifdef _WIN32
    // The user's configuration folder is %APPDATA%\Brixel: the variable moves it.
    TempTree t;
    t.Folder("usr/share/brixel/help");
    t.Folder("usr/bin");
    const std::optional<QByteArray> saved =
        qEnvironmentVariableIsSet("APPDATA") ? std::optional(qgetenv("APPDATA")) : std::nullopt;
    qputenv("APPDATA", QByteArray::fromStdString(t.Path("roaming")));
    const ProgramFiles files = LocateProgramFiles(t.Path("usr/bin"));
    if (saved)
      qputenv("APPDATA", *saved);
    else
      qunsetenv("APPDATA");
    QCOMPARE(files.mask_folder, t.Path("roaming/Brixel"));
    QVERIFY(LoadMaskFile(files.mask_folder).empty());
    QVERIFY(std::filesystem::exists(t.Root() / "roaming/Brixel" / kMaskFileName));
    QVERIFY(FolderAcceptsFiles(t.Path("usr/bin")));
    QVERIFY(std::filesystem::is_empty(t.Root() / "usr/bin"));  // the probe is gone again
    QVERIFY(!FolderAcceptsFiles(t.Path("none")));
#else
    TempTree t;
    t.Folder("usr/share/brixel/help");
    t.Folder("usr/bin");
    t.File("not-a-folder");
    const std::optional<QByteArray> saved = qEnvironmentVariableIsSet("XDG_CONFIG_HOME")
                                                ? std::optional(qgetenv("XDG_CONFIG_HOME"))
                                                : std::nullopt;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(t.Path("config")));
    ProgramFiles files = LocateProgramFiles(t.Path("usr/bin"));
    QCOMPARE(files.mask_folder, t.Path("config/brixel"));
    QVERIFY(std::filesystem::is_directory(t.Root() / "config/brixel"));
    QVERIFY(LoadMaskFile(files.mask_folder).empty());
    QVERIFY(std::filesystem::exists(t.Root() / "config/brixel" / kMaskFileName));

    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(t.Path("not-a-folder")));
    files = LocateProgramFiles(t.Path("usr/bin"));
    QVERIFY(LoadMaskFile(files.mask_folder).empty());
    if (saved)
      qputenv("XDG_CONFIG_HOME", *saved);
    else
      qunsetenv("XDG_CONFIG_HOME");

    QVERIFY(FolderAcceptsFiles(t.Path("usr/bin")));
    QVERIFY(std::filesystem::is_empty(t.Root() / "usr/bin"));  // the probe is gone again
    QVERIFY(!FolderAcceptsFiles(t.Path("not-a-folder")));
#endif
  }

  void longTextsShowWholeAsToolTips() {
    QWidget window;
    QComboBox& masks = *MakeMaskList(window);
    const QString long_line = QStringLiteral("*.mp3; *.wav; *.flac; *.ogg; *.ape; *.wv; *.m4a");
    AppendMaskLines(masks, {long_line.toStdString()});
    masks.setCurrentIndex(masks.count() - 1);
    QCOMPARE(masks.toolTip(), long_line);
    QCOMPARE(masks.itemData(masks.count() - 1, Qt::ToolTipRole).toString(), long_line);
    // A folder of the folder list shows its whole path.
    TempTree tree;
    tree.Folder("top/A folder whose name is far too long for the folder list to show");
    FolderList folders(nullptr);
    QVERIFY(folders.SetPath(tree.Path("top"), tree.Path("top")));
    QVERIFY(SubfoldersRead(folders));
    QCOMPARE(folders.Model().index(1, 0).data(Qt::ToolTipRole).toString(),
             QString::fromStdString(
                 tree.Path("top/A folder whose name is far too long for the folder list to show")));
  }

  // Last: from here on Qt speaks Russian in this program.
  void qtsOwnTextsSpeakRussian() {
    QVERIFY(InstallRussianQtTexts(*QCoreApplication::instance()));
    for (const char* text : {"Look in:", "File &name:", "Files of type:"}) {
      const QString translated = QCoreApplication::translate("QFileDialog", text);
      QVERIFY2(translated.contains(QRegularExpression(QStringLiteral("[А-Яа-я]"))), text);
    }
    // The save dialog's type column too; Qt names a folder as Explorer does on Windows.
    TempTree tree;
#ifdef _WIN32
    const QString folder_type = QStringLiteral("Папка с файлами");
#else
    const QString folder_type = QStringLiteral("Папка");
#endif
    QCOMPARE(QFileIconProvider().type(QFileInfo(QString::fromStdString(tree.Path()))), folder_type);
    QCOMPARE(QFileSystemModel().headerData(2, Qt::Horizontal).toString(), QStringLiteral("Тип"));
  }
};

}  // namespace brixel::test

QTEST_MAIN(brixel::test::ShellTest)
#include "shell_test.moc"
