#include "shell/Skin.h"

#include "core/Failure.h"
#include "platform/BoundedPathCheck.h"
#include "platform/RegularFile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QRadioButton>
#include <QStringDecoder>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

constexpr qint64 kLargestSkin = qint64(1) << 20;

void paintBackground(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    // Group boxes, labels and buttons are transparent by default and would show the parent instead.
    widget.setAutoFillBackground(true);
}

void recolour(QWidget& window) {
    const QColor buttonFace = window.palette().color(QPalette::Button);
    paintBackground(window, buttonFace);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QGroupBox*>(child) || qobject_cast<QRadioButton*>(child) ||
            qobject_cast<QCheckBox*>(child) || qobject_cast<QLabel*>(child))
            paintBackground(*child, buttonFace);
    }
}

QString decodeUtf8(const QByteArray& bytes, const QString& path) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        throw Failure(QCoreApplication::translate("Skin", "The skin %1 is not valid UTF-8").arg(path));
    return text;
}

// The sheet as Qt's style-sheet scanner sees it: a backslash with one to six hex digits stands for
// that character (QCss::Scanner::preprocess; unlike CSS it takes no blank after them). `origin` holds,
// for each character, where its text begins in the sheet.
struct ScannedText {
    QString text;
    std::vector<qsizetype> origin;
};

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

ScannedText scannedText(const QString& sheet) {
    ScannedText scanned;
    for (qsizetype i = 0; i < sheet.size();) {
        qsizetype digits = 0;
        if (sheet[i] == u'\\') {
            while (digits < 7 && i + 1 + digits < sheet.size() && isHexDigit(sheet[i + 1 + digits]))
                ++digits;
            digits = std::min<qsizetype>(digits, 6);
        }
        bool ok = false;
        const uint code = digits > 0 ? QStringView(sheet).sliced(i + 1, digits).toUInt(&ok, 16) : 0;
        scanned.origin.push_back(i);
        if (ok && code <= 0xFFFF) {
            scanned.text += QChar(char16_t(code));
            i += 1 + digits;
        } else {
            scanned.text += sheet[i++];
        }
    }
    return scanned;
}

// What a url(...) of the scanned text names, when it is written plainly enough to know the path Qt
// will open: url(path) or url("path") or url('path'), blanks allowed only after "url(", no escapes,
// comments or brackets inside. Qt takes the characters up to the closing bracket as they stand (it
// resolves a relative path against the working folder, as QFile does).
std::optional<QString> plainUrlPath(const QString& text, qsizetype open) {
    qsizetype i = open + 4;
    while (i < text.size() &&
           (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r' || text[i] == u'\f'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    const QChar quote = text[i];
    if (quote == u'"' || quote == u'\'') {
        const qsizetype first = i + 1;
        for (i = first; i < text.size() && text[i] != quote; ++i) {
            const char16_t c = text[i].unicode();
            if (c == '\\' || c == 0x7F || (c < 0x20 && c != '\t'))
                return std::nullopt;
        }
        if (i + 1 >= text.size() || text[i + 1] != u')')
            return std::nullopt;
        return text.sliced(first, i - first);
    }
    const qsizetype first = i;
    for (; i < text.size() && text[i] != u')'; ++i) {
        const char16_t c = text[i].unicode();
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c >= 0x80 || QStringView(u"-_./:~+,=").contains(QChar(c));
        if (!plain)
            return std::nullopt;
    }
    if (i == text.size())
        return std::nullopt;
    return text.sliced(first, i - first);
}

// The files Qt would open for an image path: the path itself and, on screens of a higher pixel ratio,
// "name@2x.png" up to "name@9x.png" when they exist (qt_findAtNxFile).
std::vector<QByteArray> filesOpenedFor(const QString& path) {
    std::vector<QByteArray> files{QFile::encodeName(path)};
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        dot = path.size();
    else if (dot >= 2 && path[dot - 1] == u'9' && path[dot - 2] == u'.')
        dot -= 2;
    for (int ratio = 2; ratio <= 9; ++ratio)
        files.push_back(QFile::encodeName(QString(path).insert(dot, u'@' + QString::number(ratio) + u'x')));
    return files;
}

// How long the skin may wait for its image files to be checked.
constexpr std::chrono::milliseconds kFileCheckBound{1000};

// Qt opens the files a sheet names while it polishes the widgets, on the user-interface thread, and
// one that never answers (a named pipe) would hold start-up forever. Every url( of the sheet whose
// file is not a readable regular file, or whose path cannot be known for certain, is therefore
// renamed "left-out-url(" before Qt sees the sheet: a function Qt does not know, which opens nothing
// and leaves the rest of the sheet as it was. Backslashes are ignored in the search for "url(", so
// no escaped spelling slips through; one inside a comment or a string is renamed all the same.
QString withUsableFilesOnly(const QString& sheet) {
    const ScannedText scanned = scannedText(sheet);
    QString search; // the scanned text without backslashes
    std::vector<qsizetype> searchOrigin;
    for (qsizetype i = 0; i < scanned.text.size(); ++i) {
        if (scanned.text[i] != u'\\') {
            search += scanned.text[i];
            searchOrigin.push_back(i);
        }
    }
    struct Reference {
        qsizetype at; // in the sheet
        std::optional<QString> path;
        std::size_t firstFile = 0;
    };
    std::vector<Reference> references;
    std::vector<QByteArray> files;
    for (qsizetype found = search.indexOf(u"url("_s); found >= 0;
         found = search.indexOf(u"url("_s, found + 1)) {
        const qsizetype start = searchOrigin[std::size_t(found)];
        const bool written = searchOrigin[std::size_t(found) + 3] == start + 3;
        Reference reference{scanned.origin[std::size_t(start)],
                            written ? plainUrlPath(scanned.text, start) : std::nullopt};
        // An empty path opens nothing; Qt's resources are in memory.
        if (reference.path && !reference.path->isEmpty() && !reference.path->startsWith(u':')) {
            reference.firstFile = files.size();
            for (QByteArray& file : filesOpenedFor(*reference.path))
                files.push_back(std::move(file));
        }
        references.push_back(std::move(reference));
    }
    const std::vector<PathFinding> findings = checkPathsWithin(files, kFileCheckBound);

    QString result = sheet;
    for (auto reference = references.rbegin(); reference != references.rend(); ++reference) {
        bool usable = reference->path.has_value();
        if (usable && !reference->path->isEmpty() && !reference->path->startsWith(u':')) {
            usable = findings[reference->firstFile] == PathFinding::Readable;
            for (std::size_t k = 1; k < 9; ++k) {
                const PathFinding variant = findings[reference->firstFile + k];
                usable = usable && (variant == PathFinding::Missing || variant == PathFinding::Readable);
            }
        }
        if (!usable)
            result.insert(reference->at, u"left-out-"_s);
    }
    return result;
}

// Qt's style-sheet parser is private; its only sign of a rejected sheet is this warning, given when
// a widget carrying the sheet is polished.
int parseComplaints = 0;
QtMessageHandler previousHandler = nullptr;

void watchForParseComplaints(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(u"Could not parse stylesheet"_s)) {
        ++parseComplaints;
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

bool qtAccepts(const QString& styleSheet) {
    // Warnings of the default category may have been switched off by logging rules; the check must
    // see them all the same.
    QLoggingCategory* category = QLoggingCategory::defaultCategory();
    const bool warningsWereOn = category->isWarningEnabled();
    category->setEnabled(QtWarningMsg, true);
    parseComplaints = 0;
    previousHandler = qInstallMessageHandler(watchForParseComplaints);
    {
        // A fresh widget: Qt caches parsed sheets per widget, so the window itself might not parse again.
        QWidget probe;
        probe.setStyleSheet(styleSheet);
        probe.ensurePolished();
    }
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    category->setEnabled(QtWarningMsg, warningsWereOn);
    return parseComplaints == 0;
}

} // namespace

void applySkin(QWidget& window, const QString& programFolder) {
    const QString path = programFolder + u"/x/o.cjs"_s;
    const RegularFileRead file = readRegularFile(path, kLargestSkin);
    // A dangling link, a folder or a named pipe at the skin's place means "no skin", like a missing
    // file; none of them is opened.
    if (file.outcome == RegularFileRead::Outcome::NotFound ||
        file.outcome == RegularFileRead::Outcome::NotRegular)
        return;
    recolour(window);
    if (file.outcome == RegularFileRead::Outcome::TooLarge)
        throw Failure(QCoreApplication::translate("Skin", "The skin %1 is larger than 1 MB").arg(path));
    if (file.outcome == RegularFileRead::Outcome::CannotRead)
        throwErrno(file.error);
    const QString styleSheet = withUsableFilesOnly(decodeUtf8(file.bytes, path));
    if (!qtAccepts(styleSheet))
        throw Failure(QCoreApplication::translate("Skin", "The skin %1 is not a style sheet that Qt can read")
                          .arg(path));
    window.setStyleSheet(styleSheet);
}

} // namespace zorvik
