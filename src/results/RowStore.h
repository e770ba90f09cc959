#pragma once

#include "criteria/SizeDisplayText.h"
#include "platform/FileId.h"
#include "results/ChunkedVector.h"
#include "results/RowIdentityIndex.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>
#include <vector>

namespace zorvik {

// Where a found file came from: its identity as the walk saw it, and the length of the listed folder's
// path at the start of its path (kOwnFolder: the whole of its folder's path, for rows that were not
// found below a listed folder).
struct RowOrigin {
    static constexpr qsizetype kOwnFolder = -1;
    FileId id;
    qsizetype rootLength = kOwnFolder;
};

// A row's size as text: one given in UTF-8, or one written from its bytes whenever it is read, in a
// unit and the writer's locale. A search's rows take the second way, which keeps the text (about ten
// bytes) out of the store and still reads back byte for byte as the writer wrote it.
struct RowSizeText {
    RowSizeText() = default;
    explicit RowSizeText(QByteArrayView text) : given(text) {}
    RowSizeText(const SizeTextWriter& writer, SizeUnit unit) : writer(&writer), unit(unit) {}

    QByteArrayView given;
    const SizeTextWriter* writer = nullptr; // copied by the store; written with when not null
    SizeUnit unit = SizeUnit::Bytes;
};

// The files found, one row each in the order they were added (numbered from 0): the path as the operating
// system's bytes, the size in bytes and as text (UTF-8), the file's identity and a check mark. The result
// list shows the rows in an order of its own (RowOrder); the search without a window keeps its matches here
// to sort them the same way.
//
// A million rows must fit where the window runs, so a row takes 28 bytes besides its name (with its
// place in a RowOrder, 32): its name and any given size text sit side by side in a byte store of blocks that
// never move, and its folder's path (with the trailing '/'), device and listed folder are kept once
// for all the rows of that folder.
class RowStore {
public:
    RowStore();
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // The file `name` inside `folderPath` (its path is folderPath + "/" + name, with no doubled slash
    // after the root "/"). Consecutive rows of one folder share its path.
    void add(const QByteArray& folderPath, QByteArrayView name, const RowSizeText& sizeText, quint64 bytes,
             const RowOrigin& origin);
    // A file given by its complete path.
    void addPath(QByteArrayView path, const RowSizeText& sizeText, quint64 bytes, const RowOrigin& origin);

    std::size_t size() const { return rows_.size(); }
    // A row's path is its folder's path (with its '/') followed by its name; a name too long to keep
    // apart stays in the folder's part.
    QByteArrayView folderPath(std::size_t row) const { return prefixes_[rows_[row].folder]; }
    QByteArrayView name(std::size_t row) const;
    // The joined path into `out`, whose storage is reused.
    void pathInto(std::size_t row, QByteArray& out) const;
    // The size text (UTF-8), in `buffer` when it is written on reading.
    QByteArrayView sizeText(std::size_t row, SizeTextWriter::Buffer& buffer) const;
    quint64 bytes(std::size_t row) const { return rows_[row].bytes.value(); }
    FileId fileId(std::size_t row) const;
    FoundFile foundFile(std::size_t row) const;
    bool checked(std::size_t row) const { return rows_[row].checked != 0; }
    void setChecked(std::size_t row, bool checked) { rows_[row].checked = checked ? 1 : 0; }

    // Whether row a's path comes before row b's in the order of their bytes, compared piece by piece.
    bool pathLess(std::size_t a, std::size_t b) const;
    // The folders whose paths the rows share, for comparing paths a folder at a time.
    std::size_t folderCount() const { return prefixes_.size(); }
    QByteArrayView folderPathAt(quint32 folder) const { return prefixes_[folder]; }
    quint32 folderOf(std::size_t row) const { return rows_[row].folder; }

    // A key names a row for as long as it is stored, and no other row ever (not even after a clear).
    quint64 key(std::size_t row) const;
    std::optional<std::size_t> rowOfKey(quint64 key) const;

    // While held (by a running search), the rows are indexed by their files' identities, which
    // rowOfFile() looks up; the index follows every addition, removal and clear.
    void holdIdentityIndex();
    void releaseIdentityIndex();
    // The only hold, over an empty store, may leave the index unbuilt until needIdentityIndex(): a search
    // that meets each file once has none to find among its own rows, and need not index them. Meanwhile
    // rowOfFile() finds no row; a second hold, or a row added by its path (put back), builds it.
    void deferIdentityIndex();
    void needIdentityIndex();
    // A row of the file `id`, while the index is held and a row has it.
    std::optional<std::size_t> rowOfFile(FileId id) const;
    // Tells the index that rowOfFile(id) will be asked soon (see RowIdentityIndex::prefetch).
    void rowOfFileAhead(FileId id) const {
        if (identities_)
            identities_->prefetch(id);
    }

    // A row the list no longer shows is buried: its number and data stay (so that removing rows from a
    // long list moves none of the others), but neither its key nor its identity finds it any more.
    void bury(std::size_t row);
    bool isBuried(std::size_t row) const { return row < buried_.size() && buried_[row]; }
    std::size_t buriedCount() const { return buriedCount_; }
    // Takes these rows (ascending, no repeats) out; the later ones move down.
    void erase(const std::vector<quint32>& ascendingRows);
    // The same for every buried row; returns their numbers as they were, ascending.
    std::vector<quint32> eraseBuried();
    void clear();

private:
    // A 64-bit value in two halves, so that a row needs no 8-byte alignment and ends after 28 bytes.
    struct Split64 {
        quint32 low;
        quint32 high;
        static Split64 of(quint64 value) { return {quint32(value), quint32(value >> 32)}; }
        quint64 value() const { return (quint64(high) << 32) | low; }
    };
    struct Row {
        Split64 bytes; // the file's size
        Split64 inode;
        // Where the name starts in the byte store, in 40 bits (a store of 1 TiB); the size text follows it.
        quint32 offsetLow;
        quint32 offsetHigh : 8;
        quint32 nameLength : 8;  // bytes: longer names stay in their folder's part
        quint32 sizeLength : 13; // bytes of a given size text
        quint32 sizeStyle : 3;   // 0: the text is given; otherwise written in sizeStyles_[sizeStyle - 1]
        quint32 folder : 31;     // index into prefixes_ and folders_
        quint32 checked : 1;
        quint64 offset() const { return (quint64(offsetHigh) << 32) | offsetLow; }
    };
    static_assert(sizeof(Row) == 28);
    // What the rows of one folder share besides its path.
    struct FolderFacts {
        quint64 device;
        qsizetype rootLength;
        bool operator==(const FolderFacts&) const = default;
    };

    // How the size texts of a search's rows are written; a store meets one or two.
    struct SizeStyle {
        SizeTextWriter writer;
        SizeUnit unit;
    };

    const char* bytesAt(quint64 offset) const;
    // The style of a written size text (1 and up), or 0 for a given one, also when there are too many.
    quint32 styleOf(const RowSizeText& sizeText);
    quint64 store(QByteArrayView name, QByteArrayView sizeText);
    quint32 folderFor(QByteArrayView prefix, const FolderFacts& facts);
    void append(quint32 folder, QByteArrayView name, const RowSizeText& sizeText, quint64 bytes,
                quint64 inode);

    ChunkedVector<Row> rows_;
    std::vector<QByteArray> prefixes_;
    std::vector<FolderFacts> folders_; // beside prefixes_
    std::vector<SizeStyle> sizeStyles_;
    std::vector<std::unique_ptr<char[]>> blocks_; // the byte store, in blocks that never move
    quint64 used_ = 0;                            // bytes taken in the last block
    quint64 generation_ = 0;   // of the byte store: a new one after each clear, so keys never repeat
    std::vector<bool> buried_; // beside rows_, as far as the last buried row
    std::size_t buriedCount_ = 0;
    std::optional<RowIdentityIndex> identities_;
    int identityHolds_ = 0;
};

} // namespace zorvik
