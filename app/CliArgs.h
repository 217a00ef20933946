// Argument reading for kelmaron-cli: options of the form --name value,
// numbers read strictly (the whole text must be the number).
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A bad argument: the message is the one German line the tool prints
// before it exits with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Options {
public:
    // flags: options that take no value (e.g. "--json").
    Options(const std::vector<std::string>& args, const std::vector<std::string>& known,
            const std::vector<std::string>& flags);

    bool has(const std::string& name) const { return values_.count(name) != 0; }
    std::optional<std::string> text(const std::string& name) const;
    std::optional<double> number(const std::string& name) const;
    std::optional<int> integer(const std::string& name) const;

private:
    std::map<std::string, std::string> values_;
};

// Reads a decimal number (sign, digits, point, exponent); the whole text must
// be used and the value finite.
std::optional<double> ParseNumber(const std::string& text);
std::optional<long long> ParseInteger(const std::string& text);

}  // namespace cli
