#pragma once

#include "FormFixture.h"
#include "TempTree.h"

#include "results/ResultList.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvik::test {

// The real window with rows put straight into its result list.
class ResultFixture : public FormFixture {
protected:
    // Adds a row for `path` with a size text, checked or not, as a search finding the file there now
    // would; `rootLength` is how much of the path is the listed folder (its own folder by default).
    void row(const QByteArray& path, bool checked = false, const QString& size = QStringLiteral("1 KB"),
             qsizetype rootLength = RowOrigin::kOwnFolder) {
        ResultList& list = *form().results;
        list.addPath(path, size, 0, originOf(path, rootLength));
        if (checked)
            list.setChecked(list.count(), true);
    }
    // The identity of what is at `path` now, as the search would have seen it.
    static RowOrigin originOf(const QByteArray& path, qsizetype rootLength = RowOrigin::kOwnFolder) {
        RowOrigin origin;
        origin.rootLength = rootLength;
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0)
            origin.id = {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
        return origin;
    }
    QStringList rows() {
        QStringList result;
        for (int i = 1; i <= form().results->count(); ++i)
            result << form().results->text(i) +
                          (form().results->checked(i) ? QStringLiteral(" [x]") : QString());
        return result;
    }
    // Read by the path's bytes: names that are not UTF-8 must not depend on decoding.
    static QByteArray contentOf(const QByteArray& path) {
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd < 0)
            return "<missing>";
        QByteArray content;
        char buffer[4096];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            content.append(buffer, got);
        ::close(fd);
        return content;
    }
    static bool exists(const QByteArray& path) {
        struct stat status {};
        return ::lstat(path.constData(), &status) == 0;
    }
    // A file with its own content, so that any mix-up or loss shows.
    QByteArray file(const TempTree& in, const QByteArray& relative) {
        QByteArray path = in.path(relative);
        in.file(relative, 0);
        const QByteArray content = "content of " + relative;
        const int fd = ::open(path.constData(), O_WRONLY | O_TRUNC);
        EXPECT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
        ::close(fd);
        return path;
    }
};

} // namespace zorvik::test
