#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace zorvik {

// The folders to search, behind ListView1. Its one column header doubles as the search's status line.
// Positions are 1-based.
class FolderList : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // When the header's repaints happen: a monotonic time in milliseconds, and one call made after a
    // delay while this list lives. Either left empty means the real one (the steady clock, a QTimer);
    // tests set both to step time by hand.
    struct RepaintClock {
        std::function<qint64()> nowMs;
        std::function<void(int delayMs, std::function<void()> call)> callAfter;
    };
    void setRepaintClock(RepaintClock clock) { clock_ = std::move(clock); }
    static constexpr int kHeaderRepaintMs = 250;

    void addColumn(const QString& header);
    // The text of the first column header, which the search uses as its status line.
    void setHeaderText(const QString& text);
    // The same with `prefix` and a path in the system's bytes, decoded only when the text is read.
    void setHeaderPath(const QString& prefix, const QByteArray& path);
    QString headerText() const;

    // A folder as shown (the picker's answer); its path is the text's bytes in the system's encoding.
    void add(const QString& folder, bool skipped = false);
    // A folder by its path in the system's bytes, kept exactly: a name need not be text at all.
    void addPath(const QByteArray& path, bool skipped = false);
    int count() const { return int(folders_.size()); }
    // The folder at `position`, as shown (QFile::decodeName) and as the path to walk. Both throw Failure
    // when there is no folder at `position`.
    QString item(int position) const;
    QByteArray pathBytes(int position) const;
    void remove(int position);
    // A skipped folder stays in the list, but no search opens it or anything below it.
    bool isSkipped(int position) const;
    void setSkipped(int position, bool skipped);
    // data() of a row: whether it is skipped, for the views that mark it.
    static constexpr int kSkippedRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void announceHeader();
    qint64 nowMs() const;
    void callAfter(int delayMs, std::function<void()> call);

    RepaintClock clock_;
    std::optional<qint64> headerAnnouncedAtMs_;
    bool headerAnnouncePending_ = false;
    QList<QByteArray> folders_; // paths in the system's bytes
    QList<bool> skipped_;       // one per folder
    mutable QStringList headers_;
    // A header text set by setHeaderPath and not yet decoded into headers_[0].
    QString pendingPrefix_;
    QByteArray pendingPath_;
    mutable bool headerPending_ = false;
    void takePendingHeader() const;
    void headerChanged();
};

} // namespace zorvik
