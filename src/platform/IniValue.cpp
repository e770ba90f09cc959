#include "platform/IniValue.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

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
} // namespace

QByteArray iniEscapedValue(const QString& text) {
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

std::optional<QString> iniValueText(QByteArrayView bytes) {
    return plainText(unescapedValue(bytes));
}

} // namespace zorvik
