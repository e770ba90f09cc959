#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace zorvik {

// The result list behind ListView2: one row per file found, with its path (the operating system's
// bytes), its size text and a check box. Positions in the public operations are 1-based.
//
// Rows are appended far faster than a view can lay them out, so new rows are visible to count() and
// the accessors at once but are announced to views in batches (a few times a second, on
// announcePending(), and before any other change of the list).
class ResultList : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultList(QObject* parent = nullptr);
    ~ResultList() override;

    // Columns are created by the window's start-up: "Results", then "Size".
    void addColumn(const QString& header);

    // Appends a row for the file `name` inside `folderPath` (its path is folderPath + "/" + name, with
    // no doubled slash after the root "/"). Consecutive rows of one folder share its path.
    void add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText);
    // The same with the size text already in UTF-8.
    void add(const QByteArray& folderPath, QByteArrayView name, QByteArrayView sizeTextUtf8);
    // Appends a row with a complete path.
    void addPath(const QByteArray& path, const QString& sizeText);

    int count() const;
    QByteArray pathBytes(int position) const; // the path as the operating system's bytes
    // The same into `out`, whose storage is reused: for passes over every row.
    void pathBytesInto(int position, QByteArray& out) const;
    QString text(int position) const; // the path as shown (QFile::decodeName)
    QString sizeText(int position) const;
    bool checked(int position) const;
    void setChecked(int position, bool checked);

    void remove(int position);
    // Removes the rows at these positions (ascending, no duplicates) in one pass, announcing the
    // removals to views in as few contiguous ranges as possible.
    void removePositions(const std::vector<int>& ascendingPositions);
    void clear();
    void refresh();

    // Announces rows appended since the last announcement.
    void announcePending();

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // One row in 16 bytes: its name and size text sit side by side in the byte store, and its folder's
    // path (with the trailing '/') is shared with the other rows of that folder.
    struct Row {
        quint64 offset : 48;     // of the name in the byte store; the size text follows the name
        quint64 nameLength : 16; // bytes
        quint32 prefix;          // index into prefixes_
        quint16 sizeLength;      // bytes of the size text in UTF-8
        bool checked;
    };
    static_assert(sizeof(Row) == 16);

    const Row& row(int position) const;
    Row& row(int position);
    const char* bytesAt(quint64 offset) const;
    quint64 store(QByteArrayView name, QByteArrayView sizeText);
    quint32 prefixFor(QByteArrayView prefix);
    void append(quint32 prefix, QByteArrayView name, QByteArrayView sizeText);
    void appendPath(const QByteArray& path, QByteArrayView sizeText);
    void announceNowAndThen();

    std::vector<Row> rows_;
    std::vector<QByteArray> prefixes_;
    std::vector<std::unique_ptr<char[]>> blocks_; // the byte store, in blocks that never move
    quint64 used_ = 0;                            // bytes taken in the last block
    QStringList headers_;
    int announced_ = 0;
    int sinceClockCheck_ = 0;
    QElapsedTimer sinceAnnouncement_;
};

} // namespace zorvik
