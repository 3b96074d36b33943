#include "tools/routes/checkout_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace velmora::routes {

namespace fs = std::filesystem;

bool IsGameCheckout(const std::string& root) {
    std::error_code ec;
    for (const char* folder : {"tools/routes", "data", "docs", "tests/routes"}) {
        if (!fs::is_directory(fs::path(root) / folder, ec)) return false;
    }
    return true;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out.fail()) {
        std::cerr << "velmora-routes: cannot write " << path
                  << (errno ? std::string(": ") + std::strerror(errno) : "") << '\n';
        return false;
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) std::cerr << "velmora-routes: cannot remove " << path << ": " << ec.message() << '\n';
    return !ec;
}

}  // namespace velmora::routes
