#pragma once

#include <QByteArray>
#include <QList>
#include <QModelIndexList>
#include <QStringList>

#include <vector>

class QMimeData;

namespace zorvik {

// What a drag of result rows carries to another program: the files' URLs made from the paths' bytes
// (text/uri-list, so names that are not UTF-8 arrive as they are) and the paths as text.
QStringList resultDragTypes();
// The rows (0-based, ascending, each once) of the cells dragged, of those below `rows`.
std::vector<int> draggedRows(const QModelIndexList& cells, int rows);
// The data of a drag of these paths, none for no path. The caller owns it.
QMimeData* resultDragData(const QList<QByteArray>& paths);

} // namespace zorvik
