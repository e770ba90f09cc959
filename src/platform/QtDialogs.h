#pragma once

#include "platform/Dialogs.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace zorvik {

// Real message boxes and dialogs, modal to the main window.
class QtDialogs final : public Dialogs {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    // While this returns true (the window is closing) no box is shown at all.
    void setSuppressed(std::function<bool()> suppressed) { suppressed_ = std::move(suppressed); }

    void notice(const QString& title, const QString& text) override;
    void errorReport(const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    QString inputText(const QString& title, const QString& prompt) override;
    QString browseForFolder(const QString& title, const QString& startFolder) override;
    SaveTarget chooseSaveTarget(const QString& proposedPath) override;
    QString saveFileName(const QString& proposedPath) override;
    std::optional<SearchOptions> editSearchOptions(const SearchOptions& current) override;

private:
    bool suppressed() const { return suppressed_ && suppressed_(); }

    QPointer<QWidget> parent_;
    std::function<bool()> suppressed_;
};

} // namespace zorvik
