// brixel-export-peak FORMAT COUNT FILE: writes COUNT names of the bench mix as a txt, html, xls
// or xlsx list, as the windows do (the names held in memory first), and prints the seconds the
// writing took and the process's peak resident memory. One process per run, so the peak is
// that run's own.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/name_mix.h"
#include "core/export/save_error.h"
#include "core/export/write_list.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: brixel-export-peak txt|html|xls|xlsx COUNT FILE\n");
    return 2;
  }
  const std::string format = argv[1];
  const std::size_t count = std::strtoull(argv[2], nullptr, 10);
  brixel::ListFormat list_format = brixel::ListFormat::Text;
  brixel::ListWriterOptions options;
  if (format == "html") list_format = brixel::ListFormat::Html;
  if (format == "xls" || format == "xlsx") list_format = brixel::ListFormat::Spreadsheet;
  if (format == "xls") options.workbook = brixel::WorkbookFormat::Xls;
  if (format == "xlsx") options.workbook = brixel::WorkbookFormat::Xlsx;

  brixel::NameColumn names;
  brixel::bench::NameMix mix;
  for (std::size_t i = 0; i < count; ++i) names.Append(mix.Next(i));

  const auto start = std::chrono::steady_clock::now();
  try {
    brixel::WriteList(list_format, argv[3], names, brixel::LayoutOf(brixel::kFullEdition), options);
  } catch (const brixel::SaveError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%s %zu names: %.3f s, peak %.1f MB (names alone %.1f MB)\n", format.c_str(), count, seconds,
              static_cast<double>(usage.ru_maxrss) / 1024.0,
              static_cast<double>(names.ByteSize() + 8 * names.Size()) / 1e6);
  return 0;
}
