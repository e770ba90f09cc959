// Any bytes as the settings file: every key reads as QSettings reads it, and setting one key reads
// back the text that was set and leaves every other key's value as it was.
#include "FuzzCheck.h"
#include "platform/IniDocument.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using zorvik::IniDocument;
using zorvik::fuzz::visible;

namespace {

std::unique_ptr<QTemporaryDir> folder;

bool isWellFormedKey(const QString& key) {
    return !key.isEmpty() && !key.startsWith(u'/') && !key.endsWith(u'/') && !key.contains(u"//"_s);
}

QStringList sorted(QStringList keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
}

QString shown(const std::optional<QString>& text) {
    return text ? visible(*text) : u"<none>"_s;
}

// QSettings reads the same bytes the same way. Files with '@' are left out: the typed values it would
// decode are what the document refuses to decode. So are files that start with a byte-order mark:
// Qt 6.4 keeps the blanks before the first key after one.
void compareWithQSettings(const QByteArray& bytes, const IniDocument& document) {
    if (bytes.contains('@') || bytes.startsWith("\xEF\xBB\xBF"))
        return;
    static int files = 0;
    // A file of its own each time: QSettings keeps what it parsed of a path while size and time match.
    const QString path = folder->path() + u"/"_s + QString::number(++files) + u".conf"_s;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    {
        const QSettings qt(path, QSettings::IniFormat);
        const QString where = visible(QString::fromLatin1(bytes.left(300)));
        FUZZ_CHECK(sorted(qt.allKeys()) == sorted(document.keys()),
                   where + u" -> "_s + sorted(qt.allKeys()).join(u' ') + u" / "_s +
                       sorted(document.keys()).join(u' '));
        for (const QString& key : document.keys()) {
            if (!isWellFormedKey(key))
                continue;
            const QVariant value = qt.value(key);
            const QString text =
                value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',') : value.toString();
            FUZZ_CHECK(document.text(key) == text,
                       where + u" " + key + u": "_s + visible(text) + u" / "_s + shown(document.text(key)));
        }
    }
    QFile::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Each input is written to a file for QSettings: in memory where the system has a place for it.
    folder = QDir(u"/dev/shm"_s).exists() ? std::make_unique<QTemporaryDir>(u"/dev/shm/zorvik-fuzz-XXXXXX"_s)
                                          : std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        std::abort();
    return 0;
}

// Input: the file, then RS (0x1E), a key, RS and a value (UTF-8); without two separators the whole
// input is the file and "Zorvik/Text1" is set to "1".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype valueAt = input.lastIndexOf('\x1e');
    const qsizetype keyAt = valueAt > 0 ? input.lastIndexOf('\x1e', valueAt - 1) : -1;
    const QByteArray bytes = keyAt >= 0 ? input.first(keyAt) : input;
    const QString key =
        keyAt >= 0 ? QString::fromUtf8(input.sliced(keyAt + 1, valueAt - keyAt - 1)) : u"Zorvik/Text1"_s;
    const QString value = keyAt >= 0 ? QString::fromUtf8(input.sliced(valueAt + 1)) : u"1"_s;

    const IniDocument before(bytes);
    compareWithQSettings(bytes, before);

    IniDocument after = before;
    const QString where =
        visible(QString::fromLatin1(bytes.left(300))) + u" with "_s + visible(key) + u"="_s + visible(value);
    if (!isWellFormedKey(key)) {
        FUZZ_CHECK(!after.setText(key, value) && after.bytes() == bytes, where);
        return 0;
    }
    FUZZ_CHECK(after.setText(key, value), where);
    FUZZ_CHECK(after.text(key) == value, where + u" reads "_s + shown(after.text(key)));
    QStringList expectedKeys = before.keys();
    if (!expectedKeys.contains(key))
        expectedKeys << key;
    FUZZ_CHECK(sorted(after.keys()) == sorted(expectedKeys),
               where + u" -> "_s + sorted(after.keys()).join(u' '));
    for (const QString& other : before.keys()) {
        if (other != key)
            FUZZ_CHECK(after.text(other) == before.text(other),
                       where + u" changed "_s + visible(other) + u" to "_s + shown(after.text(other)));
    }
    // Setting the same text again changes no byte.
    IniDocument again = after;
    FUZZ_CHECK(again.setText(key, value) && again.bytes() == after.bytes(), where);
    if (!value.contains(u'@'))
        compareWithQSettings(after.bytes(), after);
    return 0;
}
