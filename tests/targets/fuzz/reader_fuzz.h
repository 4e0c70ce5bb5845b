// What the four reader harnesses share: any bytes as a file must give, read from memory
// and read from a file in chunks of any size, exactly what the step-by-step rules give.
// Built with -DVELTRANE_FUZZ=ON (clang); run with -dict=tests/targets/fuzz/targets.dict.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/lines.h"
#include "targets/common/config_scan.h"
#include "tests/targets/literal.h"

// The first byte picks the chunk size of the file read; the rest is the file.
template <class S, class Check>
int FuzzReader(const uint8_t* data, size_t size, Check check) {
  if (size == 0) return 0;
  const size_t chunk = size_t(data[0] % 16) + 1;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  S from_text;
  ScanText(text, from_text);
  if (from_text.line_count != SplitLines(text, LineBreaks::Any).size()) std::abort();
  check(text, from_text);

  static const int fd = memfd_create("reader-fuzz", 0);
  if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, text.data(), text.size(), 0) != ssize_t(text.size()))
    std::abort();
  S from_file;
  const TScanSource source = Scan(TLineReader::File("/proc/self/fd/" + std::to_string(fd), chunk), from_file);
  if (!source.Read() || source.nul != (text.find('\0') != std::string::npos)) std::abort();
  if (from_file.addresses != from_text.addresses || from_file.insert_line != from_text.insert_line ||
      from_file.line_count != from_text.line_count)
    std::abort();
  return 0;
}
