#include "core/ProblemList.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

void ProblemList::add(const QByteArray& path, const QString& reason) {
    ++count_;
    if (first_.size() < std::size_t(kNamed))
        first_.emplace_back(path, reason);
}

QString ProblemList::summary(const QString& one, const QString& many) const {
    return summary(count_ == 1 ? one : many.arg(count_));
}

QString ProblemList::summary(const QString& headline) const {
    QString text = headline;
    for (const auto& [path, reason] : first_)
        text += u"\n"_s + QFile::decodeName(path) + u" ("_s + reason + u")"_s;
    if (count_ > kNamed)
        text += u"\n..."_s;
    return text;
}

} // namespace zorvik
