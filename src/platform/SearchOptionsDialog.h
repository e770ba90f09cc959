#pragma once

#include "platform/SearchOptions.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;

namespace zorvik {

// "Search Options…": the names to skip and to search for, one pattern a line, and where a search does
// not go. OK keeps the choices, Cancel and Escape leave them as they were.
class SearchOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SearchOptionsDialog(const SearchOptions& current, QWidget* parent = nullptr);

    // The options as the fields show them now.
    SearchOptions options() const;

    QPlainTextEdit* excludedNames = nullptr;
    QPlainTextEdit* onlyNames = nullptr;
    QCheckBox* oneFileSystem = nullptr;
    QCheckBox* excludeCaches = nullptr;
    QCheckBox* skipKernelFileSystems = nullptr;

private:
    SearchOptions shown_; // for the patterns' bytes, which the lines may not carry
};

} // namespace zorvik
