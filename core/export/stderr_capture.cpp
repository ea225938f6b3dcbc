#include "core/export/stderr_capture.h"

#include <cstdio>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#define BRIXEL_DUP _dup
#define BRIXEL_DUP2 _dup2
#define BRIXEL_CLOSE _close
#define BRIXEL_FILENO _fileno
#else
#include <unistd.h>
#define BRIXEL_DUP dup
#define BRIXEL_DUP2 dup2
#define BRIXEL_CLOSE close
#define BRIXEL_FILENO fileno
#endif

namespace brixel {

namespace {

std::mutex& StderrTurn() {
  static std::mutex turn;
  return turn;
}

// "[ERROR][src/workbook.c:123]: text" or "[ERROR] text" -> "text"; not a tagged line -> npos.
std::size_t MessageStart(std::string_view line) {
  for (const std::string_view tag : {"[ERROR]", "[WARNING]"}) {
    if (!line.starts_with(tag)) continue;
    std::size_t at = tag.size();
    if (at < line.size() && line[at] == '[') {
      const std::size_t close = line.find(']', at);
      at = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (at < line.size() && (line[at] == ':' || line[at] == ' ')) ++at;
    return at;
  }
  return std::string_view::npos;
}

}  // namespace

StderrCapture::StderrCapture() : turn_(StderrTurn()) {
  std::fflush(stderr);
  capture_ = std::tmpfile();
  // No temporary file (the Windows runtime makes them in the drive's root): the lines are dropped.
#ifdef _WIN32
  if (capture_ == nullptr) capture_ = std::fopen("NUL", "w+");
#else
  if (capture_ == nullptr) capture_ = std::fopen("/dev/null", "w+");
#endif
  if (capture_ == nullptr) return;
  saved_stderr_ = BRIXEL_DUP(BRIXEL_FILENO(stderr));
  if (saved_stderr_ < 0 || BRIXEL_DUP2(BRIXEL_FILENO(capture_), BRIXEL_FILENO(stderr)) < 0) {
    if (saved_stderr_ >= 0) BRIXEL_CLOSE(saved_stderr_);
    saved_stderr_ = -1;
    std::fclose(capture_);
    capture_ = nullptr;
  }
}

StderrCapture::~StderrCapture() {
  Release();
}

std::string StderrCapture::Release() {
  if (capture_ == nullptr) return {};
  std::fflush(stderr);
  BRIXEL_DUP2(saved_stderr_, BRIXEL_FILENO(stderr));
  BRIXEL_CLOSE(saved_stderr_);
  saved_stderr_ = -1;

  std::string text;
  std::rewind(capture_);
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, capture_)) > 0) text.append(buffer, n);
  std::fclose(capture_);
  capture_ = nullptr;

  std::string messages, others;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + pos, end - pos);
    if (const std::size_t start = MessageStart(line); start != std::string_view::npos) {
      if (!messages.empty()) messages += "; ";
      messages += line.substr(start);
    } else {
      others.append(text, pos, end + 1 - pos);
    }
    pos = end + 1;
  }
  if (!others.empty()) {
    std::fwrite(others.data(), 1, others.size(), stderr);
    std::fflush(stderr);
  }
  if (turn_.owns_lock()) turn_.unlock();
  return messages;
}

}  // namespace brixel
