#pragma once

#include <QString>

namespace zorvik {

// Every modal dialog and message box of the program. The Qt implementation shows real dialogs; tests
// use a scripted double that records what was shown and returns prepared answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Plain notice: OK button, no icon.
    virtual void notice(const QString& title, const QString& text) = 0;
    // The error report: title "Application Error", warning icon, OK button.
    virtual void errorReport(const QString& text) = 0;
    // Yes/No question, no icon. True for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // One-line text input with an empty field; the empty string on Cancel.
    virtual QString inputText(const QString& title, const QString& prompt) = 0;
    // Modal folder chooser; the chosen folder without a trailing slash ("/" stays "/"), or the empty
    // string on cancel. startFolder is preselected when it exists.
    virtual QString browseForFolder(const QString& prompt, const QString& startFolder) = 0;
    // Save-file chooser titled "Save" with the text-file and all-files filters, opening on
    // `proposedPath` (a folder and a file name); the empty string on cancel. A name without an
    // extension gets ".txt" when the text-file filter is chosen. It never asks about overwriting: the
    // caller does.
    virtual QString saveFileName(const QString& proposedPath) = 0;
};

} // namespace zorvik
