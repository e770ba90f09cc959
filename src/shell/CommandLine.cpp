#include "shell/CommandLine.h"

#include "core/AppTitle.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Our own reading rather than QCommandLineParser's: folders must keep the bytes the system gave,
// which a parser of decoded text cannot give back.

const char16_t kHelp[] = uR"(Usage: zorvik [options] [FOLDER...]
Finds the files in your folders by their size.

Opens the window with each FOLDER in its folder list.

Options:
  -h, --help               Displays this help and exits.
  -v, --version            Displays the version and exits.
)";

QString textOf(const QByteArray& argument) {
    return QString::fromLocal8Bit(argument);
}

} // namespace

CommandLine parseCommandLine(const QList<QByteArray>& arguments) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
            line.folders.append(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            help = true;
        } else if (argument == "-v" || argument == "--version") {
            version = true;
        } else if (!help && !version) {
            line = {};
            line.action = CommandLine::Action::Refuse;
            line.output = u"zorvik: unknown option '"_s + textOf(argument) +
                          u"'\nTry 'zorvik --help' for more information.\n"_s;
            return line;
        }
    }
    if (help) {
        line = {};
        line.action = CommandLine::Action::PrintHelp;
        line.output = QString::fromUtf16(kHelp);
    } else if (version) {
        line = {};
        line.action = CommandLine::Action::PrintVersion;
        line.output = QString::fromUtf16(kProductTitle) + u' ' + QStringLiteral(ZORVIK_VERSION) + u'\n';
    }
    return line;
}

} // namespace zorvik
