#include "platform/QtDesktop.h"

#include "platform/FileUrl.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
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

// Asks the file manager to show the item; false when none answered.
bool askFileManager(const QUrl& item) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s,
                                       u"org.freedesktop.FileManager1"_s, u"ShowItems"_s);
    call << QStringList{QString::fromLatin1(item.toEncoded())} << QString();
    // A file manager that is not running is started by the bus; give it a moment, not forever.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

std::optional<QString> QtDesktop::openFile(const QByteArray& path) {
    return open(fileUrlOf(path));
}

std::optional<QString> QtDesktop::showInFolder(const QByteArray& path) {
    if (askFileManager(fileUrlOf(path)))
        return std::nullopt;
    return open(fileUrlOf(folderOf(path)));
}

} // namespace zorvik
