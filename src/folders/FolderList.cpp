#include "folders/FolderList.h"

#include "core/Failure.h"

#include <QFile>
#include <QTimer>

#include <chrono>

using namespace Qt::StringLiterals;

namespace zorvik {

void FolderList::addColumn(const QString& header) {
    beginInsertColumns(QModelIndex(), int(headers_.size()), int(headers_.size()));
    headers_.append(header);
    endInsertColumns();
}

void FolderList::setHeaderText(const QString& text) {
    if (headers_.isEmpty())
        throw Failure(tr("The folder list has no column"));
    headers_[0] = text;
    headerPending_ = false;
    headerChanged();
}

void FolderList::setHeaderPath(const QString& prefix, const QByteArray& path) {
    if (headers_.isEmpty())
        throw Failure(tr("The folder list has no column"));
    // Kept as bytes: most of these texts are replaced before anybody reads them.
    pendingPrefix_ = prefix;
    pendingPath_ = path;
    headerPending_ = true;
    headerChanged();
}

void FolderList::takePendingHeader() const {
    if (!headerPending_)
        return;
    headers_[0] = pendingPrefix_ + QFile::decodeName(pendingPath_);
    headerPending_ = false;
}

void FolderList::headerChanged() {
    // A search names tens of thousands of folders a second; the screen needs a few of them. The text is
    // current at once for every reader, and views hear of it at most every kHeaderRepaintMs, the last
    // change included.
    if (!headerAnnouncedAtMs_ || nowMs() - *headerAnnouncedAtMs_ >= kHeaderRepaintMs) {
        announceHeader();
    } else if (!headerAnnouncePending_) {
        headerAnnouncePending_ = true;
        callAfter(kHeaderRepaintMs, [this] {
            if (headerAnnouncePending_)
                announceHeader();
        });
    }
}

void FolderList::announceHeader() {
    headerAnnouncePending_ = false;
    headerAnnouncedAtMs_ = nowMs();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 0);
}

qint64 FolderList::nowMs() const {
    if (clock_.nowMs)
        return clock_.nowMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void FolderList::callAfter(int delayMs, std::function<void()> call) {
    if (clock_.callAfter)
        clock_.callAfter(delayMs, std::move(call));
    else
        QTimer::singleShot(delayMs, this, std::move(call));
}

QString FolderList::headerText() const {
    takePendingHeader();
    return headers_.isEmpty() ? QString() : headers_.first();
}

void FolderList::add(const QString& folder, bool skipped) {
    addPath(QFile::encodeName(folder), skipped);
}

void FolderList::addPath(const QByteArray& path, bool skipped) {
    beginInsertRows(QModelIndex(), count(), count());
    folders_.append(path);
    skipped_.append(skipped);
    endInsertRows();
}

QString FolderList::item(int position) const {
    return QFile::decodeName(pathBytes(position));
}

QByteArray FolderList::pathBytes(int position) const {
    // A search counts the rows once; a row removed meanwhile must fail, not read past the end.
    if (position < 1 || position > folders_.size())
        throw Failure(tr("There is no folder at position %1.").arg(position));
    return folders_.at(position - 1);
}

void FolderList::remove(int position) {
    if (position < 1 || position > count())
        throw Failure(tr("Index out of bounds"));
    beginRemoveRows(QModelIndex(), position - 1, position - 1);
    folders_.removeAt(position - 1);
    skipped_.removeAt(position - 1);
    endRemoveRows();
}

bool FolderList::isSkipped(int position) const {
    pathBytes(position); // throws for a row that is gone
    return skipped_.at(position - 1);
}

void FolderList::setSkipped(int position, bool skipped) {
    pathBytes(position);
    skipped_[position - 1] = skipped;
    const QModelIndex row = index(position - 1, 0);
    Q_EMIT dataChanged(row, row);
}

int FolderList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int FolderList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant FolderList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != 0)
        return {};
    const bool skipped = skipped_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QFile::decodeName(folders_.at(index.row()));
    case kSkippedRole:
        return skipped;
    // A screen reader cannot see the mark; a skipped row says so after its path.
    case Qt::AccessibleTextRole:
        if (skipped)
            return tr("%1, skipped").arg(QFile::decodeName(folders_.at(index.row())));
        break;
    case Qt::AccessibleDescriptionRole:
        if (skipped)
            return tr("Skipped: no search enters this folder");
        break;
    default:
        break;
    }
    return {};
}

QVariant FolderList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers_.size()) {
        takePendingHeader();
        return headers_.at(section);
    }
    return {};
}

} // namespace zorvik
