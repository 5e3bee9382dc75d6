#include "gvmain/ops/file_names.h"

#include <windows.h>

#include <cstdio>

namespace gvmain {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (c == '/') {
            c = '\\';
        }
    }
    return text;
}

std::string Numbered(const char* format, int a, int b) {
    char text[16];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
    size_t slash = LastSeparator(path);
    if (slash == std::string::npos) {
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
    }
    if (slash == 2 && path[1] == ':') {
        return path.substr(0, 3);
    }
    return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = LastSeparator(path);
    if (slash == std::string::npos) {
        return path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
    }
    return path.substr(slash + 1);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty() || IsSeparator(directory.back())) {
        return directory + name;
    }
    return directory + "\\" + name;
}

std::string DriveRoot(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') {
        return path.substr(0, 2) + "\\";
    }
    if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t server = path.find_first_of("\\/", 2);
        size_t share = server == std::string::npos ? server : path.find_first_of("\\/", server + 1);
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return std::string();
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    size_t slash = LastSeparator(path);
    size_t dot = path.find_last_of('.');
    std::string stem =
        dot == std::string::npos || (slash != std::string::npos && dot < slash) ? path : path.substr(0, dot);
    return stem + "." + extension;
}

bool IsWithin(const std::string& path, const std::string& folder) {
    std::string p = Lower(path);
    std::string f = Lower(folder);
    while (!f.empty() && f.back() == '\\') {
        f.pop_back();
    }
    if (f.empty() || p.compare(0, f.size(), f) != 0) {
        return false;
    }
    return p.size() == f.size() || p[f.size()] == '\\';
}

bool IsAbsolutePath(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) ||
           (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
}

bool PathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string TemporaryName(const std::string& directory, const std::string& prefix) {
    for (int n = 0; n < 1000000; ++n) {
        std::string candidate = JoinPath(directory, prefix + Numbered("%03d.%03d", n / 1000, n % 1000));
        if (!PathExists(candidate)) {
            return candidate;
        }
    }
    return std::string();
}

std::string BackupName(const std::string& path) {
    std::string candidate = WithExtension(path, "bak");
    for (int n = 0; PathExists(candidate); ++n) {
        if (n == 1000) {
            return std::string();
        }
        candidate = WithExtension(path, Numbered("%03d", n, 0));
    }
    return candidate;
}

}  // namespace gvmain
