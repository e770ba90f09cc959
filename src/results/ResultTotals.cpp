#include "results/ResultTotals.h"

#include "results/RowStore.h"
#include "results/TotalsText.h"

namespace zorvik {

void ResultTotals::removing(quint32 row) {
    const quint64 bytes = store_.bytes(row);
    bytes_.subtract(bytes);
    if (store_.checked(row)) {
        --checkedCount_;
        checkedBytes_.subtract(bytes);
    }
}

bool ResultTotals::setChecked(quint32 row, bool checked) {
    // A row that went is no longer counted, though a removal may still show it for a few turns.
    if (store_.checked(row) == checked || store_.isBuried(row))
        return false;
    store_.setChecked(row, checked);
    checkedCount_ += checked ? 1 : -1;
    checked ? checkedBytes_.add(store_.bytes(row)) : checkedBytes_.subtract(store_.bytes(row));
    return true;
}

void ResultTotals::setAllChecked(bool checked) {
    for (std::size_t row = 0; row < store_.size(); ++row)
        store_.setChecked(row, checked && !store_.isBuried(row));
    checkedCount_ = checked ? int(store_.size() - store_.buriedCount()) : 0;
    checkedBytes_ = checked ? bytes_ : ByteTotal();
}

void ResultTotals::invertChecks() {
    checkedCount_ = 0;
    checkedBytes_ = ByteTotal();
    for (std::size_t row = 0; row < store_.size(); ++row) {
        const bool checked = !store_.checked(row) && !store_.isBuried(row);
        store_.setChecked(row, checked);
        if (checked) {
            ++checkedCount_;
            checkedBytes_.add(store_.bytes(row));
        }
    }
}

void ResultTotals::clear() {
    bytes_ = ByteTotal();
    checkedBytes_ = ByteTotal();
    checkedCount_ = 0;
}

QString ResultTotals::text(int rows, const QLocale& locale) const {
    return totalsText(rows, bytes_.approximate(), checkedCount_, checkedBytes_.approximate(), locale);
}

} // namespace zorvik
