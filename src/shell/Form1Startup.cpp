// Start-up sequence, Help and the home-page visit.
#include "shell/Form1.h"

#include "core/AppTitle.h"
#include "core/ErrorReport.h"
#include "core/Steps.h"
#include "criteria/CriteriaPanel.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "platform/PathStatus.h"
#include "platform/SettingsStore.h"
#include "results/ResultList.h"
#include "shell/Skin.h"

#include <QFile>
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

int px(int twips) {
    return qRound(twips / 15.0);
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

// The keys, after the design's sentence of the Help box.
QString keysHelp() {
    return Form1::tr("Keys:\n"
                     "Ctrl+F – go to the size of the chosen condition\n"
                     "Return in a size box – start finding\n"
                     "Escape – stop a running search\n"
                     "Delete in the folder list – remove the selected folder\n"
                     "Menu or Shift+F10 in the folder list – folders to skip, search options\n"
                     "Space in the result list – check or uncheck the selected rows\n"
                     "Ctrl+Return in the result list – show the file in its folder\n"
                     "Menu or Shift+F10 in the result list – its commands\n"
                     "F1 – this help");
}

} // namespace

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

    s->run(128, [&] { folders->addColumn(tr("Folder(s)")); });
    s->run(130, [&] { ListView1->horizontalHeader()->resizeSection(0, px(7000)); });
    s->run(132, [&] { results->addColumn(tr("Results")); });
    s->run(134, [&] { results->addColumn(tr("Size")); });
    s->run(136, [&] { ListView2->horizontalHeader()->resizeSection(0, px(5500)); });
    s->run(138, [&] { ListView2->horizontalHeader()->resizeSection(1, px(1800)); });

    criteria_->fillUnitLists(*s, 140);
    criteria_->restore(*s);

    // Said once the event loop runs, over the shown window: a box before it would stand alone on the
    // screen, with nothing to say what it belongs to.
    if (const QString notice = services_.settings->setAsideNotice(); !notice.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, notice] { services_.dialogs->notice(applicationTitle_, notice); },
            Qt::QueuedConnection);
    }
}

void Form1::loadHandCursor(const QString& path) {
    QPixmap image;
    if (!image.load(path, "ICO"))
        throw Failure(tr("Invalid picture"));
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
        services_.dialogs->notice(applicationTitle_, tr("Questions? Please contact Team Teskaro at ") +
                                                         QString::fromUtf16(kContactPageUrl) + u"\n\n"_s +
                                                         keysHelp());
    });
}

} // namespace zorvik
