#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvik {

// A settings file in the INI form that QSettings reads and writes, edited in place: a changed value
// is replaced where it stands and a new key joins the end of its section, so every other byte of the
// file (other sections and keys, comments, line breaks) stays as it was. Keys are QSettings' keys,
// "Section/Key". Values are read as texts only; Qt's typed forms ("@Variant(...)", "@ByteArray(...)",
// "@Rect(...)"...) are never decoded, so no value can reach Qt's variant loader.
class IniDocument {
public:
    explicit IniDocument(QByteArray bytes = {});

    // The text QSettings reads for `key`; no value when the key is absent or holds a typed value.
    std::optional<QString> text(const QString& key) const;
    // Sets `key` (non-empty, no empty part between slashes) to the text `value`, written as QSettings
    // writes it. Returns false and changes nothing when the key is malformed or the edited file would
    // not read back `value` (a safeguard; not expected to happen).
    bool setText(const QString& key, const QString& value);
    // Every key that has a value of any form.
    QStringList keys() const { return current_.keys(); }
    const QByteArray& bytes() const { return bytes_; }

private:
    struct Entry {
        QString section; // the key's section as a prefix: "Zorvik/", or empty for [General]
        qsizetype valueStart = 0;
        qsizetype valueEnd = 0;
    };

    void index();
    qsizetype afterLineAt(qsizetype lineEnd) const;
    QByteArray endingForAppend() const;

    QByteArray bytes_;
    qsizetype start_ = 0; // past a byte-order mark
    std::vector<Entry> entries_;
    QHash<QString, std::size_t> current_;  // each key's entry that QSettings would read
    QHash<QString, qsizetype> sectionEnd_; // where the last line of each section's last block ends
    // How the file's last line ends when it runs to the end of the file: a backslash with nothing to
    // escape, or a quote left open, would swallow whatever is appended.
    bool lastLineRunsToEnd_ = false;
    bool endsInEscape_ = false;
    bool endsInQuotes_ = false;
};

} // namespace zorvik
