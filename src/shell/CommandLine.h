#pragma once

#include <QString>
#include <QStringList>

namespace zorvik {

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Action { OpenWindow, PrintHelp, PrintVersion, Refuse };
    Action action = Action::OpenWindow;
    QString output;      // the help, the version, or why the line was refused
    QStringList folders; // to put into the folder list, as given
};

// Reads `arguments` (the program's name first). Needs no application object, so `--help` works
// where no display is.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace zorvik
