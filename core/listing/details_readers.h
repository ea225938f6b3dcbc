#pragma once
// The threads that read the details of the files a walk finds, beside the walk: the walk hands
// over each folder's matching files with the folder itself (kept open until they are read) and
// goes on to the next folder while the readers look at the files, one per core. What is read
// reaches the target on the walk's own thread, in the order the files were handed over, so the
// target sees exactly what a walk reading every file itself would hand it. Where reading the
// folder already gave the sizes and times (Windows) and no tags are asked for, the walk copies
// them itself and no reader is started.
//
// Few files wait at any time: handing over more than a few thousand files, or files of more
// than a few dozen folders, waits for the readers (and passes their work on meanwhile), so memory
// and open folders stay bounded however far the walk could run ahead. A stop reaches the readers
// within one file; after it nothing more is passed on.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/details/detail_reader.h"
#include "core/details/file_details.h"
#include "core/platform/folder.h"

namespace brixel {

class DetailedTarget;

class DetailsReaders {
 public:
  // `threads` 0: one per core.
  DetailsReaders(const DetailsRequest& request, DetailedTarget& target, std::stop_token stop,
                 unsigned threads = 0);
  // Abandons what is still unread (a walk left by an exception) and waits for the threads.
  ~DetailsReaders();
  DetailsReaders(const DetailsReaders&) = delete;
  DetailsReaders& operator=(const DetailsReaders&) = delete;

  // Hands over the entries `indices` of `listing`, which `folder` read, as files of the folder
  // `relative` (below the chosen one), and passes on to the target what is read by now. A batch
  // is passed on whole: a large folder is best handed over in parts of a few thousand files.
  void Add(std::shared_ptr<const platform::OpenFolder> folder, const platform::FolderListing& listing,
           std::span<const std::uint32_t> indices, std::string_view relative);

  // Waits until every file handed over is read and passed on.
  void Finish();

 private:
  struct Batch;
  struct Chunk {
    Batch* batch;
    std::uint32_t begin, end;
  };

  void StartThreads();
  void ReadChunks();
  // Reads files [begin, end) of the batch into its records.
  void Read(Batch& batch, std::uint32_t begin, std::uint32_t end);
  // Passes on the read batches at the head of the line, first waiting for the readers while more
  // than `max_files` files or `max_folders` folders wait.
  void PassOn(std::size_t max_files, std::size_t max_folders);
  void Deliver(Batch& batch);

  const DetailsRequest request_;
  DetailedTarget& target_;
  std::stop_token stop_;
  unsigned thread_count_;
  FileDetails row_;  // the walk thread's record handed to the target, its strings reused

  std::mutex mutex_;
  std::condition_variable chunk_ready_;         // to the readers: a chunk to read, or closing
  std::condition_variable batch_read_;          // to the walk: a batch has been read
  std::deque<std::unique_ptr<Batch>> batches_;  // handed over, not yet passed on, in order
  std::deque<Chunk> chunks_;                    // not yet taken by a reader
  std::size_t waiting_files_ = 0;               // of batches_
  std::size_t untaken_files_ = 0;               // of chunks_
  bool closing_ = false;
  std::atomic<bool> abandoned_{false};  // the readers leave their chunks unread
  bool started_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace brixel
