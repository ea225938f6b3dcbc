// The main of every test program on Windows. An access violation or other structured exception
// must never end a test run with exit code 0 (under wine the default debugger sometimes lets that
// happen), so the first unhandled one ends the process with a code of its own at once.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr UINT kCrashExitCode = 0xC0DE;

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
  ::TerminateProcess(::GetCurrentProcess(), kCrashExitCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ::SetUnhandledExceptionFilter(EndOnCrash);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
