/* The fault harness's LD_PRELOAD library: it sees every open, write, fsync, rename and close
   the program makes on the files below one folder, writes them into a trace, and makes a
   chosen one of them fail with a chosen errno, as a full disk or a dying drive would.

   Environment (without VELTRANE_FAULT_ROOT the library only passes calls on):
     VELTRANE_FAULT_ROOT   the folder whose files count (absolute); nothing else is counted,
                           so the driver's script, /proc and the shared libraries are not
     VELTRANE_FAULT_TRACE  a file to append the trace to, one tab-separated line per call:
                           KIND N NANOSECONDS PATH EXTRA [FAILED], N counting the calls of
                           that KIND, EXTRA "read" or "write" for an open and the old name
                           for a rename; a temporary file made is named on a "made" line
     VELTRANE_FAULT_HASH   1: after each rename and unlink, a "version" line with the
                           fingerprint of the file now at that path (or "gone")
     VELTRANE_FAULT_CALL   open, write, fsync, rename or close: the kind of call to fail
     VELTRANE_FAULT_NTH    which call of that kind fails (1 for the first)
     VELTRANE_FAULT_ERRNO  the errno it fails with (a number)
     VELTRANE_FAULT_TEAR   1: a rename over a file of the folder is done the way a careless
                           save would do it, by writing the new content over the old file
                           piece by piece; the harness checks that it notices such saves
     VELTRANE_FAULT_SIGNAL_AT  KIND#N: just before that call, one byte is written to the
                           descriptor VELTRANE_FAULT_SIGNAL_FD, so that the harness can kill
                           the program at a chosen moment of a save

   Kinds: open counts open, openat, creat and the mkstemp family (a temporary file is an open
   too); write counts write, pwrite and writev; fsync counts fsync and fdatasync; rename
   counts rename, renameat and renameat2; close counts close of a file opened below the
   folder. A failed close still closes the descriptor, as Linux does. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

#include "content_hash.h"

enum { kOpen, kWrite, kFsync, kRename, kClose, kKinds };
static const char* const kKindNames[kKinds] = {"open", "write", "fsync", "rename", "close"};

enum { kMaxFds = 4096 };

static struct {
  int ready;
  char root[PATH_MAX];
  size_t root_length;
  int trace_fd;
  int hash;
  int fail_kind;
  long fail_nth;
  int fail_errno;
  int signal_kind;
  long signal_nth;
  int signal_fd;
  int tear;
  long counts[kKinds];
  char* fd_paths[kMaxFds]; /* the watched path an open descriptor names, or NULL */
} g = {.trace_fd = -1, .fail_kind = -1, .signal_kind = -1, .signal_fd = -1};

/* The next definitions of the calls, in libc (or in a sanitizer runtime loaded before us). */
#define REAL(name) real_##name
#define DECLARE_REAL(ret, name, ...) static ret (*REAL(name))(__VA_ARGS__)
DECLARE_REAL(int, open, const char*, int, ...);
DECLARE_REAL(int, open64, const char*, int, ...);
DECLARE_REAL(int, openat, int, const char*, int, ...);
DECLARE_REAL(int, openat64, int, const char*, int, ...);
DECLARE_REAL(int, creat, const char*, mode_t);
DECLARE_REAL(int, creat64, const char*, mode_t);
DECLARE_REAL(int, mkstemp, char*);
DECLARE_REAL(int, mkstemp64, char*);
DECLARE_REAL(int, mkostemp, char*, int);
DECLARE_REAL(int, mkostemp64, char*, int);
DECLARE_REAL(ssize_t, write, int, const void*, size_t);
DECLARE_REAL(ssize_t, pwrite, int, const void*, size_t, off_t);
DECLARE_REAL(ssize_t, pwrite64, int, const void*, size_t, off_t);
DECLARE_REAL(ssize_t, writev, int, const struct iovec*, int);
DECLARE_REAL(int, fsync, int);
DECLARE_REAL(int, fdatasync, int);
DECLARE_REAL(int, rename, const char*, const char*);
DECLARE_REAL(int, renameat, int, const char*, int, const char*);
DECLARE_REAL(int, renameat2, int, const char*, int, const char*, unsigned);
DECLARE_REAL(int, close, int);
DECLARE_REAL(int, unlink, const char*);
DECLARE_REAL(int, unlinkat, int, const char*, int);
DECLARE_REAL(ssize_t, read, int, void*, size_t);

#define RESOLVE(name) (REAL(name) ? REAL(name) : (*(void**)&REAL(name) = dlsym(RTLD_NEXT, #name), REAL(name)))

static void setup(void) {
  if (g.ready) return;
  g.ready = 1;
  const char* root = getenv("VELTRANE_FAULT_ROOT");
  if (!root || root[0] != '/' || strlen(root) >= sizeof g.root) return;
  strcpy(g.root, root);
  g.root_length = strlen(g.root);
  while (g.root_length > 1 && g.root[g.root_length - 1] == '/') g.root[--g.root_length] = '\0';
  const char* trace = getenv("VELTRANE_FAULT_TRACE");
  if (trace && *trace) g.trace_fd = RESOLVE(open)(trace, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const char* tear = getenv("VELTRANE_FAULT_TEAR");
  g.tear = tear && strcmp(tear, "1") == 0;
  const char* hash = getenv("VELTRANE_FAULT_HASH");
  g.hash = hash && strcmp(hash, "1") == 0;
  const char* call = getenv("VELTRANE_FAULT_CALL");
  const char* nth = getenv("VELTRANE_FAULT_NTH");
  const char* err = getenv("VELTRANE_FAULT_ERRNO");
  if (call && nth && err) {
    for (int k = 0; k < kKinds; ++k)
      if (strcmp(call, kKindNames[k]) == 0) g.fail_kind = k;
    g.fail_nth = atol(nth);
    g.fail_errno = atoi(err);
  }
  const char* signal_at = getenv("VELTRANE_FAULT_SIGNAL_AT");
  const char* signal_fd = getenv("VELTRANE_FAULT_SIGNAL_FD");
  const char* hash_mark = signal_at ? strchr(signal_at, '#') : NULL;
  if (hash_mark && signal_fd) {
    for (int k = 0; k < kKinds; ++k)
      if (strncmp(signal_at, kKindNames[k], (size_t)(hash_mark - signal_at)) == 0 &&
          kKindNames[k][hash_mark - signal_at] == '\0')
        g.signal_kind = k;
    g.signal_nth = atol(hash_mark + 1);
    g.signal_fd = atoi(signal_fd);
  }
}

/* The path as an absolute one with no doubled or trailing "/"; "." and ".." stay as they
   are (the program never makes them). Relative paths count from the folder `dirfd` names. */
static int absolute(int dirfd, const char* path, char* out) {
  char base[PATH_MAX];
  if (!path) return 0;
  if (path[0] == '/') {
    base[0] = '\0';
  } else if (dirfd == AT_FDCWD) {
    if (!getcwd(base, sizeof base)) return 0;
  } else {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
    const ssize_t n = readlink(link, base, sizeof base - 1);
    if (n < 0) return 0;
    base[n] = '\0';
  }
  char joined[2 * PATH_MAX + 2];
  snprintf(joined, sizeof joined, "%s/%s", base, path);
  size_t o = 0;
  for (const char* p = joined; *p && o < PATH_MAX - 1; ++p) {
    if (*p == '/' && o > 0 && out[o - 1] == '/') continue;
    out[o++] = *p;
  }
  while (o > 1 && out[o - 1] == '/') --o;
  out[o] = '\0';
  return 1;
}

/* The program folder's lock file is no save: it holds only who holds the lock. */
static int lock_file(const char* path) {
  const char* name = strrchr(path, '/');
  return name && strcmp(name + 1, "veltrane.lock") == 0;
}

static int watched_path(const char* path) {
  return g.root_length > 0 && strncmp(path, g.root, g.root_length) == 0 &&
         (path[g.root_length] == '/' || path[g.root_length] == '\0') && !lock_file(path);
}

/* The watched absolute path of `path`, into `out`; 0 when it is not below the folder. */
static int watched(int dirfd, const char* path, char* out) {
  setup();
  return g.root_length > 0 && absolute(dirfd, path, out) && watched_path(out);
}

static const char* fd_path(int fd) {
  setup();
  return fd >= 0 && fd < kMaxFds ? g.fd_paths[fd] : NULL;
}

static long long now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000ll + t.tv_nsec;
}

static void trace_line(const char* text) {
  if (g.trace_fd < 0) return;
  const int saved = errno;
  size_t left = strlen(text);
  while (left > 0) {
    const ssize_t n = RESOLVE(write)(g.trace_fd, text, left);
    if (n <= 0) break;
    text += n;
    left -= (size_t)n;
  }
  errno = saved;
}

/* Counts a call of `kind` on `path` and traces it; true when this call is the one to fail. */
static int counted(int kind, const char* path, const char* extra) {
  const long n = ++g.counts[kind];
  const int fail = kind == g.fail_kind && n == g.fail_nth;
  if (kind == g.signal_kind && n == g.signal_nth && g.signal_fd >= 0) {
    const int saved = errno;
    RESOLVE(write)(g.signal_fd, "!", 1);
    errno = saved;
  }
  char line[2 * PATH_MAX + 128];
  snprintf(line, sizeof line, "%s\t%ld\t%lld\t%s\t%s%s\n", kKindNames[kind], n, now_ns(), path, extra ? extra : "",
           fail ? "\tFAILED" : "");
  trace_line(line);
  return fail;
}

static void remember(int fd, const char* path) {
  if (fd < 0 || fd >= kMaxFds) return;
  free(g.fd_paths[fd]);
  g.fd_paths[fd] = strdup(path);
}

static void forget(int fd) {
  if (fd < 0 || fd >= kMaxFds) return;
  free(g.fd_paths[fd]);
  g.fd_paths[fd] = NULL;
}

/* After a rename or an unlink: what the path now holds, for the harness's list of versions. */
static void trace_version(const char* path) {
  if (!g.hash || g.trace_fd < 0) return;
  const int saved = errno;
  char line[PATH_MAX + 96];
  const int fd = RESOLVE(open)(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    snprintf(line, sizeof line, "version\t%s\tgone\n", path);
  } else {
    content_hash h;
    content_hash_start(&h);
    static char buffer[1 << 16];
    ssize_t n;
    while ((n = RESOLVE(read)(fd, buffer, sizeof buffer)) > 0) content_hash_add(&h, buffer, (size_t)n);
    RESOLVE(close)(fd);
    snprintf(line, sizeof line, "version\t%s\t%016llx\t%llu\n", path, (unsigned long long)content_hash_end(&h),
             (unsigned long long)h.length);
  }
  trace_line(line);
  errno = saved;
}

static const char* open_mode(int flags) { return (flags & O_ACCMODE) == O_RDONLY ? "read" : "write"; }

static int fail_with_errno(void) {
  errno = g.fail_errno;
  return -1;
}

/* One body for every call that opens a file by name. */
#define OPEN_BODY(call, dirfd, path, flags)                                                 \
  do {                                                                                      \
    char abs_path[PATH_MAX];                                                                \
    const int is_watched = watched(dirfd, path, abs_path);                                  \
    if (is_watched && counted(kOpen, abs_path, open_mode(flags))) return fail_with_errno(); \
    const int fd = (call);                                                                  \
    if (is_watched && fd >= 0) remember(fd, abs_path);                                      \
    return fd;                                                                              \
  } while (0)

static mode_t mode_argument(int flags, va_list args) {
  return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(args, int) : 0;
}

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = mode_argument(flags, args);
  va_end(args);
  OPEN_BODY(RESOLVE(open)(path, flags, mode), AT_FDCWD, path, flags);
}

int open64(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = mode_argument(flags, args);
  va_end(args);
  OPEN_BODY(RESOLVE(open64)(path, flags, mode), AT_FDCWD, path, flags);
}

int openat(int dirfd, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = mode_argument(flags, args);
  va_end(args);
  OPEN_BODY(RESOLVE(openat)(dirfd, path, flags, mode), dirfd, path, flags);
}

int openat64(int dirfd, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = mode_argument(flags, args);
  va_end(args);
  OPEN_BODY(RESOLVE(openat64)(dirfd, path, flags, mode), dirfd, path, flags);
}

/* The checked variants that _FORTIFY_SOURCE builds call when the flags are not constant. */
int __open_2(const char* path, int flags) { OPEN_BODY(RESOLVE(open)(path, flags, 0), AT_FDCWD, path, flags); }
int __open64_2(const char* path, int flags) { OPEN_BODY(RESOLVE(open64)(path, flags, 0), AT_FDCWD, path, flags); }
int __openat_2(int dirfd, const char* path, int flags) {
  OPEN_BODY(RESOLVE(openat)(dirfd, path, flags, 0), dirfd, path, flags);
}

int creat(const char* path, mode_t mode) { OPEN_BODY(RESOLVE(creat)(path, mode), AT_FDCWD, path, O_WRONLY); }
int creat64(const char* path, mode_t mode) { OPEN_BODY(RESOLVE(creat64)(path, mode), AT_FDCWD, path, O_WRONLY); }

/* A temporary file's name is only known once it is made, so the call is counted by the
   template (its folder decides whether it is watched), and a "made" line names the file. */
static void made(int fd, const char* path) {
  remember(fd, path);
  char line[PATH_MAX + 16];
  snprintf(line, sizeof line, "made\t%s\n", path);
  trace_line(line);
}

#define TEMP_BODY(call, template_path)                                                            \
  do {                                                                                            \
    char abs_path[PATH_MAX];                                                                      \
    const int is_watched = watched(AT_FDCWD, template_path, abs_path);                            \
    if (is_watched && counted(kOpen, abs_path, "write")) return fail_with_errno();                \
    const int fd = (call);                                                                        \
    if (is_watched && fd >= 0 && absolute(AT_FDCWD, template_path, abs_path)) made(fd, abs_path); \
    return fd;                                                                                    \
  } while (0)

int mkstemp(char* template_path) { TEMP_BODY(RESOLVE(mkstemp)(template_path), template_path); }
int mkstemp64(char* template_path) { TEMP_BODY(RESOLVE(mkstemp64)(template_path), template_path); }
int mkostemp(char* template_path, int flags) { TEMP_BODY(RESOLVE(mkostemp)(template_path, flags), template_path); }
int mkostemp64(char* template_path, int flags) { TEMP_BODY(RESOLVE(mkostemp64)(template_path, flags), template_path); }

#define FD_BODY(kind, fd, call)                                      \
  do {                                                               \
    const char* path = fd_path(fd);                                  \
    if (path && counted(kind, path, NULL)) return fail_with_errno(); \
    return (call);                                                   \
  } while (0)

ssize_t write(int fd, const void* data, size_t size) { FD_BODY(kWrite, fd, RESOLVE(write)(fd, data, size)); }
ssize_t pwrite(int fd, const void* data, size_t size, off_t at) {
  FD_BODY(kWrite, fd, RESOLVE(pwrite)(fd, data, size, at));
}
ssize_t pwrite64(int fd, const void* data, size_t size, off_t at) {
  FD_BODY(kWrite, fd, RESOLVE(pwrite64)(fd, data, size, at));
}
ssize_t writev(int fd, const struct iovec* pieces, int count) {
  FD_BODY(kWrite, fd, RESOLVE(writev)(fd, pieces, count));
}
int fsync(int fd) { FD_BODY(kFsync, fd, RESOLVE(fsync)(fd)); }
int fdatasync(int fd) { FD_BODY(kFsync, fd, RESOLVE(fdatasync)(fd)); }

int close(int fd) {
  const char* path = fd_path(fd);
  if (!path) return RESOLVE(close)(fd);
  const int fail = counted(kClose, path, NULL);
  forget(fd);
  const int result = RESOLVE(close)(fd);
  return fail ? fail_with_errno() : result;
}

/* The torn rename: the old file is cut to nothing and the new content copied into it a
   little at a time, so that a kill in between leaves it short. */
static int copy_in_place(const char* from, const char* to) {
  const int in = RESOLVE(open)(from, O_RDONLY | O_CLOEXEC);
  if (in < 0) return -1;
  const int out = RESOLVE(open)(to, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) {
    RESOLVE(close)(in);
    return -1;
  }
  static char buffer[1 << 12];
  ssize_t n;
  const struct timespec pause = {0, 100000};
  while ((n = RESOLVE(read)(in, buffer, sizeof buffer)) > 0) {
    if (RESOLVE(write)(out, buffer, (size_t)n) != n) break;
    nanosleep(&pause, NULL);
  }
  RESOLVE(close)(in);
  RESOLVE(close)(out);
  return n == 0 ? RESOLVE(unlink)(from) : -1;
}

static int renamed(int from_dirfd, const char* from, int to_dirfd, const char* to, int (*call)(void*), void* context) {
  char abs_from[PATH_MAX], abs_to[PATH_MAX];
  const int from_watched = watched(from_dirfd, from, abs_from);
  const int to_watched = watched(to_dirfd, to, abs_to);
  if (!from_watched && !to_watched) return call(context);
  if (!to_watched) absolute(to_dirfd, to, abs_to);
  if (!from_watched) absolute(from_dirfd, from, abs_from);
  if (counted(kRename, abs_to, abs_from)) return fail_with_errno();
  const int result = g.tear && to_watched ? copy_in_place(abs_from, abs_to) : call(context);
  if (result == 0) trace_version(abs_to);
  return result;
}

struct rename_args {
  int from_dirfd;
  const char* from;
  int to_dirfd;
  const char* to;
  unsigned flags;
};
static int call_rename(void* c) {
  const struct rename_args* a = c;
  return RESOLVE(rename)(a->from, a->to);
}
static int call_renameat(void* c) {
  const struct rename_args* a = c;
  return RESOLVE(renameat)(a->from_dirfd, a->from, a->to_dirfd, a->to);
}
static int call_renameat2(void* c) {
  const struct rename_args* a = c;
  return RESOLVE(renameat2)(a->from_dirfd, a->from, a->to_dirfd, a->to, a->flags);
}

int rename(const char* from, const char* to) {
  struct rename_args a = {AT_FDCWD, from, AT_FDCWD, to, 0};
  return renamed(AT_FDCWD, from, AT_FDCWD, to, call_rename, &a);
}
int renameat(int from_dirfd, const char* from, int to_dirfd, const char* to) {
  struct rename_args a = {from_dirfd, from, to_dirfd, to, 0};
  return renamed(from_dirfd, from, to_dirfd, to, call_renameat, &a);
}
int renameat2(int from_dirfd, const char* from, int to_dirfd, const char* to, unsigned flags) {
  struct rename_args a = {from_dirfd, from, to_dirfd, to, flags};
  return renamed(from_dirfd, from, to_dirfd, to, call_renameat2, &a);
}

/* Deleting is traced (an old backup pruned is a version too: the file is gone), never failed. */
int unlink(const char* path) {
  char abs_path[PATH_MAX];
  const int is_watched = watched(AT_FDCWD, path, abs_path);
  const int result = RESOLVE(unlink)(path);
  if (is_watched && result == 0) trace_version(abs_path);
  return result;
}
int unlinkat(int dirfd, const char* path, int flags) {
  char abs_path[PATH_MAX];
  const int is_watched = watched(dirfd, path, abs_path);
  const int result = RESOLVE(unlinkat)(dirfd, path, flags);
  if (is_watched && result == 0) trace_version(abs_path);
  return result;
}
