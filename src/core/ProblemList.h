#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace zorvik {

// Files or folders that a command could not deal with, for one notice at its end: how many, and the
// first few with their reasons.
class ProblemList {
public:
    void add(const QByteArray& path, const QString& reason);
    bool isEmpty() const { return count_ == 0; }
    int count() const { return count_; }
    // The headline (`one`, or `many` with %1 for the count), then the first few paths with their reasons.
    QString summary(const QString& one, const QString& many) const;
    // The same with the headline made by the caller (a translation that counts for itself).
    QString summary(const QString& headline) const;

    static constexpr int kNamed = 5;

private:
    int count_ = 0;
    std::vector<std::pair<QByteArray, QString>> first_;
};

} // namespace zorvik
