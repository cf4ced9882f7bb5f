#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

// A property that does not hold ends the run, so that libFuzzer keeps the input that broke it.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}
