#pragma once

#include <QCoreApplication>

#include "results/ResultList.h"

#include <memory>
#include <optional>
#include <vector>

namespace zorvik {

class Clipboard;
class CommandHost;
class Desktop;
class Dialogs;

// What the result list's context menu and keys do with rows: check boxes of many rows at once, and a
// found file opened, shown in its folder, or its path copied. Rows are 1-based positions.
class RowActions {
    Q_DECLARE_TR_FUNCTIONS(RowActions)

public:
    RowActions(CommandHost& host, ResultList& results, Dialogs& dialogs, Desktop& desktop,
               Clipboard& clipboard)
        : host_(host), results_(results), dialogs_(dialogs), desktop_(desktop), clipboard_(clipboard) {}

    void checkAll() { results_.setAllChecked(true); }
    void uncheckAll() { results_.setAllChecked(false); }
    void invertChecks() { results_.invertChecks(); }
    void setChecked(const std::vector<int>& positions, bool checked);
    // Space: the selected rows all become checked, unless they all are; then all unchecked.
    void toggleChecked(const std::vector<int>& positions);

    void open(int position);
    void showInFolder(int position);
    // The row's path exactly as shown, without the padding of "Copy Results To Clipboard".
    void copyPath(int position);

    // The order a click on a column's header asks for: size largest first and path A to Z on the
    // first click, the other way round on a click on the column the list is sorted by.
    static ResultList::SortState orderForHeaderClick(const std::optional<ResultList::SortState>& current,
                                                     ResultList::SortKey clicked);

private:
    void tell(const QString& what, const QByteArray& path, const QString& reason);

    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    Desktop& desktop_;
    Clipboard& clipboard_;
    // Outlived by the desktop's late answers, which look at it before they call back.
    std::shared_ptr<int> alive_ = std::make_shared<int>();
};

} // namespace zorvik
