#pragma once

#include "criteria/SizeTypes.h"

#include <QLocale>
#include <QString>

namespace zorvik {

// Writes the size texts of result rows in one locale. Bytes are plain digits ("1536 Bytes"); KB are
// whole and grouped ("1,536 KB", " KB" for sizes under half a KB); MB and GB keep up to two decimals
// and always the decimal symbol ("1. MB", ".25 GB", "1,234.57 MB"). Rounding is half away from zero,
// done on the exact byte count.
class SizeTextWriter {
public:
    explicit SizeTextWriter(const QLocale& locale);
    QString text(quint64 bytes, SizeUnit unit) const;

private:
    void appendGrouped(QString& out, quint64 whole) const;
    QString groupSeparator_;
    QString decimalPoint_;
};

QString SizeDisplayText(quint64 bytes, SizeUnit unit, const QLocale& locale);

} // namespace zorvik
