#pragma once

#include "results/ProgressLine.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace zorvik {

class FolderList;

// The status line (the folder list's header, which screen readers hear as that list's description)
// as a trash or a move uses it. A search that runs keeps the line: it writes it at every folder, and
// two writers would make it flicker between them. The line's own pace of repaints applies to both.
class CommandStatus : public ProgressLine {
public:
    CommandStatus(FolderList& folders, std::function<bool()> searching, const QLocale& locale)
        : folders_(folders), searching_(std::move(searching)), locale_(locale) {}

    void show(const QString& text) override;
    void clear() override;
    QLocale locale() const override { return locale_; }

private:
    FolderList& folders_;
    std::function<bool()> searching_;
    QLocale locale_;
    std::optional<QString> before_; // what the line said before the command first wrote it
};

} // namespace zorvik
