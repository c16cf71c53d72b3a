#pragma once

#include "platform/DataFolder.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace kotohana::fuzz {

// A data folder of the fuzzer's own, made on first use and kept for the whole run.
const DataFolder &folder();

// Writes the input as the named file of that folder and gives back its path.
QString writeFile(const QString &fileName, QByteArrayView bytes);

// Ends the run as a crash, naming the property that did not hold.
[[noreturn]] void fail(const char *what);

inline QByteArrayView bytesOf(const std::uint8_t *data, std::size_t size)
{
    return {reinterpret_cast<const char *>(data), qsizetype(size)};
}

} // namespace kotohana::fuzz
