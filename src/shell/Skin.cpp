#include "shell/Skin.h"

#include "core/Failure.h"
#include "platform/PathStatus.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QRadioButton>
#include <QStringDecoder>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

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

QString readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(file.errorString());
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        throw Failure(u"The skin "_s + path + u" is not valid UTF-8"_s);
    return text;
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
    // A dangling link or a folder at the skin's place means "no skin", like a missing file.
    if (!IsRegularFile(path))
        return;
    recolour(window);
    const QString styleSheet = readUtf8(path);
    if (!qtAccepts(styleSheet))
        throw Failure(u"The skin "_s + path + u" is not a style sheet that Qt can read"_s);
    window.setStyleSheet(styleSheet);
}

} // namespace zorvik
