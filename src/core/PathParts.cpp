#include "core/PathParts.h"

namespace zorvik {

QByteArray joinPath(const QByteArray& folderPath, QByteArrayView name) {
    QByteArray path;
    path.reserve(folderPath.size() + name.size() + 1);
    path.append(folderPath);
    if (!folderPath.endsWith('/'))
        path.append('/');
    path.append(name);
    return path;
}

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace zorvik
