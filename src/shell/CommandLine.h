#pragma once

#include "search/PrintSearch.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zorvik {

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Action { OpenWindow, Print, PrintHelp, PrintVersion, Refuse };
    Action action = Action::OpenWindow;
    QString output; // the help, the version, or why the line was refused
    // To put into the folder list, or to search with --print: the arguments' bytes as the system gave
    // them (a name need not be UTF-8), not yet made absolute.
    QList<QByteArray> folders;
    // --print: the condition and the output; its folders are left empty (see `folders`).
    PrintRequest print;
    bool summary = false; // --summary
};

// Reads `arguments` (the program's name first) as the system gave them. Needs no application object,
// so `--help` and `--print` work where no display is. Options may stand anywhere; "--" ends them.
CommandLine parseCommandLine(const QList<QByteArray>& arguments);

} // namespace zorvik
