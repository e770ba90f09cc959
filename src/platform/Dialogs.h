#pragma once

#include "platform/SearchOptions.h"

#include <QString>

#include <optional>

namespace zorvik {

// What a saved file holds: the paths alone, or the paths with their sizes as CSV.
enum class SaveFormat { Text, Csv };

// The save dialog's answer: the file's name (empty on cancel) and the format its filter chose.
struct SaveTarget {
    QString name;
    SaveFormat format = SaveFormat::Text;
};

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
    // Modal folder chooser titled with what the folder is for; the chosen folder without a trailing
    // slash ("/" stays "/"), or the empty string on cancel. startFolder is preselected when it exists.
    virtual QString browseForFolder(const QString& title, const QString& startFolder) = 0;
    // Save-file chooser titled "Save" with the filters "Text (*.txt)", "CSV with sizes (*.csv)" and
    // "All Files (*)", opening on `proposedPath` (a folder and a file name); an empty name on cancel. A
    // name without an extension gets ".txt" or ".csv" from the filter chosen; under "All Files" it is
    // kept as typed, and a name ending in ".csv" means CSV. It never asks about overwriting: the caller
    // does.
    virtual SaveTarget chooseSaveTarget(const QString& proposedPath) { return {saveFileName(proposedPath)}; }
    // The same dialog for a caller that only needs the name (always the text format).
    virtual QString saveFileName(const QString& proposedPath) = 0;
    // "Search Options…" showing `current`: the options as the user left them on OK, nothing on Cancel
    // (Escape). A program without the dialog cancels.
    virtual std::optional<SearchOptions> editSearchOptions(const SearchOptions& current) {
        (void)current;
        return std::nullopt;
    }
};

} // namespace zorvik
