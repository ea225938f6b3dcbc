// The lite save from a real folder tree to real files: scan order, numbering, the three formats
// byte for byte or through an independent spreadsheet reader, and failures that leave the output
// as it was.
#include "lite/lite_save.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stop_token>

#include "core/export/save_error.h"
#include "core/format/formatting_target.h"
#include "core/text/case_map.h"
#include "core/text/cp1251.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"
#include "tests/support/writing_watcher.h"

namespace brixel {
namespace {

using test::ReadBytes;
using test::TempTree;
using test::WriteBytes;

std::string Cp1251(std::string_view utf8) {
  std::string out;
  AppendCp1251(utf8, out, Cp1251Mode::Text);
  return out;
}

const std::string kHtmlHead =
    "<html><head><title>" + Cp1251("Список") +
    "</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>"
    "<body  bgcolor=\"#FFF3C3\" > <div align=\"center\">";
const std::string kHtmlTitle = "<p><font color=\"#FF0000\"><strong>" +
                               Cp1251("Список сформирован с помощью программы Бриксел лайт В.") +
                               "1.0.0.</strong></p>";
const std::string kHtmlClose = "</font></div></body></html>";

// Whether xlrd can be run: a Linux program, which a Windows test under wine cannot start.
bool XlrdAtHand() {
  static const bool at_hand = test::ReaderAvailable("xlrd");
  return at_hand;
}
constexpr char kNoXlrd[] = "xlrd cannot be run here (not installed, or a Windows build under wine)";

// Reads every non-empty cell of the first sheet with xlrd: "A1=name" lines, column by column.
std::string CellsByXlrd(const std::string& path) {
  const std::string command =
      "/usr/bin/python3 -c \"import sys, xlrd\n"
      "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
      "for c in range(s.ncols):\n"
      "  for r in range(s.nrows):\n"
      "    v = s.cell_value(r, c)\n"
      "    if v != '': print(xlrd.colname(c) + str(r + 1) + '=' + v)\n\" '" +
      path + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  for (std::size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

class LiteSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One file per mask and folder: the order within a mask is the system's own.
    tree_.Files({"music/b_one.mp3", "music/a_two.wav", "music/notes.txt", "music/sub/c_three.mp3",
                 "music/sub/d_four.wav"});
    tree_.Folder("empty");
    tree_.Folder("out");
  }

  LiteSaveRequest Request(const std::string& format, const std::string& output,
                          bool subfolders = false) const {
    LiteSaveRequest request;
    request.folder = tree_.Path("music");
    request.mask_line = "*.mp3; *.wav";
    request.subfolders = subfolders;
    request.save_format = format;
    request.output_path = tree_.Path("out/" + output);
    return request;
  }

  std::size_t Save(const LiteSaveRequest& request) const { return RunLiteSave(request, locale_, {}); }

  TempTree tree_;
  const CaseMapper en_{"en_US"};
  const FormatLocale locale_{&en_, "en_US"};
};

TEST_F(LiteSaveTest, TextListIsWrittenInScanOrderAndAppended) {
  const LiteSaveRequest request = Request("*.txt", "list.txt");
  WriteBytes(request.output_path, "old\r\n");
  EXPECT_EQ(Save(request), 2u);
  // All mp3 names first, then the wav names, whatever their alphabetical order.
  EXPECT_EQ(ReadBytes(request.output_path), "old\r\nb_one.mp3\r\na_two.wav\r\n");
  Save(request);
  EXPECT_EQ(ReadBytes(request.output_path), "old\r\nb_one.mp3\r\na_two.wav\r\nb_one.mp3\r\na_two.wav\r\n");
}

TEST_F(LiteSaveTest, SubfoldersFollowTheFolderAndNumberingRunsAcrossMasksAndFolders) {
  LiteSaveRequest request = Request("*.txt", "list.txt", true);
  request.options.numbering = true;
  request.options.digits = 3;
  request.options.underscores = true;
  request.options.remove_extension = true;
  EXPECT_EQ(Save(request), 4u);
  const std::string once = "001 b one\r\n002 a two\r\n003 c three\r\n004 d four\r\n";
  EXPECT_EQ(ReadBytes(request.output_path), once);
  // A second save numbers from the start again.
  Save(request);
  EXPECT_EQ(ReadBytes(request.output_path), once + once);
}

TEST_F(LiteSaveTest, ChosenColumnsGoBesideTheShapedNamesInScanOrder) {
  LiteSaveRequest request = Request("*.csv", "list.csv", true);
  request.options.numbering = true;
  request.columns = {Column::Name, Column::Folder, Column::Size};
  EXPECT_EQ(Save(request), 4u);
  EXPECT_EQ(ReadBytes(request.output_path),
            "\xEF\xBB\xBFname,folder,size\r\n1 b_one.mp3,,0\r\n2 a_two.wav,,0\r\n3 c_three.mp3,sub,0\r\n"
            "4 d_four.wav,sub,0\r\n");
  request.save_format = "*.txt";
  request.output_path = tree_.Path("out/list.txt");
  EXPECT_EQ(Save(request), 4u);
  EXPECT_EQ(ReadBytes(request.output_path),
            "1 b_one.mp3\t\t0\r\n2 a_two.wav\t\t0\r\n3 c_three.mp3\tsub\t0\r\n"
            "4 d_four.wav\tsub\t0\r\n");
}

TEST_F(LiteSaveTest, JsonListHoldsTheShapedNamesWithAndWithoutColumns) {
  LiteSaveRequest request = Request("*.json", "list.json");
  request.options.numbering = true;
  EXPECT_EQ(Save(request), 2u);
  EXPECT_EQ(ReadBytes(request.output_path),
            "[\n{\"name\": \"1 b_one.mp3\"},\n{\"name\": \"2 a_two.wav\"}\n]\n");
  request.columns = {Column::Name, Column::Size};
  EXPECT_EQ(Save(request), 2u);  // replaced, not appended
  EXPECT_EQ(ReadBytes(request.output_path),
            "[\n{\"name\": \"1 b_one.mp3\", \"size\": 0},\n{\"name\": \"2 a_two.wav\", \"size\": 0}\n]\n");
}

TEST_F(LiteSaveTest, NumbersCountFromTheStartTextAndAreNeverCut) {
  LiteSaveRequest request = Request("*.txt", "list.txt", true);
  request.options.numbering = true;
  request.options.digits = 2;
  request.options.start_text = "98";
  request.options.letter_case = LetterCase::Upper;
  Save(request);
  EXPECT_EQ(ReadBytes(request.output_path),
            "98 B_ONE.MP3\r\n99 A_TWO.WAV\r\n100 C_THREE.MP3\r\n101 D_FOUR.WAV\r\n");
}

TEST_F(LiteSaveTest, OneNameHtmlPageIsExactlyTheFixedPiecesAndTheName) {
  tree_.File("one/a");
  LiteSaveRequest request = Request("*.htm", "list.htm");
  request.folder = tree_.Path("one");
  request.mask_line = "*";
  Save(request);
  const std::string page = ReadBytes(request.output_path);
  EXPECT_EQ(page.size(), 301u);
  EXPECT_EQ(page, kHtmlHead + kHtmlTitle + "a\r\n<br>" + kHtmlClose);
  EXPECT_EQ(kHtmlHead.size(), 161u);
  EXPECT_EQ(kHtmlTitle.size(), 106u);
}

TEST_F(LiteSaveTest, HtmlPageIsReplacedNotAppended) {
  LiteSaveRequest request = Request("*.htm", "list.htm", true);
  request.options.letter_case = LetterCase::FirstCapital;
  WriteBytes(request.output_path, "an older page");
  Save(request);
  Save(request);
  EXPECT_EQ(ReadBytes(request.output_path),
            kHtmlHead + kHtmlTitle +
                "B_one.mp3\r\n<br>A_two.wav\r\n<br>C_three.mp3\r\n<br>D_four.wav\r\n<br>" + kHtmlClose);
}

TEST_F(LiteSaveTest, AScanThatFindsNothingStillWritesItsOutput) {
  LiteSaveRequest text = Request("*.txt", "empty.txt");
  text.folder = tree_.Path("empty");
  EXPECT_EQ(Save(text), 0u);
  EXPECT_TRUE(std::filesystem::exists(tree_.Root() / "out/empty.txt"));
  EXPECT_EQ(ReadBytes(text.output_path), "");

  LiteSaveRequest page = Request("*.htm", "empty.htm");
  page.folder = tree_.Path("empty");
  WriteBytes(page.output_path, "names of yesterday");
  Save(page);
  EXPECT_EQ(ReadBytes(page.output_path), kHtmlHead + kHtmlTitle + kHtmlClose);
}

TEST_F(LiteSaveTest, WorkbookStartsInA1WithAndWithoutSubfolders) {
  if (!XlrdAtHand()) GTEST_SKIP() << kNoXlrd;
  LiteSaveRequest request = Request("*.xls", "list.xls");
  Save(request);
  EXPECT_EQ(CellsByXlrd(request.output_path), "A1=b_one.mp3\nA2=a_two.wav\n");

  request = Request("*.xls", "tree.xls", true);
  request.options.numbering = true;
  Save(request);
  EXPECT_EQ(CellsByXlrd(request.output_path),
            "A1=1 b_one.mp3\nA2=2 a_two.wav\nA3=3 c_three.mp3\nA4=4 d_four.wav\n");
}

TEST_F(LiteSaveTest, CellCursorMovesToTheNextColumnAfterRow65534) {
  if (!XlrdAtHand()) GTEST_SKIP() << kNoXlrd;
  const std::string path = tree_.Path("out/long.xls");
  FormatOptions options;
  options.numbering = true;
  PrimFile prim_file(options, locale_);
  const std::unique_ptr<ListWriter> writer =
      OpenListWriter(ListFormat::Spreadsheet, path, LayoutOf(kLiteEdition));
  ListWriterTarget output(*writer);
  FormattingTarget target(prim_file, output);
  for (int i = 0; i < 65536; ++i) target.Append("n");
  writer->Finish();
  const std::string cells = CellsByXlrd(path);
  EXPECT_EQ(cells.substr(0, 6), "A1=1 n");
  EXPECT_NE(cells.find("\nA65534=65534 n\nB1=65535 n\nB2=65536 n\n"), std::string::npos);
  EXPECT_EQ(cells.find("A65535"), std::string::npos);
}

TEST_F(LiteSaveTest, StartTextThatIsNoNumberFailsBeforeTheOutputIsTouched) {
  for (const char* format : {"*.txt", "*.htm", "*.xls"}) {
    LiteSaveRequest request = Request(format, std::string("kept") + (format + 1));
    request.options.numbering = true;
    request.options.start_text = "abc";
    WriteBytes(request.output_path, "kept");
    EXPECT_THROW(Save(request), SaveError) << format;
    EXPECT_EQ(ReadBytes(request.output_path), "kept") << format;
  }
  // With numbering off the start text is never read.
  LiteSaveRequest request = Request("*.txt", "off.txt");
  request.options.start_text = "abc";
  EXPECT_EQ(Save(request), 2u);
}

TEST_F(LiteSaveTest, OutputThatCannotBeWrittenFailsAndLeavesFilesAsTheyWere) {
  EXPECT_THROW(Save(Request("*.txt", "no/such/folder/list.txt")), SaveError);
  EXPECT_THROW(Save(Request("*.htm", "")), SaveError);  // the folder itself
  LiteSaveRequest empty_box = Request("*.txt", "");
  empty_box.output_path.clear();
  EXPECT_THROW(Save(empty_box), SaveError);

  const LiteSaveRequest page = Request("*.htm", "locked.htm");
  WriteBytes(page.output_path, "locked");
  std::filesystem::permissions(page.output_path, std::filesystem::perms::owner_read);
  EXPECT_THROW(Save(page), SaveError);
  EXPECT_EQ(ReadBytes(page.output_path), "locked");
}

TEST_F(LiteSaveTest, APageOrWorkbookSavedIntoTheScannedFolderDoesNotListItsHalfWrittenFile) {
  for (const std::string format : {"*.htm", "*.xls"}) {
    if (format == "*.xls" && !XlrdAtHand()) continue;  // the page alone, then
    const std::string folder = "into" + format.substr(2) + "/";
    // A look-alike is a file like any other; only the save's own temporary file is left out.
    tree_.Files({folder + "a.mp3", folder + ".~brixel-notes.tmp"});
    LiteSaveRequest request = Request(format, "");
    request.folder = tree_.Path(folder);
    request.mask_line = "*";
    request.output_path = tree_.Path(folder + "list" + format.substr(1));
    EXPECT_EQ(Save(request), 2u) << format;
    const std::string written =
        format == "*.htm" ? ReadBytes(request.output_path) : CellsByXlrd(request.output_path);
    EXPECT_NE(written.find("a.mp3"), std::string::npos) << written;
    const std::size_t temp = written.find(".~brixel-");
    ASSERT_NE(temp, std::string::npos) << written;
    EXPECT_EQ(written.substr(temp, 18), ".~brixel-notes.tmp");
    EXPECT_EQ(written.find(".~brixel-", temp + 1), std::string::npos) << written;
  }
}

// Stops the scan as it comes to a folder whose path ends so, and notes the output's size then.
class StopAtFolder : public ProgressSink {
 public:
  StopAtFolder(std::string ending, std::string output)
      : ending_(std::move(ending)), output_(std::move(output)) {}
  void ReadingFolder(std::string_view path, std::size_t, std::size_t) override {
    std::string seen(path);  // Windows separates folders with backslashes
    std::replace(seen.begin(), seen.end(), '\\', '/');
    if (!seen.ends_with(ending_)) return;
    size_then = std::filesystem::exists(output_) ? std::filesystem::file_size(output_) : 0;
    source.request_stop();
  }
  std::stop_source source;
  std::uintmax_t size_then = 0;

 private:
  std::string ending_;
  std::string output_;
};

TEST_F(LiteSaveTest, AStoppedSaveLeavesTheOutputByteForByteAndNoTemporaryFile) {
  // Megabytes of names before the subfolder (beyond what the writers keep in memory), so the
  // output has really grown on the disk when the stop comes. The text list has a second name (a
  // hard link), so it is appended in place and must be cut back, not just dropped as a copy.
  const std::string long_name(236, 'x');
  for (int i = 0; i < 9000; ++i) tree_.File("music/" + long_name + std::to_string(1000 + i) + ".mp3");
  WriteBytes(tree_.Path("out/kept.txt"), "kept");
  std::filesystem::create_hard_link(tree_.Root() / "out/kept.txt", tree_.Root() / "out/kept-link.txt");
  for (const char* format : {"*.txt", "*.htm", "*.xls"}) {
    const LiteSaveRequest request = Request(format, std::string("kept") + (format + 1), true);
    WriteBytes(request.output_path, "kept");
    StopAtFolder stop("/sub", request.output_path);
    EXPECT_EQ(RunLiteSave(request, locale_, {}, {stop.source.get_token(), &stop}), std::nullopt) << format;
    if (std::string(format) == "*.txt") {
      EXPECT_GT(stop.size_then, 1u << 20);  // grown in place
    }
    EXPECT_EQ(ReadBytes(request.output_path), "kept") << format;
  }
  // A list the save would have made is not there either.
  const LiteSaveRequest fresh = Request("*.txt", "fresh.txt", true);
  StopAtFolder stop("/sub", fresh.output_path);
  EXPECT_EQ(RunLiteSave(fresh, locale_, {}, {stop.source.get_token(), &stop}), std::nullopt);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(tree_.Root() / "out"))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"kept-link.txt", "kept.htm", "kept.txt", "kept.xls"}));
}

TEST_F(LiteSaveTest, AStopAsTheWriterCommitsStillLeavesTheOutput) {
  // The text list has a second name, so it goes in place and is cut back.
  WriteBytes(tree_.Path("out/kept.txt"), "kept");
  std::filesystem::create_hard_link(tree_.Root() / "out/kept.txt", tree_.Root() / "out/kept-link.txt");
  for (const char* format : {"*.txt", "*.htm", "*.xls"}) {
    const LiteSaveRequest request = Request(format, std::string("kept") + (format + 1), true);
    WriteBytes(request.output_path, "kept");
    std::stop_source stop;
    test::WritingWatcher watcher([&](WritePhase phase, std::uint64_t, std::uint64_t) {
      if (phase == WritePhase::Committing) stop.request_stop();
    });
    EXPECT_EQ(RunLiteSave(request, locale_, {}, {stop.get_token(), &watcher}), std::nullopt) << format;
    EXPECT_EQ(ReadBytes(request.output_path), "kept") << format;
  }
}

TEST_F(LiteSaveTest, AnUnknownSaveFormatWritesNothing) {
  const LiteSaveRequest request = Request("*.doc", "list.doc");
  EXPECT_EQ(Save(request), 0u);
  EXPECT_FALSE(std::filesystem::exists(request.output_path));
}

}  // namespace
}  // namespace brixel
