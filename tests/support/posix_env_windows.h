#pragma once
// setenv and unsetenv for the Windows test programs (the C runtime of mingw-w64 has neither), so
// tests that set variables build unchanged. Windows programs take their locale from the user's
// settings, not from LC_ALL or LANG: tests that need the environment to choose a locale skip there.
#ifdef __cplusplus
extern "C" {
#endif

int setenv(const char* name, const char* value, int overwrite);
int unsetenv(const char* name);

#ifdef __cplusplus
}
#endif
