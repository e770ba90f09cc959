#include "folders/FolderCommands.h"

#include "core/CommandHost.h"
#include "core/ProblemList.h"
#include "core/Steps.h"
#include "folders/FolderList.h"
#include "folders/GivenFolder.h"
#include "folders/NormalizePath.h"
#include "folders/StoredSearchOptions.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "platform/SettingsStore.h"

using namespace Qt::StringLiterals;

namespace zorvik {

void FolderCommands::addFolder(Steps& s) {
    addChosenFolder(s, tr("Add Folder to Search"), false);
}

void FolderCommands::addSkippedFolder(Steps& s) {
    addChosenFolder(s, tr("Add Folder to Skip"), true);
}

void FolderCommands::addChosenFolder(Steps& s, const QString& prompt, bool skipped) {
    QString startFolder;
    QString chosen;
    s.run(100, [&] { startFolder = settings_.read(u"LastFolderDot"_s, QString()); });
    s.run(100, [&] { chosen = dialogs_.browseForFolder(prompt, startFolder); });
    if (s.test(102, [&] { return chosen.isEmpty(); }))
        return;
    // The picker reopens where the user last picked a folder to search.
    s.run(102, [&] { settings_.write(u"LastFolderDot"_s, chosen); });
    s.run(104, [&] { host_.setPointerState(PointerState::Busy); });
    s.run(106, [&] { folders_.add(NormalizePath(chosen), skipped); });
    s.run(108, [&] { host_.setPointerState(PointerState::Default); });
}

void FolderCommands::addGivenFolders(const QList<QByteArray>& folders) {
    ProblemList refused;
    for (const QByteArray& folder : folders) {
        const QByteArray path = givenFolderPath(folder);
        if (const std::optional<QString> problem = folderProblem(path))
            refused.add(path, *problem);
        else
            folders_.addPath(path);
    }
    if (!refused.isEmpty())
        dialogs_.notice(host_.applicationTitle(),
                        refused.summary(refused.count() == 1
                                            ? tr("1 folder given on the command line was not added:")
                                            : tr("%n folders given on the command line were not added:",
                                                 nullptr, refused.count())));
}

void FolderCommands::removeFolder(std::optional<int> selectedRow) {
    // A running command holds the busy pointer; the folder list must not change under it.
    if (host_.pointerState() == PointerState::Busy || folders_.count() == 0)
        return;
    if (selectedRow)
        folders_.remove(*selectedRow + 1);
}

void FolderCommands::toggleSkipped(int position) {
    if (position >= 1 && position <= folders_.count())
        folders_.setSkipped(position, !folders_.isSkipped(position));
}

void FolderCommands::editSearchOptions() {
    if (const std::optional<SearchOptions> chosen =
            dialogs_.editSearchOptions(readSearchOptions(settings_, locale_)))
        writeSearchOptions(settings_, *chosen);
}

} // namespace zorvik
