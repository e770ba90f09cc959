// The search without a window ended by its reader while the read-ahead workers are busy (run under
// ThreadSanitizer by scripts/tsan.sh with the other ReadAhead tests).
#include "search/PrintSearch.h"

#include "platform/PosixFileSystem.h"

#include "QtPrinters.h"
#include "TempTree.h"

#include <gtest/gtest.h>

namespace zorvik::test {
namespace {

// Takes `lines` result lines, then acts as a pipe whose reader has gone.
class ClosingOutput : public PrintOutput {
public:
    explicit ClosingOutput(int lines) : left_(lines) {}
    QByteArray written;
    QList<QByteArray> problems;
    bool write(QByteArrayView bytes) override {
        if (left_-- <= 0)
            return false;
        written.append(bytes);
        return true;
    }
    void problem(QByteArrayView path, const QString&) override { problems << path.toByteArray(); }
    bool progress(const PrintCounts&) override { return left_ > 0; }

private:
    int left_;
};

TEST(ReadAhead, APrintedSearchWhoseReaderGoesAwayEndsWithItsWorkersAndKeepsWhatWasWritten) {
    TempTree tree;
    for (int folder = 0; folder < 200; ++folder)
        for (int file = 0; file < 5; ++file)
            tree.file("d" + QByteArray::number(folder) + "/sub/f" + QByteArray::number(file), 150);
    PrintRequest request;
    request.condition.mode = SizeMode::GreaterThan;
    request.condition.unit = SizeUnit::Bytes;
    request.condition.valueText = QStringLiteral("100");
    request.folders = {tree.root(), tree.root() + "/missing"};
    PosixFileSystem fileSystem;
    ReadAheadOptions readAhead;
    readAhead.threads = 4;

    ClosingOutput output(10);
    const PrintOutcome outcome = printSearch(fileSystem, request, output, readAhead);
    EXPECT_TRUE(outcome.outputClosed);
    EXPECT_TRUE(outcome.listedFolderFailed); // named before the walk began
    EXPECT_EQ(output.problems, QList<QByteArray>{tree.root() + "/missing"});
    EXPECT_EQ(output.written.count('\n'), 10);
    EXPECT_LE(outcome.counts.files, 11U);  // the one refused ended it
    EXPECT_LE(outcome.counts.folders, 8U); // of 401: two folders of matches, and the next one entered
}

} // namespace
} // namespace zorvik::test
