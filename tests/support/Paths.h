// Paths of a given length, for the limits of the destination and of the
// install folder.
#pragma once

#include <string>

namespace readers {

// A path of `length` characters on drive C: "C:\" and then `fill`
// characters, a backslash after each `nameLength` of them but never as the
// last character (the last name is then one longer).
inline std::string PathOfLength(size_t length, size_t nameLength = 8, char fill = 'x') {
    std::string path = "C:\\";
    for (size_t name = 0; path.size() < length;) {
        if (name == nameLength && path.size() + 1 < length) {
            path += '\\';
            name = 0;
        } else {
            path += fill;
            ++name;
        }
    }
    return path;
}

} // namespace readers
