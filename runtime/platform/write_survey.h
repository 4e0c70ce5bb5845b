// Looks at the file a write with the system's permission would replace, and at every folder
// above it, without following links, and judges what it saw by the rules of write_rules.h.
// The elevated side runs it before it writes; the program runs it before it asks, so that
// nobody is asked for a permission the elevated side would not use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/platform/write_rules.h"

namespace platform {

#ifndef _WIN32
// An open file descriptor, closed when it goes.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};
#endif

struct WriteSurvey {
  WriteRefusal refusal = WriteRefusal::None;
  std::string why;  // the refusal's words; for a resolver file's content, the line it fails on
  // The file the new one takes its access from: the file itself, or the hosts file for its
  // first copy (then `new_copy`), and which file it was when it was looked at.
  std::string like;
  bool new_copy = false;
  // A resolver file of the program's own made new (no file to take access from): it is
  // the administrator's, readable by all, as the files beside it.
  bool new_file = false;
  uint64_t device = 0, id = 0;
  uint32_t owner = 0, group = 0, mode = 0;
#ifndef _WIN32
  // `like`, open for reading since it was looked at: what was judged of it (its first line,
  // its capability, a copy's bytes) was read here, and the write takes its access from here,
  // never from whatever the name leads to by then.
  UniqueFd file;
  // The file could not be opened to read its mark and capability (the program's side may
  // lack the right to read it): the refusal assumes the best, and the helper refuses to go on.
  bool unread = false;
#endif
};

// `path` in the system's own form, `root` the folder it must lie below, `bytes` the new
// content (a first copy must hold its source's bytes). A path the rules refuse by itself is
// refused before anything on disk is looked at.
WriteSurvey SurveyWrite(const std::string& path, const std::string& root, std::string_view bytes);

#ifdef _WIN32
// Whether a folder's access rules (`security`, a security descriptor with its owner and its
// access list) let anyone but administrators, the system or TrustedInstaller change it: its
// owner, who may always rewrite the rules, or a rule that lets someone else make, rename or
// remove what it holds, remove it, or change its attributes, rules or owner. In the drive's
// root, where every user may make a folder, only a change of what it holds counts.
bool OthersMayChange(const void* security, bool drive_root);

// For tests under Wine, which shows every folder as the user's own: the user the process
// runs as counts as an administrator when folders' rules are read. Set in code only.
void TrustOwnAccountForTests(bool trust);
#endif

}  // namespace platform
