#pragma once

#include "criteria/SizeTypes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>

namespace zorvik {

// Writes the size texts of result rows in one locale. Bytes are plain digits ("1536 Bytes"); KB are
// whole and grouped ("1,536 KB", " KB" for sizes under half a KB); MB and GB keep up to two decimals
// and always the decimal symbol ("1. MB", ".25 GB", "1,234.57 MB"). Rounding is half away from zero,
// done on the exact byte count.
class SizeTextWriter {
public:
    // Room for the longest text: 20 digits, 6 group separators and a decimal symbol of up to 8 bytes
    // each, two decimals and the unit.
    struct Buffer {
        char data[128];
        qsizetype size = 0;
    };

    explicit SizeTextWriter(const QLocale& locale);
    QString text(quint64 bytes, SizeUnit unit) const;
    // The same text in UTF-8, written into `buffer` without allocating: a search may write a million.
    QByteArrayView utf8(quint64 bytes, SizeUnit unit, Buffer& buffer) const;
    // Whether both write the same texts.
    bool operator==(const SizeTextWriter&) const = default;

private:
    QByteArray groupSeparator_; // UTF-8
    QByteArray decimalPoint_;   // UTF-8
};

QString SizeDisplayText(quint64 bytes, SizeUnit unit, const QLocale& locale);

} // namespace zorvik
