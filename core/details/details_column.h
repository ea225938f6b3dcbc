#pragma once
// The details of many files, kept beside a column of their names (row i holds the details of name
// i) in little memory: about 60 bytes a row and the bytes of its tag texts, each folder kept once.
// A table sorts its names by a permutation and moves the details with the same one.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/details/file_details.h"

namespace brixel {

class DetailsColumn {
 public:
  std::size_t Size() const { return folder_.size(); }

  void Append(const FileDetails& details);
  // Row `row` into `out`, whose strings keep their room for the next row.
  void Read(std::size_t row, FileDetails& out) const;

  // Rebuilds the column in the order given: row i of the result is row order[i] of this one.
  void Permute(const std::vector<std::uint32_t>& order);
  void Clear();

  // The folders the rows hold, each once: row `row` is in folder FolderIndex(row), whose text is
  // Folder(FolderIndex(row)). Orders by folder rank the few folders, not the many rows.
  std::size_t FolderCount() const { return folders_.size(); }
  std::uint32_t FolderIndex(std::size_t row) const { return folder_[row]; }
  const std::string& Folder(std::uint32_t index) const { return folders_[index]; }

 private:
  struct Numbers {
    std::int64_t modified;  // kNone: missing
    std::uint64_t size;     // kNoSize: missing
    std::int32_t utc_offset;
    std::uint32_t duration;  // kNoCount: missing
    std::uint32_t track;
    std::uint32_t year;
  };
  struct TextRange {
    std::uint64_t begin;
    std::uint32_t artist, title, album;  // sizes, one after another from begin
  };

  std::uint32_t FolderId(const std::string& folder);

  std::vector<std::string> folders_;
  std::unordered_map<std::string, std::uint32_t> folder_ids_;
  std::vector<std::uint32_t> folder_;
  std::vector<Numbers> numbers_;
  std::vector<TextRange> texts_;
  std::string text_bytes_;
};

}  // namespace brixel
