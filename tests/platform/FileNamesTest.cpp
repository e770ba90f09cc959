// The name a save dialog answered, completed with the text files' extension.
#include "platform/FileNames.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

TEST(SaveNames, TxtIsAddedOnlyToANameWithoutExtensionUnderTheTextFilesFilter) {
    EXPECT_EQ(withTextExtension(u"/home/u/results"_s, true), u"/home/u/results.txt"_s);
    EXPECT_EQ(withTextExtension(u"/home/u/results"_s, false), u"/home/u/results"_s);
    EXPECT_EQ(withTextExtension(u"/home/u/results.md"_s, true), u"/home/u/results.md"_s);
    EXPECT_EQ(withTextExtension(u"/home/u/results."_s, true), u"/home/u/results."_s);
    // A dot in a folder's name is not the file's extension; a leading dot names a hidden file.
    EXPECT_EQ(withTextExtension(u"/home/u.v/list"_s, true), u"/home/u.v/list.txt"_s);
    EXPECT_EQ(withTextExtension(u"/home/u/.list"_s, true), u"/home/u/.list.txt"_s);
    EXPECT_EQ(withTextExtension(QString(), true), QString()); // cancelled
}

TEST(SaveNames, TheFilterOrACsvNameChoosesTheFormat) {
    auto target = [](const QString& name, SaveFilter filter) -> QString {
        const SaveTarget t = saveTargetOf(name, filter);
        return t.name + (t.format == SaveFormat::Csv ? u" as CSV"_s : u" as text"_s);
    };
    EXPECT_EQ(target(u"/r"_s, SaveFilter::Text), u"/r.txt as text"_s);
    EXPECT_EQ(target(u"/r"_s, SaveFilter::Csv), u"/r.csv as CSV"_s);
    EXPECT_EQ(target(u"/r.list"_s, SaveFilter::Csv), u"/r.list as CSV"_s);
    EXPECT_EQ(target(u"/r"_s, SaveFilter::AllFiles), u"/r as text"_s);
    EXPECT_EQ(target(u"/r.CSV"_s, SaveFilter::Text), u"/r.CSV as CSV"_s);
    EXPECT_EQ(target(QString(), SaveFilter::Csv), u" as CSV"_s); // cancelled: no name to complete
}

} // namespace
} // namespace zorvik::test
