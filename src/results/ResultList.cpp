#include "results/ResultList.h"

#include "core/Failure.h"
#include "platform/FileUrl.h"
#include "results/TotalsText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>

#include <algorithm>
#include <cstring>
#include <numeric>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

constexpr quint64 kBlockBits = 20; // 1 MiB blocks
constexpr quint64 kBlockSize = quint64(1) << kBlockBits;
constexpr qsizetype kLongestName = 0xFFFF;
constexpr int kAnnounceEveryMs = 300;
constexpr int kAddsPerClockCheck = 4096;
// Beyond this many separate ranges, one reset is cheaper for views than a removal per range.
constexpr std::size_t kMostRemovalRanges = 32;

// Orders two paths that each come in two pieces (folder prefix and name) by their bytes, as if each
// were joined: negative, zero or positive like memcmp.
int compareJoined(QByteArrayView a1, QByteArrayView a2, QByteArrayView b1, QByteArrayView b2) {
    for (;;) {
        if (a1.isEmpty() && !a2.isEmpty()) {
            a1 = a2;
            a2 = {};
        }
        if (b1.isEmpty() && !b2.isEmpty()) {
            b1 = b2;
            b2 = {};
        }
        if (a1.isEmpty() || b1.isEmpty())
            return a1.isEmpty() ? (b1.isEmpty() ? 0 : -1) : 1;
        const qsizetype n = std::min(a1.size(), b1.size());
        if (const int order = std::memcmp(a1.data(), b1.data(), std::size_t(n)))
            return order;
        a1 = a1.sliced(n);
        b1 = b1.sliced(n);
    }
}

qint64 steadyMilliseconds() {
    static const QElapsedTimer kStarted = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return kStarted.elapsed();
}

} // namespace

ResultList::ResultList(QObject* parent) : QAbstractTableModel(parent), clock_(steadyMilliseconds) {
    lastAnnouncementMs_ = clock_();
}
ResultList::~ResultList() = default;

void ResultList::addColumn(const QString& header) {
    beginInsertColumns(QModelIndex(), int(headers_.size()), int(headers_.size()));
    headers_.append(header);
    endInsertColumns();
}

void ResultList::setLocale(const QLocale& locale) {
    locale_ = locale;
    totalsChanged();
}

void ResultList::setClock(std::function<qint64()> milliseconds) {
    clock_ = std::move(milliseconds);
    lastAnnouncementMs_ = clock_();
}

// ---- storage

const char* ResultList::bytesAt(quint64 offset) const {
    return blocks_[offset >> kBlockBits].get() + (offset & (kBlockSize - 1));
}

quint64 ResultList::store(QByteArrayView name, QByteArrayView sizeText) {
    // At least one byte, so that every row starts at its own offset: the offset is the row's key.
    const quint64 length = std::max<quint64>(quint64(name.size() + sizeText.size()), 1);
    if (blocks_.empty() || used_ + length > kBlockSize) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    if (!name.isEmpty())
        std::memcpy(at, name.data(), std::size_t(name.size()));
    if (!sizeText.isEmpty())
        std::memcpy(at + name.size(), sizeText.data(), std::size_t(sizeText.size()));
    const quint64 offset = ((quint64(blocks_.size()) - 1) << kBlockBits) + used_;
    used_ += length;
    return offset;
}

quint32 ResultList::prefixFor(QByteArrayView prefix, const FolderFacts& facts) {
    // Matches arrive folder by folder, so only the latest folder is worth comparing with.
    if (prefixes_.empty() || QByteArrayView(prefixes_.back()) != prefix || folders_.back() != facts) {
        prefixes_.emplace_back(prefix.toByteArray());
        folders_.push_back(facts);
    }
    return quint32(prefixes_.size() - 1);
}

void ResultList::append(quint32 prefix, QByteArrayView name, QByteArrayView sizeText, quint64 bytes,
                        quint64 inode) {
    const QByteArrayView size = sizeText.first(std::min<qsizetype>(sizeText.size(), 0xFFFF));
    Row r{};
    r.offset = store(name, size);
    r.nameLength = quint64(name.size());
    r.bytes = bytes;
    r.inode = inode;
    r.prefix = prefix;
    r.sizeLength = quint16(size.size());
    r.checked = false;
    rows_.pushBack(r);
    totalBytes_.add(bytes);
    if (sortState_) {
        sortState_.reset();
        Q_EMIT sortOrderLost();
    }
    announceNowAndThen();
}

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText,
                     quint64 bytes, RowOrigin origin) {
    add(folderPath, name, QByteArrayView(sizeText.toUtf8()), bytes, origin);
}

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, QByteArrayView sizeText,
                     quint64 bytes, RowOrigin origin) {
    if (folderPath.endsWith('/')) {
        appendPath(folderPath + name, sizeText, bytes, origin);
        return;
    }
    if (name.size() > kLongestName || name.contains('/')) {
        appendPath(folderPath + '/' + name, sizeText, bytes, origin);
        return;
    }
    // Compare without building the prefix: the folder path plus its '/'.
    const FolderFacts facts{origin.id.device, origin.rootLength};
    if (prefixes_.empty() || prefixes_.back().size() != folderPath.size() + 1 ||
        !prefixes_.back().startsWith(folderPath) || folders_.back() != facts) {
        prefixes_.push_back(folderPath + '/');
        folders_.push_back(facts);
    }
    append(quint32(prefixes_.size() - 1), name, sizeText, bytes, origin.id.inode);
}

void ResultList::addPath(const QByteArray& path, const QString& sizeText, quint64 bytes, RowOrigin origin) {
    appendPath(path, sizeText.toUtf8(), bytes, origin);
}

void ResultList::appendPath(const QByteArray& path, QByteArrayView size, quint64 bytes,
                            const RowOrigin& origin) {
    qsizetype cut = path.lastIndexOf('/') + 1; // the prefix keeps its '/'
    if (path.size() - cut > kLongestName)
        cut = path.size();
    append(prefixFor(QByteArrayView(path).first(cut), {origin.id.device, origin.rootLength}),
           QByteArrayView(path).sliced(cut), size, bytes, origin.id.inode);
}

// ---- reading

const ResultList::Row& ResultList::row(int position) const {
    if (position < 1 || position > count())
        throw Failure(u"Index out of bounds: there is no result at position "_s + QString::number(position) +
                      u"."_s);
    return rows_[std::size_t(position - 1)];
}

ResultList::Row& ResultList::row(int position) {
    return const_cast<Row&>(std::as_const(*this).row(position));
}

int ResultList::count() const {
    return int(rows_.size());
}

QByteArray ResultList::pathBytes(int position) const {
    const Row& r = row(position);
    return prefixes_[r.prefix] + QByteArrayView(bytesAt(r.offset), qsizetype(r.nameLength));
}

void ResultList::pathBytesInto(int position, QByteArray& out) const {
    const Row& r = row(position);
    out.resize(0); // keeps the caller's capacity, and never shares the prefix's bytes
    out.append(prefixes_[r.prefix]);
    out.append(bytesAt(r.offset), qsizetype(r.nameLength));
}

QString ResultList::text(int position) const {
    return QFile::decodeName(pathBytes(position));
}

QString ResultList::sizeText(int position) const {
    const Row& r = row(position);
    return QString::fromUtf8(bytesAt(r.offset) + r.nameLength, r.sizeLength);
}

quint64 ResultList::bytes(int position) const {
    return row(position).bytes;
}

FileId ResultList::fileId(int position) const {
    const Row& r = row(position);
    return {folders_[r.prefix].device, r.inode};
}

FoundFile ResultList::foundFile(int position) const {
    const Row& r = row(position);
    const FolderFacts& folder = folders_[r.prefix];
    FoundFile found;
    found.path = pathBytes(position);
    const qsizetype ownFolder = std::max<qsizetype>(found.path.lastIndexOf('/'), 0);
    found.rootLength =
        folder.rootLength == RowOrigin::kOwnFolder ? ownFolder : std::min(folder.rootLength, ownFolder);
    found.id = {folder.device, r.inode};
    return found;
}

bool ResultList::checked(int position) const {
    return row(position).checked;
}

void ResultList::setChecked(int position, bool checked) {
    Row& r = row(position);
    if (r.checked == checked)
        return;
    r.checked = checked;
    checkedCount_ += checked ? 1 : -1;
    checked ? checkedBytes_.add(r.bytes) : checkedBytes_.subtract(r.bytes);
    if (position <= announced_)
        checkedChanged(position - 1, position - 1);
    totalsChanged();
}

void ResultList::setAllChecked(bool checked) {
    announcePending();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rows_[i].checked = checked;
    checkedCount_ = checked ? count() : 0;
    checkedBytes_ = checked ? totalBytes_ : ByteTotal();
    checkedChanged(0, count() - 1);
    totalsChanged();
}

void ResultList::invertChecks() {
    announcePending();
    checkedCount_ = 0;
    checkedBytes_ = ByteTotal();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        Row& r = rows_[i];
        r.checked = !r.checked;
        if (r.checked) {
            ++checkedCount_;
            checkedBytes_.add(r.bytes);
        }
    }
    checkedChanged(0, count() - 1);
    totalsChanged();
}

void ResultList::setCheckedPositions(const std::vector<int>& positions, bool checked) {
    if (positions.empty())
        return;
    announcePending();
    for (int position : positions)
        row(position); // fails before anything changes for a position that is not there
    int first = count();
    int last = -1;
    for (int position : positions) {
        Row& r = rows_[std::size_t(position - 1)];
        first = std::min(first, position - 1);
        last = std::max(last, position - 1);
        if (r.checked == checked)
            continue;
        r.checked = checked;
        checkedCount_ += checked ? 1 : -1;
        checked ? checkedBytes_.add(r.bytes) : checkedBytes_.subtract(r.bytes);
    }
    checkedChanged(first, last);
    totalsChanged();
}

void ResultList::checkedChanged(int firstRow, int lastRow) {
    if (firstRow <= lastRow && lastRow < announced_)
        Q_EMIT dataChanged(index(firstRow, 0), index(lastRow, 0), {Qt::CheckStateRole});
}

void ResultList::totalsChanged() {
    if (!headers_.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, kPathColumn, kPathColumn);
}

QString ResultList::totalsSuffix() const {
    return totalsText(count(), totalBytes_.approximate(), checkedCount_, checkedBytes_.approximate(),
                      locale_);
}

// ---- order

bool ResultList::pathLess(const Row& a, const Row& b) const {
    const QByteArrayView nameA(bytesAt(a.offset), qsizetype(a.nameLength));
    const QByteArrayView nameB(bytesAt(b.offset), qsizetype(b.nameLength));
    if (a.prefix == b.prefix)
        return compareJoined(nameA, {}, nameB, {}) < 0;
    return compareJoined(prefixes_[a.prefix], nameA, prefixes_[b.prefix], nameB) < 0;
}

bool ResultList::sortRows(SortKey key, Qt::SortOrder order) {
    if (orderIsHeld())
        return false;
    announcePending();
    std::vector<quint32> newOrder(rows_.size());
    if (key == SortKey::Size) {
        // Sizes with their rows side by side, so the sort reads memory in order.
        std::vector<std::pair<quint64, quint32>> sizes(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i)
            sizes[i] = {rows_[i].bytes, quint32(i)};
        if (order == Qt::AscendingOrder)
            std::stable_sort(sizes.begin(), sizes.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        else
            std::stable_sort(sizes.begin(), sizes.end(),
                             [](const auto& a, const auto& b) { return a.first > b.first; });
        for (std::size_t i = 0; i < sizes.size(); ++i)
            newOrder[i] = sizes[i].second;
    } else {
        sortByPath(newOrder, order);
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    applyOrder(newOrder);
    ++layoutVersion_;
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    sortState_ = SortState{key, order};
    return true;
}

void ResultList::sortByPath(std::vector<quint32>& newOrder, Qt::SortOrder order) const {
    // Most pairs of rows lie in folders of which neither holds the other: their order is that of their
    // folders' paths, ranked once here. Only rows of one folder, or of a folder and one inside it, are
    // compared by their bytes.
    const std::size_t folders = prefixes_.size();
    std::vector<quint32> byBytes(folders);
    std::iota(byBytes.begin(), byBytes.end(), quint32(0));
    std::sort(byBytes.begin(), byBytes.end(),
              [this](quint32 a, quint32 b) { return prefixes_[a] < prefixes_[b]; });
    std::vector<quint32> rank(folders);
    for (std::size_t r = 0; r < folders; ++r)
        rank[byBytes[r]] = quint32(r);
    // lastInside[r]: the last rank whose folder path starts with the path of rank r (itself at least).
    std::vector<quint32> lastInside(folders);
    std::vector<quint32> open;
    for (std::size_t r = 0; r < folders; ++r) {
        while (!open.empty() && !prefixes_[byBytes[r]].startsWith(prefixes_[byBytes[open.back()]])) {
            lastInside[open.back()] = quint32(r - 1);
            open.pop_back();
        }
        open.push_back(quint32(r));
    }
    for (quint32 r : open)
        lastInside[r] = quint32(folders - 1);

    struct Key {
        quint32 rank;
        quint32 row;
    };
    std::vector<Key> keys(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        keys[i] = {rank[rows_[i].prefix], quint32(i)};
    auto less = [&](const Key& a, const Key& b) {
        if (a.rank != b.rank) {
            const bool nested = a.rank < b.rank ? b.rank <= lastInside[a.rank] : a.rank <= lastInside[b.rank];
            if (!nested)
                return a.rank < b.rank;
        }
        return pathLess(rows_[a.row], rows_[b.row]);
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(keys.begin(), keys.end(), less);
    else
        std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) { return less(b, a); });
    for (std::size_t i = 0; i < keys.size(); ++i)
        newOrder[i] = keys[i].row;
}

void ResultList::applyOrder(const std::vector<quint32>& order) {
    ChunkedVector<Row> sorted;
    for (const quint32 from : order)
        sorted.pushBack(rows_[from]);
    rows_.swap(sorted);
    // Selections and the current row follow their rows to the new places.
    const QModelIndexList before = persistentIndexList();
    if (before.isEmpty())
        return;
    std::vector<int> newRowOf(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        newRowOf[order[i]] = int(i);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after << index(newRowOf[std::size_t(old.row())], old.column());
    changePersistentIndexList(before, after);
}

void ResultList::sort(int column, Qt::SortOrder order) {
    if (column == kPathColumn || column == kSizeColumn)
        sortRows(column == kPathColumn ? SortKey::Path : SortKey::Size, order);
}

// ---- keys

namespace {
constexpr int kOffsetBits = 48;
} // namespace

quint64 ResultList::rowKey(int position) const {
    return ((generation_ & 0xFFFF) << kOffsetBits) | row(position).offset;
}

std::optional<int> ResultList::positionOfKey(quint64 key) const {
    if (key >> kOffsetBits != (generation_ & 0xFFFF))
        return std::nullopt;
    if (positionsVersion_ != layoutVersion_) {
        positionsByKey_.resize(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i)
            positionsByKey_[i] = {rows_[i].offset, int(i) + 1};
        std::sort(positionsByKey_.begin(), positionsByKey_.end());
        positionsVersion_ = layoutVersion_;
    }
    const quint64 offset = key & ((quint64(1) << kOffsetBits) - 1);
    const auto at = std::lower_bound(positionsByKey_.begin(), positionsByKey_.end(), std::pair(offset, 0));
    if (at != positionsByKey_.end() && at->first == offset)
        return at->second;
    // Rows appended since the index was built follow it in the order they were stored, which is the
    // order of their offsets.
    std::size_t low = positionsByKey_.size();
    std::size_t high = rows_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (rows_[middle].offset < offset)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < rows_.size() && rows_[low].offset == offset)
        return int(low) + 1;
    return std::nullopt;
}

// ---- removal

void ResultList::remove(int position) {
    row(position); // fails for a position that is not there
    removePositions({position});
}

void ResultList::removePositions(const std::vector<int>& ascendingPositions) {
    if (ascendingPositions.empty())
        return;
    announcePending();
    for (int position : ascendingPositions)
        row(position);
    for (int position : ascendingPositions) {
        const Row& r = rows_[std::size_t(position - 1)];
        totalBytes_.subtract(r.bytes);
        if (r.checked) {
            --checkedCount_;
            checkedBytes_.subtract(r.bytes);
        }
    }
    // Contiguous runs of positions, as 0-based [first, last] rows.
    std::vector<std::pair<int, int>> ranges;
    for (int position : ascendingPositions) {
        if (!ranges.empty() && ranges.back().second + 1 == position - 1)
            ranges.back().second = position - 1;
        else
            ranges.emplace_back(position - 1, position - 1);
    }
    auto compact = [&] {
        std::size_t kept = 0;
        std::size_t next = 0;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (next < ascendingPositions.size() && std::size_t(ascendingPositions[next] - 1) == i) {
                ++next;
                continue;
            }
            rows_[kept++] = rows_[i];
        }
        rows_.truncate(kept);
        announced_ = count();
    };
    ++layoutVersion_;
    if (ranges.size() > kMostRemovalRanges) {
        beginResetModel();
        compact();
        endResetModel();
        totalsChanged();
        return;
    }
    // Highest first, so that the rows of the ranges still to go keep their places.
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        beginRemoveRows(QModelIndex(), it->first, it->second);
        rows_.erase(std::size_t(it->first), std::size_t(it->second) + 1);
        announced_ = count();
        endRemoveRows();
    }
    totalsChanged();
}

void ResultList::clear() {
    beginResetModel();
    rows_.clear();
    std::vector<QByteArray>().swap(prefixes_);
    std::vector<FolderFacts>().swap(folders_);
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    used_ = 0;
    announced_ = 0;
    totalBytes_ = ByteTotal();
    checkedBytes_ = ByteTotal();
    checkedCount_ = 0;
    ++generation_;
    ++layoutVersion_;
    endResetModel();
    totalsChanged();
}

void ResultList::refresh() {
    announcePending();
    if (announced_ > 0)
        Q_EMIT dataChanged(index(0, 0), index(announced_ - 1, columnCount() - 1));
}

// ---- announcements

void ResultList::announceNowAndThen() {
    if (++sinceClockCheck_ < kAddsPerClockCheck)
        return;
    sinceClockCheck_ = 0;
    announceIfDue();
}

void ResultList::announceIfDue() {
    if (clock_() - lastAnnouncementMs_ >= kAnnounceEveryMs)
        announcePending();
}

void ResultList::announcePending() {
    lastAnnouncementMs_ = clock_();
    if (announced_ == count())
        return;
    beginInsertRows(QModelIndex(), announced_, count() - 1);
    announced_ = count();
    endInsertRows();
    totalsChanged();
}

// ---- the model seen by views

int ResultList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_;
}

int ResultList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant ResultList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= announced_)
        return {};
    const int position = index.row() + 1;
    if (role == Qt::DisplayRole)
        return index.column() == kPathColumn ? text(position) : sizeText(position);
    if (role == Qt::CheckStateRole && index.column() == kPathColumn)
        return checked(position) ? Qt::Checked : Qt::Unchecked;
    // A path too long for its column is cut in the middle; the tip shows it whole.
    if (role == Qt::ToolTipRole && index.column() == kPathColumn)
        return text(position);
    return {};
}

bool ResultList::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    setChecked(index.row() + 1, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags ResultList::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == kPathColumn)
        f |= Qt::ItemIsUserCheckable;
    if (index.isValid())
        f |= Qt::ItemIsDragEnabled;
    return f;
}

QVariant ResultList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size())
        return {};
    // The first header doubles as the totals line while there is anything to total.
    if (section == kPathColumn && !rows_.empty())
        return QString(headers_.at(section) + u":  "_s + totalsSuffix());
    return headers_.at(section);
}

QStringList ResultList::mimeTypes() const {
    return {u"text/uri-list"_s, u"text/plain"_s};
}

QMimeData* ResultList::mimeData(const QModelIndexList& indexes) const {
    std::vector<int> rows;
    for (const QModelIndex& at : indexes)
        if (at.isValid() && at.row() < announced_)
            rows.push_back(at.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return nullptr;
    // File URLs made from the paths' bytes, so names that are not UTF-8 arrive as they are.
    QByteArray uris;
    QString paths;
    for (int r : rows) {
        const QByteArray path = pathBytes(r + 1);
        uris += fileUrlOf(path).toEncoded() + "\r\n";
        paths += QFile::decodeName(path) + u'\n';
    }
    auto* data = new QMimeData;
    data->setData(u"text/uri-list"_s, uris);
    data->setText(paths);
    return data;
}

Qt::DropActions ResultList::supportedDragActions() const {
    // Never a move: the list would no longer match the disk.
    return Qt::CopyAction | Qt::LinkAction;
}

} // namespace zorvik
