#include "results/ClipboardText.h"

#include "results/ResultList.h"
#include "results/RowSnapshot.h"

namespace zorvik {

namespace {

// UTF-16 code units of valid UTF-8: one for each sequence, two for one of four bytes.
qsizetype utf16Length(QByteArrayView utf8) {
    qsizetype units = 0;
    for (const char c : utf8) {
        const auto byte = uchar(c);
        units += (byte & 0xC0) != 0x80 ? 1 : 0;
        units += byte >= 0xF0 ? 1 : 0;
    }
    return units;
}

// The shown text, encoded back to UTF-8; `shown.size()` is its width.
qsizetype utf8Of(const QString& shown, QByteArray& out) {
    out = shown.toUtf8();
    return shown.size();
}

} // namespace

qsizetype ClipboardTextBuilder::readCell(int row, int column) {
    if (column != 0)
        return utf8Of(list_.sizeText(row), cell_);
    list_.pathBytesInto(row, cell_);
    // Valid UTF-8 is shown as it is, so its bytes are the text; anything else (and a leading byte order
    // mark, which the decoding drops) is copied as the list shows it, with replacement characters.
    if (cell_.isValidUtf8() && !cell_.startsWith("\xEF\xBB\xBF"))
        return utf16Length(cell_);
    return utf8Of(list_.text(row), cell_);
}

void ClipboardTextBuilder::measure(int row, int column) {
    auto& width = widths_[std::size_t(column)];
    width = std::max(width, readCell(row, column));
    if (column == 0 && list_.checked(row))
        ++checked_;
}

void ClipboardTextBuilder::reserve() {
    // Every line but the last column is padded to its width: reserving that much (enough for ASCII)
    // spares a million-row copy the doubling of a growing array.
    text_.reserve(checked_ * (widths_[0] + widths_[1] + 3));
}

void ClipboardTextBuilder::writeCell(int row, int column) {
    const qsizetype width = readCell(row, column);
    line_ += cell_;
    const qsizetype padded = widths_[std::size_t(column)];
    if (padded >= width)
        line_.append(padded - width, ' ');
    line_ += '\t';
}

void ClipboardTextBuilder::dropLine() {
    line_.clear();
}

void ClipboardTextBuilder::endLine() {
    line_.chop(1);
    while (line_.endsWith(' '))
        line_.chop(1);
    text_ += line_;
    text_ += "\r\n";
    line_.clear();
    ++lines_;
}

QByteArray clipboardText(const ResultList& list, const RowSnapshot& rows, const std::function<void()>& yield,
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
