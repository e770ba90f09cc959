#include "criteria/SizeDisplayText.h"

#include <cstring>

namespace zorvik {

namespace {

// bytes / 2^shift * scale, rounded half away from zero, without overflow for any 64-bit size.
quint64 scaledRounded(quint64 bytes, int shift, quint64 scale) {
    const quint64 unit = quint64(1) << shift;
    const quint64 whole = bytes >> shift;
    const quint64 rest = bytes & (unit - 1);
    return whole * scale + (rest * scale + unit / 2) / unit;
}

void put(SizeTextWriter::Buffer& out, QByteArrayView bytes) {
    std::memcpy(out.data + out.size, bytes.data(), std::size_t(bytes.size()));
    out.size += bytes.size();
}

void putDigits(SizeTextWriter::Buffer& out, quint64 value) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        out.data[out.size++] = digits[--n];
}

// "#,###": no digit at all for zero, otherwise groups of three from the right.
void putGrouped(SizeTextWriter::Buffer& out, quint64 whole, QByteArrayView separator) {
    if (whole == 0)
        return;
    SizeTextWriter::Buffer digits;
    putDigits(digits, whole);
    const qsizetype first = digits.size % 3 == 0 ? 3 : digits.size % 3;
    put(out, QByteArrayView(digits.data, first));
    for (qsizetype i = first; i < digits.size; i += 3) {
        put(out, separator);
        put(out, QByteArrayView(digits.data + i, 3));
    }
}

QByteArray firstCharacter(const QString& text) {
    // A locale's separator is one character, but may lie outside Latin-1 (a narrow no-break space).
    return text.left(text.size() > 1 && text.at(0).isHighSurrogate() ? 2 : 1).toUtf8();
}

} // namespace

SizeTextWriter::SizeTextWriter(const QLocale& locale)
    : groupSeparator_(firstCharacter(locale.groupSeparator())),
      decimalPoint_(firstCharacter(locale.decimalPoint())) {}

QByteArrayView SizeTextWriter::utf8(quint64 bytes, SizeUnit unit, Buffer& out) const {
    out.size = 0;
    switch (unit) {
    case SizeUnit::Bytes:
        putDigits(out, bytes);
        put(out, " Bytes");
        break;
    case SizeUnit::KB:
        putGrouped(out, scaledRounded(bytes, 10, 1), groupSeparator_);
        put(out, " KB");
        break;
    case SizeUnit::MB:
    case SizeUnit::GB: {
        const quint64 hundredths = scaledRounded(bytes, unit == SizeUnit::MB ? 20 : 30, 100);
        putGrouped(out, hundredths / 100, groupSeparator_);
        put(out, decimalPoint_);
        const int decimals = int(hundredths % 100);
        if (decimals != 0) {
            out.data[out.size++] = char('0' + decimals / 10);
            if (decimals % 10 != 0)
                out.data[out.size++] = char('0' + decimals % 10);
        }
        put(out, unit == SizeUnit::MB ? " MB" : " GB");
        break;
    }
    }
    return QByteArrayView(out.data, out.size);
}

QString SizeTextWriter::text(quint64 bytes, SizeUnit unit) const {
    Buffer buffer;
    return QString::fromUtf8(utf8(bytes, unit, buffer));
}

QString SizeDisplayText(quint64 bytes, SizeUnit unit, const QLocale& locale) {
    return SizeTextWriter(locale).text(bytes, unit);
}

} // namespace zorvik
