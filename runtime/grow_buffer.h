// GrowBuffer: an array of plain values (bytes, entries) that grows with realloc. A large block
// grows where it stands (Linux moves its pages with mremap), so that a buffer of a million
// records grown step by step is never copied, nor held twice while it is: std::vector and
// std::string copy into a new block at every doubling, and for that moment hold both.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

template <class T>
class GrowBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  GrowBuffer() = default;
  GrowBuffer(const GrowBuffer& other) { Append(other.data_, other.size_); }
  GrowBuffer& operator=(const GrowBuffer& other) {
    if (this != &other) {
      GrowBuffer copy(other);
      swap(copy);
    }
    return *this;
  }
  GrowBuffer(GrowBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  GrowBuffer& operator=(GrowBuffer&& other) noexcept {
    GrowBuffer gone(std::move(other));
    swap(gone);
    return *this;
  }
  ~GrowBuffer() { std::free(data_); }

  void swap(GrowBuffer& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
  }

  T* data() { return data_; }
  const T* data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](size_t i) { return data_[i]; }
  const T& operator[](size_t i) const { return data_[i]; }
  T& back() { return data_[size_ - 1]; }
  const T& back() const { return data_[size_ - 1]; }

  void push_back(const T& value) {
    if (size_ == capacity_) Grow(size_ + 1);
    data_[size_++] = value;
  }
  // `values` may lie in this very buffer.
  void Append(const T* values, size_t count) {
    if (count == 0) return;
    if (size_ + count > capacity_) {
      const bool own = values >= data_ && values < data_ + size_;
      const size_t at = own ? size_t(values - data_) : 0;
      Grow(size_ + count);
      if (own) values = data_ + at;
    }
    std::memmove(data_ + size_, values, count * sizeof(T));
    size_ += count;
  }
  void resize(size_t size) {
    if (size > capacity_) Grow(size);
    if (size > size_) std::memset(static_cast<void*>(data_ + size_), 0, (size - size_) * sizeof(T));
    size_ = size;
  }
  void reserve(size_t capacity) {
    if (capacity > capacity_) Resize(capacity);
  }
  void clear() { size_ = 0; }
  void shrink_to_fit() {
    if (size_ == 0) {
      std::free(std::exchange(data_, nullptr));
      capacity_ = 0;
    } else if (size_ < capacity_) {
      Resize(size_);
    }
  }

 private:
  void Grow(size_t needed) {
    size_t capacity = capacity_ < 16 ? 16 : capacity_ + capacity_ / 2;
    if (capacity < needed) capacity = needed;
    Resize(capacity);
  }
  void Resize(size_t capacity) {
    void* grown = std::realloc(data_, capacity * sizeof(T));
    if (!grown) throw std::bad_alloc();
    data_ = static_cast<T*>(grown);
    capacity_ = capacity;
  }

  T* data_ = nullptr;
  size_t size_ = 0, capacity_ = 0;
};
