// The window at its design size and larger, and the size it comes back with at the next start.
#include "FormFixture.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class WindowSize : public FormFixture {
protected:
    Form1& shownForm() {
        Form1& f = form();
        f.show();
        return f;
    }
    static int firstColumn(const QTableView* view) { return view->horizontalHeader()->sectionSize(0); }
};

TEST_F(WindowSize, TheDesignSizeKeepsEveryControlInPlaceAndALargerWindowGivesTheListsTheRoom) {
    Form1& f = shownForm();
    EXPECT_EQ(f.size(), QSize(536, 633));
    EXPECT_EQ(f.minimumSize(), QSize(536, 633));
    const std::pair<QWidget*, QRect> design[] = {
        {f.ListView1, {8, 8, 520, 113}},      {f.PushButton3, {8, 128, 520, 27}},
        {f.Frame1, {8, 160, 520, 161}},       {f.PushButton1, {8, 329, 520, 27}},
        {f.ListView2, {8, 363, 520, 121}},    {f.PushButton2, {8, 491, 256, 27}},
        {f.PushButton6, {272, 491, 256, 27}}, {f.PushButton8, {272, 598, 256, 27}},
    };
    for (const auto& [widget, rect] : design)
        EXPECT_EQ(widget->geometry(), rect) << widget->objectName().toStdString();

    // 464 wider and 267 taller: the criteria panel stays; every row of buttons keeps its order.
    f.resize(1000, 900);
    EXPECT_EQ(f.Frame1->geometry(), QRect(8, 160, 520, 161));
    EXPECT_EQ(f.ListView1->geometry(), QRect(8, 8, 984, 113));
    EXPECT_EQ(f.PushButton1->geometry(), QRect(8, 329, 984, 27));
    EXPECT_EQ(f.ListView2->geometry(), QRect(8, 363, 984, 388));
    EXPECT_EQ(f.PushButton2->geometry(), QRect(8, 758, 488, 27));
    EXPECT_EQ(f.PushButton6->geometry(), QRect(504, 758, 488, 27));
    EXPECT_EQ(f.PushButton8->geometry(), QRect(504, 865, 488, 27));
    EXPECT_LT(f.PushButton8->geometry().bottom(), f.height());
    // The path column takes the width; the size column keeps its own.
    EXPECT_EQ(firstColumn(f.ListView2), 367 + 464);
    EXPECT_EQ(f.ListView2->horizontalHeader()->sectionSize(1), 120);
    EXPECT_EQ(firstColumn(f.ListView1), 467 + 464);

    // A column the user narrowed stays narrowed by as much when the window goes back.
    f.ListView2->horizontalHeader()->resizeSection(0, 700);
    f.resize(536, 633);
    for (const auto& [widget, rect] : design)
        EXPECT_EQ(widget->geometry(), rect) << widget->objectName().toStdString();
    EXPECT_EQ(firstColumn(f.ListView2), 700 - 464);
    EXPECT_EQ(firstColumn(f.ListView1), 467);
}

TEST_F(WindowSize, TheSizeAndTheMaximisedStateComeBackFittedToTheScreenAndDamagedValuesAreIgnored) {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    ASSERT_GE(screen.width(), 600);
    form().resize(600, 640);
    form().close();
    EXPECT_EQ(stored(u"WindowWidth"_s), u"600"_s);
    EXPECT_EQ(stored(u"WindowHeight"_s), u"640"_s);
    EXPECT_EQ(stored(u"WindowMaximized"_s), u"False"_s);
    restart();
    EXPECT_EQ(form().width(), 600);
    EXPECT_FALSE(form().windowState() & Qt::WindowMaximized);

    // Larger than the screen: as large as the screen, never below the design size.
    settings->write(u"WindowWidth"_s, u"90000"_s);
    settings->write(u"WindowHeight"_s, u"90000"_s);
    restart();
    EXPECT_EQ(form().size(), screen.expandedTo(QSize(536, 633)));

    for (const QString& damaged : {u"abc"_s, u"-5"_s, u"0"_s, QString()}) {
        settings->write(u"WindowWidth"_s, damaged);
        restart();
        EXPECT_EQ(form().size(), QSize(536, 633)) << damaged.toStdString();
        EXPECT_TRUE(dialogs->shown.empty());
    }

    form().setWindowState(Qt::WindowMaximized);
    form().close();
    EXPECT_EQ(stored(u"WindowMaximized"_s), u"True"_s);
    restart();
    EXPECT_TRUE(form().windowState() & Qt::WindowMaximized);
}

} // namespace
} // namespace zorvik::test
