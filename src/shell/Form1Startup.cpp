// Start-up sequence, Help, the home-page visit and the real services of the program.
#include "shell/Form1.h"

#include "criteria/NumberReading.h"
#include "folders/FolderList.h"
#include "platform/PathExists.h"
#include "platform/QtDialogs.h"
#include "platform/QtSettingsStore.h"
#include "results/ResultList.h"
#include "results/ResultServices.h"
#include "search/SearchServices.h"
#include "shell/AppTitle.h"
#include "shell/ErrorReport.h"
#include "shell/Skin.h"
#include "shell/Steps.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QTime>
#include <QTreeView>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

int px(int twips) {
    return qRound(twips / 15.0);
}

// A stored unit index: a number that fits 16 bits, and a position of the list or -1 (nothing chosen).
int unitIndexFrom(const QString& text, const QLocale& locale) {
    const std::optional<double> number = toNumber(text, locale);
    if (!number)
        throw Failure(u"Type mismatch"_s);
    const double rounded = std::nearbyint(*number); // halves to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        throw Failure(u"Overflow"_s);
    if (rounded < -1 || rounded > 3)
        throw Failure(u"Invalid property value"_s);
    return int(rounded);
}

// A stored option state: the words True and False, or any number (zero is false).
bool truthFrom(const QString& text, const QLocale& locale) {
    if (text == u"True"_s)
        return true;
    if (text == u"False"_s)
        return false;
    if (const std::optional<double> number = toNumber(text, locale))
        return *number != 0.0;
    throw Failure(u"Type mismatch"_s);
}

// Reads the hotspot from a .cur file's first directory entry (bytes 10 to 13), which Qt's ico
// reader does not pass on.
QPoint cursorHotspot(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(14);
    if (head.size() < 14)
        return {};
    auto word = [&](int at) { return int(quint8(head[at])) | (int(quint8(head[at + 1])) << 8); };
    return {word(10), word(12)};
}

} // namespace

Services defaultServices(QWidget* dialogParent) {
    Services services;
    auto dialogs = std::make_shared<QtDialogs>();
    dialogs->setParentWindow(dialogParent);
    services.dialogs = dialogs;
    services.settings = std::make_shared<QtSettingsStore>();
    services.locale = QLocale::system();
    services.programFolder = QCoreApplication::applicationDirPath();
    services.homePageDraw = [] {
        QRandomGenerator generator(quint32(QTime::currentTime().msecsSinceStartOfDay()));
        return int(generator.generateDouble() * 100) + 1;
    };
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    installDefaultSearchServices(services);
    installDefaultResultServices(services, dialogParent);
    return services;
}

void Form1::Form_Load() {
    auto s = steps(u"Form_Load"_s);
    s->run(100, [&] { applySkin(*this, services_.programFolder); });
    s->run(104, [&] {
        setWindowTitle(QString::fromUtf16(kProductTitle));
        setWindowIcon(QIcon(u":/zorvik/icon.png"_s));
        applicationTitle_ = applicationTitleFrom(QString::fromUtf16(kProductTitle));
    });
    const QString cursorPath = services_.programFolder + u"/HAND-M.CUR"_s;
    if (s->test(106, [&] { return PathExists(cursorPath); }))
        s->run(108, [&] { loadHandCursor(cursorPath); });
    s->run(110, [&] { visitHomePageRandomly(); });

    s->run(128, [&] { folders->addColumn(u"Folder(s)"_s); });
    s->run(130, [&] { ListView1->header()->resizeSection(0, px(7000)); });
    s->run(132, [&] { results->addColumn(u"Results"_s); });
    s->run(134, [&] { results->addColumn(u"Size"_s); });
    s->run(136, [&] { ListView2->header()->resizeSection(0, px(5500)); });
    s->run(138, [&] { ListView2->header()->resizeSection(1, px(1800)); });

    int step = 140;
    for (QComboBox* combo : Combo) {
        for (const char16_t* name : kUnitNames) {
            s->run(step, [&] {
                // A list that gets its first item selects it; the design's lists stay unselected
                // until the restore below chooses.
                const QSignalBlocker quiet(combo);
                combo->addItem(QString::fromUtf16(name));
                combo->setCurrentIndex(-1);
            });
            step += 2;
        }
    }
    restoreSettings(*s);
}

void Form1::restoreSettings(Steps& s) {
    SettingsStore& settings = *services_.settings;
    for (int i = 0; i < 5; ++i) {
        const QString key = u"Combo"_s + QString::number(i + 1);
        s.run(180 + 2 * i, [&] {
            Combo[i]->setCurrentIndex(unitIndexFrom(settings.read(key, u"0"_s), services_.locale));
        });
    }
    const QString textDefaults[5] = {u"100"_s, u"200"_s, u"100"_s, u"100"_s, u"100"_s};
    for (int i = 0; i < 5; ++i) {
        const QString key = u"Text"_s + QString::number(i + 1);
        s.run(190 + 2 * i, [&] { Text[i]->setText(settings.read(key, textDefaults[i])); });
    }
    for (int i = 0; i < 4; ++i) {
        const QString key = u"Option"_s + QString::number(i + 1);
        s.run(200 + 2 * i, [&] {
            const bool chosen = truthFrom(settings.read(key, i == 0 ? u"1"_s : u"0"_s), services_.locale);
            if (chosen) {
                Option[i]->setChecked(true);
                Option_Click(i + 1); // choosing a button runs its click, as a user's choice would
            } else if (Option[i]->isChecked()) {
                // A group may be left with no button chosen; radio buttons refuse that unless told.
                Option[i]->setAutoExclusive(false);
                Option[i]->setChecked(false);
                Option[i]->setAutoExclusive(true);
            }
        });
    }
}

void Form1::loadHandCursor(const QString& path) {
    QPixmap image;
    if (!image.load(path, "ICO"))
        throw Failure(u"Invalid picture"_s);
    const QPoint hotspot = cursorHotspot(path);
    handCursor_ = QCursor(image, hotspot.x(), hotspot.y());
}

void Form1::visitHomePageRandomly() {
    if (services_.homePageDraw && services_.homePageDraw() == 7 && services_.openUrl)
        services_.openUrl(QUrl(QString::fromUtf16(kHomePageUrl)));
}

void Form1::PushButton5_Click() {
    auto s = steps(u"PushButton5_Click"_s);
    s->run(100, [&] {
        services_.dialogs->notice(applicationTitle_, u"Questions? Please contact Team Teskaro at "_s +
                                                         QString::fromUtf16(kContactPageUrl));
    });
}

} // namespace zorvik
