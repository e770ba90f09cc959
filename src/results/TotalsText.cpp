#include "results/TotalsText.h"

#include <QCoreApplication>

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
    // Numbers are written in the list's locale, with its digit grouping; the count picks the word.
    const QString files = rows == 1
                              ? QCoreApplication::translate("TotalsText", "1 file")
                              : QCoreApplication::translate("TotalsText", "%1 files", nullptr, int(rows))
                                    .arg(locale.toString(rows));
    const QString checked = QCoreApplication::translate("TotalsText", "%1 checked", nullptr, int(checkedRows))
                                .arg(locale.toString(checkedRows));
    return files + u", "_s + totalSizeText(bytes, locale) + u"; "_s + checked + u", "_s +
           totalSizeText(checkedBytes, locale);
}

} // namespace zorvik
