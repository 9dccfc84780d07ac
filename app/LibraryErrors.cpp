// How the standard library's containers and strings raise their errors in
// Setup.exe: a length, range or argument fault (a fault of the program, never
// of the user's input) reaches the standard exception display as a toolkit
// error with the library's own message; a failed allocation stays a
// std::bad_alloc.
//
// The library's own versions of these functions live in one object that
// constructs every standard exception class from a C string, which links the
// library's copy-on-write string and its random device (about 55 KB of code
// and unwind tables) for messages the program shows as text anyway. Defining
// them here keeps that object out of the link. Should a library object ever
// need one of its other functions, the link fails on the duplicate
// definitions instead of growing unnoticed.
#include <cstdarg>
#include <new>
#include <string>

#include "forms/Exceptions.h"

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

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_logic_error(const char *message) {
    throw EToolkitError(message);
}

void __throw_length_error(const char *message) {
    throw EToolkitError(message);
}

void __throw_invalid_argument(const char *message) {
    throw EToolkitError(message);
}

void __throw_out_of_range(const char *message) {
    throw EToolkitError(message);
}

void __throw_out_of_range_fmt(const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string message = FormatRangeMessage(format, arguments);
    va_end(arguments);
    throw EToolkitError(message);
}

} // namespace std

// From GCC 13 on, the library declares one member of std::string as
// instantiated in the library even for C++20: the in-place path of replace,
// which assign, insert and replace take when the new text overlaps the old.
// Its one copy there lives in the object that instantiates the whole of
// std::string for C++17 (about 30 KB of code and unwind tables). Instantiated
// here from the library's own header, it keeps that object out of the link.
#if defined(_GLIBCXX_RELEASE) && _GLIBCXX_RELEASE >= 13 && _GLIBCXX_USE_CXX11_ABI
template void std::string::_M_replace_cold(char *, size_type, const char *, size_type, size_type);
#endif
