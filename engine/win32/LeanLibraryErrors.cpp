// The C++ library's error helpers (std::__throw_length_error and its
// siblings), replaced for calc.dll. The library's own versions build
// std::logic_error objects that carry a copy-on-write string, and with them
// comes about 80 KB of string code that the PE linker cannot drop, because
// the unwind tables keep it referenced. Inside calc.dll every error is
// caught and dropped without looking at its text, so a plain error object
// does the same job. The memory and cast errors keep their standard types.
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryError final : public std::exception {
 public:
  [[nodiscard]] const char* what() const noexcept override { return "C++ library error"; }
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_logic_error(const char*) { throw LibraryError(); }
void __throw_domain_error(const char*) { throw LibraryError(); }
void __throw_invalid_argument(const char*) { throw LibraryError(); }
void __throw_length_error(const char*) { throw LibraryError(); }
void __throw_out_of_range(const char*) { throw LibraryError(); }
void __throw_out_of_range_fmt(const char*, ...) { throw LibraryError(); }
void __throw_runtime_error(const char*) { throw LibraryError(); }
void __throw_range_error(const char*) { throw LibraryError(); }
void __throw_overflow_error(const char*) { throw LibraryError(); }
void __throw_underflow_error(const char*) { throw LibraryError(); }

}  // namespace std
