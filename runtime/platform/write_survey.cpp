#include "runtime/platform/write_survey.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace platform {
namespace {

struct Seen {
  PathStep step;
  struct stat st {};
};

Seen Look(const std::string& path) {
  Seen seen;
  if (::lstat(path.c_str(), &seen.st) != 0) return seen;  // Missing
  const mode_t m = seen.st.st_mode;
  PathStep& s = seen.step;
  s.kind = S_ISLNK(m)   ? PathStep::Kind::Link
           : S_ISDIR(m) ? PathStep::Kind::Folder
           : S_ISREG(m) ? PathStep::Kind::File
                        : PathStep::Kind::Other;
  s.owner = seen.st.st_uid;
  s.group = seen.st.st_gid;
  s.mode = m & 07777;
  s.links = seen.st.st_nlink;
  s.read_only = (m & 0222) == 0;
  return seen;
}

// Opens the regular file `path` for reading as it was seen, never through a link, never
// waiting on a FIFO; false when it is no longer the file that was looked at.
bool OpenSeen(WriteSurvey& survey, const std::string& path, const Seen& seen) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat st;
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != seen.st.st_dev ||
      st.st_ino != seen.st.st_ino)
    return false;
  survey.like = path;
  survey.device = st.st_dev;
  survey.id = st.st_ino;
  survey.owner = st.st_uid;
  survey.group = st.st_gid;
  survey.mode = st.st_mode & 07777;
  survey.file = std::move(fd);
  return true;
}

// Whether the file carries a file capability: the system gives its program those rights
// whoever runs it. An attribute that cannot be read counts as one.
bool HasCapability(int fd) {
  if (::fgetxattr(fd, "security.capability", nullptr, 0) >= 0) return true;
  return errno != ENODATA && errno != ENOTSUP && errno != EOPNOTSUPP;
}

// The file's bytes up to `limit`, read from its start whatever was read before; false on a
// read error.
bool ReadFrom(int fd, std::string& bytes, size_t limit) {
  char buf[1 << 16];
  for (off_t at = 0; bytes.size() < limit;) {
    const ssize_t n = ::pread(fd, buf, std::min(sizeof buf, limit - bytes.size()), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    bytes.append(buf, size_t(n));
    at += n;
  }
  return true;
}

// Whether the file holds exactly `bytes`.
bool Holds(int fd, std::string_view bytes) {
  std::string content;
  return ReadFrom(fd, content, bytes.size() + 1) && content == bytes;
}

// The file's first line, as far as the program's mark needs it.
std::string FirstBytes(int fd) {
  std::string bytes;
  ReadFrom(fd, bytes, 256);
  return bytes;
}

}  // namespace

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

WriteSurvey SurveyWrite(const std::string& path, const std::string& root, std::string_view bytes) {
  WriteSurvey survey;
  survey.refusal = CheckPosixPath(path, root);
  if (survey.refusal != WriteRefusal::None) {
    survey.why = RefusalWords(survey.refusal);
    return survey;
  }
  PosixWrite write;
  write.path = path;
  write.root = root;
  write.content = bytes;
  write.size = bytes.size();
  write.top = Look("/").step;
  Seen last;
  for (std::string_view prefix : PosixSteps(path)) {
    last = Look(std::string(prefix));
    write.steps.push_back(last.step);
  }
  const ProgramPath what = PosixProgramPath(path, root);
  if (last.step.kind == PathStep::Kind::Missing && what.kind == ProgramPath::Kind::HostsCopy) {
    const std::string hosts = path.substr(0, path.size() - 4);
    const Seen seen = Look(hosts);
    write.sibling = seen.step;
    survey.new_copy = true;
    if (seen.step.kind == PathStep::Kind::File && OpenSeen(survey, hosts, seen)) {
      write.sibling.capability = HasCapability(survey.file.get());
      write.same_as_sibling = Holds(survey.file.get(), bytes);
    }
  } else if (last.step.kind == PathStep::Kind::Missing) {
    survey.new_file = true;
  } else if (last.step.kind == PathStep::Kind::File) {
    PathStep& file = write.steps.back();
    if (OpenSeen(survey, path, last)) {
      file.capability = HasCapability(survey.file.get());
      write.marked = IsProgramFile(FirstBytes(survey.file.get()));
    } else {
      survey.unread = true;
      write.marked = true;
    }
  }
  survey.refusal = CheckPosixWrite(write);
  survey.why = RefusalWords(survey.refusal);
  if (survey.refusal == WriteRefusal::NotResolverFile) {
    const GrammarVerdict verdict = JudgeResolverFile(what.format, bytes);
    survey.why += " (line " + std::to_string(verdict.line) + ": " + std::string(verdict.why) + ")";
  }
  return survey;
}

}  // namespace platform
