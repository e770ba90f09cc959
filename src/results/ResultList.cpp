#include "results/ResultList.h"

#include "core/Failure.h"

#include <QFile>

#include <algorithm>
#include <cstring>

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

} // namespace

ResultList::ResultList(QObject* parent) : QAbstractTableModel(parent) {
    sinceAnnouncement_.start();
}
ResultList::~ResultList() = default;

void ResultList::addColumn(const QString& header) {
    beginInsertColumns(QModelIndex(), int(headers_.size()), int(headers_.size()));
    headers_.append(header);
    endInsertColumns();
}

// ---- storage

const char* ResultList::bytesAt(quint64 offset) const {
    return blocks_[offset >> kBlockBits].get() + (offset & (kBlockSize - 1));
}

quint64 ResultList::store(QByteArrayView name, QByteArrayView sizeText) {
    const quint64 length = quint64(name.size() + sizeText.size());
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

quint32 ResultList::prefixFor(QByteArrayView prefix) {
    // Matches arrive folder by folder, so only the latest folder is worth comparing with.
    if (prefixes_.empty() || QByteArrayView(prefixes_.back()) != prefix)
        prefixes_.emplace_back(prefix.toByteArray());
    return quint32(prefixes_.size() - 1);
}

void ResultList::append(quint32 prefix, QByteArrayView name, QByteArrayView sizeText) {
    const QByteArrayView size = sizeText.first(std::min<qsizetype>(sizeText.size(), 0xFFFF));
    Row r{};
    r.offset = store(name, size);
    r.nameLength = quint64(name.size());
    r.prefix = prefix;
    r.sizeLength = quint16(size.size());
    r.checked = false;
    rows_.push_back(r);
    announceNowAndThen();
}

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText) {
    add(folderPath, name, QByteArrayView(sizeText.toUtf8()));
}

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, QByteArrayView sizeText) {
    if (folderPath.endsWith('/')) {
        appendPath(folderPath + name, sizeText);
        return;
    }
    if (name.size() > kLongestName || name.contains('/')) {
        appendPath(folderPath + '/' + name, sizeText);
        return;
    }
    // Compare without building the prefix: the folder path plus its '/'.
    if (prefixes_.empty() || prefixes_.back().size() != folderPath.size() + 1 ||
        !prefixes_.back().startsWith(folderPath))
        prefixes_.push_back(folderPath + '/');
    append(quint32(prefixes_.size() - 1), name, sizeText);
}

void ResultList::addPath(const QByteArray& path, const QString& sizeText) {
    appendPath(path, sizeText.toUtf8());
}

void ResultList::appendPath(const QByteArray& path, QByteArrayView size) {
    qsizetype cut = path.lastIndexOf('/') + 1; // the prefix keeps its '/'
    if (path.size() - cut > kLongestName)
        cut = path.size();
    append(prefixFor(QByteArrayView(path).first(cut)), QByteArrayView(path).sliced(cut), size);
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
    out.clear();
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

bool ResultList::checked(int position) const {
    return row(position).checked;
}

void ResultList::setChecked(int position, bool checked) {
    row(position).checked = checked;
    if (position <= announced_) {
        const QModelIndex at = index(position - 1, 0);
        Q_EMIT dataChanged(at, at, {Qt::CheckStateRole});
    }
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
        rows_.resize(kept);
        announced_ = count();
    };
    if (ranges.size() > kMostRemovalRanges) {
        beginResetModel();
        compact();
        endResetModel();
        return;
    }
    // Highest first, so that the rows of the ranges still to go keep their places.
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        beginRemoveRows(QModelIndex(), it->first, it->second);
        rows_.erase(rows_.begin() + it->first, rows_.begin() + it->second + 1);
        announced_ = count();
        endRemoveRows();
    }
}

void ResultList::clear() {
    beginResetModel();
    std::vector<Row>().swap(rows_);
    std::vector<QByteArray>().swap(prefixes_);
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    used_ = 0;
    announced_ = 0;
    endResetModel();
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
    if (sinceAnnouncement_.elapsed() >= kAnnounceEveryMs)
        announcePending();
}

void ResultList::announcePending() {
    sinceAnnouncement_.restart();
    if (announced_ == count())
        return;
    beginInsertRows(QModelIndex(), announced_, count() - 1);
    announced_ = count();
    endInsertRows();
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
        return index.column() == 0 ? text(position) : sizeText(position);
    if (role == Qt::CheckStateRole && index.column() == 0)
        return checked(position) ? Qt::Checked : Qt::Unchecked;
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
    if (index.isValid() && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ResultList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers_.size())
        return headers_.at(section);
    return {};
}

} // namespace zorvik
