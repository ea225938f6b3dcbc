// details_bench TREE [RUNS] [--drop-caches]: reads the details of every file of TREE (made by
// make_audio_tree.py) as a listing with columns will: each folder opened and read once, each
// file's details read relative to it, the folders shared out among 1 or 2 threads; and through
// the listing's own walk, whose reader threads (one per core) read beside it. Prints, as
// medians of RUNS (default 5), the files per second of the walk alone, with size and time, and
// with every column (tags too), warm and cold; then the memory every column's record takes per
// file. Cold: each file's cached pages are dropped before a run (posix_fadvise), which leaves
// the other sessions' caches alone; with --drop-caches (root) the whole system's caches are
// dropped instead, folders included.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/details/detail_reader.h"
#include "core/details/details_column.h"
#include "core/listing/folder_scan.h"

namespace {

using namespace brixel;

std::vector<std::string> Folders(const std::string& root) {
  std::vector<std::string> folders{root};
  for (std::size_t i = 0; i < folders.size(); ++i) {
    std::error_code error;
    const auto folder = platform::OpenFolder::Open(folders[i], error);
    platform::FolderListing listing;
    if (!folder || !folder->ReadAll(listing, error)) continue;
    for (const auto& e : listing.entries)
      if (e.kind == platform::EntryKind::Folder)
        folders.push_back(folders[i] + "/" + std::string(listing.Name(e)));
  }
  return folders;
}

struct Pass {
  std::size_t files = 0;
  std::size_t tagged = 0;
};

// Reads every folder's files; `keep`, when given, receives every record (one thread only).
Pass Read(const std::vector<std::string>& folders, const DetailsRequest& request, int threads,
          DetailsColumn* keep = nullptr) {
  std::atomic<std::size_t> next{0}, files{0}, tagged{0};
  auto work = [&] {
    FileDetails details;
    platform::FolderListing listing;
    for (std::size_t i; (i = next++) < folders.size();) {
      std::error_code error;
      const auto folder = platform::OpenFolder::Open(folders[i], error);
      listing.Clear();
      if (!folder || !folder->ReadAll(listing, error)) continue;
      for (std::size_t e = 0; e < listing.entries.size(); ++e) {
        if (listing.entries[e].kind != platform::EntryKind::File) continue;
        if (request.Any()) ReadFileDetails(*folder, listing, e, request, details);
        if (!details.audio.title.empty()) ++tagged;
        if (keep) {
          details.folder = folders[i].substr(std::min(folders[i].size(), folders[0].size() + 1));
          keep->Append(details);
        }
        ++files;
      }
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (auto& t : pool) t.join();
  return {files, tagged};
}

// The listing's own walk over the tree, its readers reading beside it.
Pass Walk(const std::string& root, const DetailsRequest& request) {
  struct Count : DetailedTarget {
    Pass pass;
    void Append(std::string_view, const FileDetails& details) override {
      ++pass.files;
      if (!details.audio.title.empty()) ++pass.tagged;
    }
  } count;
  ScanWithDetails({.folder = root, .mask_line = "*", .subfolders = true}, request, count);
  return count.pass;
}

void DropCaches(const std::vector<std::string>& folders, bool system) {
  if (system) {
    ::sync();
    std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
    return;
  }
  for (const std::string& path : folders) {
    std::error_code error;
    const auto folder = platform::OpenFolder::Open(path, error);
    platform::FolderListing listing;
    if (!folder || !folder->ReadAll(listing, error)) continue;
    for (const auto& e : listing.entries) {
      if (e.kind != platform::EntryKind::File) continue;
      const int fd = ::open((path + "/" + std::string(listing.Name(e))).c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) continue;
      ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
      ::close(fd);
    }
  }
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: details_bench TREE [RUNS] [--drop-caches]\n");
    return 2;
  }
  const std::string root = argv[1];
  int runs = 5;
  bool system_drop = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--drop-caches") == 0)
      system_drop = true;
    else
      runs = std::max(1, std::atoi(argv[i]));
  }
  const std::vector<std::string> folders = Folders(root);
  const Columns every(kAllColumns.begin(), kAllColumns.end());
  struct Mode {
    const char* label;
    DetailsRequest request;
  };
  const Mode modes[] = {{"names only", {}},
                        {"size,modified", RequestFor({Column::Size, Column::Modified}, TagEncoding::Auto)},
                        {"every column", RequestFor(every, TagEncoding::Auto)}};
  std::printf("%zu folders; medians of %d runs, files per second\n", folders.size(), runs);
  for (const bool cold : {false, true}) {
    for (const Mode& mode : modes) {
      for (const int threads : {1, 2}) {
        std::vector<double> rates;
        Pass pass;
        if (!cold) Read(folders, mode.request, threads);  // warm-up
        for (int r = 0; r < runs; ++r) {
          if (cold) DropCaches(folders, system_drop);
          const auto start = std::chrono::steady_clock::now();
          pass = Read(folders, mode.request, threads);
          const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
          rates.push_back(static_cast<double>(pass.files) / took.count());
        }
        std::printf("%-5s %-14s %d thread%s: %9.0f files/s (%zu files, %zu with a title)\n",
                    cold ? "cold" : "warm", mode.label, threads, threads == 1 ? " " : "s", Median(rates),
                    pass.files, pass.tagged);
        std::fflush(stdout);
      }
      if (!mode.request.Any()) continue;
      std::vector<double> rates;
      Pass pass;
      if (!cold) Walk(root, mode.request);
      for (int r = 0; r < runs; ++r) {
        if (cold) DropCaches(folders, system_drop);
        const auto start = std::chrono::steady_clock::now();
        pass = Walk(root, mode.request);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        rates.push_back(static_cast<double>(pass.files) / took.count());
      }
      std::printf("%-5s %-14s the walk and %u readers: %9.0f files/s (%zu files, %zu with a title)\n",
                  cold ? "cold" : "warm", mode.label, std::max(1u, std::thread::hardware_concurrency()),
                  Median(rates), pass.files, pass.tagged);
      std::fflush(stdout);
    }
  }
  // Memory: every record kept, as a table holding the details of a listing keeps them.
  DetailsColumn kept;
  const long before = ResidentKb();
  const Pass pass = Read(folders, modes[2].request, 1, &kept);
  const long after = ResidentKb();
  std::printf("every column kept in a DetailsColumn: %zu files, %.0f bytes per file resident\n", pass.files,
              static_cast<double>(after - before) * 1024.0 / static_cast<double>(pass.files));
  return 0;
}
