#include "results/ResultLineFormat.h"

#include <QStringBuilder>

#include <charconv>
#include <initializer_list>
#include <iterator>

namespace zorvik {

namespace {

void appendDigits(QByteArray& out, quint64 value) {
    char digits[20];
    const std::to_chars_result end = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, qsizetype(end.ptr - digits));
}

bool isUtf8(std::initializer_list<QByteArrayView> pieces) {
    for (QByteArrayView piece : pieces)
        if (!piece.isValidUtf8())
            return false;
    return true;
}

QByteArray fileUrl(QByteArrayView pathStart, QByteArrayView pathEnd) {
    QByteArray path = pathStart.toByteArray();
    path.append(pathEnd);
    return QByteArray("file://") + path.toPercentEncoding("/");
}

// One field, quoted only when a comma, quote or line break would otherwise end it.
void appendCsvField(QByteArray& out, std::initializer_list<QByteArrayView> pieces) {
    bool quoted = false;
    for (QByteArrayView piece : pieces)
        for (char c : piece)
            quoted |= (c == ',') | (c == '"') | (c == '\r') | (c == '\n'); // no branches: vectorised
    if (!quoted) {
        for (QByteArrayView piece : pieces)
            out.append(piece);
        return;
    }
    out.append('"');
    for (QByteArrayView piece : pieces) {
        for (qsizetype quote; (quote = piece.indexOf('"')) >= 0; piece = piece.sliced(quote + 1)) {
            out.append(piece.first(quote + 1));
            out.append('"');
        }
        out.append(piece);
    }
    out.append('"');
}

void appendJsonString(QByteArray& out, std::initializer_list<QByteArrayView> pieces) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.append('"');
    for (QByteArrayView piece : pieces) {
        // Runs that need no escape go in at once: a million lines are mostly such runs.
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < piece.size(); ++i) {
            const auto byte = static_cast<unsigned char>(piece[i]);
            if (byte >= 0x20 && byte != '"' && byte != '\\')
                continue;
            out.append(piece.sliced(runStart, i - runStart));
            runStart = i + 1;
            if (byte == '"' || byte == '\\') {
                out.append('\\');
                out.append(char(byte));
            } else if (byte == '\n') {
                out.append("\\n");
            } else if (byte == '\t') {
                out.append("\\t");
            } else if (byte == '\r') {
                out.append("\\r");
            } else {
                out.append("\\u00");
                out.append(kHex[byte >> 4]);
                out.append(kHex[byte & 0xf]);
            }
        }
        out.append(piece.sliced(runStart));
    }
    out.append('"');
}

} // namespace

ResultLineFormat ResultLineFormat::text(QByteArrayView end) {
    return {Kind::Text, end};
}

ResultLineFormat ResultLineFormat::csv() {
    return {Kind::Csv, "\r\n"};
}

ResultLineFormat ResultLineFormat::jsonLines() {
    return {Kind::JsonLines, "\n"};
}

QByteArrayView ResultLineFormat::header() const {
    if (kind_ == Kind::Csv)
        return "path,bytes,size_text\r\n";
    return {};
}

void ResultLineFormat::append(QByteArray& out, QByteArrayView pathStart, QByteArrayView pathEnd,
                              quint64 bytes, QByteArrayView sizeText) const {
    switch (kind_) {
    case Kind::Text:
        out.append(pathStart);
        out.append(pathEnd);
        break;
    case Kind::Csv:
        if (isUtf8({pathStart, pathEnd}))
            appendCsvField(out, {pathStart, pathEnd});
        else
            out.append(fileUrl(pathStart, pathEnd)); // nothing in it needs quoting
        out.append(',');
        appendDigits(out, bytes);
        out.append(',');
        appendCsvField(out, {sizeText});
        break;
    case Kind::JsonLines:
        out.append("{\"path\":");
        if (isUtf8({pathStart, pathEnd}))
            appendJsonString(out, {pathStart, pathEnd});
        else
            appendJsonString(out, {fileUrl(pathStart, pathEnd)});
        out.append(",\"bytes\":");
        appendDigits(out, bytes);
        out.append(",\"size_text\":");
        appendJsonString(out, {sizeText});
        out.append('}');
        break;
    }
    out.append(end_);
}

} // namespace zorvik
