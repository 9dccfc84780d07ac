// What Setup.exe does where the standard library would throw. The program is
// built without exceptions, and these faults cannot be reported as values:
// the memory running out (operator new and the allocators' size checks), and
// the library's own length, range, argument and empty-function faults, which
// are faults of the program that its built-in data never causes. Each shows
// the library's own message with the application's standard exception
// display and ends the program (ShowFatalError); nothing unwinds. Defined
// here, they keep the library's throwing objects out of the link: docs/size.md.
#include <cstdarg>
#include <cstdlib>
#include <new>
#include <string>

#include "forms/Application.h"

namespace {

// The library's messages of range faults: "%s" and "%zu" filled in, "%%" a
// percent sign, as its own formatter does.
std::string FormatRangeMessage(const char *format, va_list arguments) {
    std::string message;
    for (const char *p = format; *p; p++) {
        if (p[0] == '%' && p[1] == 's') {
            message += va_arg(arguments, const char *);
            p++;
        } else if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
            message += std::to_string(va_arg(arguments, size_t));
            p += 2;
        } else if (p[0] == '%' && p[1] == '%') {
            message += '%';
            p++;
        } else {
            message += *p;
        }
    }
    return message;
}

} // namespace

void *operator new(std::size_t size) {
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    ShowFatalError("std::bad_alloc");
}

// The library's temporary buffers (std::stable_sort) ask for memory this way
// and do with less when there is none.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    return std::malloc(size ? size : 1);
}

namespace std {

void __throw_bad_alloc() {
    ShowFatalError("std::bad_alloc");
}

void __throw_bad_array_new_length() {
    ShowFatalError("std::bad_array_new_length");
}

void __throw_bad_function_call() {
    ShowFatalError("bad_function_call");
}

void __throw_logic_error(const char *message) {
    ShowFatalError(message);
}

void __throw_length_error(const char *message) {
    ShowFatalError(message);
}

void __throw_invalid_argument(const char *message) {
    ShowFatalError(message);
}

void __throw_out_of_range(const char *message) {
    ShowFatalError(message);
}

void __throw_out_of_range_fmt(const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string message = FormatRangeMessage(format, arguments);
    va_end(arguments);
    ShowFatalError(message.c_str());
}

} // namespace std

// GCC 13 and later keep one member of std::string, the in-place path of
// replace, in the library's whole instantiation of the class, even for C++20;
// instantiated here, it keeps that out of the link: docs/size.md.
#if defined(_GLIBCXX_RELEASE) && _GLIBCXX_RELEASE >= 13 && _GLIBCXX_USE_CXX11_ABI
template void std::string::_M_replace_cold(char *, size_type, const char *, size_type, size_type);
#endif
