#include "core/export/text_list.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/export/save_error.h"
#include "core/export/text_list_guard.h"
#include "tests/export/export_test_util.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

using test::ReadBytes;
using test::SaveList;
using test::WriteBytes;

class TextListTest : public ::testing::Test {
 protected:
  test::TempTree t;
  std::string path = t.Path("list.txt");
};

TEST_F(TextListTest, NewFileHoldsEachNameInWindows1251WithCrLf) {
  SaveList(ListFormat::Text, path, {"a.mp3", "", "Песня.mp3"});
  // An empty name in a later row is a bare CR LF; Cyrillic is one byte per letter.
  EXPECT_EQ(ReadBytes(path), "a.mp3\r\n\r\n\xCF\xE5\xF1\xED\xFF.mp3\r\n");
}

TEST_F(TextListTest, AppendsAfterExistingBytesEvenWithoutFinalLineBreak) {
  WriteBytes(path, "old");
  SaveList(ListFormat::Text, path, {"a", "b"});
  SaveList(ListFormat::Text, path, {"a", "b"});
  EXPECT_EQ(ReadBytes(path), "olda\r\nb\r\na\r\nb\r\n");
}

TEST_F(TextListTest, WhatWindows1251LacksBecomesQuestionMarks) {
  // Emoji, a line feed (legal in a Linux name: one name must stay one line), an invalid byte.
  SaveList(ListFormat::Text, path, {"x\xF0\x9F\x8E\xB5y", "two\nlines", "bad\xFFname", "a&b<c>"});
  EXPECT_EQ(ReadBytes(path), "x?y\r\ntwo?lines\r\nbad?name\r\na&b<c>\r\n");
}

TEST_F(TextListTest, Utf8OnRequest) {
  ListWriterOptions utf8;
  utf8.text_encoding = TextEncoding::Utf8;
  SaveList(ListFormat::Text, path, {"Песня", "bad\xFF"}, test::FullLayout(), utf8);
  EXPECT_EQ(ReadBytes(path), "Песня\r\nbad\xEF\xBF\xBD\r\n");
}

TEST_F(TextListTest, FailurePartWayPutsTheFileBack) {
  // Enough names to pass the writer's chunk, so part of the list reaches the disk first.
  std::vector<std::string> names(300000, "a name of some length.mp3");
  for (const auto call : {test::FailingCall::Write, test::FailingCall::Sync, test::FailingCall::Close}) {
    SCOPED_TRACE(static_cast<int>(call));
    WriteBytes(path, "kept\r\n");
    const test::FailingFileSystem fs(call, 1 << 20);
    ListWriterOptions options;
    options.file_system = &fs;
    EXPECT_THROW(SaveList(ListFormat::Text, path, names, test::FullLayout(), options), SaveError);
    EXPECT_EQ(ReadBytes(path), "kept\r\n");
  }
}

TEST_F(TextListTest, FailureOnANewFileRemovesIt) {
  const test::FailingFileSystem fs(test::FailingCall::Write, 3);
  ListWriterOptions options;
  options.file_system = &fs;
  EXPECT_THROW(SaveList(ListFormat::Text, path, {"abcdef"}, test::FullLayout(), options), SaveError);
  EXPECT_FALSE(std::filesystem::exists(t.Root() / "list.txt"));
}

TEST_F(TextListTest, WhereNoCopyCanTakeTheFilesPlaceTheListIsAppendedToTheFileItself) {
  // No file can be made in the folder, the owner cannot be kept; and the file system refuses
  // files without a name, so the copy has one while it is written.
  for (const auto call : {test::FailingCall::Create, test::FailingCall::Owner, test::FailingCall::Unnamed}) {
    SCOPED_TRACE(static_cast<int>(call));
    WriteBytes(path, "kept\r\n");
    const test::FailingFileSystem fs(call);
    ListWriterOptions options;
    options.file_system = &fs;
    SaveList(ListFormat::Text, path, {"a"}, test::FullLayout(), options);
    EXPECT_EQ(ReadBytes(path), "kept\r\na\r\n");
    EXPECT_EQ(test::FolderEntries(t.Root()), std::vector<std::string>{"list.txt"});
  }
}

TEST_F(TextListTest, ACopyWithNoRoomOnTheDiskGoesIntoTheFileItselfOnlyWithLeave) {
  WriteBytes(path, "kept\r\n");
  const test::FailingFileSystem fs(test::FailingCall::Copy);  // ENOSPC
  ListWriterOptions options;
  options.file_system = &fs;
  try {
    SaveList(ListFormat::Text, path, {"a"}, test::FullLayout(), options);
    ADD_FAILURE() << "appended in place without leave";
  } catch (const InPlaceRefused& e) {
    EXPECT_EQ(e.cause, InPlaceCause::NoRoomForCopy);
    EXPECT_EQ(e.room_needed, 6u);
    EXPECT_NE(std::string(e.what()).find(path + ": no room"), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadBytes(path), "kept\r\n");
  EXPECT_EQ(test::FolderEntries(t.Root()), std::vector<std::string>{"list.txt"});
  options.in_place_allowed = true;
  SaveList(ListFormat::Text, path, {"a"}, test::FullLayout(), options);
  EXPECT_EQ(ReadBytes(path), "kept\r\na\r\n");
}

TEST_F(TextListTest, AFileThatIsNoTextListIsRefusedAndKept) {
  using namespace std::string_literals;
  const std::pair<std::string, ForeignContent> files[] = {
      {"PK\x03\x04\x14\0\x06\0"s, ForeignContent::Zip},
      {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0"s, ForeignContent::Ole},
      {"\xEF\xBB\xBF\r\n  <!DOCTYPE html><html>", ForeignContent::Html},
      {"<HTML><head><title>", ForeignContent::Html},
      {"names\r\n" + std::string(4000, 'x') + "\0"s, ForeignContent::Binary},
  };
  for (const auto& [bytes, content] : files) {
    SCOPED_TRACE(bytes.substr(0, 8));
    WriteBytes(path, bytes);
    try {
      SaveList(ListFormat::Text, path, {"a"});
      ADD_FAILURE() << "appended";
    } catch (const NotATextList& e) {
      EXPECT_EQ(e.content, content);
      EXPECT_EQ(std::string(e.what()).rfind(path + ": it ", 0), 0u) << e.what();
    }
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(test::FolderEntries(t.Root()), std::vector<std::string>{"list.txt"});
    EXPECT_EQ(CheckTextListTarget(path), content);
  }
  // Text in either code page, markup within a line, a NUL past the first 4 KiB: a text list.
  for (const std::string& text :
       {"\xCF\xE5\xF1\xED\xFF\r\n<html> as a name\r\n"s, std::string(4096, 'x') + "\0"s}) {
    WriteBytes(path, text);
    EXPECT_EQ(CheckTextListTarget(path), std::nullopt);
    SaveList(ListFormat::Text, path, {"a"});
    EXPECT_EQ(ReadBytes(path), text + "a\r\n");
  }
}

TEST_F(TextListTest, APipeReachedThroughALinkIsWrittenThroughIt) {
#ifdef _WIN32
  GTEST_SKIP() << "no /proc on Windows";
#else
  // As "-o /dev/stdout" into a pipe: /proc/self/fd/N leads to a pipe that has no name.
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  SaveList(ListFormat::Text, "/proc/self/fd/" + std::to_string(fds[1]), {"a"});
  ::close(fds[1]);
  char bytes[16] = {};
  EXPECT_EQ(::read(fds[0], bytes, sizeof bytes), 3);
  EXPECT_EQ(std::string(bytes), "a\r\n");
  ::close(fds[0]);
#endif
}

TEST_F(TextListTest, UnfinishedWriterLeavesTheFileAsItWas) {
  WriteBytes(path, "kept");
  {
    const auto writer = OpenListWriter(ListFormat::Text, path, test::FullLayout());
    writer->Add("lost");
  }
  EXPECT_EQ(ReadBytes(path), "kept");
  {
    const auto writer = OpenListWriter(ListFormat::Text, t.Path("new.txt"), test::FullLayout());
    writer->Add("lost");
  }
  EXPECT_EQ(test::FolderEntries(t.Root()), std::vector<std::string>{"list.txt"});
}

}  // namespace
}  // namespace brixel
