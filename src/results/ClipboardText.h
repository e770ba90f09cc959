#pragma once

#include <QString>

#include <functional>

namespace zorvik {

class ResultList;
class RowSnapshot;

// The text that "Copy Results To Clipboard" places: one line per checked row, the path padded with
// spaces to the longest path of the whole list (checked or not), a tab, the size text, CR LF; trailing
// spaces of a line are dropped. Widths count UTF-16 code units of the shown texts. The rows are those
// of `rows`, in its order; rows that left the list meanwhile are left out. `yield` is called once per
// row and per cell, as the long loops allow. `checkedRows`, when given, receives how many lines there are.
QString clipboardText(const ResultList& list, const RowSnapshot& rows, const std::function<void()>& yield,
                      int* checkedRows = nullptr);

} // namespace zorvik
