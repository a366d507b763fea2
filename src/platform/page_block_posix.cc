#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "platform/page_block.h"

// Under AddressSanitizer the block comes from the heap, where a read or write
// past its end is caught; mapped pages have no guard around them.
#if defined(__SANITIZE_ADDRESS__)
#define BINARIO_PAGE_BLOCK_ON_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BINARIO_PAGE_BLOCK_ON_HEAP 1
#endif
#endif

namespace binario {

namespace {

// Large pages of 2 MB cover only the whole 2 MB ranges inside the mapping.
constexpr size_t kLargePage = size_t{2} << 20;

[[noreturn]] void out_of_memory() { std::abort(); }

}  // namespace

#ifdef BINARIO_PAGE_BLOCK_ON_HEAP

PageBlock::PageBlock(size_t size) : size_(size) {
  data_ = static_cast<uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
  if (data_ == nullptr) out_of_memory();
}

void PageBlock::release() { std::free(data_); }

#else

PageBlock::PageBlock(size_t size) : size_(size) {
  if (size == 0) return;
  if (size > SIZE_MAX - kLargePage) out_of_memory();
  // One large page more than asked, so that the block can start on a large
  // page boundary; the unused head and tail go back to the system.
  const size_t mapped = size + kLargePage;
  void* map = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) out_of_memory();
  const uintptr_t start = reinterpret_cast<uintptr_t>(map);
  const uintptr_t aligned = (start + kLargePage - 1) & ~uintptr_t{kLargePage - 1};
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t end = (aligned + size + page - 1) & ~uintptr_t{page - 1};
  if (aligned > start) munmap(map, aligned - start);
  if (start + mapped > end) munmap(reinterpret_cast<void*>(end), start + mapped - end);
  data_ = reinterpret_cast<uint8_t*>(aligned);
#ifdef MADV_HUGEPAGE
  // Only advice: where large pages are off, the block is simply 4 KB pages.
  madvise(data_, end - aligned, MADV_HUGEPAGE);
#endif
}

void PageBlock::release() {
  if (data_ != nullptr) munmap(data_, size_);
}

#endif

}  // namespace binario
