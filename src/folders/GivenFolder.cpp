#include "folders/GivenFolder.h"

#include "folders/NormalizePath.h"

#include <QList>

#include <cerrno>
#include <vector>

#include <unistd.h>

namespace zorvik {

namespace {

QByteArray currentFolderPath() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        // A current folder that was removed, or is out of reach, leaves relative folders as given: the
        // system then says why it cannot find them.
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.data());
}

} // namespace

QByteArray givenFolderPath(const QByteArray& argument, const QByteArray& currentFolder) {
    QByteArray path = argument;
    // An empty argument names no folder at all (not the current one): the system says so.
    if (!path.isEmpty() && !path.startsWith('/') && !currentFolder.isEmpty())
        path = currentFolder + '/' + argument;
    path = NormalizePath(path);
    if (!path.startsWith('/'))
        return path;
    const QList<QByteArray> steps = path.split('/'); // the first is the empty one before the root
    QByteArray result;
    result.reserve(path.size());
    for (qsizetype i = 1; i < steps.size(); ++i) {
        if (steps[i] == "." || (i == steps.size() - 1 && steps[i].isEmpty()))
            continue;
        result += '/' + steps[i];
    }
    return result.isEmpty() ? QByteArray("/") : result;
}

QByteArray givenFolderPath(const QByteArray& argument) {
    return givenFolderPath(argument, argument.startsWith('/') ? QByteArray() : currentFolderPath());
}

} // namespace zorvik
