#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A small JSON reader for palette files: strict RFC 8259 text, members kept in the file's
// order, bounded in nesting and in the number of values so that no input exhausts the stack
// or the memory.

namespace formats {

/// Deepest nesting of arrays and objects read.
constexpr int kMaxJsonDepth = 64;
/// Most values one text may hold.
constexpr size_t kMaxJsonValues = 500000;

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text; ///< a string's UTF-8
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;
    size_t line = 1; ///< where the value starts, from 1

    bool isObject() const { return type == Type::Object; }
    bool isString() const { return type == Type::String; }
    bool isNumber() const { return type == Type::Number; }
    /// The last member named key of an object, or null when there is none.
    const JsonValue* find(std::string_view key) const;
};

/// The value of a JSON text, or a message naming the line of the first fault.
struct JsonParse {
    std::optional<JsonValue> value;
    std::string error;
};

/// Reads a whole JSON text (an optional UTF-8 byte order mark before it); never throws.
JsonParse parseJson(std::string_view text);

} // namespace formats
