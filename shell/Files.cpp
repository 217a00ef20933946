// The files the program needs at start, the first-start copy of the bundled
// data, and the command line.
#include <algorithm>
#include <filesystem>

#include "astronomy/OrbitElements.h"
#include "shell/StartUp.h"

namespace shell {

namespace fs = std::filesystem;

namespace {
bool Exists(const std::string& folder, const std::string& relative) {
    std::error_code ec;
    return fs::is_regular_file(astronomy::ResolvePathCaseInsensitive(folder + "/" + relative), ec);
}
}  // namespace

std::string CheckRequiredFiles(const std::string& programFolder, const std::string& dataFolder) {
    struct Required {
        const std::string* folder;
        const char* file;
        const char* report;
    };
    const Required files[] = {{&programFolder, "kelmar.hlp", "Kelmar.hlp"},
                              {&programFolder, "messier.kat", "Messier.kat"},
                              {&dataFolder, "objekte/pluto.kpl", "Objekte\\Pluto.kpl"},
                              {&dataFolder, "sterne1.var", "Sterne1.var"},
                              {&dataFolder, "sterne2.var", "Sterne2.var"}};
    std::string missing;
    for (const Required& r : files)
        if (!Exists(*r.folder, r.file)) missing += std::string(r.report) + " ";
    return missing;
}

void InstallDefaultData(const std::string& programFolder, const std::string& dataFolder) {
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    for (const char* name : {"sterne1.var", "sterne2.var"})
        if (!Exists(dataFolder, name) && Exists(programFolder, name))
            fs::copy_file(fs::path(programFolder) / name, fs::path(dataFolder) / name, ec);
    const fs::path objects = astronomy::ResolvePathCaseInsensitive(dataFolder + "/Objekte");
    if (!fs::is_directory(objects, ec) && fs::is_directory(fs::path(programFolder) / "Objekte", ec))
        fs::copy(fs::path(programFolder) / "Objekte", fs::path(dataFolder) / "Objekte", fs::copy_options::recursive, ec);
}

std::vector<std::string> SplitCommandLine(const std::string& programPath, const std::string& rest) {
    std::vector<std::string> args;
    std::string self = programPath;
    if (!self.empty() && self.front() == '"') self.erase(0, 1);
    if (!self.empty() && self.back() == '"') self.pop_back();
    args.push_back(self);

    const std::size_t b = rest.find_first_not_of(' ');
    std::string text = b == std::string::npos ? "" : rest.substr(b, rest.find_last_not_of(' ') - b + 1);
    text += ' ';
    while (args.size() < 50 && !text.empty()) {
        std::string arg;
        if (text.front() == '"') {
            const std::size_t close = text.find('"', 1);
            if (close == std::string::npos) break;  // no closing quote: the rest is dropped
            arg = text.substr(1, close - 1);
            text.erase(0, std::min(text.size(), close + 2));  // the quote and one character after it
        } else {
            const std::size_t blank = text.find(' ');
            if (blank == std::string::npos) break;
            arg = text.substr(0, blank);
            text.erase(0, blank + 1);
        }
        if (!arg.empty()) args.push_back(arg);
    }
    return args;
}

}  // namespace shell
