#include "results/ProblemFiles.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

void ProblemFiles::add(const QByteArray& path, const QString& reason) {
    ++count_;
    if (first_.size() < std::size_t(kNamed))
        first_.emplace_back(path, reason);
}

QString ProblemFiles::summary(const QString& headline) const {
    QString text = headline;
    for (const auto& [path, reason] : first_)
        text += u"\n"_s + QFile::decodeName(path) + u" ("_s + reason + u")"_s;
    if (count_ > kNamed)
        text += u"\n..."_s;
    return text;
}

} // namespace zorvik
