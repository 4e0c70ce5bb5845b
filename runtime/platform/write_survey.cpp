#include "runtime/platform/write_survey.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  s.kind = S_ISLNK(m) ? PathStep::Kind::Link
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

void Remember(WriteSurvey& survey, const std::string& like, const Seen& seen) {
  survey.like = like;
  survey.device = seen.st.st_dev;
  survey.id = seen.st.st_ino;
  survey.owner = seen.st.st_uid;
  survey.group = seen.st.st_gid;
  survey.mode = seen.st.st_mode & 07777;
}

// Whether the file holds exactly `bytes`, read without waiting and without following links.
bool Holds(const WriteSurvey& survey, std::string_view bytes) {
  const int fd = OpenSurveyed(survey);
  if (fd < 0) return false;
  std::string content;
  char buf[1 << 16];
  bool same = true;
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) same = false;
    if (n <= 0) break;
    content.append(buf, size_t(n));
    if (content.size() > bytes.size()) {
      same = false;
      break;
    }
  }
  ::close(fd);
  return same && content == bytes;
}

}  // namespace

int OpenSurveyed(const WriteSurvey& survey) {
  const int fd = ::open(survey.like.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_dev) != survey.device ||
      uint64_t(st.st_ino) != survey.id) {
    ::close(fd);
    errno = ESTALE;
    return -1;
  }
  return fd;
}

WriteSurvey SurveyWrite(const std::string& path, const std::string& root, std::string_view bytes) {
  WriteSurvey survey;
  PosixWrite write;
  write.path = path;
  write.root = root;
  write.size = bytes.size();
  write.top = Look("/").step;
  Seen last;
  for (std::string_view prefix : PosixSteps(path)) {
    last = Look(std::string(prefix));
    write.steps.push_back(last.step);
  }
  const bool missing = !write.steps.empty() && last.step.kind == PathStep::Kind::Missing;
  if (missing && path.size() > 4 && path.ends_with(".old")) {
    const std::string sibling = path.substr(0, path.size() - 4);
    const Seen seen = Look(sibling);
    write.sibling = seen.step;
    Remember(survey, sibling, seen);
    survey.new_copy = true;
    write.same_as_sibling = seen.step.kind == PathStep::Kind::File && Holds(survey, bytes);
  } else if (missing) {
    write.program_file = IsProgramFile(bytes);
    survey.new_file = true;
  } else {
    Remember(survey, path, last);
  }
  survey.refusal = CheckPosixWrite(write);
  return survey;
}

}  // namespace platform
