// How the tree walk grows with depth: a chain of folders (each holding only the next) and a comb
// (each also holding an empty side folder, which makes the walk open closed levels again on its
// way back up) of 10,000, 100,000 and 1,000,000 levels. Each walk is timed a few times; the
// medians and the cost per level are printed side by side with the ratio of that cost to the
// first depth's, so linear growth shows as a ratio near 1 in one run on a noisy machine.
//
//   deep_tree_bench [--folder DIR] [--runs N] [--shape chain|comb|both] [LEVELS...]
//
// The trees go below DIR (default: $TMPDIR or /tmp); a chain of a million levels takes a
// million directory inodes there (about 4 GB on ext4, 1 GB of memory on tmpfs). Paths pass
// PATH_MAX long before the bottom, so the trees are built and removed with *at() calls
// relative to each parent.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/folder_scan.h"

namespace {

constexpr const char* kNext = "d";
constexpr const char* kSide = "s";
constexpr const char* kBottomFile = "bottom.mp3";

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "deep_tree_bench: %s: %s\n", what, std::strerror(errno));
  std::exit(1);
}

int OpenFolderAt(int parent, const char* name) {
  const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) Fail("open a level");
  return fd;
}

// levels folders below root, each the only "d" of the one above; with side folders, each level
// also holds an empty "s". The bottom holds one file for the walk to list.
void BuildTree(const std::string& root, long levels, bool sides) {
  int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail("open the bench folder");
  for (long i = 0; i < levels; ++i) {
    if (::mkdirat(fd, kNext, 0700) != 0) Fail("make a level");
    const int next = OpenFolderAt(fd, kNext);
    ::close(fd);
    fd = next;
    if (sides && ::mkdirat(fd, kSide, 0700) != 0) Fail("make a side folder");
  }
  const int file = ::openat(fd, kBottomFile, O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
  if (file < 0) Fail("make the bottom file");
  ::close(file);
  ::close(fd);
}

// Goes down to the bottom holding one descriptor at a time, then climbs back through "..",
// removing each level from its parent.
void RemoveTree(const std::string& root, long levels) {
  int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail("open the bench folder");
  long depth = 0;
  for (; depth < levels; ++depth) {
    const int next = ::openat(fd, kNext, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (next < 0) break;
    ::close(fd);
    fd = next;
  }
  ::unlinkat(fd, kBottomFile, 0);
  for (; depth > 0; --depth) {
    ::unlinkat(fd, kSide, AT_REMOVEDIR);
    const int parent = OpenFolderAt(fd, "..");
    ::close(fd);
    fd = parent;
    if (::unlinkat(fd, kNext, AT_REMOVEDIR) != 0) Fail("remove a level");
  }
  ::close(fd);
}

struct Count : brixel::ListTarget {
  std::size_t names = 0;
  void Append(std::string_view) override { ++names; }
};

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long PeakMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  int runs = 5;
  std::vector<std::string> shapes{"chain", "comb"};
  std::vector<long> depths;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--folder" && i + 1 < argc) {
      folder = argv[++i];
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--shape" && i + 1 < argc) {
      const std::string shape = argv[++i];
      shapes = shape == "both" ? std::vector<std::string>{"chain", "comb"} : std::vector<std::string>{shape};
    } else if (!arg.empty() && arg[0] != '-') {
      depths.push_back(std::atol(argv[i]));
    } else {
      std::fprintf(
          stderr, "usage: deep_tree_bench [--folder DIR] [--runs N] [--shape chain|comb|both] [LEVELS...]\n");
      return 2;
    }
  }
  if (depths.empty()) depths = {10000, 100000, 1000000};

  std::string bench_root = folder + "/brixel-deep-XXXXXX";
  if (::mkdtemp(bench_root.data()) == nullptr) Fail("make the bench folder");

  std::printf("%-6s %9s %9s %6s %13s %14s %11s %8s\n", "shape", "levels", "build s", "runs", "walk median s",
              "per level ns", "vs first", "peak MB");
  for (const std::string& shape : shapes) {
    const bool sides = shape == "comb";
    double first_per_level = 0;
    for (const long levels : depths) {
      const auto built = std::chrono::steady_clock::now();
      BuildTree(bench_root, levels, sides);
      const double build = Seconds(std::chrono::steady_clock::now() - built);
      std::vector<double> times;
      for (int r = 0; r < runs; ++r) {
        Count count;
        const auto start = std::chrono::steady_clock::now();
        const brixel::ScanReport report = brixel::Scan({bench_root, "*.mp3", true}, count);
        times.push_back(Seconds(std::chrono::steady_clock::now() - start));
        if (count.names != 1 || report.folder_error || !report.skipped.empty()) {
          std::fprintf(stderr, "deep_tree_bench: the walk found %zu names, skipped %zu folders\n",
                       count.names, report.skipped.size());
          RemoveTree(bench_root, levels);
          return 1;
        }
      }
      RemoveTree(bench_root, levels);
      const double median = Median(times);
      const double per_level = median / static_cast<double>(levels) * 1e9;
      if (first_per_level == 0) first_per_level = per_level;
      std::printf("%-6s %9ld %9.2f %6d %13.3f %14.0f %10.2fx %8ld\n", shape.c_str(), levels, build, runs,
                  median, per_level, per_level / first_per_level, PeakMegabytes());
      std::fflush(stdout);
    }
  }
  ::rmdir(bench_root.c_str());
  return 0;
}
