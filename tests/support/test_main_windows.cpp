// The main of every test program on Windows. An access violation or other structured exception
// must never end a test run with exit code 0 (under wine the default debugger sometimes lets that
// happen), so the first unhandled one ends the process with a code of its own at once, after one
// line on stderr saying what it was and where. Output is unbuffered, so that what the tests
// printed before such an end is not lost with the process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace {

constexpr UINT kCrashExitCode = 0xC0DE;

// Formats with the stack only: the heap may be what broke.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* crash) {
  char line[160];
  const EXCEPTION_RECORD* record = crash != nullptr ? crash->ExceptionRecord : nullptr;
  const int length = std::snprintf(line, sizeof line, "\nthe test program crashed: exception 0x%08lX at %p\n",
                                   record != nullptr ? record->ExceptionCode : 0ul,
                                   record != nullptr ? record->ExceptionAddress : nullptr);
  DWORD written = 0;
  if (length > 0) {
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
  }
  ::TerminateProcess(::GetCurrentProcess(), kCrashExitCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ::SetUnhandledExceptionFilter(EndOnCrash);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
