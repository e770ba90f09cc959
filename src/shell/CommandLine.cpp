#include "shell/CommandLine.h"

#include "core/AppTitle.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace zorvik {

CommandLine parseCommandLine(const QStringList& arguments) {
    // The parser's help and version texts name the application through these.
    QCoreApplication::setApplicationName(u"zorvik"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORVIK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Finds the files in your folders by their size."_s);
    // Our own help option: Qt's adds --help-all, which would list Qt's options for an application
    // object that does not exist yet.
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Displays this help and exits."_s);
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(u"FOLDER"_s, u"A folder to put into the folder list."_s, u"[FOLDER...]"_s);

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Action::Refuse;
        result.output = parser.errorText() + u"\nTry 'zorvik --help' for more information.\n"_s;
    } else if (parser.isSet(help)) {
        result.action = CommandLine::Action::PrintHelp;
        // The parser names whatever started the process (the program beside the launcher, or nothing
        // before an application object exists); users type "zorvik".
        result.output = parser.helpText();
        const qsizetype from = result.output.indexOf(u"Usage: "_s) + 7;
        const qsizetype to = result.output.indexOf(u" [options]"_s);
        if (from >= 7 && to > from)
            result.output.replace(from, to - from, u"zorvik"_s);
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::PrintVersion;
        result.output =
            QString::fromUtf16(kProductTitle) + u' ' + QCoreApplication::applicationVersion() + u'\n';
    } else {
        result.folders = parser.positionalArguments();
    }
    return result;
}

} // namespace zorvik
