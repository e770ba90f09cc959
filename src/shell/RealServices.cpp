// The composition root: the one place where the program's real services are chosen.
#include "shell/Services.h"

#include "platform/FreedesktopTrash.h"
#include "platform/IniSettingsStore.h"
#include "platform/PosixFileOperations.h"
#include "platform/PosixFileSystem.h"
#include "platform/QtClipboard.h"
#include "platform/QtDesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QRandomGenerator>
#include <QTime>

namespace zorvik {

Services makeRealServices(std::shared_ptr<Dialogs> dialogs) {
    Services services;
    services.dialogs = std::move(dialogs);
    services.settings = std::make_shared<IniSettingsStore>();
    services.fileSystem = std::make_shared<PosixFileSystem>();
    services.trash = std::make_shared<FreedesktopTrash>();
    services.fileOperations = std::make_shared<PosixFileOperations>(services.trash);
    services.clipboard = std::make_shared<QtClipboard>();
    services.desktop = std::make_shared<QtDesktop>();
    services.locale = QLocale::system();
    services.programFolder = QCoreApplication::applicationDirPath();
    services.homePageDraw = [] {
        QRandomGenerator generator(quint32(QTime::currentTime().msecsSinceStartOfDay()));
        return int(generator.generateDouble() * 100) + 1;
    };
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return services;
}

} // namespace zorvik
