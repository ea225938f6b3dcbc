// Writing 1,000,000 names of the bench mix in each list format, side by side with what each is
// measured against: iconv for the text list, libxlsxwriter's own constant-memory floor for .xlsx.
// Run with --benchmark_repetitions=5 and compare medians.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stop_token>

#include "bench/name_mix.h"
#include "core/export/list_writer.h"
#include "core/export/write_list.h"
#include "core/platform/file_path.h"
#include "core/platform/file_system.h"

#ifdef BRIXEL_BENCH_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace brixel {
namespace {

constexpr std::size_t kNames = 1'000'000;

const NameColumn& Names() {
  static const NameColumn names = [] {
    NameColumn column;
    bench::NameMix mix;
    for (std::size_t i = 0; i < kNames; ++i) column.Append(mix.Next(i));
    return column;
  }();
  return names;
}

// A folder on the build's disk (not a memory file system), removed at exit.
const std::filesystem::path& Folder() {
  static const struct Holder {
    std::filesystem::path path = std::filesystem::current_path() / "export-bench-files";
    Holder() { std::filesystem::create_directories(path); }
    ~Holder() { std::filesystem::remove_all(path); }
  } holder;
  return holder.path;
}

// Laid out as the full edition saves its lists.
ListLayout FullLayout() {
  return LayoutOf(kFullEdition);
}

std::string FileIn(const char* name) {
  return PathToUtf8(Folder() / name);
}

void RemoveBetweenRuns(benchmark::State& state, const std::string& path) {
  state.PauseTiming();
  std::filesystem::remove(PathFromUtf8(path));
  state.ResumeTiming();
}

void BM_TextList(benchmark::State& state) {
  const std::string path = FileIn("list.txt");
  for (auto _ : state) {
    RemoveBetweenRuns(state, path);  // the text list appends
    WriteList(ListFormat::Text, path, Names(), FullLayout());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNames));
}

// The same names as UTF-8 lines, converted by iconv: the yardstick of the text list.
void BM_IconvSameNames(benchmark::State& state) {
  const std::string input = FileIn("names-utf8.txt");
  const std::string output = FileIn("iconv.txt");
  {
    std::ofstream out(PathFromUtf8(input), std::ios::binary);
    for (std::size_t i = 0; i < kNames; ++i) out << Names()[i] << "\r\n";
  }
  const std::string command = "iconv -c -f UTF-8 -t CP1251 '" + input + "' > '" + output + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("iconv failed");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNames));
}

void BM_HtmlList(benchmark::State& state) {
  for (auto _ : state) WriteList(ListFormat::Html, FileIn("list.html"), Names(), FullLayout());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNames));
}

void BM_XlsList(benchmark::State& state) {
  for (auto _ : state) WriteList(ListFormat::Spreadsheet, FileIn("list.xls"), Names(), FullLayout());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNames));
}

void BM_XlsxList(benchmark::State& state) {
  if (!XlsxAvailable()) {
    state.SkipWithError("no .xlsx in this build");
    return;
  }
  for (auto _ : state) WriteList(ListFormat::Spreadsheet, FileIn("list.xlsx"), Names(), FullLayout());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNames));
}

// Asks for the stop once the writer comes to `phase` (half way through its rows for
// WritePhase::Rows) and notes the moment it asked.
class StopAtPhase final : public ProgressSink {
 public:
  StopAtPhase(WritePhase phase, std::stop_source& stop) : phase_(phase), stop_(stop) {}
  void Writing(WritePhase phase, std::uint64_t done, std::uint64_t total) override {
    if (phase != phase_ || stop_.stop_requested() || (phase == WritePhase::Rows && done < total / 2)) return;
    asked_ = std::chrono::steady_clock::now();
    stop_.request_stop();
  }
  std::chrono::steady_clock::time_point Asked() const { return asked_; }

 private:
  WritePhase phase_;
  std::stop_source& stop_;
  std::chrono::steady_clock::time_point asked_;
};

// How soon a stop ends the save of a million-name workbook once it is asked for, at a moment of
// each phase of Finish: half way through the rows, as the library begins to assemble the .xlsx
// (it cannot be interrupted: the stop waits for the whole assembly), as the commit begins. The
// time is from the request to Finish's return; the old file is kept every time.
void WorkbookStop(benchmark::State& state, ListFormat format, const char* file) {
  const auto phase = static_cast<WritePhase>(state.range(0));
  const std::string path = FileIn(file);
  for (auto _ : state) {
    std::stop_source stop;
    StopAtPhase watcher(phase, stop);
    ListWriterOptions options;
    options.control = {stop.get_token(), &watcher};
    const auto writer = OpenListWriter(format, path, FullLayout(), options);
    for (std::size_t i = 0; i < kNames; ++i) writer->Add(Names()[i]);
    if (writer->Finish() || !stop.stop_requested()) state.SkipWithError("the stop was not honoured");
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - watcher.Asked()).count());
  }
}

void BM_XlsStop(benchmark::State& state) {
  WorkbookStop(state, ListFormat::Spreadsheet, "stop.xls");
}

void BM_XlsxStop(benchmark::State& state) {
  if (!XlsxAvailable()) {
    state.SkipWithError("no .xlsx in this build");
    return;
  }
  WorkbookStop(state, ListFormat::Spreadsheet, "stop.xlsx");
}

// What an append that survives kill -9 costs on a long list: a thousand names added to a 100 MB
// text list, written as a whole new file beside the old one (the old bytes copied by the
// kernel, the whole file put on the disk, then renamed over the old one), side by side with the
// same names appended to the old file in place, as a list that cannot be copied still is.
constexpr std::uint64_t kLongList = 100u << 20;
constexpr std::size_t kAppended = 1000;

// in_place: the list gets a second name, so no copy can stand in for it.
void AppendToLongList(benchmark::State& state, bool in_place) {
  const std::string path = FileIn("long-list.txt");
  const std::string second_name = FileIn("long-list-link.txt");
  {
    std::ofstream out(PathFromUtf8(path), std::ios::binary);
    const std::string line = "A name of a song, as long as many are.mp3\r\n";
    for (std::uint64_t written = 0; written < kLongList; written += line.size()) out << line;
  }
  if (in_place) std::filesystem::create_hard_link(PathFromUtf8(path), PathFromUtf8(second_name));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::resize_file(PathFromUtf8(path), kLongList);  // back to 100 MB
    state.ResumeTiming();
    const auto writer = OpenListWriter(ListFormat::Text, path, FullLayout());
    for (std::size_t i = 0; i < kAppended; ++i) writer->Add(Names()[i]);
    writer->Finish();
  }
  std::filesystem::remove(PathFromUtf8(path));
  if (in_place) std::filesystem::remove(PathFromUtf8(second_name));
}

void BM_AppendTo100MbList(benchmark::State& state) {
  AppendToLongList(state, false);
}

void BM_AppendTo100MbListInPlace(benchmark::State& state) {
  AppendToLongList(state, true);
}

#ifdef BRIXEL_BENCH_XLSXWRITER
// libxlsxwriter alone: the same cells in the same row-by-row order, nothing else.
void BM_XlsxLibraryFloor(benchmark::State& state) {
  const std::string path = FileIn("floor.xlsx");
  for (auto _ : state) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    constexpr std::size_t kPerColumn = 65534;
    for (std::size_t r = 0; r < kPerColumn; ++r) {
      for (std::size_t c = 0; c * kPerColumn + r < kNames; ++c) {
        const std::string name(Names()[c * kPerColumn + r]);
        worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 1), static_cast<lxw_col_t>(c), name.c_str(),
                               nullptr);
      }
    }
    if (workbook_close(workbook) != LXW_NO_ERROR) state.SkipWithError("libxlsxwriter failed");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNames));
}
BENCHMARK(BM_XlsxLibraryFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

BENCHMARK(BM_TextList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IconvSameNames)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HtmlList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XlsList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XlsxList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XlsStop)
    ->Arg(static_cast<int>(WritePhase::Rows))
    ->Arg(static_cast<int>(WritePhase::Committing))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_XlsxStop)
    ->Arg(static_cast<int>(WritePhase::Rows))
    ->Arg(static_cast<int>(WritePhase::Assembling))
    ->Arg(static_cast<int>(WritePhase::Committing))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_AppendTo100MbList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AppendTo100MbListInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brixel
