#pragma once

#include <QCoreApplication>

#include <QString>

namespace zorvik {

class CommandHost;
class Dialogs;
class FileOperations;
class ResultList;
class SettingsStore;
class Steps;

// "Move Checked To Folder": the checked files move into a folder the user picks, which is remembered
// for the next time. A row leaves the list only when its file arrived whole.
class MoveChecked {
    Q_DECLARE_TR_FUNCTIONS(MoveChecked)

public:
    MoveChecked(CommandHost& host, ResultList& results, Dialogs& dialogs, SettingsStore& settings,
                FileOperations& files)
        : host_(host), results_(results), dialogs_(dialogs), settings_(settings), files_(files) {}
    void run(Steps& steps);

private:
    CommandHost& host_;
    ResultList& results_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    FileOperations& files_;
    QString rememberedFolder_;
};

} // namespace zorvik
