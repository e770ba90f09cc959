#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace zorvik {

// The folders that a search run could not enter, for one notice at the end of the run.
class SkippedFolders {
public:
    void add(const QByteArray& path, const QString& reason);
    bool isEmpty() const { return count_ == 0; }
    int count() const { return count_; }
    // How many folders were skipped, and the first few with their reasons.
    QString summary() const;

    static constexpr int kNamed = 5;

private:
    int count_ = 0;
    std::vector<std::pair<QByteArray, QString>> first_;
};

} // namespace zorvik
