#include "platform/QtDesktop.h"

#include "platform/FileUrl.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

std::optional<QString> open(const QUrl& url) {
    if (QDesktopServices::openUrl(url))
        return std::nullopt;
    return QCoreApplication::translate("zorvik::QtDesktop", "The desktop has no application to open it.");
}

} // namespace

std::optional<QString> QtDesktop::openFile(const QByteArray& path) {
    return open(fileUrlOf(path));
}

void QtDesktop::showInFolder(const QByteArray& path, Refused refused) {
    auto openFolder = [folder = fileUrlOf(folderOf(path)), refused = std::move(refused)] {
        if (const std::optional<QString> reason = open(folder))
            refused(*reason);
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolder();
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s,
                                       u"org.freedesktop.FileManager1"_s, u"ShowItems"_s);
    call << QStringList{QString::fromLatin1(fileUrlOf(path).toEncoded())} << QString();
    // A file manager that is not running is started by the bus; give it a moment, not forever. The
    // window goes on meanwhile; the watcher goes with the application if no answer comes before.
    auto* const answer = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), QCoreApplication::instance());
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, answer,
                     [openFolder = std::move(openFolder)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (finished->isError())
                             openFolder();
                     });
}

} // namespace zorvik
