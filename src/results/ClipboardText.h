#pragma once

#include <QByteArray>

#include <functional>
#include <vector>

namespace zorvik {

class ResultList;
class RowSnapshot;

// The text that "Copy Results To Clipboard" places: one line per checked row, the path padded with
// spaces to the longest path of the whole list (checked or not), a tab, the size text, CR LF; trailing
// spaces of a line are dropped. Widths count UTF-16 code units of the shown texts. The text is UTF-8,
// half the memory of UTF-16 for the usual paths; a name that is not UTF-8 comes out as it is shown.
//
// Built a cell at a time, so that a command can give the event loop a turn between cells: first every
// row's cells are measured, column by column, then the checked rows' cells are written.
class ClipboardTextBuilder {
public:
    static constexpr int kColumns = 2; // "Results" and "Size"

    explicit ClipboardTextBuilder(const ResultList& list) : list_(list), widths_(kColumns, 0) {}

    void measure(int row, int column);
    // Once every row is measured: room for the lines to come.
    void reserve();
    void writeCell(int row, int column);
    void endLine();
    void dropLine();
    int lines() const { return lines_; }
    QByteArray take() { return std::move(text_); }

private:
    // The cell's shown text into `cell_`; returns its width.
    qsizetype readCell(int row, int column);

    const ResultList& list_;
    std::vector<qsizetype> widths_;
    qsizetype checked_ = 0;
    QByteArray text_;
    QByteArray line_;
    QByteArray cell_; // reused from cell to cell
    int lines_ = 0;
};

// The whole text for the rows of `rows`, in its order; rows that left the list meanwhile are left out.
// `yield` is called once per row and per cell, as a command gives the loop its turns. `checkedRows`,
// when given, receives how many lines there are.
QByteArray clipboardText(const ResultList& list, const RowSnapshot& rows, const std::function<void()>& yield,
                         int* checkedRows = nullptr);

} // namespace zorvik
