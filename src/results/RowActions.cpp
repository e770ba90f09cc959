#include "results/RowActions.h"

#include "core/CommandHost.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

void RowActions::setChecked(const std::vector<int>& positions, bool checked) {
    results_.setCheckedPositions(positions, checked);
}

void RowActions::toggleChecked(const std::vector<int>& positions) {
    const bool allChecked = std::all_of(positions.begin(), positions.end(),
                                        [this](int position) { return results_.checked(position); });
    results_.setCheckedPositions(positions, !allChecked);
}

void RowActions::open(int position) {
    const QByteArray path = results_.pathBytes(position);
    if (const std::optional<QString> reason = desktop_.openFile(path))
        tell(tr("%1 could not be opened:"), path, *reason);
}

void RowActions::showInFolder(int position) {
    const QByteArray path = results_.pathBytes(position);
    // The answer may come once the window is gone; then nobody is told.
    desktop_.showInFolder(path, [this, alive = std::weak_ptr<int>(alive_), path](const QString& reason) {
        if (alive.lock())
            tell(tr("%1 could not be shown in its folder:"), path, reason);
    });
}

void RowActions::copyPath(int position) {
    const QString path = results_.text(position);
    ClearClipboardRetry(clipboard_);
    if (!SetClipboardTextRetry(clipboard_, path))
        dialogs_.notice(host_.applicationTitle(), clipboardRefusal());
}

void RowActions::tell(const QString& what, const QByteArray& path, const QString& reason) {
    dialogs_.notice(host_.applicationTitle(), what.arg(QFile::decodeName(path)) + u"\n"_s + reason);
}

ResultList::SortState RowActions::orderForHeaderClick(const std::optional<ResultList::SortState>& current,
                                                      ResultList::SortKey clicked) {
    if (current && current->key == clicked)
        return {clicked, current->order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder};
    return {clicked, clicked == ResultList::SortKey::Size ? Qt::DescendingOrder : Qt::AscendingOrder};
}

} // namespace zorvik
