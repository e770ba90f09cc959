// The criteria panel: enabling, write-through, the checks made when a size box is left.
#include "FormFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

// Keeps every write in order, so tests can see the sequence the handlers produce.
class RecordingStore : public SettingsStore {
public:
    explicit RecordingStore(std::shared_ptr<SettingsStore> inner) : inner_(std::move(inner)) {}
    QString read(const QString& key, const QString& def) const override { return inner_->read(key, def); }
    void write(const QString& key, const QString& value) override {
        writes.push_back(key + u'=' + value);
        inner_->write(key, value);
    }
    QStringList writes;

private:
    std::shared_ptr<SettingsStore> inner_;
};

class Criteria : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        recorder = std::make_shared<RecordingStore>(settings);
        s.settings = recorder;
    }
    std::shared_ptr<RecordingStore> recorder;
};

TEST_F(Criteria, ChoosingAConditionEnablesItsBoxesAndWritesAllFourOptions) {
    Form1& f = form();
    recorder->writes.clear();
    f.Option[2]->click();
    EXPECT_EQ(recorder->writes,
              (QStringList{u"Option1=False"_s, u"Option2=False"_s, u"Option3=True"_s, u"Option4=False"_s}));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Text[i]->isEnabled(), i == 3) << i;
        EXPECT_EQ(f.Combo[i]->isEnabled(), i == 3) << i;
    }
    f.Option[1]->click();
    EXPECT_TRUE(f.Text[2]->isEnabled());
    EXPECT_FALSE(f.Text[3]->isEnabled());
    EXPECT_EQ(stored(u"Option2"_s), u"True"_s);
    // A disabled box keeps its text and unit.
    EXPECT_EQ(f.Text[0]->text(), u"100"_s);
}

TEST_F(Criteria, EveryChangeIsWrittenAtOnce) {
    Form1& f = form();
    f.Option[1]->click();
    recorder->writes.clear();
    f.Text[2]->clear();
    QTest::keyClicks(f.Text[2], u"25"_s);
    EXPECT_EQ(recorder->writes, (QStringList{u"Text3="_s, u"Text3=2"_s, u"Text3=25"_s}));
    f.Combo[3]->setCurrentIndex(2);
    EXPECT_EQ(stored(u"Combo4"_s), u"2"_s);
    f.Combo[3]->setCurrentIndex(0);
    EXPECT_EQ(stored(u"Combo4"_s), u"0"_s);

    // What was typed comes back after a restart, valid or not.
    f.Text[2]->setText(u"12a"_s);
    restart();
    EXPECT_EQ(form().Text[2]->text(), u"12a"_s);
    EXPECT_TRUE(form().Option[1]->isChecked());
}

TEST_F(Criteria, LeavingABoxThatHoldsNoNumberSaysSoAndKeepsTheText) {
    Form1& f = form();
    for (const QString& bad : {u"abc"_s, QString(), u"12a"_s}) {
        dialogs->shown.clear();
        f.Text[2]->setText(bad);
        f.Text_LostFocus(3);
        ASSERT_EQ(dialogs->shown.size(), 1u);
        EXPECT_EQ(dialogs->shown[0].kind, Kind::Notice);
        EXPECT_EQ(dialogs->shown[0].text, u"Must be a numeric entry."_s);
        EXPECT_EQ(dialogs->shown[0].title, u"Zorvik"_s);
        EXPECT_EQ(f.Text[2]->text(), bad);
        EXPECT_EQ(stored(u"Text3"_s), bad);
    }
    for (const QString& good : {u" 12 "_s, u"1,000"_s, u"1e3"_s, u"-4.5"_s}) {
        dialogs->shown.clear();
        f.Text[2]->setText(good);
        f.Text_LostFocus(3);
        EXPECT_TRUE(dialogs->shown.empty()) << good.toStdString();
    }
}

TEST_F(Criteria, ANumberWithTheOtherDecimalMarkIsToldWhichMarkTheLanguageExpects) {
    Form1& f = form(); // English: "." is the decimal mark
    const std::pair<QString, QString> cases[] = {
        {u"0,5"_s, u"Must be a numeric entry. Use a point (.) as the decimal separator."_s},
        {u"1.234,5"_s, u"Must be a numeric entry. Use a point (.) as the decimal separator."_s},
        {u"1,2,3,4"_s, u"Must be a numeric entry."_s},
        {u"abc"_s, u"Must be a numeric entry."_s},
    };
    for (const auto& [typed, notice] : cases) {
        dialogs->shown.clear();
        f.Text[2]->setText(typed);
        f.Text_LostFocus(3);
        ASSERT_EQ(dialogs->notices().size(), 1) << typed.toStdString();
        EXPECT_EQ(dialogs->notices()[0], notice);
        EXPECT_EQ(f.Text[2]->text(), typed); // the user corrects it, not the program
    }
}

// A size kept in one language and read in another keeps its meaning: switching the language never
// turns a number the user typed into "damaged" text.
TEST_F(Criteria, AStoredSizeWrittenWithTheOtherDecimalMarkKeepsItsMeaningAfterALanguageSwitch) {
    settings->write(u"Text1"_s, u"0,5"_s);     // typed in German
    settings->write(u"Text2"_s, u"1.234,5"_s); // German with a group separator
    settings->write(u"Text3"_s, u"1,000"_s);   // a number in English as it stands
    settings->write(u"Text4"_s, u"12a"_s);     // no number in either
    Form1& f = form();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(f.Text[0]->text(), u"0.5"_s);
    EXPECT_EQ(f.Text[1]->text(), u"1,234.5"_s);
    EXPECT_EQ(f.Text[2]->text(), u"1,000"_s);
    EXPECT_EQ(f.Text[3]->text(), u"12a"_s);
    EXPECT_EQ(stored(u"Text1"_s), u"0.5"_s);
    f.Option[0]->click();
    EXPECT_TRUE(f.checkBoundsBeforeSearch());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(Criteria, BoundsAreKeptInOrderByTheirLeadingNumbers) {
    Form1& f = form();
    auto leave = [&](int box, const QString& lower, const QString& upper) {
        f.Text[0]->setText(lower);
        f.Text[1]->setText(upper);
        f.Text_LostFocus(box);
        return std::pair{f.Text[0]->text(), f.Text[1]->text()};
    };
    EXPECT_EQ(leave(1, u"300"_s, u"200"_s), std::pair(u"300"_s, u"300"_s));
    EXPECT_EQ(stored(u"Text2"_s), u"300"_s);
    EXPECT_EQ(leave(2, u"100"_s, u"50"_s), std::pair(u"50"_s, u"50"_s));
    EXPECT_EQ(stored(u"Text1"_s), u"50"_s);
    // "1,000" is a number here, but its leading number is 1.
    EXPECT_EQ(leave(1, u"1,000"_s, u"200"_s), std::pair(u"1,000"_s, u"200"_s));
    // An upper bound without a leading number counts as 0 and is not itself checked.
    EXPECT_EQ(leave(1, u"100"_s, u"abc"_s), std::pair(u"100"_s, u"100"_s));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(Criteria, BoundsInDifferentUnitsAreComparedInBytesAndACopyTakesItsUnitAlong) {
    Form1& f = form();
    auto set = [&](const QString& lower, int lowerUnit, const QString& upper, int upperUnit) {
        f.Text[0]->setText(lower);
        f.Combo[0]->setCurrentIndex(lowerUnit);
        f.Text[1]->setText(upper);
        f.Combo[1]->setCurrentIndex(upperUnit);
        recorder->writes.clear();
    };
    auto bounds = [&] {
        return QStringList{f.Text[0]->text(), f.Combo[0]->currentText(), f.Text[1]->text(),
                           f.Combo[1]->currentText()};
    };
    // 500 KB to 2 MB is in order, although 2 is less than 500.
    set(u"500"_s, 1, u"2"_s, 2);
    f.Text_LostFocus(1);
    f.Text_LostFocus(2);
    EXPECT_EQ(bounds(), (QStringList{u"500"_s, u"KB"_s, u"2"_s, u"MB"_s}));
    EXPECT_TRUE(recorder->writes.isEmpty());
    // 3 MB is more than 2000 KB: the upper bound becomes 3 MB, text first, then its unit.
    set(u"3"_s, 2, u"2000"_s, 1);
    f.Text_LostFocus(1);
    EXPECT_EQ(bounds(), (QStringList{u"3"_s, u"MB"_s, u"3"_s, u"MB"_s}));
    EXPECT_EQ(recorder->writes, (QStringList{u"Text2=3"_s, u"Combo2=2"_s}));
    // Leaving the upper bound below the lower one makes the lower bound the same.
    set(u"1"_s, 3, u"5"_s, 2);
    f.Text_LostFocus(2);
    EXPECT_EQ(bounds(), (QStringList{u"5"_s, u"MB"_s, u"5"_s, u"MB"_s}));
}

TEST_F(Criteria, OnlyLeavingForAnotherControlChecksAndTwoBadBoxesDoNotBounce) {
    Form1& f = form();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_EQ(QApplication::activeWindow(), &f);
    f.Text[0]->setText(u"abc"_s);
    f.Text[1]->setText(u"xyz"_s);
    f.Text[0]->setFocus(Qt::MouseFocusReason);
    // Focus changes are sent at once; the check of the box that was left is posted, so that it runs once
    // the focus has settled: delivering the posted events runs it, without waiting for anything.
    QCoreApplication::sendPostedEvents();
    f.Text[1]->setFocus(Qt::MouseFocusReason);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialogs->notices(), QStringList{u"Must be a numeric entry."_s});
    EXPECT_EQ(QApplication::focusWidget(), f.Text[0]);
    // Had the return of the focus counted as leaving Text2, its check would be waiting now.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialogs->notices().size(), 1);
}

TEST_F(Criteria, ARangeIsCheckedWhenTheFocusLeavesItsRowNotBetweenItsOwnControls) {
    Form1& f = form();
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_EQ(QApplication::activeWindow(), &f);
    // Focus changes are sent at once; each check is posted and runs when the posted events are sent.
    auto focus = [](QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QCoreApplication::sendPostedEvents();
    };
    auto bounds = [&] {
        return QStringList{f.Text[0]->text(), f.Combo[0]->currentText(), f.Text[1]->text(),
                           f.Combo[1]->currentText()};
    };
    // 500 KB, then 2, then MB: typed in that order, the range is kept as typed.
    focus(f.Text[0]);
    f.Text[0]->setText(u"500"_s);
    focus(f.Combo[0]);
    f.Combo[0]->setCurrentIndex(1);
    focus(f.Text[1]);
    f.Text[1]->setText(u"2"_s);
    focus(f.Combo[1]);
    EXPECT_EQ(bounds(), (QStringList{u"500"_s, u"KB"_s, u"2"_s, u"Bytes"_s}));
    f.Combo[1]->setCurrentIndex(2);
    focus(f.Option[1]);
    EXPECT_EQ(bounds(), (QStringList{u"500"_s, u"KB"_s, u"2"_s, u"MB"_s}));
    // Leaving the row with the bounds reversed: the bound left last wins, with its unit.
    focus(f.Text[1]);
    f.Text[1]->setText(u"100"_s);
    focus(f.Combo[1]);
    f.Combo[1]->setCurrentIndex(1);
    EXPECT_EQ(bounds(), (QStringList{u"500"_s, u"KB"_s, u"100"_s, u"KB"_s}));
    focus(f.Text[0]);
    focus(f.Option[2]);
    EXPECT_EQ(bounds(), (QStringList{u"500"_s, u"KB"_s, u"500"_s, u"KB"_s}));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(Criteria, ConditionIsReadFromTheControls) {
    Form1& f = form();
    f.Combo[0]->setCurrentIndex(1);
    SizeCondition c = f.sizeCondition();
    EXPECT_EQ(c.mode, SizeMode::Between);
    EXPECT_EQ(c.unit, SizeUnit::KB);
    EXPECT_EQ(c.lowerText, u"100"_s);
    EXPECT_EQ(c.upperText, u"200"_s);

    // The upper bound has its own unit.
    f.Combo[1]->setCurrentIndex(3);
    EXPECT_EQ(f.sizeCondition().unit, SizeUnit::KB);
    EXPECT_EQ(f.sizeCondition().upperUnit, SizeUnit::GB);

    f.Option[3]->click();
    f.Text[4]->setText(u"7"_s);
    f.Combo[4]->setCurrentIndex(-1);
    c = f.sizeCondition();
    EXPECT_EQ(c.mode, SizeMode::EqualTo);
    EXPECT_FALSE(c.unit.has_value());
    EXPECT_EQ(c.valueText, u"7"_s);
}

} // namespace
} // namespace zorvik::test
