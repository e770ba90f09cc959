#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QLocale>

#include <optional>

namespace zorvik {

class CommandHost;
class Dialogs;
class FolderList;
class SettingsStore;
class Steps;

// "Add Folder to Search", the removal of a folder from the list, and the folder list's menu: skipped
// folders and the search options.
class FolderCommands {
    Q_DECLARE_TR_FUNCTIONS(FolderCommands)

public:
    FolderCommands(CommandHost& host, FolderList& folders, Dialogs& dialogs, SettingsStore& settings,
                   const QLocale& locale = QLocale::system())
        : host_(host), folders_(folders), dialogs_(dialogs), settings_(settings), locale_(locale) {}

    // Asks for a folder and adds it to the list.
    void addFolder(Steps& steps);
    // Asks for a folder and adds it as a skipped row: a folder below a listed one that no search enters.
    void addSkippedFolder(Steps& steps);
    // Marks the folder at `position` skipped, or searched again.
    void toggleSkipped(int position);
    // Shows the stored search options for editing and stores them when the user accepts.
    void editSearchOptions();
    // Adds folders named on the command line, as the system's bytes, each made absolute and put
    // through the path rule (givenFolderPath). One notice names those that are not folders; they are
    // left out.
    void addGivenFolders(const QList<QByteArray>& folders);
    // Removes the folder of the selected row (0-based), if a row is selected and no command is busy.
    void removeFolder(std::optional<int> selectedRow);

private:
    void addChosenFolder(Steps& s, const QString& prompt, bool skipped);

    CommandHost& host_;
    FolderList& folders_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    QLocale locale_; // how stored option states that are numbers read
};

} // namespace zorvik
