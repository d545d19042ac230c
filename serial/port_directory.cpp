#include "port_directory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// Names "<prefix><number>" in the directory, sorted by number.
void AddNumbered(const std::string& dir, const std::string& prefix, std::vector<std::string>& out) {
    std::vector<std::pair<long, std::string>> found;
    // The error_code forms throughout: a folder that cannot be read lists nothing, never
    // throws.
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::directory_entry& e = *it;
        const std::string name = e.path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), e.path().string());
    }
    std::sort(found.begin(), found.end());
    for (auto& f : found) out.push_back(f.second);
}

}  // namespace

std::vector<std::string> TSystemPortDirectory::List() const {
    std::vector<std::string> out = first;
#ifndef _WIN32
    AddNumbered(devDir, "ttyUSB", out);
    AddNumbered(devDir, "ttyACM", out);
    AddNumbered(devDir, "ttyS", out);
#endif
    return out;
}

bool TSystemPortDirectory::DeviceFor(int n, char* out, size_t cap) {
#ifdef _WIN32
    if (n >= 1 && n <= static_cast<int>(first.size())) {
        std::snprintf(out, cap, "%s", first[static_cast<size_t>(n - 1)].c_str());
        return true;
    }
    std::snprintf(out, cap, "\\\\.\\COM%d", n - static_cast<int>(first.size()));
    return true;
#else
    const std::vector<std::string> devices = List();
    if (n >= 1 && n <= static_cast<int>(devices.size())) {
        std::snprintf(out, cap, "%s", devices[static_cast<size_t>(n - 1)].c_str());
        return true;
    }
    std::snprintf(out, cap, "COM%d", n);
    return false;
#endif
}
