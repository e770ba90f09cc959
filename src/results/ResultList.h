#pragma once

#include "platform/FileId.h"
#include "results/AnnouncementPace.h"
#include "results/ByteTotal.h"
#include "results/LayoutLog.h"
#include "results/ResultTotals.h"
#include "results/RowOrder.h"
#include "results/RowRemoval.h"
#include "results/RowStore.h"
#include "results/SortJob.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMimeData;

namespace zorvik {

// The result list behind ListView2: one row per file found, with its path (the operating system's
// bytes), its size in bytes and as the search's text, and a check box. Positions in the public
// operations are 1-based and follow the list's current order.
//
// A model over two parts shared with the search without a window: the rows live in a RowStore in the
// order they were found, and a RowOrder says which of them stands at each position.
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
    const QLocale& locale() const { return locale_; }
    // Where the time between announcements comes from (milliseconds of a steady clock).
    void setClock(std::function<qint64()> milliseconds);

    // Appends a row for the file `name` inside `folderPath` (its path is folderPath + "/" + name, with
    // no doubled slash after the root "/"), of `bytes` bytes. Consecutive rows of one folder share its
    // path. Appending ends a sorted order.
    void add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText, quint64 bytes = 0,
             RowOrigin origin = {});
    // The same with the size text in UTF-8, or written from `bytes` whenever it is read.
    void add(const QByteArray& folderPath, QByteArrayView name, const RowSizeText& sizeText,
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
    int checkedCount() const { return totals_.checkedCount(); }
    const ByteTotal& totalBytes() const { return totals_.bytes(); }
    const ByteTotal& checkedBytes() const { return totals_.checkedBytes(); }

    // Sorts every row, stably: by path (the bytes, case-sensitive) or by size in bytes. Refused (false)
    // while a command holds the order. A long list is sorted a slice per turn of the event loop and
    // rearranged at the end, then rowsSorted() tells; a short one at once. Rows appended meanwhile stay
    // after the sorted ones (and the list is then not sorted); a removal starts the sort over the rows
    // that remain; another sort replaces it.
    using SortKey = RowOrder::SortKey;
    bool sortRows(SortKey key, Qt::SortOrder order);
    bool isSorting() const { return sorting_ != nullptr; }
    // How much of a long sort a turn does.
    void setSortPace(const SortPace& pace) { sortPace_ = pace; }
    // The order of the last sort, until rows are appended after it.
    using SortState = RowOrder::SortState;
    std::optional<SortState> sortState() const { return order_.sortState(); }
    // The order of the sort under way, otherwise that of the last one.
    std::optional<SortState> sortHeading() const;

    // Rows that stay themselves: a key names a row wherever sorting moves it, and no other row ever
    // (not even after the list was cleared). The layout version changes whenever rows move or leave
    // (sorting, removals, clearing); appending leaves it.
    quint64 rowKey(int position) const;
    std::optional<int> positionOfKey(quint64 key) const;
    quint64 layoutVersion() const { return layout_.version(); }
    // While followed, the list keeps how rows moved, so that positionSince() finds where the row at
    // position index + 1 of layout `version` stands now (none when it left).
    void followLayout() const { layout_.follow(); }
    void unfollowLayout() const { layout_.unfollow(); }
    std::optional<int> positionSince(int index, quint64 version) const;

    // A command that works through the rows in the order shown keeps them from being sorted while it
    // runs (it yields, and a click on a header would otherwise sort under it).
    class OrderHold {
    public:
        explicit OrderHold(ResultList& list) : list_(list) { ++list_.orderHolds_; }
        ~OrderHold() { list_.releaseOrder(); }
        OrderHold(const OrderHold&) = delete;
        OrderHold& operator=(const OrderHold&) = delete;

    private:
        ResultList& list_;
    };
    bool orderIsHeld() const { return orderHolds_ > 0; }

    // A search holds an index of the rows by their files' identities while it runs, so that it lists
    // no file twice; it follows every change of the list.
    class IdentityIndexHold {
    public:
        explicit IdentityIndexHold(ResultList& list) : list_(list) { list_.store_.holdIdentityIndex(); }
        ~IdentityIndexHold() { list_.store_.releaseIdentityIndex(); }
        // For a search that meets each file once until it meets one it may have met before (see
        // RowStore::deferIdentityIndex).
        void deferWhileEmpty() { list_.store_.deferIdentityIndex(); }
        void need() { list_.store_.needIdentityIndex(); }
        IdentityIndexHold(const IdentityIndexHold&) = delete;
        IdentityIndexHold& operator=(const IdentityIndexHold&) = delete;

    private:
        ResultList& list_;
    };
    // Whether a row stands for the file `id`; known only while an IdentityIndexHold is held.
    bool listsFile(FileId id) const { return store_.rowOfFile(id).has_value(); }
    // listsFile(id) will be asked soon: a hint that lets memory work ahead.
    void listsFileAhead(FileId id) const { store_.rowOfFileAhead(id); }

    void remove(int position);
    // Removes the rows at these positions (ascending, no duplicates), keeping the others' order, and
    // announces the removals to views in as few contiguous ranges as possible. From a long list they go
    // a slice per turn of the event loop, from the front, each slice a complete removal; isRemoving()
    // tells until the last. A sort waits for it; a further removal or a clear ends it first.
    void removePositions(std::vector<int> ascendingPositions);
    bool isRemoving() const { return removal_ != nullptr; }
    // How much of a long removal a turn does.
    void setRemovalPace(const SortPace& pace) { removalPace_ = pace; }
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
    // Every row stands in this order now.
    void rowsSorted(zorvik::RowOrder::SortKey key, Qt::SortOrder order);

private:
    quint32 rowAt(int position) const; // the store's row at a position, or a Failure
    void added();
    void continueSort();
    void continueRemoval();
    bool removeSlice(const SortSlice& slice); // true when the removal is complete
    void removeSpans(const std::vector<RowOrder::Span>& spans);
    bool gatherSlice(const SortSlice& slice); // a slice of a removal that goes at the end
    void finishRemoval();
    // Where the rows of these keys stand (1-based, ascending), leaving out those gone.
    std::vector<int> positionsOfKeys(const std::vector<quint64>& keys) const;
    void endRemoval();
    void restartSort();
    void applySort();
    void releaseOrder();
    void followMovedRows(const std::vector<quint32>& newPositions);
    void checkedChanged(int firstRow, int lastRow);
    void totalsChanged();

    RowStore store_;
    RowOrder order_{store_};
    ResultTotals totals_{store_};
    QStringList headers_;
    QLocale locale_;
    int announced_ = 0; // rows the views were told of
    AnnouncementPace pace_;
    mutable LayoutLog layout_; // followed by commands that only read the list
    int orderHolds_ = 0;
    std::unique_ptr<SortJob> sorting_;
    SortPace sortPace_;
    QTimer sortTurn_; // the next slice of the sort
    std::unique_ptr<RowRemoval> removal_;
    SortPace removalPace_;
    QTimer removalTurn_; // the next slice of the removal
};

} // namespace zorvik
