#include "core/listing/details_readers.h"

#include <algorithm>
#include <system_error>

#include "core/listing/folder_scan.h"

namespace brixel {

namespace {

// A reader takes this many files of a folder at a time: a folder of a million files is shared
// out among the readers, and the lock is taken once per chunk, not per file.
constexpr std::uint32_t kChunkFiles = 256;
// What may wait at most before the walk waits for the readers: a few megabytes of records, and
// open folders well below any descriptor limit (the walk itself keeps at most 48 open).
constexpr std::size_t kMaxWaitingFiles = 16384;
constexpr std::size_t kMaxWaitingFolders = 64;

}  // namespace

// One folder's files handed over: their names (and, where reading the folder gave them, their
// facts) copied out of the walk's listing, which it reuses for the next folder.
struct DetailsReaders::Batch {
  std::shared_ptr<const platform::OpenFolder> folder;
  platform::FolderListing files;
  std::string relative;
  std::vector<FileDetails> read;  // one per file; `folder` unused
  std::size_t chunks_left = 0;
};

DetailsReaders::DetailsReaders(const DetailsRequest& request, DetailedTarget& target, std::stop_token stop,
                               unsigned threads)
    : request_(request),
      target_(target),
      stop_(std::move(stop)),
      thread_count_(threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency())) {}

DetailsReaders::~DetailsReaders() {
  abandoned_ = true;
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  chunk_ready_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void DetailsReaders::StartThreads() {
  started_ = true;
  threads_.reserve(thread_count_);
  try {
    for (unsigned i = 0; i < thread_count_; ++i) threads_.emplace_back([this] { ReadChunks(); });
  } catch (const std::system_error&) {
    // Fewer readers, or none: then the walk reads each batch itself. Slower, not wrong.
  }
}

void DetailsReaders::Read(Batch& batch, std::uint32_t begin, std::uint32_t end) {
  for (std::uint32_t i = begin; i < end; ++i) {
    if (abandoned_ || stop_.stop_requested()) return;  // left empty: nothing more is passed on
    try {
      ReadFileDetails(*batch.folder, batch.files, i, request_, batch.read[i]);
    } catch (...) {
      // Reading a file never fails the list (out of memory inside a tag library, say): its
      // fields stay empty and the readers go on.
      batch.read[i] = {};
    }
  }
}

void DetailsReaders::Add(std::shared_ptr<const platform::OpenFolder> folder,
                         const platform::FolderListing& listing, std::span<const std::uint32_t> indices,
                         std::string_view relative) {
  if (indices.empty()) return;
  // Sizes and times that reading the folder already gave (Windows) cost less to copy here than
  // to hand over.
  const bool given = !request_.audio && !listing.facts.empty();
  if (!given && !started_) StartThreads();
  auto batch = std::make_unique<Batch>();
  batch->folder = std::move(folder);
  batch->relative.assign(relative);
  platform::FolderListing& files = batch->files;
  files.entries.reserve(indices.size());
  for (const std::uint32_t i : indices) {
    const std::string_view name = listing.Name(listing.entries[i]);
    files.entries.push_back({static_cast<std::uint32_t>(files.names.size()),
                             static_cast<std::uint32_t>(name.size()), platform::EntryKind::File});
    files.names.append(name);
    if (!listing.facts.empty()) files.facts.push_back(listing.facts[i]);
  }
  const auto count = static_cast<std::uint32_t>(indices.size());
  batch->read.resize(count);
  bool wake = false;
  if (given || threads_.empty()) {
    Finish();  // the files handed over before come first
    Read(*batch, 0, count);
    Deliver(*batch);
    return;
  }
  {
    const std::lock_guard lock(mutex_);
    for (std::uint32_t begin = 0; begin < count; begin += kChunkFiles) {
      chunks_.push_back({batch.get(), begin, std::min(count, begin + kChunkFiles)});
      ++batch->chunks_left;
    }
    waiting_files_ += count;
    untaken_files_ += count;
    batches_.push_back(std::move(batch));
    // Waking a sleeping reader costs more than reading a few files: the files of small folders
    // gather until there is a chunk's worth (or the walk waits for them).
    wake = untaken_files_ >= kChunkFiles;
  }
  if (wake) chunk_ready_.notify_all();
  PassOn(kMaxWaitingFiles, kMaxWaitingFolders);
}

void DetailsReaders::Finish() {
  PassOn(0, 0);
}

void DetailsReaders::ReadChunks() {
  std::unique_lock lock(mutex_);
  for (;;) {
    chunk_ready_.wait(lock, [this] { return closing_ || !chunks_.empty(); });
    if (closing_) return;
    const Chunk chunk = chunks_.front();
    chunks_.pop_front();
    untaken_files_ -= chunk.end - chunk.begin;
    lock.unlock();
    Read(*chunk.batch, chunk.begin, chunk.end);
    lock.lock();
    if (--chunk.batch->chunks_left == 0) {
      // Closing a folder frees what the system kept of its reading: done here, where it costs
      // the walk nothing, whenever the walk has already left the folder.
      std::shared_ptr<const platform::OpenFolder> read_folder = std::move(chunk.batch->folder);
      batch_read_.notify_one();
      lock.unlock();
      read_folder.reset();
      lock.lock();
    }
  }
}

void DetailsReaders::PassOn(std::size_t max_files, std::size_t max_folders) {
  for (;;) {
    std::unique_ptr<Batch> batch;
    {
      std::unique_lock lock(mutex_);
      const auto head_read = [this] { return !batches_.empty() && batches_.front()->chunks_left == 0; };
      const auto may_go_on = [&] {
        return head_read() || (waiting_files_ <= max_files && batches_.size() <= max_folders);
      };
      if (!may_go_on()) {
        chunk_ready_.notify_all();  // the files of the last few small folders too
        batch_read_.wait(lock, may_go_on);
      }
      if (!head_read()) return;
      batch = std::move(batches_.front());
      batches_.pop_front();
      waiting_files_ -= batch->files.entries.size();
    }
    Deliver(*batch);
  }
}

void DetailsReaders::Deliver(Batch& batch) {
  row_.folder = batch.relative;
  for (std::size_t i = 0; i < batch.read.size(); ++i) {
    if (stop_.stop_requested()) return;  // a stopped walk hands on no more
    FileDetails& read = batch.read[i];
    row_.size = read.size;
    row_.modified = read.modified;
    row_.audio = std::move(read.audio);
    target_.Append(batch.files.Name(batch.files.entries[i]), row_);
  }
}

}  // namespace brixel
