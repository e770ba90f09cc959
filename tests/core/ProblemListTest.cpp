// The one notice that names the files or folders a command could not deal with.
#include "core/ProblemList.h"

#include "QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

QString summaryOf(const ProblemList& problems) {
    return problems.summary(u"1 file was not moved:"_s, u"%1 files were not moved:"_s);
}

TEST(Problems, OneIsToldInTheSingularAndSeveralWithTheirCount) {
    ProblemList problems;
    EXPECT_TRUE(problems.isEmpty());
    problems.add("/a/x.txt", u"Permission denied"_s);
    EXPECT_FALSE(problems.isEmpty());
    EXPECT_EQ(summaryOf(problems), u"1 file was not moved:\n/a/x.txt (Permission denied)"_s);

    problems.add("/b/y.txt", u"No space left on device"_s);
    EXPECT_EQ(summaryOf(problems), u"2 files were not moved:\n"
                                   u"/a/x.txt (Permission denied)\n"
                                   u"/b/y.txt (No space left on device)"_s);
}

TEST(Problems, TheFirstFiveAreNamedInOrderAndTheRestOnlyCounted) {
    ProblemList five;
    ProblemList seven;
    for (int i = 1; i <= 7; ++i) {
        const QByteArray path = "/f" + QByteArray::number(i);
        if (i <= 5)
            five.add(path, u"reason "_s + QString::number(i));
        seven.add(path, u"reason "_s + QString::number(i));
    }
    const QString named =
        u"\n/f1 (reason 1)\n/f2 (reason 2)\n/f3 (reason 3)\n/f4 (reason 4)\n/f5 (reason 5)"_s;
    EXPECT_EQ(summaryOf(five), u"5 files were not moved:"_s + named);
    EXPECT_EQ(seven.count(), 7);
    EXPECT_EQ(summaryOf(seven), u"7 files were not moved:"_s + named + u"\n..."_s);
}

TEST(Problems, NamesThatAreNotUtf8AreShownAsTheResultListShowsThem) {
    ProblemList problems;
    const QByteArray odd = "/data/caf\xe9/\xff\xfe.bin";
    problems.add(odd, u"Op\u00e9ration non permise"_s);
    const QString summary = summaryOf(problems);
    EXPECT_EQ(summary,
              u"1 file was not moved:\n"_s + QFile::decodeName(odd) + u" (Op\u00e9ration non permise)"_s);
    EXPECT_TRUE(summary.contains(u"/data/caf\ufffd/"_s)) << summary.toStdString();
}

} // namespace
} // namespace zorvik::test
