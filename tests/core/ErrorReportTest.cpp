// The error report's text and the resume rule of numbered steps.
#include "core/ErrorReport.h"
#include "core/AppTitle.h"
#include "core/Steps.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace zorvik {
namespace {

TEST(ErrorReport, TextIsComposedByteForByte) {
    EXPECT_EQ(composeErrorReport(u"File not found"_s, u"PushButton5_Click"_s, 100),
              u"File not found\r\nin Zorvik2021/08/31.Form1.PushButton5_Click at line 100\r\r"
              u"Please email screenshot of this message to support@teskaro.example"_s);
    EXPECT_EQ(locationText(u"PushButton10_Click"_s), u"Zorvik2021/08/31.Form1.PushButton10_Click "_s);
    EXPECT_TRUE(composeErrorReport(u"x"_s, u"Form_Load"_s, 0).contains(u"Form_Load at line 0\r\r"_s));
}

struct Report {
    QString description;
    int step;
    QString extra;
};

class StepsTest : public ::testing::Test {
protected:
    Steps steps{u"PushButton2_Click"_s,
                [this](const QString& d, const QString& handler, int step, const QString& e) {
                    EXPECT_EQ(handler, u"PushButton2_Click"_s);
                    reports.push_back({d, step, e});
                }};
    std::vector<Report> reports;
    std::vector<int> ran;
};

TEST_F(StepsTest, AFailingStepIsReportedAndTheNextStepRuns) {
    steps.run(106, [&] { ran.push_back(106); });
    steps.run(108, [&] { throw Failure(u"Disk full"_s); });
    steps.run(110, [&] { throw std::runtime_error("bad"); });
    steps.run(112, [&] { ran.push_back(112); });
    EXPECT_EQ(ran, (std::vector<int>{106, 112}));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].description, u"Disk full"_s);
    EXPECT_EQ(reports[0].step, 108);
    EXPECT_EQ(reports[1].description, u"bad"_s);
    EXPECT_EQ(reports[1].step, 110);
}

TEST_F(StepsTest, AFailingConditionCountsAsTrueExceptBeforeAChangeToAFile) {
    const bool governed = steps.test(120, [&]() -> bool { throw Failure(u"Path not found"_s); });
    EXPECT_TRUE(governed);
    EXPECT_FALSE(steps.test(122, [] { return false; }));
    // A failed "is this row checked?" must never lead into moving or trashing its file.
    EXPECT_FALSE(steps.allows(124, [&]() -> bool { throw Failure(u"Row gone"_s); }));
    EXPECT_TRUE(steps.allows(126, [] { return true; }));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].step, 120);
    EXPECT_EQ(reports[1].step, 124);
}

TEST_F(StepsTest, ExtraLineIsAddedOnlyWhenThereIsOne) {
    QString row;
    steps.setExtra([&] { return row.isEmpty() ? QString() : u"File: "_s + row; });
    steps.run(114, [] { throw Failure(u"a"_s); });
    row = u"/home/u/a.txt"_s;
    steps.run(126, [] { throw Failure(u"b"_s); });
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].extra.isEmpty());
    EXPECT_EQ(reports[1].extra, u"File: /home/u/a.txt"_s);
}

TEST(ApplicationTitle, DropsWordsUntilFortyCharactersAndAlwaysAtLeastOne) {
    EXPECT_EQ(applicationTitleFrom(u"Zorvik"_s), u"Zorvik"_s);
    // Five words, 27 characters: only the last word goes.
    EXPECT_EQ(applicationTitleFrom(u"Find Big Files Fast And Go"_s + u"!"_s), u"Find Big Files Fast And"_s);
    const QString sixty = u"Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lam"_s;
    ASSERT_EQ(sixty.size(), 60);
    EXPECT_EQ(applicationTitleFrom(sixty), u"Alpha Beta Gamma Delta Epsilon Zeta Eta"_s);
    EXPECT_EQ(applicationTitleFrom(QString(50, u'x')), QString(40, u'x'));
}

} // namespace
} // namespace zorvik
