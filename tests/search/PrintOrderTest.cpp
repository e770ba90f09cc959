// "--sort size" and "--sort path" print the rows in the order the window's first click on that header
// shows them, ties and folders inside folders included.
#include "search/PrintSearch.h"

#include "platform/PosixFileSystem.h"
#include "results/ResultList.h"
#include "results/RowActions.h"

#include "QtPrinters.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class PrintedPaths : public PrintOutput {
public:
    QList<QByteArray> paths;
    bool write(QByteArrayView line) override {
        paths << line.chopped(1).toByteArray(); // each line is a path and its '\n'
        return true;
    }
    void problem(QByteArrayView, const QString&) override {}
    bool progress(const PrintCounts&) override { return true; }
};

QList<QByteArray> printed(const QByteArray& root, PrintRequest::Order order) {
    PrintRequest request;
    request.condition.mode = SizeMode::LessThan;
    request.condition.unit = SizeUnit::Bytes;
    request.condition.valueText = u"1000"_s;
    request.folders = {root};
    request.order = order;
    PosixFileSystem fileSystem;
    PrintedPaths output;
    printSearch(fileSystem, request, output);
    return output.paths;
}

TEST(PrintOrder, SortedOutputIsTheOrderOfTheWindowsFirstClickOnEachHeader) {
    // Few sizes, so most rows tie; folder names that begin with other folders' names.
    TempTree tree;
    std::mt19937 random(7);
    const QByteArray parts[] = {"a", "a b", "a.b", "ab", "B", "\xe9"};
    std::map<QByteArray, quint64> sizes;
    for (int i = 0; i < 60; ++i) {
        QByteArray relative;
        for (int depth = 1 + int(random() % 3); depth > 0; --depth)
            relative += parts[random() % 6] + '/';
        const quint64 bytes = random() % 4;
        sizes[tree.file(relative + "f" + QByteArray::number(i), qint64(bytes))] = bytes;
    }

    const QList<QByteArray> found = printed(tree.root(), PrintRequest::Order::Found);
    ASSERT_EQ(found.size(), qsizetype(sizes.size()));
    const std::pair<ResultList::SortKey, PrintRequest::Order> cases[] = {
        {ResultList::SortKey::Size, PrintRequest::Order::Size},
        {ResultList::SortKey::Path, PrintRequest::Order::Path}};
    for (const auto& [key, order] : cases) {
        // The window's list, filled in the order the walk finds the files, as a search fills it: both
        // sorts are stable, so ties keep that order.
        ResultList list;
        for (const QByteArray& path : found)
            list.addPath(path, {}, sizes.at(path));
        const ResultList::SortState click = RowActions::orderForHeaderClick(std::nullopt, key);
        list.sortRows(click.key, click.order);
        QList<QByteArray> shown;
        for (int position = 1; position <= list.count(); ++position)
            shown << list.pathBytes(position);
        EXPECT_EQ(printed(tree.root(), order), shown);
    }
}

} // namespace
} // namespace zorvik::test
