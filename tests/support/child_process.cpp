#include "tests/support/child_process.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_tree.h"

namespace brixel::test {

namespace {

[[noreturn]] void RunAndExit(const std::function<int()>& body) {
  int result = 99;
  try {
    result = body();
  } catch (...) {
  }
  ::_exit(result);  // no atexit handlers, no second report from the test framework
}

}  // namespace

pid_t StartChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) RunAndExit(body);
  return child;
}

pid_t StartUnprivileged(const std::function<int()>& body) {
  const bool drop = RunningAsRoot();
  return StartChild([&] {
    if (drop && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) return 98;
    return body();
  });
}

int RunUnprivileged(const std::function<int()>& body) {
  const pid_t child = StartUnprivileged(body);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 98)
    return -1;
  return WEXITSTATUS(status);
}

}  // namespace brixel::test
#endif
