#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

#include <optional>

namespace zorvik {

class CommandHost;
class Dialogs;
class FolderList;
class SettingsStore;
class Steps;

// "Add Folder to Search" and the removal of a folder from the list.
class FolderCommands {
    Q_DECLARE_TR_FUNCTIONS(FolderCommands)

public:
    FolderCommands(CommandHost& host, FolderList& folders, Dialogs& dialogs, SettingsStore& settings)
        : host_(host), folders_(folders), dialogs_(dialogs), settings_(settings) {}

    // Asks for a folder and adds it to the list.
    void addFolder(Steps& steps);
    // Adds folders named on the command line, as the system's bytes, each made absolute and put
    // through the path rule (givenFolderPath). One notice names those that are not folders; they are
    // left out.
    void addGivenFolders(const QList<QByteArray>& folders);
    // Removes the folder of the selected row (0-based), if a row is selected and no command is busy.
    void removeFolder(std::optional<int> selectedRow);

private:
    CommandHost& host_;
    FolderList& folders_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
};

} // namespace zorvik
