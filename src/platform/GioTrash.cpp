#include "platform/GioTrash.h"

#include <gio/gio.h>

namespace zorvik {

std::optional<QString> GioTrash::moveToTrash(const QByteArray& path) {
    // GIO takes the path's bytes as they are, so names that are not UTF-8 are trashed like any other.
    GFile* file = g_file_new_for_path(path.constData());
    GError* error = nullptr;
    const gboolean trashed = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (trashed)
        return std::nullopt;
    const QString reason =
        error ? QString::fromUtf8(error->message) : QStringLiteral("The trash refused the file.");
    if (error)
        g_error_free(error);
    return reason;
}

} // namespace zorvik
