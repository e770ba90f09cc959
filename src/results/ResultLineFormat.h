#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace zorvik {

// How one found file becomes a line of a saved file or of the printed output. The window's save and
// the command line share it, so a CSV file is the same whichever of them wrote it.
//
// Paths are the system's bytes. Text keeps them as they are. CSV and JSON are read by programs that
// expect UTF-8, so a path that is not valid UTF-8 is written as its file URL instead ("file://" and
// every byte outside the unreserved characters and '/' percent-encoded, as in the desktop's
// text/uri-list): a path always starts with '/', a URL never does, and the URL gives back the exact
// bytes.
class ResultLineFormat {
public:
    // The path's own bytes followed by `end` ("\n", a NUL, or "\r\n" for the window's text file).
    static ResultLineFormat text(QByteArrayView end);
    // RFC 4180: a header line, then path, bytes and size text; fields quoted where they must be; CR LF.
    static ResultLineFormat csv();
    // JSON Lines: {"path":…,"bytes":…,"size_text":…} and a line feed.
    static ResultLineFormat jsonLines();

    // What goes before the first line: CSV's header, nothing for the others.
    QByteArrayView header() const;
    // Whether lines show the size text (text lines do not: a caller may then pass none).
    bool showsSizeText() const { return kind_ != Kind::Text; }
    // Appends the line of a file whose path is `pathStart` followed by `pathEnd` (a folder's path with
    // its '/' and a name, or a whole path and nothing), of `bytes` bytes shown as `sizeText` (UTF-8).
    void append(QByteArray& out, QByteArrayView pathStart, QByteArrayView pathEnd, quint64 bytes,
                QByteArrayView sizeText) const;

private:
    enum class Kind { Text, Csv, JsonLines };
    ResultLineFormat(Kind kind, QByteArrayView end) : kind_(kind), end_(end.toByteArray()) {}

    Kind kind_;
    QByteArray end_;
};

} // namespace zorvik
