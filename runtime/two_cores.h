// Work split between this thread and one more, for the passes over millions of records: on
// a machine of two cores or more the second does its share meanwhile. Looking a million records
// up is bound by the wait for memory, and a second core waits for its share at the same time.
#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

namespace two_cores {

inline bool Available() {
  static const bool available = std::thread::hardware_concurrency() >= 2;
  return available;
}

// Runs `first` on a thread of its own while this thread runs `second`; both on this thread,
// one after the other, on a single core or when no thread is to be had. What `first` throws
// is thrown here once both have ended.
template <class First, class Second>
void Both(First first, Second second) {
  std::exception_ptr thrown;
  const auto guarded = [&first, &thrown] {
    try {
      first();
    } catch (...) {
      thrown = std::current_exception();
    }
  };
  std::thread worker;
  if (Available()) {
    try {
      worker = std::thread(guarded);
    } catch (const std::system_error&) {
    }
  }
  if (!worker.joinable()) {
    first();
    second();
    return;
  }
  {
    struct Joined {
      std::thread& thread;
      ~Joined() { thread.join(); }
    } joined{worker};
    second();
  }
  if (thrown) std::rethrow_exception(thrown);
}

}  // namespace two_cores

// Calls work(from, to) over [0, n): in one call below `least` items; otherwise the first half
// and the second at once (two_cores::Both). Each call must write only what belongs to its range.
template <class Work>
void InHalves(size_t n, Work work, size_t least = size_t(1) << 16) {
  if (n < least || !two_cores::Available()) {
    work(size_t(0), n);
    return;
  }
  const size_t half = n / 2;
  two_cores::Both([&work, half] { work(size_t(0), half); }, [&work, half, n] { work(half, n); });
}
