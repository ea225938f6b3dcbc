#pragma once
// An array of plain values grown with realloc. A large block is moved by remapping its pages
// rather than copied, so a column that grows to many megabytes touches its memory once: with
// std::string or std::vector every doubling copies everything into fresh pages, and a listing of
// a million names pays about twice its size in page faults and copying.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace brixel {

template <typename T>
class GrownArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  GrownArray() = default;
  GrownArray(const GrownArray& other) { Append(other.data_, other.size_); }
  GrownArray(GrownArray&& other) noexcept { Swap(other); }
  GrownArray& operator=(GrownArray other) noexcept {
    Swap(other);
    return *this;
  }
  ~GrownArray() { std::free(data_); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const T* data() const { return data_; }
  const T& operator[](std::size_t i) const { return data_[i]; }

  void push_back(T value) {
    if (size_ == capacity_) Grow(size_ + 1);
    data_[size_++] = value;
  }
  void Append(const T* values, std::size_t n) {
    if (n == 0) return;
    if (size_ + n > capacity_) Grow(size_ + n);
    std::memcpy(data_ + size_, values, n * sizeof(T));
    size_ += n;
  }
  void reserve(std::size_t n) {
    if (n > capacity_) Resize(n);
  }
  void clear() { size_ = 0; }
  void Swap(GrownArray& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
  }

 private:
  void Grow(std::size_t needed) { Resize(std::max(needed, capacity_ + capacity_ / 2 + 16)); }
  void Resize(std::size_t capacity) {
    void* grown = std::realloc(data_, capacity * sizeof(T));
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<T*>(grown);
    capacity_ = capacity;
  }

  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace brixel
