#include "results/TotalsText.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QString totalSizeText(double bytes, const QLocale& locale) {
    static constexpr const char16_t* kUnits[] = {u"KB", u"MB", u"GB", u"TB"};
    double value = bytes / 1024.0;
    int unit = 0;
    // One decimal is shown, so the unit changes where the rounded value would reach 1,024.
    while (unit < 3 && value >= 1023.95) {
        value /= 1024.0;
        ++unit;
    }
    return locale.toString(value, 'f', 1) + u' ' + QString::fromUtf16(kUnits[unit]);
}

QString totalsText(qint64 rows, double bytes, qint64 checkedRows, double checkedBytes,
                   const QLocale& locale) {
    const QString files = rows == 1 ? u"1 file"_s : locale.toString(rows) + u" files"_s;
    return files + u", "_s + totalSizeText(bytes, locale) + u"; "_s + locale.toString(checkedRows) +
           u" checked, "_s + totalSizeText(checkedBytes, locale);
}

} // namespace zorvik
