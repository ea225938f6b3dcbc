#pragma once
// Parts of a test run in a child process: to be killed at a chosen moment (kill -9 while a
// save runs), or to run as an unprivileged user - root may write any file, so tests of who may
// write what drop to "nobody" when the tests run as root. POSIX only.
#ifndef _WIN32
#include <sys/types.h>

#include <functional>

namespace brixel::test {

inline constexpr unsigned kNobody = 65534;  // the uid and gid of nobody / nogroup

// Starts body in a child process, which exits with body's result (an exception: 99).
pid_t StartChild(const std::function<int()>& body);

// Starts body in a child process as nobody when the tests run as root (exit status 98 when it
// could not drop to nobody).
pid_t StartUnprivileged(const std::function<int()>& body);

// Runs body in a child process as nobody when the tests run as root (as themselves otherwise)
// and waits for it: body's result, or -1 when the child could not drop to nobody or died.
int RunUnprivileged(const std::function<int()>& body);

}  // namespace brixel::test
#endif
