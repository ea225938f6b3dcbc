#pragma once
// libxlsxwriter reports its failures twice: as an error code, and as "[ERROR] ..." lines that it
// prints to stderr itself, with no way to turn them off. Those lines must reach neither the
// terminal of brixel-list nor the windows' console; the cause they name belongs in our own
// SaveError. While an object of this class lives, whatever is written to stderr goes to a
// private file instead. Saves on several threads take turns, so stderr is always handed back as
// it was.
#include <cstdio>
#include <mutex>
#include <string>

namespace brixel {

class StderrCapture {
 public:
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Hands stderr back and returns the library's own lines, without their "[ERROR]" or
  // "[WARNING]" tags, joined by "; ". Anything else written meanwhile (another thread's output)
  // is passed on to stderr.
  std::string Release();

 private:
  std::unique_lock<std::mutex> turn_;
  std::FILE* capture_ = nullptr;
  int saved_stderr_ = -1;
};

}  // namespace brixel
