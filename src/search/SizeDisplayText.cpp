#include "search/SizeDisplayText.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// bytes / 2^shift * scale, rounded half away from zero, without overflow for any 64-bit size.
quint64 scaledRounded(quint64 bytes, int shift, quint64 scale) {
    const quint64 unit = quint64(1) << shift;
    const quint64 whole = bytes >> shift;
    const quint64 rest = bytes & (unit - 1);
    return whole * scale + (rest * scale + unit / 2) / unit;
}

} // namespace

SizeTextWriter::SizeTextWriter(const QLocale& locale)
    : groupSeparator_(locale.groupSeparator()), decimalPoint_(locale.decimalPoint()) {}

void SizeTextWriter::appendGrouped(QString& out, quint64 whole) const {
    if (whole == 0)
        return; // "#,###" writes no digit for zero
    const QString digits = QString::number(whole);
    const qsizetype first = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    out += QStringView(digits).left(first);
    for (qsizetype i = first; i < digits.size(); i += 3) {
        out += groupSeparator_;
        out += QStringView(digits).mid(i, 3);
    }
}

QString SizeTextWriter::text(quint64 bytes, SizeUnit unit) const {
    QString out;
    switch (unit) {
    case SizeUnit::Bytes:
        return QString::number(bytes) + u" Bytes"_s;
    case SizeUnit::KB:
        appendGrouped(out, scaledRounded(bytes, 10, 1));
        return out + u" KB"_s;
    case SizeUnit::MB:
    case SizeUnit::GB: {
        const quint64 hundredths = scaledRounded(bytes, unit == SizeUnit::MB ? 20 : 30, 100);
        appendGrouped(out, hundredths / 100);
        out += decimalPoint_;
        const int decimals = int(hundredths % 100);
        if (decimals % 10 != 0)
            out += QString::number(decimals).rightJustified(2, u'0');
        else if (decimals != 0)
            out += QString::number(decimals / 10);
        return out + (unit == SizeUnit::MB ? u" MB"_s : u" GB"_s);
    }
    }
    return out;
}

QString SizeDisplayText(quint64 bytes, SizeUnit unit, const QLocale& locale) {
    return SizeTextWriter(locale).text(bytes, unit);
}

} // namespace zorvik
