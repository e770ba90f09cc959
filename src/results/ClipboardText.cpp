#include "results/ClipboardText.h"

#include "results/ResultList.h"
#include "results/RowSnapshot.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QString cell(const ResultList& list, int row, int column) {
    return column == 0 ? list.text(row) : list.sizeText(row);
}

} // namespace

void ClipboardTextBuilder::measure(int row, int column) {
    auto& width = widths_[std::size_t(column)];
    width = std::max(width, cell(list_, row, column).size());
    if (column == 0 && list_.checked(row))
        ++checked_;
}

void ClipboardTextBuilder::reserve() {
    // Every line but the last column is padded to its width: reserving that much spares a million-row
    // copy the doubling of a growing string.
    text_.reserve(checked_ * (widths_[0] + widths_[1] + 3));
}

void ClipboardTextBuilder::writeCell(int row, int column) {
    const QString value = cell(list_, row, column);
    line_ += value;
    const qsizetype width = widths_[std::size_t(column)];
    if (width >= value.size())
        line_ += QString(width - value.size(), u' ');
    line_ += u'\t';
}

void ClipboardTextBuilder::dropLine() {
    line_.clear();
}

void ClipboardTextBuilder::endLine() {
    line_.chop(1);
    while (line_.endsWith(u' '))
        line_.chop(1);
    text_ += line_ + u"\r\n"_s;
    line_.clear();
    ++lines_;
}

QString clipboardText(const ResultList& list, const RowSnapshot& rows, const std::function<void()>& yield,
                      int* checkedRows) {
    ClipboardTextBuilder text(list);
    for (int c = 0; c < ClipboardTextBuilder::kColumns; ++c)
        for (int i = 0; i < rows.size(); ++i) {
            yield();
            if (const std::optional<int> row = rows.position(i))
                text.measure(*row, c);
        }
    text.reserve();
    for (int i = 0; i < rows.size(); ++i) {
        yield();
        std::optional<int> row = rows.position(i);
        if (!row || !list.checked(*row))
            continue;
        for (int c = 0; c < ClipboardTextBuilder::kColumns && row; ++c) {
            yield();
            // A row that left the list between its cells is left out whole, not copied without its size.
            if ((row = rows.position(i)))
                text.writeCell(*row, c);
        }
        if (row)
            text.endLine();
        else
            text.dropLine();
    }
    if (checkedRows)
        *checkedRows = text.lines();
    return text.take();
}

} // namespace zorvik
