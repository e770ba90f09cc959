#include "platform/FileUrl.h"

namespace zorvik {

QUrl fileUrlOf(const QByteArray& path) {
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"), QUrl::StrictMode);
}

} // namespace zorvik
