// Hostile files where the walk expects audio: every one reads as empty fields, without a hang, a
// crash, a read of a special file or a read of more than the budget.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/details/tag_reader.h"
#include "tests/details/read_details.h"
#include "tests/support/temp_tree.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace brixel {
namespace {

const DetailsRequest kAll{true, true};

std::string Fixture(const std::string& name) {
  return test::ReadBytes(std::string(BRIXEL_TAG_FIXTURES) + "/" + name);
}

// An ID3v2.3 tag that claims `tag_size` bytes, holding a title frame that claims `frame_size`.
std::string ClaimingTag(std::uint32_t tag_size, std::uint32_t frame_size) {
  std::string tag = "ID3\x03";
  tag += '\0';
  tag += '\0';
  for (int shift = 21; shift >= 0; shift -= 7)
    tag += static_cast<char>((tag_size >> shift) & 0x7F);  // syncsafe
  tag += "TIT2";
  for (int shift = 24; shift >= 0; shift -= 8) tag += static_cast<char>((frame_size >> shift) & 0xFF);
  tag += std::string(2, '\0');
  tag += std::string("\0Title", 6);
  return tag;
}

TEST(BadAudioInput, DamagedFilesGiveEmptyFields) {
  if (!TagsAvailable()) GTEST_SKIP() << "a build without TagLib";
  test::TempTree tree;
  std::mt19937 random(20);
  std::string noise(64 * 1024, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string mp3 = Fixture("id3v23.mp3");
  tree.File("empty.mp3");
  tree.File("text.mp3", "This is a text file, not music.\nLine two.\n");
  tree.File("truncated_tag.mp3", mp3.substr(0, 40));
  tree.File("noise.mp3", noise);
  for (const char* name :
       {"vorbis.flac", "vorbis.ogg", "opus.opus", "aac.m4a", "wma.wma", "info_cp1251.wav"}) {
    const std::string bytes = Fixture(name);
    // The head survives and the rest is noise or gone: the tags the head promises are not there.
    tree.File(std::string("cut_") + name, bytes.substr(0, bytes.size() / 8));
    tree.File(std::string("noisy_") + name, bytes.substr(0, 64) + noise);
  }
  tree.File("claims_gigabytes.mp3", ClaimingTag(0x0FFFFFFF, 0xFFFFFFF0) + noise);
  for (const auto& entry : std::filesystem::directory_iterator(tree.Root())) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    const FileDetails got = test::ReadDetails(tree.Path(), name, kAll);
    EXPECT_EQ(got.size, std::filesystem::file_size(entry.path()));
    const std::size_t cut = name.find('_');
    const std::string source = name.substr(cut + 1);
    if (name.rfind("noisy_", 0) == 0 || name.rfind("cut_", 0) == 0) {
      // Tags at the head may survive; what is read is never anything but the true text.
      const FileDetails whole = test::ReadDetails(BRIXEL_TAG_FIXTURES, source, kAll);
      for (const auto& [part, true_text] :
           {std::pair{got.audio.artist, whole.audio.artist}, std::pair{got.audio.album, whole.audio.album}})
        EXPECT_TRUE(part.empty() || part == true_text) << part;
    } else {
      EXPECT_TRUE(test::NoAudio(got));
    }
  }
}

// Counts what the tag library reads.
class CountingFile final : public platform::ReadableFile {
 public:
  explicit CountingFile(std::uint64_t size) { facts_.size = size; }
  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::error_code&) override {
    const std::uint64_t n = offset >= facts_.size ? 0 : std::min<std::uint64_t>(size, facts_.size - offset);
    const std::string head = ClaimingTag(0x0FFFFFFF, 0x7FFFFFF0);
    for (std::uint64_t i = 0; i < n; ++i)
      buffer[i] = offset + i < head.size() ? head[static_cast<std::size_t>(offset + i)] : 'x';
    read_ += n;
    return static_cast<std::size_t>(n);
  }
  const platform::EntryFacts& Facts() const override { return facts_; }
  std::uint64_t read_ = 0;

 private:
  platform::EntryFacts facts_;
};

TEST(BadAudioInput, ATagClaimingGigabytesCostsNoMoreThanTheBudget) {
  if (!TagsAvailable()) GTEST_SKIP() << "a build without TagLib";
  // A file of 3 GB whose tag claims 256 MB and its frame 2 GB: every read is counted.
  CountingFile file(std::uint64_t{3} << 30);
  AudioDetails audio;
  ReadAudioDetails(file, "huge.mp3", TagEncoding::Auto, audio);
  EXPECT_EQ(audio.title, "");
  EXPECT_LE(file.read_, kTagReadBudget);
}

#ifndef _WIN32
TEST(BadAudioInput, SpecialFilesAndVanishedFilesAreNeverRead) {
  test::TempTree tree;
  ASSERT_TRUE(test::MakeNotAFile(tree.Path("fifo.mp3"), test::NotAFile::Fifo));
  ASSERT_TRUE(test::MakeNotAFile(tree.Path("link.mp3"), test::NotAFile::EndlessDevice));
  const bool device =
      test::RunningAsRoot() && ::mknod(tree.Path("zero.mp3").c_str(), S_IFCHR | 0644, makedev(1, 5)) == 0;
  tree.File("gone.mp3", Fixture("id3v24.mp3"));
  tree.File("locked.mp3", Fixture("id3v24.mp3"));
  ::chmod(tree.Path("locked.mp3").c_str(), 0);

  std::error_code error;
  const auto folder = platform::OpenFolder::Open(tree.Path(), error);
  ASSERT_TRUE(folder);
  platform::FolderListing listing;
  ASSERT_TRUE(folder->ReadAll(listing, error));
  std::filesystem::remove(tree.Root() / "gone.mp3");  // between the walk and the read
  for (std::size_t i = 0; i < listing.entries.size(); ++i) {
    const std::string name(listing.Name(listing.entries[i]));
    SCOPED_TRACE(name);
    FileDetails got;
    ReadFileDetails(*folder, listing, i, kAll, got);              // a FIFO opened blocking would hang here
    if (name == "locked.mp3" && test::RunningAsRoot()) continue;  // root reads it all the same
    EXPECT_TRUE(test::NoAudio(got));
    if (name == "gone.mp3") {
      EXPECT_FALSE(got.size || got.modified);
    }
  }
  std::error_code ec;
  EXPECT_FALSE(folder->OpenFileForReading("fifo.mp3", ec));
  EXPECT_EQ(ec, std::errc::invalid_argument);
  EXPECT_FALSE(folder->OpenFileForReading("link.mp3", ec));  // never through a link
  if (device) {
    EXPECT_FALSE(folder->OpenFileForReading("zero.mp3", ec));
    EXPECT_EQ(ec, std::errc::invalid_argument);
  }
}
#endif

}  // namespace
}  // namespace brixel
