#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace zorvik {

bool QtClipboard::clear() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->clear();
    return true;
}

bool QtClipboard::setText(const QByteArray& utf8) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    // The bytes are shared, not copied, and no QString is made of them: other programs ask X11 for
    // UTF-8 (UTF8_STRING, or the charset-tagged type), which Qt serves from these bytes as they are.
    auto* data = new QMimeData;
    data->setData(u"text/plain"_s, utf8);
    data->setData(u"text/plain;charset=utf-8"_s, utf8);
    clipboard->setMimeData(data);
    // Qt reports no failure. The clipboard gives back our own data only while the system counts this
    // program as its owner; comparing the pointer spares reading a text of a gigabyte back.
    return clipboard->mimeData() == data;
}

} // namespace zorvik
