// The few POSIX calls the test programs use, for their Windows build (included before
// every test source by the build). Paths stay as the tests write them; under Wine "/tmp"
// names the same folder on the drive the tests run from.
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <stdlib.h>
#include <string.h>

inline char* mkdtemp(char* pattern) {
  const size_t length = strlen(pattern);
  if (length < 6) return nullptr;
  for (int attempt = 0; attempt < 100; ++attempt) {
    memcpy(pattern + length - 6, "XXXXXX", 6);
    if (_mktemp_s(pattern, length + 1) != 0) return nullptr;
    if (_mkdir(pattern) == 0) return pattern;
  }
  return nullptr;
}

inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && getenv(name)) return 0;
  return _putenv_s(name, value);
}

inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif
