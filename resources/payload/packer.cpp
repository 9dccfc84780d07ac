// The build's packing tool: turns product files into payload resources (a
// 4-byte length and a zlib stream at level 6), with the same codec that
// Setup.exe unpacks them with.
//
//   packer SOURCE DEST   packs one file
//   packer LIST          packs every pair of the list file, one
//                        "SOURCE<tab>DEST" a line, in one run
//
// Names are Windows paths; forward slashes are taken as backslashes. The exit
// code is 0 when every file was packed, 1 when any failed, 2 for a bad call.
#include "install/ZCodec.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool Pack(const std::string &source, const std::string &dest) {
    int result = TZCodec().CompressFile(WindowsPath(source), 0, true, 6, nullptr, nullptr, WindowsPath(dest));
    if (result != zrOk) {
        std::fprintf(stderr, "packer: %s -> %s: codec result %d, expected %d\n", source.c_str(), dest.c_str(),
                     result, zrOk);
        return false;
    }
    return true;
}

int PackList(const std::string &listName) {
    std::ifstream list(WindowsPath(listName));
    if (!list) {
        std::fprintf(stderr, "packer: cannot read the list %s\n", listName.c_str());
        return 2;
    }
    int pairs = 0;
    int failures = 0;
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        std::string::size_type tab = line.find('\t');
        if (tab == std::string::npos) {
            std::fprintf(stderr, "packer: no tab between source and destination in \"%s\"\n", line.c_str());
            return 2;
        }
        ++pairs;
        if (!Pack(line.substr(0, tab), line.substr(tab + 1))) {
            ++failures;
        }
    }
    if (pairs == 0) {
        std::fprintf(stderr, "packer: the list %s names no file\n", listName.c_str());
        return 2;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 2) {
        return PackList(argv[1]);
    }
    if (argc == 3) {
        return Pack(argv[1], argv[2]) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: packer SOURCE DEST | packer LIST\n");
    return 2;
}
