// Any bytes as the skin file beside the program: applied whole (but for the files it names that
// cannot be used), or refused with a Failure, and Qt's message handling left as it was found.
#include "FuzzCheck.h"
#include "OffscreenApp.h"
#include "core/Failure.h"
#include "shell/Skin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;
using zorvik::fuzz::visible;

namespace {

std::unique_ptr<QTemporaryDir> programFolder;
int parseComplaintsSeen = 0;

// Stands for whatever handler the program had before the skin: it must get back every message that
// is not the parser's, and be the handler again afterwards. It keeps Qt's other warnings about odd
// sheets off the fuzzer's output.
void outerHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(u"Could not parse"_s))
        ++parseComplaintsSeen;
    if (type == QtFatalMsg)
        std::abort();
}

// Strict UTF-8 (RFC 3629): no overlong forms, no surrogates, nothing above U+10FFFF.
bool isUtf8(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = quint8(bytes[i]);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = quint8(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// A window with a control of each kind that the skin recolours, and some that it leaves alone.
struct Window {
    QWidget window;
    QGroupBox* frame = new QGroupBox(u"Search Option"_s, &window);
    QRadioButton* option = new QRadioButton(u"Between"_s, frame);
    QLineEdit* text = new QLineEdit(frame);
    QComboBox* combo = new QComboBox(frame);
    QLabel* label = new QLabel(u"Label"_s, &window);
    QCheckBox* check = new QCheckBox(u"Check"_s, &window);
    QPushButton* button = new QPushButton(u"Start Finding"_s, &window);
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    zorvik::fuzz::startOffscreenApplication((*argv)[0]);
    programFolder = std::make_unique<QTemporaryDir>();
    if (!programFolder->isValid() || !QDir().mkpath(programFolder->path() + u"/x"_s))
        std::abort();
    qInstallMessageHandler(outerHandler);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile skin(programFolder->path() + u"/x/o.cjs"_s);
        if (!skin.open(QIODevice::WriteOnly | QIODevice::Truncate) || skin.write(bytes) != bytes.size())
            std::abort();
    }

    // Half the inputs run with warnings switched off, as logging rules may have it; the skin's check
    // must not depend on them, nor leave them changed.
    const bool warningsOn = size % 2 == 0;
    QLoggingCategory* category = QLoggingCategory::defaultCategory();
    category->setEnabled(QtWarningMsg, warningsOn);

    Window w;
    parseComplaintsSeen = 0;
    std::optional<QString> failure;
    try {
        zorvik::applySkin(w.window, programFolder->path());
    } catch (const zorvik::Failure& f) {
        failure = f.description();
    }
    const QString detail = visible(QString::fromUtf8(bytes.left(200))) + u" -> "_s +
                           (failure ? visible(*failure) : visible(w.window.styleSheet()));

    FUZZ_CHECK(qInstallMessageHandler(outerHandler) == outerHandler, detail);
    FUZZ_CHECK(category->isWarningEnabled() == warningsOn, detail);
    FUZZ_CHECK(parseComplaintsSeen == 0, detail);
    // The colours change before the file is read, whatever it holds.
    FUZZ_CHECK(w.frame->autoFillBackground() && w.option->autoFillBackground(), detail);

    const bool utf8 = isUtf8(bytes);
    if (!utf8) {
        FUZZ_CHECK(failure && failure->endsWith(u" is not valid UTF-8"_s), detail);
        FUZZ_CHECK(w.window.styleSheet().isEmpty(), detail);
        return 0;
    }
    if (failure) {
        FUZZ_CHECK(failure->endsWith(u" is not a style sheet that Qt can read"_s), detail);
        FUZZ_CHECK(w.window.styleSheet().isEmpty(), detail);
        return 0;
    }
    // A byte-order mark is no part of the sheet; a second one is a character of it. (fromUtf8 would
    // drop that one too.)
    const QByteArray sheet = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder keepingMarks(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    // Each url( whose file cannot be used is renamed left-out-url(; nothing else changes.
    const QString leftOut = u"left-out-"_s;
    FUZZ_CHECK(QString(w.window.styleSheet()).remove(leftOut) == QString(keepingMarks(sheet)).remove(leftOut),
               detail);
    // The window's own parse agrees with the skin's check.
    if (warningsOn) {
        for (QWidget* widget : w.window.findChildren<QWidget*>())
            widget->ensurePolished();
        w.window.ensurePolished();
        FUZZ_CHECK(parseComplaintsSeen == 0, detail);
    }
    return 0;
}
