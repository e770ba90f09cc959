#include "results/ClipboardText.h"

#include "results/ResultList.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QString cell(const ResultList& list, int row, int column) {
    return column == 0 ? list.text(row) : list.sizeText(row);
}

} // namespace

QString clipboardText(const ResultList& list, const std::function<void()>& yield) {
    constexpr int kColumns = 2; // "Results" and "Size"
    std::vector<qsizetype> widths;
    qsizetype checkedRows = 0;
    for (int c = 0; c < kColumns; ++c) {
        qsizetype width = 0;
        const int count = list.count();
        for (int j = 1; j <= count && j <= list.count(); ++j) {
            yield();
            if (j > list.count())
                break;
            width = std::max(width, cell(list, j, c).size());
            if (c == 0 && list.checked(j))
                ++checkedRows;
        }
        widths.push_back(width);
    }
    // Every line but the last column is padded to its width: reserving that much spares a million-row
    // copy the doubling of a growing string.
    QString text;
    text.reserve(checkedRows * (widths[0] + widths[1] + 3));
    const int count = list.count();
    for (int i = 1; i <= count; ++i) {
        yield();
        // Rows cleared during a yield shorten the list: the copy ends with it.
        if (i > list.count())
            break;
        if (!list.checked(i))
            continue;
        QString line;
        for (int c = 0; c < kColumns; ++c) {
            yield();
            // A row cleared between its cells is left out whole, not copied without its size.
            if (i > list.count())
                return text;
            const QString value = cell(list, i, c);
            line += value;
            if (widths[std::size_t(c)] >= value.size())
                line += QString(widths[std::size_t(c)] - value.size(), u' ');
            line += u'\t';
        }
        line.chop(1);
        while (line.endsWith(u' '))
            line.chop(1);
        text += line + u"\r\n"_s;
    }
    return text;
}

} // namespace zorvik
