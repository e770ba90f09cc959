#include "results/ClipboardText.h"

#include "results/ResultList.h"
#include "results/RowSnapshot.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QString cell(const ResultList& list, int row, int column) {
    return column == 0 ? list.text(row) : list.sizeText(row);
}

} // namespace

QString clipboardText(const ResultList& list, const RowSnapshot& rows, const std::function<void()>& yield,
                      int* checkedRows) {
    constexpr int kColumns = 2; // "Results" and "Size"
    std::vector<qsizetype> widths;
    qsizetype checkedSoFar = 0;
    for (int c = 0; c < kColumns; ++c) {
        qsizetype width = 0;
        for (int i = 0; i < rows.size(); ++i) {
            yield();
            if (const std::optional<int> row = rows.position(i)) {
                width = std::max(width, cell(list, *row, c).size());
                if (c == 0 && list.checked(*row))
                    ++checkedSoFar;
            }
        }
        widths.push_back(width);
    }
    // Every line but the last column is padded to its width: reserving that much spares a million-row
    // copy the doubling of a growing string.
    QString text;
    text.reserve(checkedSoFar * (widths[0] + widths[1] + 3));
    int lines = 0;
    for (int i = 0; i < rows.size(); ++i) {
        yield();
        std::optional<int> row = rows.position(i);
        if (!row || !list.checked(*row))
            continue;
        QString line;
        for (int c = 0; c < kColumns; ++c) {
            yield();
            // A row that left the list between its cells is left out whole, not copied without its size.
            row = rows.position(i);
            if (!row)
                break;
            const QString value = cell(list, *row, c);
            line += value;
            if (widths[std::size_t(c)] >= value.size())
                line += QString(widths[std::size_t(c)] - value.size(), u' ');
            line += u'\t';
        }
        if (!row)
            continue;
        line.chop(1);
        while (line.endsWith(u' '))
            line.chop(1);
        text += line + u"\r\n"_s;
        ++lines;
    }
    if (checkedRows)
        *checkedRows = lines;
    return text;
}

} // namespace zorvik
