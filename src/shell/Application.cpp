#include "shell/Application.h"

#include "core/BlockingCall.h"
#include "core/WorkerThreads.h"
#include "platform/JournalRecovery.h"
#include "platform/QtDialogs.h"
#include "platform/SettingsStore.h"
#include "shell/CommandLine.h"
#include "shell/Form1.h"
#include "shell/PrintMode.h"
#include "shell/Services.h"
#include "shell/Translations.h"

#include <QApplication>

#include <cstdio>

namespace zorvik {

namespace {

// The arguments' bytes as the system gave them: a folder's name need not be text in any encoding.
QList<QByteArray> argumentsOf(int argc, char** argv) {
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return arguments;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int runApplication(int argc, char** argv) {
    // Read before the application exists: help, version and --print must work without a display.
    const CommandLine commandLine = parseCommandLine(argumentsOf(argc, argv));
    switch (commandLine.action) {
    case CommandLine::Action::Print:
        return runPrintMode(commandLine);
    case CommandLine::Action::PrintHelp:
    case CommandLine::Action::PrintVersion:
        print(stdout, commandLine.output);
        return 0;
    case CommandLine::Action::Refuse:
        print(stderr, commandLine.output);
        return 2;
    case CommandLine::Action::OpenWindow:
        break;
    }

    QApplication app(argc, argv);
    installTranslations(QLocale::system(), &app);
    auto dialogs = std::make_shared<QtDialogs>();
    Form1 form(makeRealServices(dialogs));
    dialogs->setParentWindow(&form);
    dialogs->setSuppressed([&form] { return form.isClosing(); });
    form.Form_Load();
    form.show();
    form.addGivenFolders(commandLine.folders);
    // A move or trash a crash interrupted is finished or undone, on a worker: the window does not wait.
    WorkerThreads::start([] { recoverInterruptedOperations(); });
    const int exitCode = app.exec();
    // The last changes may still be on their way to the settings file; a share that does not answer
    // holds the end only so long.
    form.services().settings->waitUntilWritten(std::chrono::seconds(5));
    // A worker stuck in a call to a share that stopped answering must neither hold the program nor
    // outlive the objects it may touch.
    WorkerThreads::endProcessIfAnyRuns(exitCode, std::chrono::milliseconds(200));
    return exitCode;
}

} // namespace zorvik
