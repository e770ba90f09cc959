#include "results/ResultDragData.h"

#include "platform/FileUrl.h"

#include <QFile>
#include <QMimeData>
#include <QModelIndex>
#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

QStringList resultDragTypes() {
    return {u"text/uri-list"_s, u"text/plain"_s};
}

std::vector<int> draggedRows(const QModelIndexList& cells, int rows) {
    std::vector<int> result;
    for (const QModelIndex& at : cells)
        if (at.isValid() && at.row() < rows)
            result.push_back(at.row());
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

QMimeData* resultDragData(const QList<QByteArray>& paths) {
    if (paths.isEmpty())
        return nullptr;
    QByteArray uris;
    QString texts;
    for (const QByteArray& path : paths) {
        uris += fileUrlOf(path).toEncoded() + "\r\n";
        texts += QFile::decodeName(path) + u'\n';
    }
    auto* data = new QMimeData;
    data->setData(u"text/uri-list"_s, uris);
    data->setText(texts);
    return data;
}

} // namespace zorvik
