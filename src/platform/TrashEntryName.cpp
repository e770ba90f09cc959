#include "platform/TrashEntryName.h"

#include <QString>
#include <QUtf8StringView>

#include <climits>

namespace zorvik {

namespace {

// The record's name is the entry's with this ending, and it must fit as well.
constexpr qsizetype kRecordEnding = sizeof(".trashinfo") - 1;

// The first `most` bytes of `name`, one less each time a multi-byte character would be split where
// the name is UTF-8 (a broken character shows as garbage in the file manager); other names are cut
// where the bytes end.
QByteArray cut(const QByteArray& name, qsizetype most) {
    if (name.size() <= most)
        return name;
    qsizetype end = most;
    if (QUtf8StringView(name).isValidUtf8())
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            --end;
    return name.left(end);
}

} // namespace

QByteArray trashEntryName(const QByteArray& name, int attempt) {
    QByteArray suffix;
    if (attempt > 1)
        suffix = '.' + QByteArray::number(attempt);
    QByteArray entry = cut(name, NAME_MAX - kRecordEnding - suffix.size());
    entry += suffix;
    return entry;
}

} // namespace zorvik
