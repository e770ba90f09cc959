// The results file is replaced whole or not at all, and a failure says what the system said.
#include "platform/AtomicFileWriter.h"
#include "core/Failure.h"

#include "QtPrinters.h"
#include "TempTree.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// While it lives, no file of this process may grow beyond `bytes`: the system refuses such a write
// with EFBIG. A real refusal by the system, as a full disk gives, without a filesystem of its own.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        // Going past the limit also raises SIGXFSZ, which would end the test program.
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        valid_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool valid() const { return valid_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
    bool valid_ = false;
};

class Writer : public ::testing::Test {
protected:
    Writer() {
        tree.file("results.txt", 0);
        write("the old list\r\n");
    }
    void write(const QByteArray& content) {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray content() const {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Whatever is in the folder besides the file: a temporary left behind shows here.
    QStringList leftOver() const {
        QStringList names = QDir(tree.rootText()).entryList(QDir::Files | QDir::Hidden);
        names.removeOne(u"results.txt"_s);
        return names;
    }
    // Runs `body` and returns the description of the Failure it throws, or "<no failure>".
    template <class Body> static QString failureOf(Body&& body) {
        try {
            body();
        } catch (const Failure& failure) {
            return failure.description();
        }
        return u"<no failure>"_s;
    }

    TempTree tree;
    QString target = tree.rootText() + u"/results.txt"_s;
};

TEST_F(Writer, CommitReplacesTheFileWithWhatWasWritten) {
    {
        AtomicFileWriter writer(target);
        writer.open();
        writer.write("/a\r\n");
        writer.write("/b\r\n");
        EXPECT_EQ(content(), "the old list\r\n"); // untouched until the commit
        writer.commit();
    }
    EXPECT_EQ(content(), "/a\r\n/b\r\n");
    EXPECT_TRUE(leftOver().isEmpty()) << leftOver().join(u' ').toStdString();
}

TEST_F(Writer, AWriteTheSystemRefusesLeavesTheOldFileWholeAndSaysWhy) {
    const FileSizeLimit limit(rlim_t{64} * 1024);
    ASSERT_TRUE(limit.valid());
    {
        AtomicFileWriter writer(target);
        writer.open();
        EXPECT_EQ(failureOf([&] { writer.write(QByteArray(qsizetype{1024} * 1024, 'x')); }),
                  errnoText(EFBIG));
        // The temporary is given up: a commit now cannot put a partial list in the file's place.
        EXPECT_NE(failureOf([&] { writer.commit(); }), u"<no failure>"_s);
    }
    EXPECT_EQ(content(), "the old list\r\n");
    EXPECT_TRUE(leftOver().isEmpty()) << leftOver().join(u' ').toStdString();
}

TEST_F(Writer, ARefusalThatComesWithTheLastBufferedBytesIsReportedTooWithItsReason) {
    const FileSizeLimit limit(rlim_t{16} * 1024);
    ASSERT_TRUE(limit.valid());
    QString failure;
    {
        AtomicFileWriter writer(target);
        writer.open();
        // Small lines, as the save command writes them: the refusal may surface at any write or only
        // when the last bytes are put out at the commit.
        failure = failureOf([&] {
            for (int i = 0; i < 1000; ++i)
                writer.write("/home/someone/a rather long folder name/and a file name.txt\r\n");
            writer.commit();
        });
    }
    EXPECT_EQ(failure, errnoText(EFBIG));
    EXPECT_EQ(content(), "the old list\r\n");
    EXPECT_TRUE(leftOver().isEmpty()) << leftOver().join(u' ').toStdString();
}

TEST_F(Writer, AFolderThatIsNotThereFailsAtOpenOrCommitWithTheSystemsReason) {
    AtomicFileWriter nowhere(tree.rootText() + u"/no-such-folder/results.txt"_s);
    EXPECT_TRUE(failureOf([&] { nowhere.open(); }).contains(errnoText(ENOENT)));

    tree.folder("vanishing");
    const QString inVanishing = tree.rootText() + u"/vanishing/results.txt"_s;
    AtomicFileWriter writer(inVanishing);
    writer.open();
    writer.write("/a\r\n");
    ASSERT_TRUE(QDir(tree.rootText() + u"/vanishing"_s).removeRecursively());
    EXPECT_EQ(failureOf([&] { writer.commit(); }), errnoText(ENOENT));
}

} // namespace
} // namespace zorvik::test
