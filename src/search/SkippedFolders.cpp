#include "search/SkippedFolders.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

void SkippedFolders::add(const QByteArray& path, const QString& reason) {
    ++count_;
    if (first_.size() < std::size_t(kNamed))
        first_.emplace_back(path, reason);
}

QString SkippedFolders::summary() const {
    QString text = count_ == 1
                       ? u"1 folder could not be searched and was skipped:"_s
                       : QString::number(count_) + u" folders could not be searched and were skipped:"_s;
    for (const auto& [path, reason] : first_)
        text += u"\n"_s + QFile::decodeName(path) + u" ("_s + reason + u")"_s;
    if (count_ > kNamed)
        text += u"\n..."_s;
    return text;
}

} // namespace zorvik
