#include "results/ResultList.h"

#include "core/Failure.h"
#include "results/ResultDragData.h"

#include <QFile>
#include <QMimeData>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

ResultList::ResultList(QObject* parent) : QAbstractTableModel(parent) {
    sortTurn_.setSingleShot(true);
    sortTurn_.setInterval(0);
    connect(&sortTurn_, &QTimer::timeout, this, &ResultList::continueSort);
    removalTurn_.setSingleShot(true);
    removalTurn_.setInterval(0);
    connect(&removalTurn_, &QTimer::timeout, this, &ResultList::continueRemoval);
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
    pace_.setClock(std::move(milliseconds));
}

// ---- adding

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText,
                     quint64 bytes, RowOrigin origin) {
    add(folderPath, name, RowSizeText(sizeText.toUtf8()), bytes, origin);
}

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, const RowSizeText& sizeText,
                     quint64 bytes, RowOrigin origin) {
    store_.add(folderPath, name, sizeText, bytes, origin);
    added();
}

void ResultList::addPath(const QByteArray& path, const QString& sizeText, quint64 bytes, RowOrigin origin) {
    store_.addPath(path, RowSizeText(sizeText.toUtf8()), bytes, origin);
    added();
}

void ResultList::added() {
    const auto row = quint32(store_.size() - 1);
    totals_.added(store_.bytes(row));
    if (order_.append(row))
        Q_EMIT sortOrderLost();
    if (pace_.appendedAndDue())
        announcePending();
}

// ---- reading

quint32 ResultList::rowAt(int position) const {
    if (position < 1 || position > count())
        throw Failure(u"Index out of bounds: there is no result at position "_s + QString::number(position) +
                      u"."_s);
    return order_.rowAt(std::size_t(position - 1));
}

int ResultList::count() const {
    return int(order_.size());
}

QByteArray ResultList::pathBytes(int position) const {
    QByteArray path;
    store_.pathInto(rowAt(position), path);
    return path;
}

void ResultList::pathBytesInto(int position, QByteArray& out) const {
    store_.pathInto(rowAt(position), out);
}

QString ResultList::text(int position) const {
    return QFile::decodeName(pathBytes(position));
}

QString ResultList::sizeText(int position) const {
    SizeTextWriter::Buffer buffer;
    return QString::fromUtf8(store_.sizeText(rowAt(position), buffer));
}

quint64 ResultList::bytes(int position) const {
    return store_.bytes(rowAt(position));
}

FileId ResultList::fileId(int position) const {
    return store_.fileId(rowAt(position));
}

FoundFile ResultList::foundFile(int position) const {
    return store_.foundFile(rowAt(position));
}

// ---- check boxes

bool ResultList::checked(int position) const {
    // Commands act on checked rows: never on one that went, though a removal may still show it.
    const quint32 row = rowAt(position);
    return store_.checked(row) && !store_.isBuried(row);
}

void ResultList::setChecked(int position, bool checked) {
    if (!totals_.setChecked(rowAt(position), checked))
        return;
    checkedChanged(position - 1, position - 1);
    totalsChanged();
}

void ResultList::setAllChecked(bool checked) {
    announcePending();
    totals_.setAllChecked(checked);
    checkedChanged(0, count() - 1);
    totalsChanged();
}

void ResultList::invertChecks() {
    announcePending();
    totals_.invertChecks();
    checkedChanged(0, count() - 1);
    totalsChanged();
}

void ResultList::setCheckedPositions(const std::vector<int>& positions, bool checked) {
    if (positions.empty())
        return;
    announcePending();
    for (int position : positions)
        rowAt(position); // fails before anything changes for a position that is not there
    const auto [first, last] = std::minmax_element(positions.begin(), positions.end());
    for (int position : positions)
        totals_.setChecked(rowAt(position), checked);
    checkedChanged(*first - 1, *last - 1);
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

// ---- order

bool ResultList::sortRows(SortKey key, Qt::SortOrder order) {
    if (orderIsHeld())
        return false;
    announcePending();
    sorting_ = std::make_unique<SortJob>(store_, order_, key, order);
    continueSort();
    return true;
}

std::optional<ResultList::SortState> ResultList::sortHeading() const {
    return sorting_ ? std::optional<SortState>(sorting_->state()) : sortState();
}

void ResultList::continueSort() {
    // A removal under way moves the rows the sort works on: the sort begins once it has ended.
    if (!sorting_ || removal_)
        return;
    const SortPace pace = order_.size() <= sortPace_.rowsAtOnce ? SortPace::allAtOnce() : sortPace_;
    if (!sorting_->done() && !sorting_->step(SortSlice(pace))) {
        sortTurn_.start();
        return;
    }
    // A command working through the rows in the order shown keeps them there until it ends.
    if (!orderIsHeld())
        applySort();
}

void ResultList::restartSort() {
    // The rows the sort worked on are no longer where it found them: it begins again.
    if (!sorting_)
        return;
    const SortState state = sorting_->state();
    sorting_ = std::make_unique<SortJob>(store_, order_, state.key, state.order);
    sortTurn_.start();
}

void ResultList::releaseOrder() {
    if (--orderHolds_ == 0 && sorting_)
        sortTurn_.start();
}

void ResultList::applySort() {
    const std::unique_ptr<SortJob> job = std::move(sorting_);
    announcePending();
    // Rows appended while it ran stay after the sorted ones, and the list is then not in order.
    const bool everyRow = job->rows() == order_.size();
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    order_.rearrange(job->takeSortedRows(), everyRow ? std::optional<SortState>(job->state()) : std::nullopt);
    followMovedRows(*job->newPositions());
    layout_.moved(job->newPositions());
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    if (everyRow)
        Q_EMIT rowsSorted(job->state().key, job->state().order);
}

void ResultList::followMovedRows(const std::vector<quint32>& newPositions) {
    // Selections and the current row follow their rows to the new places.
    const QModelIndexList before = persistentIndexList();
    if (before.isEmpty())
        return;
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const auto row = std::size_t(old.row());
        after << index(row < newPositions.size() ? int(newPositions[row]) : old.row(), old.column());
    }
    changePersistentIndexList(before, after);
}

void ResultList::sort(int column, Qt::SortOrder order) {
    if (column == kPathColumn || column == kSizeColumn)
        sortRows(column == kPathColumn ? SortKey::Path : SortKey::Size, order);
}

quint64 ResultList::rowKey(int position) const {
    return store_.key(rowAt(position));
}

std::optional<int> ResultList::positionSince(int index, quint64 version) const {
    const std::optional<std::size_t> position = layout_.now(std::size_t(index), version);
    return position ? std::optional<int>(int(*position) + 1) : std::nullopt;
}

std::optional<int> ResultList::positionOfKey(quint64 key) const {
    const std::optional<std::size_t> row = store_.rowOfKey(key);
    const std::optional<std::size_t> position = row ? order_.positionOf(quint32(*row)) : std::nullopt;
    return position ? std::optional<int>(int(*position) + 1) : std::nullopt;
}

void ResultList::clear() {
    removal_.reset();
    removalTurn_.stop();
    beginResetModel();
    order_.clear();
    store_.clear();
    totals_.clear();
    announced_ = 0;
    layout_.cleared();
    endResetModel();
    restartSort();
    totalsChanged();
}

void ResultList::refresh() {
    announcePending();
    if (announced_ > 0)
        Q_EMIT dataChanged(index(0, 0), index(announced_ - 1, columnCount() - 1));
}

// ---- announcements

void ResultList::announceIfDue() {
    if (pace_.due())
        announcePending();
}

void ResultList::announcePending() {
    pace_.restart();
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
    if (section == kPathColumn && count() > 0)
        return QString(headers_.at(section) + u":  "_s + totals_.text(count(), locale_));
    return headers_.at(section);
}

QStringList ResultList::mimeTypes() const {
    return resultDragTypes();
}

QMimeData* ResultList::mimeData(const QModelIndexList& indexes) const {
    QList<QByteArray> paths;
    for (int row : draggedRows(indexes, announced_))
        paths << pathBytes(row + 1);
    return resultDragData(paths);
}

Qt::DropActions ResultList::supportedDragActions() const {
    // Never a move: the list would no longer match the disk.
    return Qt::CopyAction | Qt::LinkAction;
}

} // namespace zorvik
