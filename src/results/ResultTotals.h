#pragma once

#include "results/ByteTotal.h"

#include <QLocale>
#include <QString>

namespace zorvik {

class RowStore;

// The check marks of a store's rows and the totals the result list's header shows: every row and its
// bytes, the checked ones and theirs. A mark changes only here, so no total ever misses one; totals
// follow each change and are never recounted.
class ResultTotals {
public:
    explicit ResultTotals(RowStore& store) : store_(store) {}

    void added(quint64 bytes) { bytes_.add(bytes); }
    // Before the store erases the row.
    void removing(quint32 row);
    // False when the row's mark already was `checked`.
    bool setChecked(quint32 row, bool checked);
    void setAllChecked(bool checked);
    void invertChecks();
    void clear();

    int checkedCount() const { return checkedCount_; }
    const ByteTotal& bytes() const { return bytes_; }
    const ByteTotal& checkedBytes() const { return checkedBytes_; }
    // "399 files, 2.3 GB; 12 checked, 340.5 MB" for `rows` rows.
    QString text(int rows, const QLocale& locale) const;

private:
    RowStore& store_;
    ByteTotal bytes_;
    ByteTotal checkedBytes_;
    int checkedCount_ = 0;
};

} // namespace zorvik
