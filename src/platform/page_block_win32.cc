#include <windows.h>

#include <cstdlib>

#include "platform/page_block.h"

namespace binario {

// Committed pages read as zero until first written; Windows gives large pages
// only to accounts holding a privilege that players do not have.
PageBlock::PageBlock(size_t size) : size_(size) {
  if (size == 0) return;
  data_ =
      static_cast<uint8_t*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (data_ == nullptr) std::abort();
}

void PageBlock::release() {
  if (data_ != nullptr) VirtualFree(data_, 0, MEM_RELEASE);
}

}  // namespace binario
