#include "tests/support/posix_env_windows.h"

#include <cstdlib>

extern "C" int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && std::getenv(name) != nullptr) return 0;
  return ::_putenv_s(name, value) == 0 ? 0 : -1;
}

extern "C" int unsetenv(const char* name) {
  return ::_putenv_s(name, "") == 0 ? 0 : -1;
}
