#include "platform/IniDocument.h"

#include "platform/IniValue.h"

#include <QByteArrayView>

#include <algorithm>
#include <iterator>
#include <utility>

using namespace Qt::StringLiterals;

// The grammar below is the one QSettings' INI reader uses on Linux (case-sensitive keys, UTF-8), so that
// a file either program wrote means the same to the other.
namespace zorvik {

namespace {

bool isBlankOrBreak(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool endsLogicalLineOrMatters(char c) {
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One logical line: it may span several physical lines (a quoted line break, a backslash before a
// line break) and stops before a ';' that starts a comment.
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1; // the first '=' outside quotes
    bool endsInEscape = false;
    bool endsInQuotes = false;
};

// Reads the next logical line from `pos`, skipping blank lines and lines that are whole comments.
bool nextLine(QByteArrayView data, qsizetype& pos, Line& line) {
    const qsizetype size = data.size();
    line = Line();
    line.start = pos;
    while (line.start < size && isBlankOrBreak(data[line.start]))
        ++line.start;
    bool inQuotes = false;
    qsizetype i = line.start;
    while (i < size) {
        while (i < size && !endsLogicalLineOrMatters(data[i]))
            ++i;
        if (i == size)
            break;
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i == size) {
                line.endsInEscape = true;
                break;
            }
            const char escaped = data[i++];
            if (i < size) {
                const char next = data[i];
                if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (i == line.start + 1) { // ';' opening the line: a comment line
            while (i < size && data[i] != '\n' && data[i] != '\r')
                ++i;
            while (i < size && isBlankOrBreak(data[i]))
                ++i;
            line.start = i;
        } else if (!inQuotes) { // ';' after something: the rest of the physical line is a comment
            --i;
            break;
        }
    }
    line.endsInQuotes = inQuotes && i == size;
    line.end = i;
    pos = i;
    return line.end > line.start;
}

// Keys and section names: '\' stands for '/', "%XX" and "%UXXXX" for any character.
QString unescapedKey(QByteArrayView bytes) {
    const QString text = QString::fromUtf8(bytes);
    QString key;
    key.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text[i].unicode();
        if (c == '\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c != '%' || i == text.size() - 1) {
            key += text[i++];
            continue;
        }
        const qsizetype first = text[i + 1] == u'U' ? i + 2 : i + 1;
        const qsizetype digits = text[i + 1] == u'U' ? 4 : 2;
        bool ok = first + digits <= text.size();
        // Qt's own number reading, with its leniency (blanks around the digits, a sign).
        const ushort value = ok ? QStringView(text).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += u'%';
            ++i;
            continue;
        }
        key += QChar(value);
        i = first + digits;
    }
    return key;
}

QByteArray escapedKey(QStringView key) {
    QByteArray bytes;
    for (const QChar character : key) {
        const char16_t c = character.unicode();
        if (c == '/') {
            bytes += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '-' || c == '.') {
            bytes += char(c);
        } else if (c <= 0xFF) {
            bytes += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        } else {
            bytes += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
        }
    }
    return bytes;
}

QString sectionPrefix(QByteArrayView line) {
    qsizetype close = line.indexOf(']');
    if (close < 0)
        close = line.size();
    const QByteArrayView name = line.first(close).sliced(1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1)) + u'/';
    return unescapedKey(name) + u'/';
}

QByteArray sectionHeader(const QString& section) {
    const QByteArray name = escapedKey(section);
    if (name.isEmpty())
        return "[General]";
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return "[%" + name + ']';
    return '[' + name + ']';
}

bool isWellFormedKey(const QString& key) {
    return !key.isEmpty() && !key.startsWith(u'/') && !key.endsWith(u'/') && !key.contains("//"_L1);
}

} // namespace

IniDocument::IniDocument(QByteArray bytes) : bytes_(std::move(bytes)) {
    index();
}

void IniDocument::index() {
    entries_.clear();
    current_.clear();
    sectionEnd_.clear();
    start_ = bytes_.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArrayView data = QByteArrayView(bytes_).sliced(start_);
    QString section; // lines before any header belong to [General]
    qsizetype pos = 0;
    Line line;
    Line last;
    while (nextLine(data, pos, line)) {
        last = line;
        const QByteArrayView text = data.sliced(line.start, line.end - line.start);
        if (text.startsWith('[')) {
            section = sectionPrefix(text);
        } else if (line.equals >= 0) {
            const QString key =
                section + unescapedKey(data.sliced(line.start, line.equals - line.start).trimmed());
            entries_.push_back({section, start_ + line.equals + 1, start_ + line.end});
            // QSettings reads the sections in the order of their names, each from top to bottom; the
            // last value it meets stays.
            const auto found = current_.constFind(key);
            if (found == current_.constEnd() || entries_[*found].section <= section)
                current_.insert(key, entries_.size() - 1);
        }
        sectionEnd_.insert(section, start_ + line.end);
    }
    lastLineRunsToEnd_ = last.end > last.start && last.end == data.size();
    endsInEscape_ = lastLineRunsToEnd_ && last.endsInEscape;
    endsInQuotes_ = lastLineRunsToEnd_ && last.endsInQuotes;
}

std::optional<QString> IniDocument::text(const QString& key) const {
    const auto found = current_.constFind(key);
    if (found == current_.constEnd())
        return std::nullopt;
    const Entry& entry = entries_[*found];
    return iniValueText(QByteArrayView(bytes_).sliced(entry.valueStart, entry.valueEnd - entry.valueStart));
}

// Where a line can go after the logical line that ends at `lineEnd`: past the comment that may follow
// it and past its line break; -1 when the file ends first.
qsizetype IniDocument::afterLineAt(qsizetype lineEnd) const {
    qsizetype at = lineEnd;
    while (at < bytes_.size() && bytes_[at] != '\n' && bytes_[at] != '\r')
        ++at;
    if (at == bytes_.size())
        return -1;
    if (bytes_[at] == '\r' && at + 1 < bytes_.size() && bytes_[at + 1] == '\n')
        ++at;
    return at + 1;
}

// What must come before text appended to the file so that the last line keeps its meaning and the
// new text starts a line of its own.
QByteArray IniDocument::endingForAppend() const {
    QByteArray ending;
    if (lastLineRunsToEnd_) {
        if (endsInEscape_)
            ending += '\n'; // taken by the backslash as a continued line, which ends at the next break
        if (endsInQuotes_)
            ending += '"';
        else if (bytes_.endsWith('\r'))
            ending += '\n'; // an escaped CR would take the LF after it as its pair
        ending += '\n';
    } else if (bytes_.size() > start_ && !bytes_.endsWith('\n') && !bytes_.endsWith('\r')) {
        ending += '\n';
    }
    return ending;
}

bool IniDocument::setText(const QString& key, const QString& value) {
    if (!isWellFormedKey(key))
        return false;
    QByteArray edited;
    const auto found = current_.constFind(key);
    if (found != current_.constEnd()) {
        const Entry& entry = entries_[*found];
        edited = bytes_.first(entry.valueStart) + iniEscapedValue(value) + bytes_.sliced(entry.valueEnd);
    } else {
        // QSettings puts "A/B/C" into [A] as B\C.
        const qsizetype slash = key.indexOf(u'/');
        const QString section = slash < 0 ? QString() : key.first(slash);
        const QString prefix = slash < 0 ? QString() : section + u'/';
        const QByteArray line =
            escapedKey(QStringView(key).sliced(slash + 1)) + '=' + iniEscapedValue(value) + '\n';
        const auto sectionEnd = sectionEnd_.constFind(prefix);
        const qsizetype at = sectionEnd == sectionEnd_.constEnd() ? -1 : afterLineAt(*sectionEnd);
        if (at >= 0)
            edited = bytes_.first(at) + line + bytes_.sliced(at);
        else if (sectionEnd != sectionEnd_.constEnd())
            edited = bytes_ + endingForAppend() + line;
        else // a new section, apart from the one before it
            edited = bytes_ + endingForAppend() + (bytes_.size() > start_ ? "\n" : "") +
                     sectionHeader(section) + '\n' + line;
    }
    IniDocument check(std::move(edited));
    if (check.text(key) != QString::fromUtf8(value.toUtf8()))
        return false;
    *this = std::move(check);
    return true;
}

} // namespace zorvik
