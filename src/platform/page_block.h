#ifndef BINARIO_PLATFORM_PAGE_BLOCK_H_
#define BINARIO_PLATFORM_PAGE_BLOCK_H_

#include <cstddef>
#include <cstdint>

namespace binario {

// A block of zero bytes straight from the system's pages, for a file image
// of many megabytes (the route plan of a long line). The pages come zeroed,
// so nothing clears them first, and they are large pages where the system
// offers them, so that filling the block costs a few page faults instead of
// one per 4 KB. Running out of memory ends the process, as it does for any
// allocation in the installer. (page_block_posix.cc, page_block_win32.cc)
class PageBlock {
 public:
  PageBlock() = default;
  explicit PageBlock(size_t size);
  ~PageBlock() { release(); }
  PageBlock(PageBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  PageBlock& operator=(PageBlock&& other) noexcept {
    if (this != &other) {
      release();
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }
  PageBlock(const PageBlock&) = delete;
  PageBlock& operator=(const PageBlock&) = delete;

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  uint8_t& operator[](size_t i) { return data_[i]; }
  const uint8_t& operator[](size_t i) const { return data_[i]; }

 private:
  void release();

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace binario

#endif  // BINARIO_PLATFORM_PAGE_BLOCK_H_
