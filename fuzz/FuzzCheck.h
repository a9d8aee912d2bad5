#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// A property that does not hold is a finding: print it and abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(cond, what)                                                                               \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "property failed: %s (%s)\n", what, #cond);                                 \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

// The input as UTF-16 code units (little-endian pairs), so that every code unit, NUL and unpaired
// surrogates included, can reach a parser that works on QString.
inline QString fuzzUtf16(const uint8_t* data, size_t size) {
    QString s;
    s.reserve(qsizetype(size / 2));
    for (size_t i = 0; i + 1 < size; i += 2)
        s += QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return s;
}
