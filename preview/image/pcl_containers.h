// The picture family's owning containers: a zero-filled heap array that reports a failed
// allocation instead of throwing, and the ordered frame list a reader fills.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace quillon {

// Owns `count` zero-filled elements of a plain type. Zero-filling through calloc leaves the
// pages of a large block untouched until they are written, so a picture that a short file
// only partly fills costs no more than the part it fills.
template <typename T>
class PCL_array {
  // Zeroed bytes stand for the elements, so only plain data whose zero value is meaningful.
  static_assert(std::is_trivially_copyable_v<T>, "PCL_array holds plain data only");

 public:
  PCL_array() = default;
  PCL_array(const PCL_array&) = delete;
  PCL_array& operator=(const PCL_array&) = delete;
  PCL_array(PCL_array&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), count_(std::exchange(other.count_, 0)) {}
  PCL_array& operator=(PCL_array&& other) noexcept {
    if (this != &other) {
      Free();
      data_ = std::exchange(other.data_, nullptr);
      count_ = std::exchange(other.count_, 0);
    }
    return *this;
  }
  ~PCL_array() { Free(); }

  // Replaces the contents with `count` zeroed elements; false (and empty) when the memory
  // cannot be had or `count` is 0.
  bool Allocate(std::size_t count) {
    Free();
    if (count == 0) return false;
    data_ = static_cast<T*>(std::calloc(count, sizeof(T)));
    if (data_ == nullptr) return false;
    count_ = count;
    return true;
  }
  void Free() {
    std::free(data_);
    data_ = nullptr;
    count_ = 0;
  }

  T* get() { return data_; }
  const T* get() const { return data_; }
  std::size_t size() const { return count_; }
  bool empty() const { return data_ == nullptr; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }

 private:
  T* data_ = nullptr;
  std::size_t count_ = 0;
};

// An ordered list that owns its objects and deletes them with itself.
template <typename T>
class PCL_Interface_Composite {
 public:
  void PCL_PushObject(std::unique_ptr<T> object) { objects_.push_back(std::move(object)); }
  int PCL_GetObjectCount() const { return static_cast<int>(objects_.size()); }
  T* PCL_GetObject(int index) const {
    return index >= 0 && index < PCL_GetObjectCount() ? objects_[index].get() : nullptr;
  }

 private:
  std::vector<std::unique_ptr<T>> objects_;
};

}  // namespace quillon
