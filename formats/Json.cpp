#include "Json.h"

#include "core/Text.h"

#include <charconv>
#include <tuple>

namespace formats {

const JsonValue* JsonValue::find(std::string_view key) const {
    for (auto it = members.rbegin(); it != members.rend(); ++it) {
        if (it->first == key)
            return &it->second;
    }
    return nullptr;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    JsonParse parse() {
        JsonValue value;
        skipSpace();
        if (!parseValue(value, 0))
            return {std::nullopt, m_error};
        skipSpace();
        if (m_at < m_text.size()) {
            fail("text follows the JSON value");
            return {std::nullopt, m_error};
        }
        return {std::move(value), {}};
    }

private:
    bool fail(const std::string& what) {
        if (m_error.empty())
            m_error = "line " + std::to_string(m_line) + ": " + what;
        return false;
    }
    bool atEnd() const { return m_at >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_at]; }

    void skipSpace() {
        while (!atEnd()) {
            const char c = m_text[m_at];
            if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++m_at;
        }
    }

    bool expect(char c, const char* what) {
        skipSpace();
        if (peek() != c)
            return fail(std::string("expected ") + what);
        ++m_at;
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        if (++m_values > kMaxJsonValues)
            return fail("it holds more than " + std::to_string(kMaxJsonValues) + " values");
        skipSpace();
        value.line = m_line;
        const char c = peek();
        if (c == '{' || c == '[') {
            if (depth >= kMaxJsonDepth)
                return fail("it nests deeper than " + std::to_string(kMaxJsonDepth) + " levels");
            return c == '{' ? parseObject(value, depth) : parseArray(value, depth);
        }
        if (c == '"') {
            value.type = JsonValue::Type::String;
            return parseString(value.text);
        }
        if (c == '-' || (c >= '0' && c <= '9'))
            return parseNumber(value);
        for (const auto& [word, type, truth] :
             {std::tuple{std::string_view("true"), JsonValue::Type::Bool, true},
              std::tuple{std::string_view("false"), JsonValue::Type::Bool, false},
              std::tuple{std::string_view("null"), JsonValue::Type::Null, false}}) {
            if (m_text.substr(m_at, word.size()) == word) {
                m_at += word.size();
                value.type = type;
                value.boolean = truth;
                return true;
            }
        }
        return fail(atEnd() ? "the text ends where a value belongs" : "expected a value");
    }

    bool parseObject(JsonValue& value, int depth) {
        value.type = JsonValue::Type::Object;
        ++m_at;
        skipSpace();
        if (peek() == '}') {
            ++m_at;
            return true;
        }
        while (true) {
            skipSpace();
            if (peek() != '"')
                return fail("expected a member's name in double quotes");
            std::string key;
            if (!parseString(key) || !expect(':', "':' after a member's name"))
                return false;
            JsonValue member;
            if (!parseValue(member, depth + 1))
                return false;
            value.members.emplace_back(std::move(key), std::move(member));
            skipSpace();
            if (peek() == ',') {
                ++m_at;
                continue;
            }
            return expect('}', "',' or '}' after a member");
        }
    }

    bool parseArray(JsonValue& value, int depth) {
        value.type = JsonValue::Type::Array;
        ++m_at;
        skipSpace();
        if (peek() == ']') {
            ++m_at;
            return true;
        }
        while (true) {
            JsonValue item;
            if (!parseValue(item, depth + 1))
                return false;
            value.items.push_back(std::move(item));
            skipSpace();
            if (peek() == ',') {
                ++m_at;
                continue;
            }
            return expect(']', "',' or ']' after an item");
        }
    }

    std::optional<char32_t> hexUnit() {
        if (m_text.size() - m_at < 4)
            return std::nullopt;
        char32_t unit = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = m_text[m_at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return std::nullopt;
            unit = unit << 4 | static_cast<char32_t>(digit);
        }
        return unit;
    }

    bool parseString(std::string& out) {
        ++m_at; // the opening quote
        while (true) {
            if (atEnd())
                return fail("a string is not closed");
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("a string holds a control character");
            if (c != '\\') {
                // the plain run up to the next quote, escape or control character at once
                size_t end = m_at;
                while (end < m_text.size() && m_text[end] != '"' && m_text[end] != '\\' &&
                       static_cast<unsigned char>(m_text[end]) >= 0x20)
                    ++end;
                out.append(m_text.data() + m_at - 1, end - m_at + 1);
                m_at = end;
                continue;
            }
            const char escape = peek();
            ++m_at;
            switch (escape) {
            case '"':
            case '\\':
            case '/':
                out += escape;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::optional<char32_t> unit = hexUnit();
                if (!unit)
                    return fail("\\u takes four hex digits");
                char32_t code = *unit;
                if (core::isHighSurrogate(code) && m_text.substr(m_at, 2) == "\\u") {
                    const size_t back = m_at;
                    m_at += 2;
                    const std::optional<char32_t> low = hexUnit();
                    if (low && core::isLowSurrogate(*low))
                        code = core::joinSurrogates(code, *low);
                    else
                        m_at = back;
                }
                core::appendUtf8(out, core::isSurrogate(code) ? 0xFFFD : code);
                break;
            }
            default:
                return fail("a string holds an unknown escape");
            }
        }
    }

    bool parseNumber(JsonValue& value) {
        const size_t start = m_at;
        const auto digits = [this] {
            const size_t from = m_at;
            while (!atEnd() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
                ++m_at;
            return m_at - from;
        };
        if (peek() == '-')
            ++m_at;
        const size_t whole = m_at;
        if (digits() == 0 || (m_text[whole] == '0' && m_at - whole > 1))
            return fail("a number is not written as JSON writes numbers");
        if (peek() == '.') {
            ++m_at;
            if (digits() == 0)
                return fail("a number's point has no digits after it");
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_at;
            if (peek() == '+' || peek() == '-')
                ++m_at;
            if (digits() == 0)
                return fail("a number's exponent has no digits");
        }
        double number = 0;
        const char* begin = m_text.data() + start;
        const auto result = std::from_chars(begin, m_text.data() + m_at, number);
        if (result.ec != std::errc())
            return fail("a number is beyond what a double holds");
        value.type = JsonValue::Type::Number;
        value.number = number;
        return true;
    }

    std::string_view m_text;
    size_t m_at = 0;
    size_t m_line = 1;
    size_t m_values = 0;
    std::string m_error;
};

} // namespace

JsonParse parseJson(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());
    return Parser(text).parse();
}

} // namespace formats
