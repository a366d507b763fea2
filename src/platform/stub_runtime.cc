// The pieces of the C++ runtime the stub provides itself. The stub is built
// without exceptions; the library's own versions of these would throw, and
// with them would come the exception machinery (unwinder, type information,
// name demangler): several times the size of the Windows stub, which links
// the library statically, and on Linux a load of the whole shared C++ library
// at every start. Here running out of memory, or a container asked to grow
// past its maximum, ends the process as an uncaught exception would: with
// abort().

#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) std::abort();
  return block;
}

void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// The library's failure helpers, called by the standard containers and views
// on impossible sizes and positions. All of them are here, so that the
// library's own file of them, which throws, is never linked.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_exception() { std::abort(); }
void __throw_bad_typeid() { std::abort(); }
void __throw_domain_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_overflow_error(const char*) { std::abort(); }
void __throw_range_error(const char*) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
void __throw_underflow_error(const char*) { std::abort(); }
}  // namespace std
