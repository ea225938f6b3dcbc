#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/list_command.h"
#include "core/platform/file_path.h"
#include "core/platform/folder.h"
#include "core/platform/folder_path.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_tree.h"

namespace brixel::cli {
namespace {

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    t.Files({"b.mp3", "a.wav", "c.MP3", "sub/deep.mp3", "notes.txt", "Песня.mp3"});
  }
  test::TempTree t;
};

TEST_F(CliTest, SortedByDefaultOneNamePerLine) {
  const CliRun r = Cli({t.Path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a.wav\nb.mp3\nc.MP3\nПесня.mp3\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, RecursiveAndMaskOptions) {
  EXPECT_EQ(Cli({"-r", "-m", "*.mp3", t.Path()}).out, "b.mp3\nc.MP3\ndeep.mp3\nПесня.mp3\n");
  EXPECT_EQ(Cli({"--recursive", "--mask=*.txt", t.Path()}).out, "notes.txt\n");
}

TEST_F(CliTest, ScanOrderPutsEachMaskTogether) {
  const CliRun r = Cli({"--order", "scan", "-m", "*.wav; *.mp3", t.Path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 6), "a.wav\n");
}

TEST_F(CliTest, Cp1251OnStdoutAndNothingFound) {
  EXPECT_EQ(Cli({"--encoding", "cp1251", "-m", "*я.mp3", t.Path()}).out, "\xCF\xE5\xF1\xED\xFF.mp3\n");
  const CliRun none = Cli({"-m", "*.flac", t.Path()});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "");
}

TEST_F(CliTest, ANameWithALineFeedStaysOneLine) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows file names cannot hold a line feed";
#else
  t.File("two\nlines.ogg");
  EXPECT_EQ(Cli({"-m", "*.ogg", t.Path()}).out, "two?lines.ogg\n");
  EXPECT_EQ(Cli({"-m", "*.ogg", "--encoding", "cp1251", t.Path()}).out, "two?lines.ogg\n");
  const std::string out = t.Path("list.txt");
  EXPECT_EQ(Cli({"-m", "*.ogg", "--encoding", "utf-8", "-o", out, t.Path()}).status, 0);
  EXPECT_EQ(test::ReadBytes(out), "two?lines.ogg\r\n");
#endif
}

TEST_F(CliTest, OutputFileAppendsTextListInWindows1251) {
  const std::string out = t.Path("list.txt");
  test::WriteBytes(out, "old");
  EXPECT_EQ(Cli({"-m", "*.mp3", "-o", out, t.Path()}).status, 0);
  EXPECT_EQ(test::ReadBytes(out), "oldb.mp3\r\nc.MP3\r\n\xCF\xE5\xF1\xED\xFF.mp3\r\n");
}

TEST_F(CliTest, EmptyListTouchesNoFile) {
  const CliRun r = Cli({"-m", "*.flac", "-o", t.Path("none.txt"), t.Path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(std::filesystem::exists(t.Root() / "none.txt"));
}

TEST_F(CliTest, UsageErrorsExitTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--order", "random"},
                                                                {"--bogus"},
                                                                {"-m"},
                                                                {"a", "b"},
                                                                {"--encoding", "koi8"},
                                                                {"--recursive=1"}}) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("brixel-list:"), std::string::npos);
  }
}

TEST_F(CliTest, MissingFolderIsNamedAndExitsOne) {
  const CliRun r = Cli({t.Path("missing")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(t.Path("missing")), std::string::npos);
  EXPECT_EQ(r.out, "");
}

// The platform's folders, but a subfolder of a given name cannot be opened: root, as CI runs the
// tests, reads every folder whatever its permissions.
class LockedFolders : public platform::FolderSource {
 public:
  explicit LockedFolders(std::string locked) : locked_(std::move(locked)) {}
  std::unique_ptr<platform::OpenFolder> Open(const std::string& path, std::error_code& error) const override {
    auto folder = platform::NativeFolders().Open(path, error);
    return folder ? std::make_unique<Folder>(std::move(folder), locked_) : nullptr;
  }

 private:
  struct Folder : platform::OpenFolder {
    Folder(std::unique_ptr<platform::OpenFolder> f, const std::string& locked_name)
        : real(std::move(f)), locked(locked_name) {}
    std::unique_ptr<platform::OpenFolder> OpenChild(std::string_view name,
                                                    std::error_code& error) const override {
      if (name == locked) {
        error = platform::NotFoundError();
        return nullptr;
      }
      auto child = real->OpenChild(name, error);
      return child ? std::make_unique<Folder>(std::move(child), locked) : nullptr;
    }
    std::unique_ptr<platform::OpenFolder> OpenParent(std::error_code& error) const override {
      auto parent = real->OpenParent(error);
      return parent ? std::make_unique<Folder>(std::move(parent), locked) : nullptr;
    }
    bool ReadAll(platform::FolderListing& out, std::error_code& error, std::stop_token stop) override {
      return real->ReadAll(out, error, stop);
    }
    platform::FolderIdentity Identity() const override { return real->Identity(); }
    std::unique_ptr<platform::OpenFolder> real;
    const std::string& locked;
  };
  std::string locked_;
};

TEST_F(CliTest, ShowErrorsNamesEachFolderLeftOut) {
  t.Files({"a/locked/x.mp3", "a/y.mp3"});
  const LockedFolders folders("locked");
  for (const bool show : {false, true}) {
    std::ostringstream out, err;
    std::vector<std::string> args{"-r", "-m", "*.mp3", t.Path("a")};
    if (show) args.insert(args.begin(), "--show-errors");
    EXPECT_EQ(RunList(ParseCliArgs(args).options, out, err, &folders), ExitStatus::Done);
    EXPECT_EQ(out.str(), "y.mp3\n");
    EXPECT_EQ(err.str(), show ? "brixel-list: cannot read " + JoinFolder(t.Path("a"), "locked") + ": " +
                                    platform::NotFoundError().message() + "\n"
                              : "");
  }
}

TEST_F(CliTest, UnwritableOutputExitsOne) {
  const CliRun r = Cli({"-o", t.Path("no/such/folder/list.txt"), t.Path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("list.txt"), std::string::npos);
}

TEST_F(CliTest, HelpAndVersion) {
  EXPECT_NE(Cli({"--help"}).out.find("Usage: brixel-list"), std::string::npos);
  EXPECT_EQ(Cli({"--version"}).out, "brixel-list 2.0.1\n");
}

TEST_F(CliTest, ExecutableEndToEnd) {
  const char* build = std::getenv("BRIXEL_BUILD_DIR");
  if (build == nullptr) GTEST_SKIP() << "BRIXEL_BUILD_DIR is not set";
  const std::string out = t.Path("out.txt");
#ifdef _WIN32
  // cmd.exe: double quotes, and one outer pair for /c to strip.
  const std::string exe =
      PathToUtf8(std::filesystem::absolute(PathFromUtf8(build) / "brixel-list.exe").make_preferred());
  const std::string cmd = "\"\"" + exe + "\" -r -m \"*.mp3\" \"" + t.Path() + "\" > \"" + out + "\"\"";
  const std::string bad = "\"\"" + exe + "\" --nope 2>NUL\"";
#else
  const std::string cmd =
      std::string(build) + "/brixel-list -r -m '*.mp3' '" + t.Path() + "' > '" + out + "'";
  const std::string bad = std::string(build) + "/brixel-list --nope 2>/dev/null";
#endif
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(test::ReadBytes(out), "b.mp3\nc.MP3\ndeep.mp3\nПесня.mp3\n");
  EXPECT_NE(std::system(bad.c_str()), 0);
}

}  // namespace
}  // namespace brixel::cli
