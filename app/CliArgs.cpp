// The options of kelmaron-cli and their numbers, read strictly.
#include "app/CliArgs.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "astronomy/Numbers.h"

namespace cli {

std::optional<double> ParseNumber(const std::string& text) { return astronomy::ParseNumberExactly(text); }

std::optional<long long> ParseInteger(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+' && text.size() > 1 && (b[1] == '-' || b[1] == '+')) return std::nullopt;
    if (*b == '+') ++b;
    long long v = 0;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return std::nullopt;
    return v;
}

Options::Options(const std::vector<std::string>& args, const std::vector<std::string>& known,
                 const std::vector<std::string>& flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool isFlag = std::find(flags.begin(), flags.end(), a) != flags.end();
        const bool isKnown = std::find(known.begin(), known.end(), a) != known.end();
        if (!isFlag && !isKnown) throw UsageError("Unbekannte Angabe: " + a);
        if (values_.count(a)) throw UsageError("Option doppelt angegeben: " + a);
        if (isFlag) {
            values_[a] = "";
            continue;
        }
        if (i + 1 >= args.size()) throw UsageError("Wert fehlt für " + a);
        values_[a] = args[++i];
    }
}

std::optional<std::string> Options::text(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::optional<double> Options::number(const std::string& name) const {
    auto t = text(name);
    if (!t) return std::nullopt;
    auto v = ParseNumber(*t);
    if (!v) throw UsageError("Ungültige Zahl für " + name + ": '" + *t + "'");
    return v;
}

std::optional<int> Options::integer(const std::string& name) const {
    auto t = text(name);
    if (!t) return std::nullopt;
    auto v = ParseInteger(*t);
    if (!v || *v < -1000000 || *v > 1000000) throw UsageError("Ungültige ganze Zahl für " + name + ": '" + *t + "'");
    return static_cast<int>(*v);
}

}  // namespace cli
