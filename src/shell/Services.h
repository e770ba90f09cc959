#pragma once

#include "search/ReadAheadWalk.h"

#include <QLocale>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace zorvik {

class Clipboard;
class Desktop;
class Dialogs;
class FileOperations;
class FileSystem;
class SettingsStore;
class Trash;

// What the window needs of the platform. Tests replace any of these.
struct Services {
    std::shared_ptr<Dialogs> dialogs;
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<FileSystem> fileSystem;         // the folder walk
    std::shared_ptr<Trash> trash;                   // "Send Checked To Recycle Bin"
    std::shared_ptr<FileOperations> fileOperations; // "Move Checked To Folder"
    std::shared_ptr<Clipboard> clipboard;           // "Copy Results To Clipboard", "Copy Path"
    std::shared_ptr<Desktop> desktop;               // "Open", "Show in Folder"
    QLocale locale = QLocale::system();
    QString programFolder;             // where HAND-M.CUR and the skin are looked for
    std::function<int()> homePageDraw; // a number from 1 to 100; 7 opens the home page
    std::function<void(const QUrl&)> openUrl;
    // Runs at every turn a command gives the event loop, and every readAhead.waitingCallMs while it
    // waits for a worker: where a test acts "meanwhile".
    std::function<void()> yieldHook;
    // How long a command that handles row after row may go without yielding (0: at every row).
    int rowYieldIntervalMs = 10;
    // The threads that read folders ahead of the search and how far; one thread walks without them.
    ReadAheadOptions readAhead;
};

// The program's real services, all built here: the user's settings, the file system, the desktop's
// trash and clipboard, the system locale, the executable's folder and the home-page draw. The dialogs
// come from the caller, which must be able to attach them to the window.
Services makeRealServices(std::shared_ptr<Dialogs> dialogs);

} // namespace zorvik
