// The Windows entry of brixel-list: arguments arrive as UTF-16 and are handed on as UTF-8; output
// bytes leave exactly as the lister made them (no "\n" to CR LF translation). A console is switched
// to UTF-8 for the run, so names show as they are, and put back afterwards.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/list_command.h"
#include "core/platform/windows/wide_text.h"

// Arguments reach the program as typed: "*.mp3" is a mask, never a list of the current folder's files.
extern "C" {
int _dowildcard = 0;
}

namespace {

class Utf8Console {
 public:
  Utf8Console() : old_code_page_(::GetConsoleOutputCP()) {
    DWORD mode = 0;
    is_console_ = ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) ||
                  ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode);
    if (is_console_) ::SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (is_console_) ::SetConsoleOutputCP(old_code_page_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT old_code_page_;
  bool is_console_ = false;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(brixel::platform::WideToUtf8(argv[i]));
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  const Utf8Console console;
  std::ios::sync_with_stdio(false);
  const int status = static_cast<int>(brixel::cli::RunCli(args, std::cout, std::cerr));
  std::cout.flush();
  std::cerr.flush();
  return status;
}
