#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

/// Splits a fuzz input into texts at each line feed, so one input fills several fields.
inline std::vector<QString> fuzzFields(const uint8_t* data, size_t size, size_t count) {
    std::vector<QString> fields(count);
    size_t field = 0;
    size_t start = 0;
    for (size_t i = 0; i <= size && field < count; ++i) {
        if (i == size || data[i] == '\n') {
            fields[field++] = QString::fromUtf8(reinterpret_cast<const char*>(data + start),
                                                static_cast<qsizetype>(i - start));
            start = i + 1;
        }
    }
    return fields;
}
