#pragma once

#include <QString>

#include <functional>

namespace zorvik {

class ResultList;

// The text that "Copy Results To Clipboard" places: one line per checked row, the path padded with
// spaces to the longest path of the whole list (checked or not), a tab, the size text, CR LF; trailing
// spaces of a line are dropped. Widths count UTF-16 code units of the shown texts. `yield` is called
// once per row and per cell, as the long loops allow.
QString clipboardText(const ResultList& list, const std::function<void()>& yield);

} // namespace zorvik
