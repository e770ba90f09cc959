#include "platform/IniDocument.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

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

// The value of a digit in base 8 or 16, or -1.
int digitValue(char16_t c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

int digitValue(char byte, int base) {
    return digitValue(char16_t(uchar(byte)), base);
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

void chopTrailingBlanks(QString& text, qsizetype limit) {
    while (text.size() > limit && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
}

// A value as QSettings unescapes it: blanks around it dropped unless quoted, backslash escapes (C's,
// \xHHHH, octal, a line break continuing the line), and unquoted commas splitting it into a list.
struct Unescaped {
    QString text;
    QStringList list;
    bool isList = false;
};

Unescaped unescapedValue(QByteArrayView bytes) {
    static constexpr std::pair<char, char16_t> kSimpleEscapes[] = {
        {'a', u'\a'}, {'b', u'\b'}, {'f', u'\f'}, {'n', u'\n'},  {'r', u'\r'}, {'t', u'\t'},
        {'v', u'\v'}, {'"', u'"'},  {'?', u'?'},  {'\'', u'\''}, {'\\', u'\\'}};
    Unescaped result;
    QString& text = result.text;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    bool inQuotes = false;
    bool quoted = false;
    // Trailing blanks are dropped only back to what an escape or a closing quote produced; a value
    // that ends inside an escape keeps them.
    qsizetype chopLimit = 0;
    bool chopAtEnd = true;
    auto skipBlanks = [&] {
        while (i < size && (bytes[i] == ' ' || bytes[i] == '\t'))
            ++i;
        chopLimit = text.size();
    };
    skipBlanks();
    while (i < size) {
        const char c = bytes[i];
        if (c == '\\') {
            if (++i == size) {
                chopAtEnd = false;
                break;
            }
            const char escaped = bytes[i++];
            const auto* simple = std::find_if(std::begin(kSimpleEscapes), std::end(kSimpleEscapes),
                                              [&](const auto& pair) { return pair.first == escaped; });
            if (simple != std::end(kSimpleEscapes)) {
                text += QChar(simple->second);
                chopLimit = text.size();
                continue;
            }
            int base = 0;
            char16_t number = 0;
            if (escaped == 'x') {
                if (i == size) {
                    chopAtEnd = false;
                    break;
                }
                if (digitValue(bytes[i], 16) >= 0)
                    base = 16;
            } else if (digitValue(escaped, 8) >= 0) {
                base = 8;
                number = char16_t(digitValue(escaped, 8));
            } else if ((escaped == '\n' || escaped == '\r') && i < size &&
                       (bytes[i] == '\n' || bytes[i] == '\r') && bytes[i] != escaped) {
                ++i;
            }
            if (base != 0) {
                for (; i < size; ++i) {
                    const int digit = digitValue(bytes[i], base);
                    if (digit < 0)
                        break;
                    number = char16_t(number * base + digit);
                }
                text += QChar(number);
                if (i == size) {
                    chopAtEnd = false;
                    break;
                }
            }
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingBlanks(text, chopLimit);
            result.isList = true;
            result.list.append(std::exchange(text, QString()));
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            qsizetype j = i + 1;
            while (j < size && bytes[j] != '\\' && bytes[j] != '"' && bytes[j] != ',')
                ++j;
            text += fromUtf8(bytes.sliced(i, j - i));
            i = j;
        }
    }
    if (chopAtEnd && !quoted)
        chopTrailingBlanks(text, chopLimit);
    if (result.isList)
        result.list.append(text);
    return result;
}

// The text of a value, or none for Qt's typed forms: a leading '@' marks them, "@@" stands for a
// text's own leading '@' and "@String(...)" for a text with a NUL character.
std::optional<QString> plainText(QString value) {
    if (!value.startsWith(u'@'))
        return value;
    if (value.endsWith(u')')) {
        for (const QLatin1StringView typed :
             {"@ByteArray("_L1, "@Variant("_L1, "@DateTime("_L1, "@Rect("_L1, "@Size("_L1, "@Point("_L1}) {
            if (value.startsWith(typed))
                return std::nullopt;
        }
        if (value.startsWith("@String("_L1))
            return value.sliced(8).chopped(1);
        if (value == "@Invalid()"_L1)
            return std::nullopt;
    }
    if (value.startsWith("@@"_L1))
        return value.sliced(1);
    return value;
}

std::optional<QString> plainText(const Unescaped& value) {
    if (!value.isList)
        return plainText(value.text);
    // Hand-edited, unquoted commas: a list for QSettings, read back as the text that was written.
    QStringList parts;
    for (const QString& part : value.list) {
        if (part.startsWith(u'@') && !part.startsWith("@@"_L1))
            return std::nullopt;
        parts << (part.startsWith(u'@') ? part.sliced(1) : part);
    }
    return parts.join(u',');
}

// The value as QSettings writes a text: C escapes for control characters (and hex digits after a
// numeric escape escaped too, so they do not extend it), UTF-8 for the rest, in quotes when it holds
// ',', ';' or '=' or has a blank at either end.
QByteArray escapedValue(const QString& text) {
    QString value = text;
    if (value.contains(QChar(u'\0')))
        value = "@String("_L1 + value + u')';
    else if (value.startsWith(u'@'))
        value.prepend(u'@');
    QByteArray bytes;
    bytes.reserve(value.size() + 2);
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    bool quote = false;
    bool digitsContinueEscape = false;
    for (const QChar character : std::as_const(value)) {
        const char16_t c = character.unicode();
        if (c == ';' || c == ',' || c == '=')
            quote = true;
        if (digitsContinueEscape && digitValue(c, 16) >= 0) {
            bytes += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        digitsContinueEscape = false;
        switch (c) {
        case u'\0':
            bytes += "\\0";
            digitsContinueEscape = true;
            break;
        case u'\a':
            bytes += "\\a";
            break;
        case u'\b':
            bytes += "\\b";
            break;
        case u'\f':
            bytes += "\\f";
            break;
        case u'\n':
            bytes += "\\n";
            break;
        case u'\r':
            bytes += "\\r";
            break;
        case u'\t':
            bytes += "\\t";
            break;
        case u'\v':
            bytes += "\\v";
            break;
        case u'"':
        case u'\\':
            bytes += '\\';
            bytes += char(c);
            break;
        default:
            // A byte-order mark in UTF-8 would be dropped when it comes first to the decoder, as it
            // does at the start of a value; QSettings reads the escape back as well.
            if (c <= 0x1F || c == 0xFEFF) {
                bytes += "\\x" + QByteArray::number(c, 16);
                digitsContinueEscape = true;
            } else if (c >= 0x7F) {
                bytes += toUtf8(QStringView(&character, 1));
            } else {
                bytes += char(c);
            }
        }
    }
    if (quote || bytes.startsWith(' ') || bytes.endsWith(' '))
        bytes = '"' + bytes + '"';
    return bytes;
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
    return plainText(
        unescapedValue(QByteArrayView(bytes_).sliced(entry.valueStart, entry.valueEnd - entry.valueStart)));
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
        edited = bytes_.first(entry.valueStart) + escapedValue(value) + bytes_.sliced(entry.valueEnd);
    } else {
        // QSettings puts "A/B/C" into [A] as B\C.
        const qsizetype slash = key.indexOf(u'/');
        const QString section = slash < 0 ? QString() : key.first(slash);
        const QString prefix = slash < 0 ? QString() : section + u'/';
        const QByteArray line =
            escapedKey(QStringView(key).sliced(slash + 1)) + '=' + escapedValue(value) + '\n';
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
