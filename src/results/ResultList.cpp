// Placeholder storage; the compact storage with batched announcements replaces it.
#include "results/ResultList.h"

#include <QFile>

namespace zorvik {

ResultList::ResultList(QObject* parent) : QAbstractTableModel(parent) {}
ResultList::~ResultList() = default;

void ResultList::addColumn(const QString& header) {
    beginInsertColumns(QModelIndex(), int(headers_.size()), int(headers_.size()));
    headers_.append(header);
    endInsertColumns();
}

void ResultList::add(const QByteArray& folderPath, QByteArrayView name, const QString& sizeText) {
    QByteArray path = folderPath;
    if (!path.endsWith('/'))
        path += '/';
    path += name;
    addPath(path, sizeText);
}

void ResultList::addPath(const QByteArray& path, const QString& sizeText) {
    rows_.push_back({path, sizeText, false});
}

int ResultList::count() const { return int(rows_.size()); }
QByteArray ResultList::pathBytes(int position) const { return rows_.at(std::size_t(position - 1)).path; }
QString ResultList::text(int position) const { return QFile::decodeName(pathBytes(position)); }
QString ResultList::sizeText(int position) const { return rows_.at(std::size_t(position - 1)).sizeText; }
bool ResultList::checked(int position) const { return rows_.at(std::size_t(position - 1)).checked; }

void ResultList::setChecked(int position, bool checked) {
    rows_.at(std::size_t(position - 1)).checked = checked;
}

void ResultList::remove(int position) { removePositions({position}); }

void ResultList::removePositions(const std::vector<int>& ascendingPositions) {
    announcePending();
    for (auto it = ascendingPositions.rbegin(); it != ascendingPositions.rend(); ++it) {
        beginRemoveRows(QModelIndex(), *it - 1, *it - 1);
        rows_.erase(rows_.begin() + (*it - 1));
        --announced_;
        endRemoveRows();
    }
}

void ResultList::clear() {
    beginResetModel();
    rows_.clear();
    announced_ = 0;
    endResetModel();
}

void ResultList::refresh() { announcePending(); }

void ResultList::announcePending() {
    if (announced_ == count())
        return;
    beginInsertRows(QModelIndex(), announced_, count() - 1);
    announced_ = count();
    endInsertRows();
}

int ResultList::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : announced_; }
int ResultList::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headers_.size()); }

QVariant ResultList::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
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
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
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
