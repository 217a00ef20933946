// A strict reader for the JSON lines of kelmaron-cli: one flat object a
// line whose values are numbers, strings, true or false, null or an array of
// numbers and null; keys in order. Numbers must be written as %.17g writes them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace json_line {

struct Value {
    enum Kind { Number, String, Null, Array, Boolean } kind = Null;
    std::string text;  // the string, or the number exactly as printed
    double number = 0;
    bool truth = false;
    std::vector<std::optional<double>> items;
};
using Object = std::vector<std::pair<std::string, Value>>;

class LineReader {
public:
    explicit LineReader(const std::string& text) : t_(text) {}
    std::optional<Object> Read() {
        Object object;
        if (!Take('{')) return std::nullopt;
        do {
            std::string key;
            Value v;
            if (!String(key) || !Take(':') || !Any(v)) return std::nullopt;
            object.emplace_back(std::move(key), std::move(v));
        } while (Take(','));
        if (!Take('}') || p_ != t_.size()) return std::nullopt;
        return object;
    }

private:
    char Peek() {
        while (p_ < t_.size() && t_[p_] == ' ') ++p_;
        return p_ < t_.size() ? t_[p_] : '\0';
    }
    bool Take(char c) { return Peek() == c && ++p_; }
    bool Match(const char* pattern, std::string& text) {
        std::smatch m;
        Peek();
        if (!std::regex_search(t_.cbegin() + static_cast<std::ptrdiff_t>(p_), t_.cend(), m, std::regex(pattern),
                               std::regex_constants::match_continuous))
            return false;
        text = m.str();
        p_ += text.size();
        return true;
    }
    bool String(std::string& out) {
        if (!Match(R"("[^"\\\x00-\x1f]*")", out)) return false;  // the tool writes no escapes here
        out = out.substr(1, out.size() - 2);
        return true;
    }
    // A number, also checked to be printed with %.17g, so that it reads
    // back to the same double.
    bool Number(Value& v) {
        if (!Match(R"(-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?)", v.text)) return false;
        v.kind = Value::Number;
        v.number = std::strtod(v.text.c_str(), nullptr);
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", v.number);
        EXPECT_EQ(v.text, buf);
        EXPECT_TRUE(std::isfinite(v.number)) << v.text;
        return true;
    }
    bool NumberOrNull(Value& v) {
        std::string null;
        if (Match("null", null)) return true;  // v stays Null
        return Number(v);
    }
    bool Any(Value& v) {
        std::string word;
        if (Match("true|false", word)) {
            v.kind = Value::Boolean;
            v.truth = word == "true";
            return true;
        }
        if (Peek() == '"') {
            v.kind = Value::String;
            return String(v.text);
        }
        if (!Take('[')) return NumberOrNull(v);
        v.kind = Value::Array;
        do {
            Value item;
            if (!NumberOrNull(item)) return false;
            v.items.push_back(item.kind == Value::Number ? std::optional(item.number) : std::nullopt);
        } while (Take(','));
        return Take(']');
    }

    const std::string& t_;
    std::size_t p_ = 0;
};

inline const Value& Get(const Object& o, const std::string& key) {
    for (const auto& [k, v] : o)
        if (k == key) return v;
    static const Value kMissing;
    ADD_FAILURE() << "no " << key;
    return kMissing;
}
inline double Num(const Object& o, const std::string& key) { return Get(o, key).number; }

}  // namespace json_line
