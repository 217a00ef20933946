#include "astronomy/Files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace astronomy {

namespace fs = std::filesystem;

std::string ResolvePathCaseInsensitive(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path given(slashed);
    std::error_code ec;
    if (fs::exists(given, ec)) return slashed;

    const auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    fs::path current = given.root_path();
    bool searching = true;  // until a component cannot be found
    for (const fs::path& part : given.relative_path()) {
        if (part.empty()) continue;
        fs::path next = current / part;
        if (searching && !fs::exists(next, ec) && part != "." && part != "..") {
            const std::string wanted = lower(part.string());
            std::string best;
            const fs::path dir = current.empty() ? fs::path(".") : current;
            for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string candidate = it->path().filename().string();
                if (lower(candidate) == wanted && (best.empty() || candidate < best)) best = candidate;
            }
            if (best.empty())
                searching = false;
            else
                next = current / best;
        }
        current = next;
    }
    return current.string();
}

bool ReadSmallFile(const std::string& path, std::string& bytes, std::size_t limit) {
    std::error_code ec;
    const fs::path p(path);
    if (!fs::is_regular_file(p, ec)) return false;
    const auto size = fs::file_size(p, ec);
    if (ec || size > limit) return false;
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    std::string read;
    read.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad() || read.size() > limit) return false;
    bytes = std::move(read);
    return true;
}

}  // namespace astronomy
