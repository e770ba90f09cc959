#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace zorvik {

// Files that a command could not deal with, for one notice at its end: how many, and the first few
// with their reasons.
class ProblemFiles {
public:
    void add(const QByteArray& path, const QString& reason);
    bool isEmpty() const { return count_ == 0; }
    int count() const { return count_; }
    // `headline` is followed by the first few paths, each with its reason.
    QString summary(const QString& headline) const;

    static constexpr int kNamed = 5;

private:
    int count_ = 0;
    std::vector<std::pair<QByteArray, QString>> first_;
};

} // namespace zorvik
