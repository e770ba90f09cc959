// A move onto a file of the same name, and a trash, ended by a crash at each of their steps in turn:
// recovery afterwards leaves every file in exactly one visible place with its last content, no hidden
// name and no journal behind. And a journal torn by the crash, or still held by a running process.
#include "platform/FreedesktopTrash.h"
#include "platform/JournalRecovery.h"
#include "platform/OperationJournal.h"
#include "platform/PosixFileOperations.h"

#include "QtPrinters.h"
#include "TempTree.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <sys/file.h>
#include <sys/wait.h>

namespace zorvik::test {
namespace {

constexpr int kCrashed = 99;
int crashAt = 0; // the step at which the child ends, counted from 1
int stepsPassed = 0;

void crashAtStep(const char* /*step*/) {
    if (++stepsPassed == crashAt)
        ::_exit(kCrashed);
}

// Runs `operation` in a child process that ends at its `step`-th step as a crash would; false when the
// operation ended before that step.
bool crashesAt(int step, const std::function<void()>& operation) {
    const pid_t child = ::fork();
    if (child == 0) {
        crashAt = step;
        setStepHook(crashAtStep);
        operation();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == kCrashed;
}

QByteArray contentHashOf(const QByteArray& path) {
    const UniqueFd file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    QByteArray content;
    char buffer[4096];
    for (ssize_t got = 0; file && (got = ::read(file.get(), buffer, sizeof buffer)) > 0;)
        content.append(buffer, got);
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex().left(12);
}

FileId idOf(const QByteArray& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.constData(), &status), 0) << path.constData();
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

void write(const QByteArray& path, const QByteArray& content) {
    const UniqueFd out(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    ASSERT_TRUE(out) << path.constData();
    ASSERT_EQ(::write(out.get(), content.constData(), std::size_t(content.size())), content.size());
}

class FilesystemsApart : public PosixFileOperations {
public:
    using PosixFileOperations::PosixFileOperations;
    bool apart = false;

protected:
    bool sameMount(int a, int b) override { return !apart && PosixFileOperations::sameMount(a, b); }
};

class JournalCrash : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"src", "dst", "trash/files", "trash/info"})
            tree.folder(folder);
    }
    // Every file below the tree by its path there, with its content's hash; a trashed file also by
    // whether its record is there.
    std::map<QByteArray, QByteArray> files() const {
        std::map<QByteArray, QByteArray> all;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.root().constData()))
            if (!entry.is_directory()) {
                const QByteArray path = QByteArray::fromStdString(entry.path().native());
                all[path.mid(tree.root().size() + 1)] = contentHashOf(path);
            }
        return all;
    }
    // Takes every file away for the next round; the folders stay.
    void clear() const {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.root().constData()))
            if (!entry.is_directory())
                ::unlink(entry.path().c_str());
    }
    std::map<QByteArray, QByteArray> trashed(const QByteArray& name, const QByteArray& content) const {
        return {{"trash/files/" + name, hashOf(content)}, {"trash/info/" + name + ".trashinfo", {}}};
    }
    // The same map without the records' content, which holds a time.
    std::map<QByteArray, QByteArray> settled() const {
        std::map<QByteArray, QByteArray> all = files();
        for (auto& [path, hash] : all)
            if (path.endsWith(".trashinfo"))
                hash.clear();
        return all;
    }
    static QByteArray hashOf(const QByteArray& content) {
        return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex().left(12);
    }
    // No journal is left but this process's own.
    static void expectNoDeadJournal() {
        const QDir folder(QFile::decodeName(OperationJournal::folder()));
        const QString own = QFile::decodeName(OperationJournal::ofProcess().path()).section(u'/', -1);
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
            EXPECT_EQ(name, own);
    }

    TempTree tree;
};

TEST_F(JournalCrash, AMoveOntoAFileOfTheSameNameEndsMovedOrUndoneWhereverItCrashes) {
    for (bool apart : {false, true}) {
        int step = 1;
        for (;; ++step) {
            SCOPED_TRACE(testing::Message() << "apart " << apart << ", crash at step " << step);
            const QByteArray source = tree.path("src/thesis.odt");
            const QByteArray occupant = tree.path("dst/thesis.odt");
            write(source, "the new thesis");
            write(occupant, "the old thesis");
            const FoundFile found{source, tree.path("src").size(), idOf(source)};
            const bool crashedThere = crashesAt(step, [&] {
                auto operations = std::make_shared<FilesystemsApart>(
                    std::make_shared<FreedesktopTrash>(tree.path("trash")));
                operations->apart = apart;
                const FileOperations::OpenedDestination into = operations->openDestination(tree.path("dst"));
                operations->moveFile(found, *into.destination, {});
            });
            const RecoveryReport report = recoverInterruptedOperations();
            EXPECT_EQ(report.operations, crashedThere ? 1 : 0);
            EXPECT_TRUE(report.renamed.isEmpty());

            std::map<QByteArray, QByteArray> undone{{"src/thesis.odt", hashOf("the new thesis")},
                                                    {"dst/thesis.odt", hashOf("the old thesis")}};
            std::map<QByteArray, QByteArray> moved = trashed("thesis.odt", "the old thesis");
            moved["dst/thesis.odt"] = hashOf("the new thesis");
            const std::map<QByteArray, QByteArray> now = settled();
            EXPECT_TRUE(now == undone || now == moved) << testing::PrintToString(now);
            if (!crashedThere) {
                EXPECT_EQ(now, moved);
            }
            expectNoDeadJournal();
            clear();
            if (!crashedThere)
                break;
        }
        EXPECT_GE(step, apart ? 12 : 8); // every step was crashed at once
    }
}

TEST_F(JournalCrash, ATrashEndsTrashedOrUndoneWhereverItCrashes) {
    int step = 1;
    for (;; ++step) {
        SCOPED_TRACE(step);
        const QByteArray path = tree.path("src/notes \xff.txt");
        write(path, "notes");
        const FoundFile found{path, tree.path("src").size(), idOf(path)};
        const bool crashedThere =
            crashesAt(step, [&] { FreedesktopTrash(tree.path("trash")).moveToTrash(found); });
        EXPECT_EQ(recoverInterruptedOperations().operations, crashedThere ? 1 : 0);
        const std::map<QByteArray, QByteArray> now = settled();
        const std::map<QByteArray, QByteArray> kept{{"src/notes \xff.txt", hashOf("notes")}};
        EXPECT_TRUE(now == kept || now == trashed("notes \xff.txt", "notes")) << testing::PrintToString(now);
        expectNoDeadJournal();
        clear();
        if (!crashedThere)
            break;
    }
    EXPECT_GE(step, 4);
}

TEST_F(JournalCrash, ATornLastLineIsPassedOverAndALiveJournalIsLeftAlone) {
    // A line keeps any bytes, and a line cut short or changed is no line.
    const JournalEntry entry{7, "claim", {"a b\nc", QByteArray("\xff\x00", 2), {}}};
    EXPECT_EQ(JournalEntry::parse(entry.line()), entry);
    EXPECT_EQ(JournalEntry::parse(entry.line().chopped(1)), std::nullopt);
    QByteArray changed = entry.line();
    changed[8] = changed[8] == '1' ? '2' : '1';
    EXPECT_EQ(JournalEntry::parse(changed), std::nullopt);

    // A dead process's journal: a file claimed (its name taken meanwhile), then a torn line.
    const QByteArray hidden = tree.path("src/.zorvik-claimed-x");
    write(hidden, "claimed");
    write(tree.path("src/report.pdf"), "someone else's");
    const QByteArray journal = OperationJournal::folder() + "/journal-1-torn";
    QDir().mkpath(QFile::decodeName(OperationJournal::folder()));
    QList<QByteArray> fields{tree.path("src"), "report.pdf", ".zorvik-claimed-x"};
    fields << idFields(idOf(hidden));
    const QByteArray whole = JournalEntry{1, "claim", fields}.line();
    const QByteArray torn = JournalEntry{1, "place", {tree.path("dst"), "report.pdf"}}.line().left(20);
    write(journal, whole + torn);

    // Held by a process that still runs: left as it is.
    const UniqueFd held(::open(journal.constData(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(held.get(), LOCK_EX), 0);
    EXPECT_EQ(recoverInterruptedOperations().operations, 0);
    EXPECT_TRUE(QFile::exists(QFile::decodeName(hidden)));
    ::flock(held.get(), LOCK_UN);

    const RecoveryReport report = recoverInterruptedOperations();
    EXPECT_EQ(report.operations, 1);
    EXPECT_EQ(report.renamed, QList<QByteArray>{tree.path("src/report.pdf (recovered)")});
    EXPECT_EQ(settled(),
              (std::map<QByteArray, QByteArray>{{"src/report.pdf", hashOf("someone else's")},
                                                {"src/report.pdf (recovered)", hashOf("claimed")}}));
    EXPECT_FALSE(QFile::exists(QFile::decodeName(journal)));
}

} // namespace
} // namespace zorvik::test
