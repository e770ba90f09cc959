#include "shell/CommandLine.h"

#include "core/AppTitle.h"
#include "criteria/NumberReading.h"

#include <QLocale>

#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Our own reading rather than QCommandLineParser's: --between takes two values, and folders must keep
// the bytes the system gave, which a parser of decoded text cannot give back.

const char16_t kHelp[] = uR"(Usage: zorvik [options] [FOLDER...]
       zorvik --print CONDITION [options] FOLDER...
Finds the files in your folders by their size.

Without --print, opens the window with each FOLDER in its folder list.
With --print, searches each FOLDER and every folder below it without a window,
and prints each file that meets the CONDITION on standard output as it is found.

Options:
  -h, --help               Displays this help and exits.
  -v, --version            Displays the version and exits.
  --print                  Searches without a window.

Conditions (one, with --print):
  --between LOW HIGH       From LOW to HIGH, both included.
  --greater-than SIZE      Larger than SIZE.
  --less-than SIZE         Smaller than SIZE.
  --equal-to SIZE          Exactly SIZE, in the unit of SIZE.
A SIZE is a number with an optional unit: 100, 500KB, 1.5M, 2GiB, 1TB. The units
are B, K, M, G and T, each also written KB or KiB (MB or MiB, ...), in any case;
all are powers of 1,024 as in the window: 1 KB is 1,024 bytes, 1 TB is 1,024 GB.
"." is the decimal point in every language. As in the window, KB are compared
in whole KB.

Output of --print:
  --format FORMAT          text: each path as it is, one a line (the default);
                           csv: path, bytes and size text, with a header line;
                           json: one object a line with path, bytes, size_text.
                           In csv and json a path that is not UTF-8 is written
                           as its file URL (file:///...%E9...).
  -0, --null               Ends each path with a NUL instead of a line feed
                           (text only), for xargs -0.
  --sort KEY               size (largest first) or path (byte order); the output
                           then comes at the end.
  --summary                Prints how many files were found and their total
                           size on standard error.

What --print leaves out:
  -E, --exclude PATTERN    Leaves out every file and folder whose own name
                           matches the shell pattern PATTERN (*, ?, [...]);
                           a folder left out is not searched. Repeatable.
  --name PATTERN           Finds only files whose own name matches PATTERN;
                           repeatable: a file matches when any one does.
  -x, --one-file-system    Does not enter folders on another file system than
                           the FOLDER they are below.
  --exclude-caches         Does not search folders marked as caches by a
                           CACHEDIR.TAG file.
Only regular files are found, each once however often it is reached. Folders of
the kernel's own file systems (proc, sysfs and the like) are not entered unless
a FOLDER is on one.
Folders that cannot be read are named on standard error and skipped.

Exit status: 0 when a file was found (or the window was closed), 1 when none
was, 2 for a wrong command line or a FOLDER that cannot be searched.
)";

// A wrong command line: what is wrong with it.
struct Usage {
    QString problem;
};

QString textOf(const QByteArray& argument) {
    return QString::fromLocal8Bit(argument);
}

// The unit of a SIZE, lower-cased: its letter alone, with "b" or with "ib", all powers of 1,024. Terabytes
// have no unit in the window: they are read as 1,024 times as many GB.
std::optional<std::pair<SizeUnit, int>> unitAndFactor(const QString& unitText) {
    if (unitText.isEmpty() || unitText == u"b"_s || unitText == u"byte"_s || unitText == u"bytes"_s)
        return std::pair(SizeUnit::Bytes, 1);
    static constexpr std::pair<char16_t, std::pair<SizeUnit, int>> kLetters[] = {
        {u'k', {SizeUnit::KB, 1}},
        {u'm', {SizeUnit::MB, 1}},
        {u'g', {SizeUnit::GB, 1}},
        {u't', {SizeUnit::GB, 1024}},
    };
    const QString rest = unitText.sliced(1);
    if (rest.isEmpty() || rest == u"b"_s || rest == u"ib"_s) {
        for (const auto& [letter, unit] : kLetters)
            if (unitText[0] == letter)
                return unit;
    }
    return std::nullopt;
}

// A SIZE: a number with "." as its decimal point and an optional unit (any case); the condition's text
// for the number, in the C locale's notation, and the unit.
std::pair<QString, SizeUnit> readSize(const QByteArray& argument) {
    const QString text = textOf(argument).trimmed();
    qsizetype end = 0;
    bool digits = false;
    bool point = false;
    for (; end < text.size(); ++end) {
        if (text[end].isDigit() && text[end].unicode() < 128)
            digits = true;
        else if (text[end] == u'.' && !point)
            point = true;
        else
            break;
    }
    const std::optional<std::pair<SizeUnit, int>> unit = unitAndFactor(text.sliced(end).trimmed().toLower());
    // "1." and ".5" are numbers to a user; the locale's reading wants digits on both sides.
    QString number = text.first(end);
    if (number.startsWith(u'.'))
        number.prepend(u'0');
    if (number.endsWith(u'.'))
        number.append(u'0');
    const std::optional<double> value = toNumber(number, QLocale::c());
    if (!digits || !unit || !value)
        throw Usage{u"'"_s + textOf(argument) +
                    u"' is not a size (a number with an optional unit: 100, 500K, 1.5MiB, 2GB, 1TB)"_s};
    if (unit->second != 1) // a power of two: the product is exact, and the shortest text reads back to it
        number = QString::number(*value * unit->second, 'g', QLocale::FloatingPointShortest);
    return {number, unit->first};
}

void setCondition(PrintRequest& request, SizeMode mode, const QByteArray& first,
                  const QByteArray& second = {}) {
    if (request.condition.mode)
        throw Usage{u"give only one of --between, --greater-than, --less-than and --equal-to"_s};
    SizeCondition& condition = request.condition;
    condition.mode = mode;
    const auto [number, unit] = readSize(first);
    condition.unit = unit;
    if (mode == SizeMode::Between) {
        condition.lowerText = number;
        const auto [upper, upperUnit] = readSize(second);
        condition.upperText = upper;
        condition.upperUnit = upperUnit;
    } else {
        condition.valueText = number;
    }
}

// A name pattern as given, bytes and all; an empty one would match nothing anyone meant.
QByteArray pattern(const QByteArray& argument, const QByteArray& option) {
    if (argument.isEmpty())
        throw Usage{u"option '"_s + textOf(option) + u"' needs a pattern"_s};
    return argument;
}

// Reads the arguments after the program's name; throws Usage.
void read(const QList<QByteArray>& arguments, CommandLine& line, bool& help, bool& version) {
    bool print = false;
    bool optionsEnded = false;
    QList<QByteArray> printOnly; // options that mean something only with --print
    std::optional<QByteArray> format;
    std::optional<QByteArray> sort;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
            line.folders.append(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        QByteArray name = argument;
        std::optional<QByteArray> attached; // --name=value
        if (const qsizetype equals = argument.indexOf('='); argument.startsWith("--") && equals > 2) {
            name = argument.first(equals);
            attached = argument.sliced(equals + 1);
        }
        auto value = [&]() -> QByteArray {
            if (attached)
                return *std::exchange(attached, std::nullopt);
            if (++i >= arguments.size())
                throw Usage{u"option '"_s + textOf(name) + u"' needs a value"_s};
            return arguments[i];
        };
        if (name == "-h" || name == "--help") {
            help = true;
        } else if (name == "-v" || name == "--version") {
            version = true;
        } else if (name == "--print") {
            print = true;
        } else if (name == "--between") {
            const QByteArray low = value();
            setCondition(line.print, SizeMode::Between, low, value());
        } else if (name == "--greater-than") {
            setCondition(line.print, SizeMode::GreaterThan, value());
        } else if (name == "--less-than") {
            setCondition(line.print, SizeMode::LessThan, value());
        } else if (name == "--equal-to") {
            setCondition(line.print, SizeMode::EqualTo, value());
        } else if (name == "--format") {
            format = value();
        } else if (name == "-0" || name == "--null") {
            line.print.nulEnds = true;
        } else if (name == "--sort") {
            sort = value();
        } else if (name == "--summary") {
            line.summary = true;
        } else if (name == "-E" || name == "--exclude") {
            line.print.skip.excludedNames.push_back(pattern(value(), name));
        } else if (name == "--name") {
            line.print.skip.onlyNames.push_back(pattern(value(), name));
        } else if (name == "-x" || name == "--one-file-system") {
            line.print.skip.oneFileSystem = true;
        } else if (name == "--exclude-caches") {
            line.print.skip.excludeCaches = true;
        } else {
            throw Usage{u"unknown option '"_s + textOf(argument) + u"'"_s};
        }
        if (attached)
            throw Usage{u"option '"_s + textOf(name) + u"' takes no value"_s};
        if (name != "-h" && name != "--help" && name != "-v" && name != "--version" && name != "--print")
            printOnly.append(name);
    }
    if (help || version)
        return;
    if (!print) {
        if (!printOnly.isEmpty())
            throw Usage{u"option '"_s + textOf(printOnly.first()) + u"' needs --print"_s};
        return;
    }
    line.action = CommandLine::Action::Print;
    if (!line.print.condition.mode)
        throw Usage{u"--print needs one condition: --between, --greater-than, --less-than or --equal-to"_s};
    if (line.folders.isEmpty())
        throw Usage{u"--print needs at least one FOLDER"_s};
    if (format) {
        if (*format == "text")
            line.print.format = PrintRequest::Format::Text;
        else if (*format == "csv")
            line.print.format = PrintRequest::Format::Csv;
        else if (*format == "json")
            line.print.format = PrintRequest::Format::Json;
        else
            throw Usage{u"unknown format '"_s + textOf(*format) + u"' (text, csv or json)"_s};
    }
    if (line.print.nulEnds && line.print.format != PrintRequest::Format::Text)
        throw Usage{u"--null is for the text format only"_s};
    if (sort) {
        if (*sort == "size")
            line.print.order = PrintRequest::Order::Size;
        else if (*sort == "path")
            line.print.order = PrintRequest::Order::Path;
        else
            throw Usage{u"unknown sort key '"_s + textOf(*sort) + u"' (size or path)"_s};
    }
}

} // namespace

CommandLine parseCommandLine(const QList<QByteArray>& arguments) {
    CommandLine line;
    bool help = false;
    bool version = false;
    try {
        read(arguments, line, help, version);
    } catch (const Usage& usage) {
        if (!help && !version) {
            CommandLine refused;
            refused.action = CommandLine::Action::Refuse;
            refused.output =
                u"zorvik: "_s + usage.problem + u"\nTry 'zorvik --help' for more information.\n"_s;
            return refused;
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
