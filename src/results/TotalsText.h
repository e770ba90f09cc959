#pragma once

#include <QLocale>
#include <QString>

namespace zorvik {

// A total size in the largest unit of KB, MB, GB and TB (1,024-based) that keeps it at 1 or more,
// with one decimal and the locale's digits: "0.5 KB", "340.5 MB", "2.3 GB", "1,234.0 TB".
QString totalSizeText(double bytes, const QLocale& locale);

// The suffix of the result list's header: how many rows and their total size, and how many are
// checked and theirs: "399 files, 2.3 GB; 12 checked, 340.5 MB".
QString totalsText(qint64 rows, double bytes, qint64 checkedRows, double checkedBytes, const QLocale& locale);

} // namespace zorvik
