// The full window with a million names, on the offscreen platform:
//   - the results listing from a warm tree (the next button: the listing job, until the results
//     page is painted), beside brixel-list -r on the same tree (sorted, to /dev/null), alternating,
//     and the longest stall of the window's event loop meanwhile (a 5 ms timer's latest tick);
//   - the bare core listing of the same tree;
//   - a cancel of the next button at several moments: the time until the window takes input
//     again, and until the scan's thread has ended;
//   - a switch click (formatting run and the table's repaint),
//   - Ctrl+C on the table: 600,000 selected rows, or all of them, until the clipboard holds them,
//     and the text a pasting program then gets,
//   - time to first paint of a new window, and of the results page,
//   - the window's memory per name (heap growth when the table fills);
//   - a folder of 600,000 files opened in the folder list of either window, until its subfolders
//     and its preview are shown: the longest stall of the event loop meanwhile.
// The tree is BRIXEL_BENCH_TREE, or /tmp/tree-large, made with the "large" preset when missing.
// The wide folder is BRIXEL_BENCH_WIDE, or /tmp/brixel-bench-wide, made when missing and then
// removed at the end.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMimeData>
#include <QPixmap>
#include <QProcess>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "bench/tree_generator.h"
#include "core/listing/name_order.h"
#include "core/listing/name_table.h"
#include "full/full_window.h"
#include "lite/lite_window.h"
#include "shell/brixel_look.h"
#include "shell/dialog_facade.h"
#include "shell/folder_list.h"
#include "shell/image_button.h"
#include "shell/picture_switch.h"
#include "shell/volume_source.h"
#include "shell/window_jobs.h"

namespace brixel::bench {
namespace {

class RootVolume : public VolumeSource {
 public:
  std::vector<Volume> Volumes() const override { return {{"/", {}}}; }
  bool IsReady(const Volume&) const override { return true; }
};

class NoDialogs : public DialogFacade {
 public:
  SaveFileChoice AskSaveFile(QWidget*, const QStringList&, int type) override { return {QString(), type}; }
  void ShowMessage(QWidget*, const QString&, const QString&) override {}
  bool Ask(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
    return false;
  }
};

std::string TreeRoot() {
  const char* env = std::getenv("BRIXEL_BENCH_TREE");
  return env != nullptr && *env != '\0' ? env : "/tmp/tree-large";
}

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the window's events until its job is over (and, with threads_too, until cancelled jobs'
// threads have ended as well).
template <typename Window>
void RunUntilIdle(Window& window, bool threads_too = false) {
  WindowJobs& jobs = window.Jobs();
  QEventLoop loop;
  QObject::connect(&jobs, &WindowJobs::idle, &loop, &QEventLoop::quit);
  QObject::connect(&jobs, &WindowJobs::stopped, &loop, &QEventLoop::quit);
  while (jobs.Busy() || (threads_too && jobs.Stopping())) loop.exec();
}

// The longest the window's event loop kept a 5 ms timer waiting beyond its time, while it runs.
class StallMeter {
 public:
  StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTick);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const Clock::time_point now = Clock::now();
      longest_ = std::max(longest_, std::chrono::duration<double, std::milli>(now - last_ - kTick).count());
      last_ = now;
    });
    last_ = Clock::now();
    timer_.start();
  }
  double LongestMs() const { return longest_; }

 private:
  static constexpr std::chrono::milliseconds kTick{5};
  QTimer timer_;
  Clock::time_point last_;
  double longest_ = 0;
};

// The CPU time of the calling thread: the window's own work, whatever else keeps the cores busy.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// One window over the tree, made once: the mask file adds "*" as line 9.
struct Bench {
  std::string tree = TreeRoot();
  std::filesystem::path program = std::filesystem::temp_directory_path() / "brixel-window-bench";
  RootVolume volumes;
  NoDialogs dialogs;
  std::unique_ptr<FullWindow> window;

  Bench() {
    if (!std::filesystem::exists(tree)) {
      TreePreset preset{};
      FindPreset("large", preset);
      std::string error;
      if (!GenerateTree(tree, preset, error)) throw std::runtime_error(error);
    }
    std::filesystem::create_directories(program);
    std::ofstream(program / "rasshirenia.txt", std::ios::binary) << "*\r\n";
    window = NewWindow();
    RunUntilIdle(*window);  // the start-up preview
    window->findChild<QComboBox*>("cboMask")->setCurrentIndex(8);
    emit Find<PictureSwitch>("PicScan").clicked();
  }

  std::unique_ptr<FullWindow> NewWindow() {
    return std::make_unique<FullWindow>(
        WindowServices{FilesBeside(program.string()), tree, &volumes, &dialogs, {}});
  }

  template <typename T>
  T& Find(const char* name) const {
    return *window->findChild<T*>(QLatin1String(name));
  }
  void Next() const {
    emit Find<ImageButton>("ImgNext").clicked();
    RunUntilIdle(*window);
  }
  // brixel-list -r on the same tree and mask, sorted, to /dev/null; its wall time.
  double ListerMs() const {
    QProcess lister;
    lister.setStandardOutputFile(QProcess::nullDevice());
    const Clock::time_point start = Clock::now();
    lister.start(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../brixel-list"),
        {QStringLiteral("-r"), QStringLiteral("-m"), QStringLiteral("*"), QString::fromStdString(tree)});
    if (!lister.waitForFinished(-1) || lister.exitCode() != 0) throw std::runtime_error("brixel-list failed");
    return MillisecondsSince(start);
  }
  void Back() const { emit Find<ImageButton>("ImgBack").clicked(); }
  // A paint of the rows in view, whatever the platform exposes.
  void PaintTable() const { benchmark::DoNotOptimize(Find<QTableView>("FGrid2").viewport()->grab()); }

  // Made on first use; Release ends it while the application still stands, since widgets
  // outliving it crash the program on its way out.
  static Bench& Get() {
    if (!instance) instance = std::make_unique<Bench>();
    return *instance;
  }
  static void Release() { instance.reset(); }

 private:
  static inline std::unique_ptr<Bench> instance;
};

void BM_CoreListing(benchmark::State& state) {
  const std::string tree = Bench::Get().tree;
  NameTable table;
  for (auto _ : state) {
    RunListing(table, {tree, "*", true});
    benchmark::DoNotOptimize(table.RowCount());
  }
  state.counters["names"] = static_cast<double>(table.FoundCount());
}

// The next button's whole job until the results page is painted, beside brixel-list on the same
// tree, one after the other in each iteration; and the window's longest stall meanwhile.
void BM_NextButton(benchmark::State& state) {
  Bench& b = Bench::Get();
  b.window->show();
  double next_ms = 0, lister_ms = 0, stall_ms = 0;
  for (auto _ : state) {
    lister_ms = b.ListerMs();
    b.Back();
    const StallMeter stalls;
    const Clock::time_point start = Clock::now();
    b.Next();
    b.PaintTable();
    next_ms = MillisecondsSince(start);
    stall_ms = stalls.LongestMs();
  }
  state.counters["names"] = static_cast<double>(b.window->FoundTable().FoundCount());
  state.counters["next_ms"] = next_ms;
  state.counters["lister_ms"] = lister_ms;
  state.counters["next_per_lister"] = next_ms / lister_ms;
  state.counters["longest_stall_ms"] = stall_ms;
}

// A cancel range(0) ms into the next button's listing: the time until the window takes input
// again, and until the scan's thread has ended.
void BM_CancelNext(benchmark::State& state) {
  Bench& b = Bench::Get();
  b.window->show();
  double idle_ms = 0, thread_ms = 0;
  for (auto _ : state) {
    b.Back();
    emit b.Find<ImageButton>("ImgNext").clicked();
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(state.range(0)), &wait, &QEventLoop::quit);
    wait.exec();
    const Clock::time_point start = Clock::now();
    b.window->Jobs().Cancel();
    RunUntilIdle(*b.window);
    idle_ms = MillisecondsSince(start);
    RunUntilIdle(*b.window, true);
    thread_ms = MillisecondsSince(start);
  }
  state.counters["cancel_to_idle_ms"] = idle_ms;
  state.counters["cancel_to_thread_end_ms"] = thread_ms;
}

// A click on PicBig: on (the upper-case pass over every name) when range(0) is 1, off (the
// restore alone) when it is 0; the other click of each pair is not timed.
void BM_SwitchClick(benchmark::State& state) {
  Bench& b = Bench::Get();
  b.window->show();
  if (!b.window->ShowsResultsPage()) b.Next();
  PictureSwitch& big = b.Find<PictureSwitch>("PicBig");
  const bool timed_on = state.range(0) == 1;
  for (auto _ : state) {
    state.PauseTiming();
    if (big.IsOn() == timed_on) {
      emit big.clicked();
      RunUntilIdle(*b.window);
      b.PaintTable();
    }
    state.ResumeTiming();
    emit big.clicked();
    RunUntilIdle(*b.window);
    b.PaintTable();
  }
  state.counters["names"] = static_cast<double>(b.window->FoundTable().FoundCount());
}

// Ctrl+C on the found-files table with range(0) rows selected (0: none, so every row is copied):
// the key's handling until the clipboard holds the rows, and the text a pasting program asks for.
void BM_CopyRows(benchmark::State& state) {
  Bench& b = Bench::Get();
  b.window->show();
  if (!b.window->ShowsResultsPage()) b.Next();
  QTableView& table = b.Find<QTableView>("FGrid2");
  const int rows = static_cast<int>(state.range(0));
  table.clearSelection();
  if (rows > 0)
    table.selectionModel()->select(
        QItemSelection(table.model()->index(0, 0), table.model()->index(rows - 1, 1)),
        QItemSelectionModel::Select);
  double copy_ms = 0, copy_cpu_ms = 0, text_ms = 0;
  qsizetype characters = 0;
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    const double cpu_start = ThreadCpuMs();
    const Clock::time_point start = Clock::now();
    QCoreApplication::sendEvent(&table, &press);
    copy_ms = MillisecondsSince(start);
    copy_cpu_ms = ThreadCpuMs() - cpu_start;
    const Clock::time_point asked = Clock::now();
    characters = QGuiApplication::clipboard()->mimeData()->text().size();
    text_ms = MillisecondsSince(asked);
  }
  state.counters["rows"] = rows > 0 ? rows : static_cast<double>(b.window->FoundTable().RowCount());
  state.counters["characters"] = static_cast<double>(characters);
  state.counters["copy_ms"] = copy_ms;
  state.counters["copy_cpu_ms"] = copy_cpu_ms;
  state.counters["paste_text_ms"] = text_ms;
}

void BM_FirstPaintOfANewWindow(benchmark::State& state) {
  Bench& b = Bench::Get();
  for (auto _ : state) {
    std::unique_ptr<FullWindow> window = b.NewWindow();
    window->show();
    benchmark::DoNotOptimize(window->grab());
  }
}

// The paint right after the next button has filled the table (the listing itself not timed).
void BM_FirstPaintOfTheResultsPage(benchmark::State& state) {
  Bench& b = Bench::Get();
  b.window->show();
  for (auto _ : state) {
    b.Back();
    b.Next();
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(b.window->grab());
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

void BM_WindowMemoryPerName(benchmark::State& state) {
  std::size_t names = 0;
  double per_name = 0;
  for (auto _ : state) {
    Bench& b = Bench::Get();
    std::unique_ptr<FullWindow> window = b.NewWindow();
    RunUntilIdle(*window);
    window->findChild<QComboBox*>("cboMask")->setCurrentIndex(8);
    emit window->findChild<PictureSwitch*>("PicScan")->clicked();
    window->show();
    RunUntilIdle(*window);
    malloc_trim(0);
    const std::size_t before = HeapInUse();
    emit window->findChild<ImageButton*>("ImgNext")->clicked();
    RunUntilIdle(*window);
    benchmark::DoNotOptimize(window->grab());
    malloc_trim(0);
    const std::size_t after = HeapInUse();
    names = window->FoundTable().FoundCount();
    per_name = static_cast<double>(after - before) / static_cast<double>(names);
  }
  state.counters["names"] = static_cast<double>(names);
  state.counters["bytes_per_name"] = per_name;
}

// A folder holding 600,000 files and one subfolder, beside a small one, made once on first use.
struct WideFolder {
  std::filesystem::path root;
  bool made = false;

  WideFolder() {
    const char* env = std::getenv("BRIXEL_BENCH_WIDE");
    root = env != nullptr && *env != '\0' ? env : "/tmp/brixel-bench-wide";
    if (std::filesystem::exists(root / "wide" / "sub")) return;
    made = true;
    std::filesystem::create_directories(root / "wide" / "sub");
    std::filesystem::create_directories(root / "small" / "sub");
    char name[32];
    for (int i = 0; i < 600000; ++i) {
      std::snprintf(name, sizeof name, "track %06d.mp3", i);
      std::ofstream(root / "wide" / name);
    }
  }
  ~WideFolder() {
    std::error_code ignored;
    if (made) std::filesystem::remove_all(root, ignored);
  }

  static WideFolder& Get() {
    static WideFolder folder;
    return folder;
  }
};

// Runs a window's events until its folder list shows its subfolders and its job is over.
template <typename Window>
void RunUntilShown(Window& window, FolderList& list) {
  QEventLoop loop;
  QObject::connect(&window.Jobs(), &WindowJobs::idle, &loop, &QEventLoop::quit);
  QObject::connect(&list, &FolderList::subfoldersShown, &loop, &QEventLoop::quit);
  while (window.Jobs().Busy() || list.Loading()) loop.exec();
}

// The wide folder opened from the folder list, as Enter on its row does, in the full window
// (range(0) 0) or the lite one (1): the time until its subfolders and preview are shown, and the
// event loop's longest stall meanwhile. The small folder is opened before each run, untimed.
template <typename Window>
void OpenWideFolder(benchmark::State& state) {
  const WideFolder& wide = WideFolder::Get();
  const std::filesystem::path program = std::filesystem::temp_directory_path() / "brixel-window-bench";
  std::filesystem::create_directories(program);
  std::ofstream(program / "rasshirenia.txt", std::ios::binary) << "*\r\n";
  RootVolume volumes;
  NoDialogs dialogs;
  Window window(
      WindowServices{FilesBeside(program.string()), (wide.root / "small").string(), &volumes, &dialogs, {}});
  window.show();
  FolderList& list = *window.template findChild<FolderList*>(QStringLiteral("Dir1"));
  RunUntilShown(window, list);
  double open_ms = 0, stall_ms = 0;
  for (auto _ : state) {
    list.SetPath("/", (wide.root / "small").string());
    RunUntilShown(window, list);
    const StallMeter stalls;
    const Clock::time_point start = Clock::now();
    list.SetPath("/", (wide.root / "wide").string());
    RunUntilShown(window, list);
    open_ms = MillisecondsSince(start);
    stall_ms = stalls.LongestMs();
  }
  state.counters["rows"] = list.model()->rowCount();
  state.counters["open_ms"] = open_ms;
  state.counters["longest_stall_ms"] = stall_ms;
}

void BM_OpenWideFolderFull(benchmark::State& state) {
  OpenWideFolder<FullWindow>(state);
}
void BM_OpenWideFolderLite(benchmark::State& state) {
  OpenWideFolder<LiteWindow>(state);
}

// Medians of single runs; the listing pair runs side by side for a fair ratio.
BENCHMARK(BM_CoreListing)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_NextButton)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_CancelNext)
    ->ArgName("after_ms")
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(1800)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SwitchClick)
    ->ArgName("on")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(21)
    ->ReportAggregatesOnly();
BENCHMARK(BM_CopyRows)
    ->ArgName("selected")
    ->Arg(600000)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstPaintOfANewWindow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(11)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FirstPaintOfTheResultsPage)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_WindowMemoryPerName)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenWideFolderFull)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OpenWideFolderLite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace brixel::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  brixel::ApplyBrixelLook(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  brixel::bench::Bench::Release();
  return 0;
}
