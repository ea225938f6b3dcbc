#include "core/details/details_column.h"

#include <limits>

namespace brixel {

namespace {

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();
constexpr std::uint64_t kNoSize = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint32_t kNoCount = std::numeric_limits<std::uint32_t>::max();

std::uint32_t Count(const std::optional<std::uint32_t>& value) {
  return value.value_or(kNoCount);
}

std::optional<std::uint32_t> Count(std::uint32_t value) {
  if (value == kNoCount) return std::nullopt;
  return value;
}

}  // namespace

std::uint32_t DetailsColumn::FolderId(const std::string& folder) {
  // A walk lists a folder's files one after another: the last folder is the likely one.
  if (!folder_.empty() && folders_[folder_.back()] == folder) return folder_.back();
  const auto [it, added] = folder_ids_.try_emplace(folder, static_cast<std::uint32_t>(folders_.size()));
  if (added) folders_.push_back(folder);
  return it->second;
}

void DetailsColumn::Append(const FileDetails& d) {
  const std::uint32_t folder = FolderId(d.folder);
  numbers_.push_back({d.modified ? d.modified->seconds : kNone, d.size.value_or(kNoSize),
                      d.modified ? d.modified->utc_offset : 0, Count(d.audio.duration), Count(d.audio.track),
                      Count(d.audio.year)});
  texts_.push_back({text_bytes_.size(), static_cast<std::uint32_t>(d.audio.artist.size()),
                    static_cast<std::uint32_t>(d.audio.title.size()),
                    static_cast<std::uint32_t>(d.audio.album.size())});
  text_bytes_ += d.audio.artist;
  text_bytes_ += d.audio.title;
  text_bytes_ += d.audio.album;
  folder_.push_back(folder);
}

void DetailsColumn::Read(std::size_t row, FileDetails& out) const {
  out.folder = folders_[folder_[row]];
  const Numbers& n = numbers_[row];
  out.size = n.size == kNoSize ? std::nullopt : std::optional<std::uint64_t>(n.size);
  out.modified =
      n.modified == kNone ? std::nullopt : std::optional<LocalTime>(LocalTime{n.modified, n.utc_offset});
  out.audio.duration = Count(n.duration);
  out.audio.track = Count(n.track);
  out.audio.year = Count(n.year);
  const TextRange& t = texts_[row];
  const std::string_view bytes(text_bytes_);
  out.audio.artist.assign(bytes.substr(t.begin, t.artist));
  out.audio.title.assign(bytes.substr(t.begin + t.artist, t.title));
  out.audio.album.assign(bytes.substr(t.begin + t.artist + t.title, t.album));
}

void DetailsColumn::Permute(const std::vector<std::uint32_t>& order) {
  DetailsColumn sorted;
  sorted.folders_ = std::move(folders_);
  sorted.folder_ids_ = std::move(folder_ids_);
  sorted.folder_.reserve(order.size());
  sorted.numbers_.reserve(order.size());
  sorted.texts_.reserve(order.size());
  sorted.text_bytes_.reserve(text_bytes_.size());
  for (const std::uint32_t from : order) {
    sorted.folder_.push_back(folder_[from]);
    sorted.numbers_.push_back(numbers_[from]);
    TextRange t = texts_[from];
    const std::uint64_t length = std::uint64_t{t.artist} + t.title + t.album;
    sorted.text_bytes_.append(text_bytes_, t.begin, length);
    t.begin = sorted.text_bytes_.size() - length;
    sorted.texts_.push_back(t);
  }
  *this = std::move(sorted);
}

void DetailsColumn::Clear() {
  *this = DetailsColumn();
}

}  // namespace brixel
