// Running kelmaron-cli as a separate process for the tests: its exit
// status, stdout and stderr.
#pragma once

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace cli_run {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct RunResult {
    bool exited = false;  // false: killed by a signal or not started
    int status = -1;      // exit status when exited
    int signal = 0;
    std::string out, err;
};

inline std::string Describe(const Args& args) {
    std::string text = "kelmaron-cli";
    for (const std::string& a : args) text += " '" + a + "'";
    return text;
}

inline Args Cat(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the tool with exactly these arguments (each quoted for the shell),
// stdout and stderr into files, killed after 60 s.
inline RunResult RunCli(const Args& args) {
    const std::string base = (fs::temp_directory_path() / ("kelmaron-cli-test-" + std::to_string(getpid()))).string();
    std::string command = "timeout -s KILL 60";
    for (const std::string& a : Cat({KELMARON_CLI}, args)) {
        command += " '";
        for (char c : a) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "'";
    }
    const int wstatus = std::system((command + " </dev/null >" + base + ".out 2>" + base + ".err").c_str());
    RunResult result;
    result.out = ReadFile(base + ".out");
    result.err = ReadFile(base + ".err");
    fs::remove(base + ".out");
    fs::remove(base + ".err");
    // timeout passes the tool's status on, and 128 + n for a signal n.
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.exited = result.status >= 0 && result.status < 128;
    if (!result.exited) result.signal = result.status - 128;
    if (result.signal == SIGKILL) ADD_FAILURE() << Describe(args) << " did not finish within 60 s";
    return result;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t nl = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, nl - from));
        from = nl + 1;
    }
    return lines;
}

// Bad input: status 2, nothing on stdout, exactly one non-empty line on stderr.
inline void ExpectUsageError(const Args& args) {
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_TRUE(r.exited) << "signal " << r.signal;
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    const std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 1u) << r.err;
    EXPECT_FALSE(lines[0].empty());
    EXPECT_EQ(r.err.back(), '\n');
}

// Width and height from a PNG's header.
inline std::pair<int, int> PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return {be(16), be(20)};
}

}  // namespace cli_run
