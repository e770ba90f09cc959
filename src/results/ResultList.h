#pragma once

#include "platform/FileId.h"
#include "results/ByteTotal.h"
#include "results/ChunkedVector.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMimeData;

namespace zorvik {

// Where a found file came from: its identity as the walk saw it, and the length of the listed folder's
// path at the start of its path (kOwnFolder: the whole of its folder's path, for rows that were not
// found below a listed folder).
struct RowOrigin {
    static constexpr qsizetype kOwnFolder = -1;
    FileId id;
    qsizetype rootLength = kOwnFolder;
};

// The result list behind ListView2: one row per file found, with its path (the operating system's
// bytes), its size in bytes and as the search's text, and a check box. Positions in the public
// operations are 1-based and follow the list's current order.
//
// Rows are appended far faster than a view can lay them out, so new rows are visible to count() and
// the accessors at once but are announced to views in batches (a few times a second, on
// announcePending(), and before any other change of the list).
//
// The first column's header carries the totals: how many rows and their size, how many are checked
// and theirs.
class ResultList : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultList(QObject* parent = nullptr);
    ~ResultList() override;

    static constexpr int kPathColumn = 0;
    static constexpr int kSizeColumn = 1;

    // Columns are created by the window's start-up: "Results", then "Size".
    void addColumn(const QString& header);
    // The digits of the totals in the header.
    void setLocale(const QLocale& locale);
    // Where the time between announcements comes from (milliseconds of a steady clock).
    void setClock(std::function<qint64()> milliseconds);

    // Appends a row for the file `name` inside `folderPath` (its path is folderPath + "/" + name, with
    // no doubled slash after the root "/"), of `bytes` bytes. Consecutive rows of one folder share its
    // path. Appending ends a sorted order.
    void add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText, quint64 bytes = 0,
             RowOrigin origin = {});
    // The same with the size text already in UTF-8.
    void add(const QByteArray& folderPath, QByteArrayView name, QByteArrayView sizeTextUtf8,
             quint64 bytes = 0, RowOrigin origin = {});
    // Appends a row with a complete path.
    void addPath(const QByteArray& path, const QString& sizeText, quint64 bytes = 0, RowOrigin origin = {});

    int count() const;
    QByteArray pathBytes(int position) const; // the path as the operating system's bytes
    // The same into `out`, whose storage is reused: for passes over every row.
    void pathBytesInto(int position, QByteArray& out) const;
    QString text(int position) const; // the path as shown (QFile::decodeName)
    QString sizeText(int position) const;
    quint64 bytes(int position) const;
    // The file the row stands for, for the commands that act on files.
    FoundFile foundFile(int position) const;
    FileId fileId(int position) const;
    bool checked(int position) const;
    void setChecked(int position, bool checked);
    // Check boxes of many rows at once, each with one update of the views.
    void setAllChecked(bool checked);
    void invertChecks();
    void setCheckedPositions(const std::vector<int>& positions, bool checked);

    // Totals over every row, and over the checked ones.
    int checkedCount() const { return checkedCount_; }
    const ByteTotal& totalBytes() const { return totalBytes_; }
    const ByteTotal& checkedBytes() const { return checkedBytes_; }

    // Sorts every row, stably: by path (the bytes, case-sensitive) or by size in bytes. Refused (false)
    // while a command holds the order.
    enum class SortKey { Path, Size };
    bool sortRows(SortKey key, Qt::SortOrder order);
    // The order of the last sort, until rows are appended after it.
    struct SortState {
        SortKey key;
        Qt::SortOrder order;
    };
    std::optional<SortState> sortState() const { return sortState_; }

    // Rows that stay themselves: a key names a row wherever sorting moves it, and no other row ever
    // (not even after the list was cleared). The layout version changes whenever rows move or leave
    // (sorting, removals, clearing); appending leaves it.
    quint64 rowKey(int position) const;
    std::optional<int> positionOfKey(quint64 key) const;
    quint64 layoutVersion() const { return layoutVersion_; }

    // A command that works through the rows in the order shown keeps them from being sorted while it
    // runs (it yields, and a click on a header would otherwise sort under it).
    class OrderHold {
    public:
        explicit OrderHold(ResultList& list) : list_(list) { ++list_.orderHolds_; }
        ~OrderHold() { --list_.orderHolds_; }
        OrderHold(const OrderHold&) = delete;
        OrderHold& operator=(const OrderHold&) = delete;

    private:
        ResultList& list_;
    };
    bool orderIsHeld() const { return orderHolds_ > 0; }

    void remove(int position);
    // Removes the rows at these positions (ascending, no duplicates) in one pass, announcing the
    // removals to views in as few contiguous ranges as possible.
    void removePositions(const std::vector<int>& ascendingPositions);
    void clear();
    void refresh();

    // Announces rows appended since the last announcement.
    void announcePending();
    // The same once the announcement interval has passed since the last one; a caller that yields
    // calls it there, so rows show while a long search finds few of them.
    void announceIfDue();

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

Q_SIGNALS:
    // Rows were appended to a sorted list, which is therefore no longer in order.
    void sortOrderLost();

private:
    // One row in 32 bytes: its name and size text sit side by side in the byte store, and its folder's
    // path (with the trailing '/'), device and listed folder are shared with the other rows of that
    // folder.
    struct Row {
        quint64 offset : 48;     // of the name in the byte store; the size text follows the name
        quint64 nameLength : 16; // bytes
        quint64 bytes;           // the file's size
        quint64 inode;
        quint32 prefix;     // index into prefixes_ and folders_
        quint16 sizeLength; // bytes of the size text in UTF-8
        bool checked;
    };
    static_assert(sizeof(Row) == 32);
    // What the rows of one folder share besides its path.
    struct FolderFacts {
        quint64 device;
        qsizetype rootLength;
        bool operator==(const FolderFacts&) const = default;
    };

    const Row& row(int position) const;
    Row& row(int position);
    const char* bytesAt(quint64 offset) const;
    quint64 store(QByteArrayView name, QByteArrayView sizeText);
    quint32 prefixFor(QByteArrayView prefix, const FolderFacts& facts);
    void append(quint32 prefix, QByteArrayView name, QByteArrayView sizeText, quint64 bytes, quint64 inode);
    void appendPath(const QByteArray& path, QByteArrayView sizeText, quint64 bytes, const RowOrigin& origin);
    void announceNowAndThen();
    bool pathLess(const Row& a, const Row& b) const;
    void sortByPath(std::vector<quint32>& newOrder, Qt::SortOrder order) const;
    void applyOrder(const std::vector<quint32>& order);
    void checkedChanged(int firstRow, int lastRow);
    void totalsChanged();
    QString totalsSuffix() const;

    ChunkedVector<Row> rows_;
    std::vector<QByteArray> prefixes_;
    std::vector<FolderFacts> folders_;            // beside prefixes_
    std::vector<std::unique_ptr<char[]>> blocks_; // the byte store, in blocks that never move
    quint64 used_ = 0;                            // bytes taken in the last block
    QStringList headers_;
    int announced_ = 0;
    int sinceClockCheck_ = 0;
    std::function<qint64()> clock_;
    qint64 lastAnnouncementMs_ = 0;
    QLocale locale_;
    ByteTotal totalBytes_;
    ByteTotal checkedBytes_;
    int checkedCount_ = 0;
    std::optional<SortState> sortState_;
    quint64 generation_ = 0; // of the byte store: a new one after each clear, so keys never repeat
    quint64 layoutVersion_ = 0;
    int orderHolds_ = 0;
    // Positions by key, built when a key is looked up after rows moved; valid for one layout version.
    mutable std::vector<std::pair<quint64, int>> positionsByKey_;
    mutable std::optional<quint64> positionsVersion_;
};

} // namespace zorvik
