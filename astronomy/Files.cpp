#include "astronomy/Files.h"

#include <algorithm>
#include <filesystem>
#include <exception>
#include <fstream>

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
    // A read error (a file of the proc file system, a failing disk) is an
    // unreadable file like any other. The stream's own read turns it into
    // its bad state; iterating the buffer would let it escape as exception.
    try {
        std::ifstream in(p, std::ios::binary);
        if (!in) return false;
        std::string read;
        char chunk[65536];
        while (in.read(chunk, sizeof chunk), in.gcount() > 0) {
            read.append(chunk, static_cast<std::size_t>(in.gcount()));
            if (read.size() > limit) return false;
        }
        if (in.bad()) return false;
        bytes = std::move(read);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos) break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

}  // namespace astronomy
