#include "platform/PathExists.h"

#include <QFile>

#include <sys/stat.h>

namespace zorvik {

bool PathExists(const QString& path) {
    if (path.isEmpty())
        return false;
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace zorvik
