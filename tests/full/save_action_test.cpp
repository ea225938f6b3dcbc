// The save button through the dialog layer: file types, cancel, empty list, failing targets.
#include "full/save_action.h"

#include <QApplication>
#include <QTest>

#include "core/edition.h"
#include "core/export/write_list.h"
#include "core/format/formatting_run.h"
#include "core/listing/name_table.h"
#include "shell/messages.h"
#include "shell/qt_dialogs.h"
#include "tests/format/numbering_options.h"
#include "tests/support/temp_tree.h"
#include "tests/support/window_fakes.h"

namespace brixel::test {

namespace {

NameTable TableOf(std::initializer_list<std::string_view> names) {
  NameTable table;
  table.StartListing();
  for (std::string_view name : names) table.Append(name);
  table.FinishListing();
  FormattingRun(table, FormatOptions{});
  return table;
}

QString Q(const std::string& path) {
  return QString::fromStdString(path);
}

}  // namespace

class SaveActionTest : public QObject {
  Q_OBJECT

 private:
  QWidget window_;
  TempTree folder_;
  FakeDialogs dialogs_;
  int filter_index_ = 1;

  // The window writes in a job; here the list is written at once, a failure shown as the window's
  // save job shows it.
  void Save(const NameTable& table, const FormatOptions& options = {}) {
    const std::optional<SaveChoice> choice = AskWhereToSave(window_, table, options, dialogs_, filter_index_);
    if (!choice) return;
    try {
      WriteList(choice->format, choice->path, table.Formatted(), LayoutOf(kFullEdition));
    } catch (...) {
      ShowSaveFailure(window_, dialogs_);
    }
  }
  // Formats the table with these options, as the window's switches do, then saves it.
  void SaveFormatted(NameTable& table, const FormatOptions& options) {
    FormattingRun(table, options);
    Save(table, options);
  }

 private slots:
  void init() {
    dialogs_ = FakeDialogs();
    filter_index_ = 1;
  }

  void theDialogOffersTheFileTypesExactly() {
    dialogs_.answer.reset();
    Save(TableOf({"a.mp3"}));
    QCOMPARE(dialogs_.questions.size(), std::size_t{1});
    QCOMPARE(dialogs_.questions[0].file_types,
             (QStringList{"Текстовый документ (*.txt)", " В формате Excel (*.xls)",
                          " В HTML формате (*.html)", " В формате CSV (*.csv)", " В формате JSON (*.json)"}));
    QCOMPARE(dialogs_.questions[0].filter_index, 1);
  }

  void eachFileTypeStandsForItsWriter() {
    QCOMPARE(SaveFileTypes().size(), 5);
    QCOMPARE(FormatForFilterIndex(1), ListFormat::Text);
    QCOMPARE(FormatForFilterIndex(2), ListFormat::Spreadsheet);
    QCOMPARE(FormatForFilterIndex(3), ListFormat::Html);
    QCOMPARE(FormatForFilterIndex(0), std::nullopt);
    QCOMPARE(FormatForFilterIndex(4), ListFormat::Csv);
    QCOMPARE(FormatForFilterIndex(5), ListFormat::Json);
    QCOMPARE(FormatForFilterIndex(6), std::nullopt);
  }

  void aTextListIsAppendedUnderTheNameAsTyped() {
    const std::string path = folder_.Path("list.html");  // the type decides, not the ending
    folder_.File("list.html", "old");
    dialogs_.answer = SaveFileChoice{Q(path), 1};
    const NameTable table = TableOf({"b.mp3", "Песня.mp3"});
    Save(table);
    QCOMPARE(ReadBytes(path), std::string("oldb.mp3\r\n\xCF\xE5\xF1\xED\xFF.mp3\r\n"));
    QVERIFY(dialogs_.messages.empty());
    QVERIFY(!QFileInfo::exists(Q(path + ".txt")));  // nothing added to the name
  }

  void theSpreadsheetAndHtmlTypesWriteTheirFormats() {
    const NameTable table = TableOf({"one.mp3", "two.mp3"});
    dialogs_.answer = SaveFileChoice{Q(folder_.Path("list")), 2};
    Save(table);
    QCOMPARE(ReadBytes(folder_.Path("list")).substr(0, 4), std::string("\xD0\xCF\x11\xE0"));  // a workbook

    dialogs_.answer = SaveFileChoice{Q(folder_.Path("list.xlsx")), 2};
    Save(table);
    QCOMPARE(ReadBytes(folder_.Path("list.xlsx")).substr(0, 2), std::string("PK"));

    dialogs_.answer = SaveFileChoice{Q(folder_.Path("page.html")), 3};
    Save(table);
    const std::string page = ReadBytes(folder_.Path("page.html"));
    QVERIFY(page.find("one.mp3") != std::string::npos && page.find("two.mp3") != std::string::npos);
    QVERIFY(dialogs_.messages.empty());
  }

  void theTypeChosenLastIsOfferedNext() {
    dialogs_.answer = SaveFileChoice{Q(folder_.Path("p.html")), 3};
    Save(TableOf({"a"}));
    dialogs_.answer.reset();
    Save(TableOf({"a"}));
    Save(TableOf({"a"}));
    QCOMPARE(dialogs_.questions.size(), std::size_t{3});
    QCOMPARE(dialogs_.questions[1].filter_index, 3);
    QCOMPARE(dialogs_.questions[2].filter_index, 3);  // a cancel keeps it
  }

  void cancellingWritesAndShowsNothing() {
    const QStringList before = QDir(Q(folder_.Path())).entryList(QDir::Files);
    dialogs_.answer.reset();
    Save(TableOf({"a.mp3"}));
    dialogs_.answer = SaveFileChoice{QString(), 1};
    Save(TableOf({"a.mp3"}));
    QVERIFY(dialogs_.messages.empty());
    QCOMPARE(QDir(Q(folder_.Path())).entryList(QDir::Files), before);
  }

  void anEmptyListSaysSoAndAsksNothing() {
    for (const NameTable& table : {TableOf({}), TableOf({"   ", "later.mp3"})}) {
      dialogs_ = FakeDialogs();
      Save(table);
      QVERIFY(dialogs_.questions.empty());
      QCOMPARE(dialogs_.messages.size(), std::size_t{1});
      QCOMPARE(dialogs_.messages[0].title, QStringLiteral("Внимание ! ! !"));
      QCOMPARE(dialogs_.messages[0].text, QStringLiteral("Список пуст."));
    }
  }

  void numberingFromAStartThatIsNoNumberIsRefusedSayingWhy() {
    // The table then shows the names without numbers while numbering is switched on.
    NameTable table = TableOf({"a.mp3", "b.mp3"});
    const std::string path = folder_.Path("numbered.txt");
    dialogs_.answer = SaveFileChoice{Q(path), 1};
    SaveFormatted(table, test::Numbering("abc", 1));
    QVERIFY(dialogs_.questions.empty());
    QCOMPARE(dialogs_.messages.size(), std::size_t{1});
    QCOMPARE(dialogs_.messages[0].title, QStringLiteral("Внимание ! ! !"));
    QCOMPARE(dialogs_.messages[0].text,
             QStringLiteral("Начальный номер «abc» — не число. Список не сохранён."));
    QVERIFY(!QFileInfo::exists(Q(path)));

    SaveFormatted(table, test::Numbering("7", 1));
    QCOMPARE(ReadBytes(path), std::string("7 a.mp3\r\n8 b.mp3\r\n"));
    FormatOptions unnumbered = test::Numbering("abc", 1);
    unnumbered.numbering = false;  // a start box that numbers nothing is no concern of the save
    SaveFormatted(table, unnumbered);
    QCOMPARE(dialogs_.messages.size(), std::size_t{1});
  }

  void aFailingTargetShowsOneMessageAndKeepsTheList() {
    const NameTable table = TableOf({"keep.mp3"});
    for (int type : {1, 2, 3}) {
      dialogs_ = FakeDialogs();
      dialogs_.answer = SaveFileChoice{Q(folder_.Path("missing/folder/list")), type};
      Save(table);
      QCOMPARE(dialogs_.messages.size(), std::size_t{1});
      QCOMPARE(dialogs_.messages[0].title, QStringLiteral("Внимание ! ! !"));
      QCOMPARE(dialogs_.messages[0].text, QStringLiteral("Произошла непредвиденная ошибка"));
    }
    QCOMPARE(table.Formatted()[0], std::string_view("keep.mp3"));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }
};

}  // namespace brixel::test

QTEST_MAIN(brixel::test::SaveActionTest)
#include "save_action_test.moc"
