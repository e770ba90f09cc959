// The rows that "Clear Results (Not) Containing X" removes, chosen without the window.
#include "results/ResultList.h"
#include "results/TextFilter.h"

#include "QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Positions = std::vector<int>;

class Prune : public ::testing::Test {
protected:
    void rows(std::initializer_list<QByteArray> paths) {
        for (const QByteArray& path : paths)
            list.addPath(path, u"1 KB"_s);
    }
    Positions containing(const QString& text) { return rowsToPrune(list, text, true); }
    Positions notContaining(const QString& text) { return rowsToPrune(list, text, false); }

    ResultList list;
};

TEST_F(Prune, CaseIsIgnoredOnBothSidesAndTheTwoSensesSplitTheList) {
    rows({"/data/a.txt", "/data/Photos/b.jpg", "/data/PHOTOS/c.jpg", "/data/photos/e.jpg", "/DATA/f.TXT"});
    EXPECT_EQ(containing(u"pHoToS"_s), (Positions{2, 3, 4}));
    EXPECT_EQ(notContaining(u"pHoToS"_s), (Positions{1, 5}));
    EXPECT_EQ(containing(u".txt"_s), (Positions{1, 5}));
    // The whole path is looked at, folders included, and a text found nowhere selects nothing.
    EXPECT_EQ(containing(u"/data/"_s), (Positions{1, 2, 3, 4, 5}));
    EXPECT_EQ(containing(u"zzz"_s), Positions{});
    EXPECT_EQ(notContaining(u"/"_s), Positions{});
    // A space is a text like any other.
    EXPECT_EQ(containing(u" "_s), Positions{});
}

TEST_F(Prune, OnlyThePathIsLookedAtNeverTheSizeText) {
    list.addPath("/a/report.pdf", u"3 KB"_s);
    list.addPath("/b/KB/notes.txt", u"12 Bytes"_s);
    EXPECT_EQ(containing(u" KB"_s), Positions{});
    EXPECT_EQ(containing(u"kb"_s), Positions{2});
    EXPECT_EQ(containing(u"bytes"_s), Positions{});
    EXPECT_EQ(notContaining(u"3"_s), (Positions{1, 2}));
}

TEST_F(Prune, PathsAreComparedAsShownBeyondAsciiAndBeyondUtf8) {
    rows({
        "/data/\xc3\x84RGER.txt", // "ÄRGER"
        "/data/aerger.txt",
        "/data/\xe2\x84\xaa.bin", // KELVIN SIGN, which lowers to an ASCII "k"
        "/data/k.bin",
        "/data/\xc4\xb0stanbul.txt" // "İstanbul": "İ" lowers to "i" and a combining dot
    });
    EXPECT_EQ(containing(u"\u00e4rger"_s), Positions{1});
    EXPECT_EQ(containing(u"\u00c4RGER"_s), Positions{1});
    EXPECT_EQ(containing(u"K.BIN"_s), (Positions{3, 4}));
    EXPECT_EQ(containing(u"\u212a.bin"_s), (Positions{3, 4}));
    EXPECT_EQ(containing(u"\u0130"_s), Positions{5});
    EXPECT_EQ(notContaining(u"\u00e4"_s), (Positions{2, 3, 4, 5}));

    // Bytes that are not UTF-8 do not keep the rest of the path from being compared.
    rows({"/data/\xff/Photo.jpg", "/data/caf\xe9/Menu.TXT"});
    EXPECT_EQ(containing(u"PHOTO"_s), Positions{6});
    EXPECT_EQ(containing(u"menu.txt"_s), Positions{7});
}

// Plain ASCII paths take a shortcut; whatever the path and text, the answer must be the one the
// shown texts give.
TEST_F(Prune, EveryPathAndTextAgreesWithComparingTheShownTextsInLowerCase) {
    const QList<QByteArray> paths = {
        "/home/u/Report.PDF",
        "/home/u/r\xc3\xa9sum\xc3\xa9.txt",
        "/x/\xff\xfe",
        "/x/\xe2\x84\xaa",
        "/x/k",
        "/srv/a b/C.d",
        "/x/\xc3\x9f.txt",
        "/X/SS.TXT",
        "/x/[a].*",
    };
    for (const QByteArray& path : paths)
        list.addPath(path, u"2 MB"_s);
    const QStringList texts = {
        u"report"_s, u"R\u00c9SUM\u00c9"_s, u"\u00e9"_s, u"k"_s,    u"\u212a"_s, u" "_s,
        u"a b/c"_s,  u"\u00df"_s,           u"ss"_s,     u"[A]."_s, u".*"_s,     u"/x/"_s,
        u"mb"_s,     u"\ufffd"_s,           u"\u1e9e"_s,
    };
    for (const QString& text : texts) {
        Positions expected;
        for (int i = 1; i <= list.count(); ++i)
            if (QFile::decodeName(list.pathBytes(i)).toLower().contains(text.toLower()))
                expected.push_back(i);
        Positions rest;
        for (int i = 1; i <= list.count(); ++i)
            if (std::find(expected.begin(), expected.end(), i) == expected.end())
                rest.push_back(i);
        EXPECT_EQ(containing(text), expected) << text.toStdString();
        EXPECT_EQ(notContaining(text), rest) << text.toStdString();
    }
}

TEST_F(Prune, AnEmptyListSelectsNothing) {
    EXPECT_EQ(containing(u"a"_s), Positions{});
    EXPECT_EQ(notContaining(u"a"_s), Positions{});
}

} // namespace
} // namespace zorvik::test
