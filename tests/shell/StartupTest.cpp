// Start-up: what an empty or a damaged settings file gives, a settings file that cannot be used, the
// optional files beside the program, the home-page draw and Help.
#include "FormFixture.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"
#include "shell/HelpWindow.h"
#include "shell/HoverButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

using Kind = ScriptedDialogs::Kind;

class Startup : public FormFixture {};

TEST_F(Startup, EmptyStoreGivesTheDefaultsAndWritesOnlyWhatTheRestoreChanged) {
    Form1& f = form();
    for (QComboBox* combo : f.Combo) {
        EXPECT_EQ(combo->currentText(), u"Bytes"_s);
        EXPECT_EQ(combo->count(), 4);
        EXPECT_EQ(combo->itemText(3), u"GB"_s);
    }
    const QStringList texts = {u"100"_s, u"200"_s, u"100"_s, u"100"_s, u"100"_s};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.Text[i]->text(), texts[i]);
    EXPECT_TRUE(f.Option[0]->isChecked());
    const bool enabled[5] = {true, true, false, false, false};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Text[i]->isEnabled(), enabled[i]) << i;
        EXPECT_EQ(f.Combo[i]->isEnabled(), enabled[i]) << i;
    }
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(f.windowTitle(), u"Zorvik"_s);
    EXPECT_EQ(f.applicationTitle(), u"Zorvik"_s);

    // The unit lists change from "nothing chosen" to Bytes and the first option's click runs; the
    // texts equal the design's and raise no change.
    ASSERT_TRUE(settings->waitUntilWritten(std::chrono::minutes(1)));
    QSettings file(settings->fileName(), QSettings::IniFormat);
    file.beginGroup(u"Zorvik"_s);
    EXPECT_EQ(file.childKeys(), (QStringList{u"Combo1"_s, u"Combo2"_s, u"Combo3"_s, u"Combo4"_s, u"Combo5"_s,
                                             u"Option1"_s, u"Option2"_s, u"Option3"_s, u"Option4"_s}));
    EXPECT_EQ(stored(u"Combo4"_s), u"0"_s);
    EXPECT_EQ(stored(u"Option1"_s), u"True"_s);
    EXPECT_EQ(stored(u"Option2"_s), u"False"_s);
}

TEST_F(Startup, ColumnsAreCreatedWithTheirWidthsAndEachListTellsWhatItDoes) {
    Form1& f = form();
    // A double-click removes a folder, never a result: only the folder list may say so.
    EXPECT_TRUE(f.ListView1->toolTip().startsWith(u"Double-click item to remove it."_s));
    EXPECT_FALSE(f.ListView2->toolTip().contains(u"Double-click"_s));
    EXPECT_EQ(f.folders->headerText(), u"Folder(s)"_s);
    EXPECT_EQ(f.ListView1->horizontalHeader()->sectionSize(0), 467);
    ASSERT_EQ(f.results->columnCount(), 2);
    EXPECT_EQ(f.results->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Results"_s);
    EXPECT_EQ(f.results->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"Size"_s);
    EXPECT_EQ(f.ListView2->horizontalHeader()->sectionSize(0), 367);
    EXPECT_EQ(f.ListView2->horizontalHeader()->sectionSize(1), 120);
}

TEST_F(Startup, StoredValuesComeBackThroughTheControls) {
    settings->write(u"Combo1"_s, u"2"_s);
    settings->write(u"Combo2"_s, u"-1"_s);
    settings->write(u"Text4"_s, u"12a"_s);
    settings->write(u"Option1"_s, u"False"_s);
    settings->write(u"Option3"_s, u"True"_s);
    Form1& f = form();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(f.Combo[0]->currentText(), u"MB"_s);
    EXPECT_EQ(f.Combo[1]->currentIndex(), -1);
    EXPECT_EQ(f.Text[3]->text(), u"12a"_s);
    EXPECT_TRUE(f.Option[2]->isChecked());
    EXPECT_FALSE(f.Option[0]->isChecked());
    EXPECT_TRUE(f.Text[3]->isEnabled());
    EXPECT_FALSE(f.Text[0]->isEnabled());
    EXPECT_EQ(stored(u"Combo2"_s), u"-1"_s);
}

TEST_F(Startup, DamagedValuesAreReportedAtTheirStepAndTheRestGoesOn) {
    settings->write(u"Combo3"_s, u"7"_s);
    settings->write(u"Combo4"_s, u"70000"_s);
    settings->write(u"Combo5"_s, u"abc"_s);
    settings->write(u"Combo2"_s, u"1"_s);
    // Choosing a button writes all four option keys, so a damaged one is only read when the
    // buttons before it were not chosen.
    settings->write(u"Option1"_s, u"False"_s);
    settings->write(u"Option2"_s, u"maybe"_s);
    Form1& f = form();
    const QStringList reports = dialogs->errorReports();
    ASSERT_EQ(reports.size(), 4);
    EXPECT_TRUE(reports[0].startsWith(
        u"Invalid property value\r\nin Zorvik2021/08/31.Form1.Form_Load at line 184\r\r"_s));
    EXPECT_TRUE(reports[1].startsWith(u"Overflow\r\n"_s));
    EXPECT_TRUE(reports[1].contains(u"at line 186\r"_s));
    EXPECT_TRUE(reports[2].contains(u"at line 188\r"_s));
    EXPECT_TRUE(reports[3].contains(u"at line 202\r"_s));
    EXPECT_EQ(f.Combo[2]->currentIndex(), -1);
    EXPECT_EQ(f.Combo[1]->currentText(), u"KB"_s);
    EXPECT_EQ(stored(u"Combo3"_s), u"7"_s);
    EXPECT_EQ(f.sizeCondition().mode, std::nullopt);
}

// A value nested `depth` lists deep in the form QSettings stores variants in; Qt's loader recurses once
// per level.
QByteArray nestedVariant(int depth) {
    QByteArray value = "@Variant(";
    for (int i = 0; i < depth; ++i)
        value += QByteArray("\0\0\0\x09\0\0\0\x01", 8); // a list of one element
    return value + QByteArray("\0\0\0\x02\0\0\0\x05", 8) + ')';
}

class SettingsFile : public Startup {
protected:
    // Starts the window on what now stands at the settings file's place, as the next run would.
    Form1& startAfresh() {
        settings = std::make_shared<IniSettingsStore>();
        restart();
        Form1& f = form();
        // The notice waits for the event loop, which shows it over the window.
        QCoreApplication::sendPostedEvents(&f, QEvent::MetaCall);
        return f;
    }
    void putFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static struct stat statusOf(const QString& path) {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
        return status;
    }
    QTemporaryDir elsewhere;
};

TEST_F(SettingsFile, WhatIsNoRegularFileOrTooLargeIsSetAsideWithOneNoticeAndNeverWrittenThrough) {
    const QString pipe = elsewhere.path() + u"/pipe"_s;
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Too large to read, and deep enough to crash Qt's variant loader many times over.
    const QString large = elsewhere.path() + u"/large.conf"_s;
    putFile(large, "[Zorvik]\nText1=5\nText2=" + nestedVariant(200000) + '\n');
    ASSERT_GT(QFileInfo(large).size(), IniSettingsStore::kLargestFile);

    const std::pair<QString, QString> cases[] = {
        {pipe, u"named pipe"_s}, {u"/dev/null"_s, u"device"_s}, {large, u"larger than 1 MB"_s}};
    for (const auto& [target, reason] : cases) {
        SCOPED_TRACE(target.toStdString());
        QFile::remove(settings->fileName());
        ASSERT_TRUE(QFile::link(target, settings->fileName()));
        const struct stat before = statusOf(target);
        dialogs->shown.clear();
        Form1& f = startAfresh();
        EXPECT_EQ(f.Text[0]->text(), u"100"_s);
        EXPECT_EQ(f.Combo[0]->currentText(), u"Bytes"_s);
        EXPECT_TRUE(f.Option[0]->isChecked());
        ASSERT_EQ(dialogs->notices().size(), 1);
        EXPECT_TRUE(dialogs->notices()[0].contains(settings->fileName()));
        EXPECT_TRUE(dialogs->notices()[0].contains(reason)) << dialogs->notices()[0].toStdString();

        // Changes keep working in the window and reach no file.
        f.Text[0]->setText(u"7"_s);
        EXPECT_EQ(stored(u"Text1"_s), u"<absent>"_s);
        EXPECT_EQ(QFileInfo(settings->fileName()).symLinkTarget(), target);
        const struct stat after = statusOf(target);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_EQ(dialogs->shown.size(), 1u);
    }
    EXPECT_TRUE(S_ISCHR(statusOf(u"/dev/null"_s).st_mode));
}

TEST_F(SettingsFile, ATypedValueReadsAsItsDefaultWithoutQtsLoaderAndTheOtherKeysStillRead) {
    const QByteArray deep = nestedVariant(100000); // crashes Qt's loader, within the size bound
    putFile(settings->fileName(), "[Zorvik]\nText1=5\nText2=" + deep + "\nCombo1=2\n");
    Form1& f = startAfresh();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(f.Text[0]->text(), u"5"_s);
    EXPECT_EQ(f.Text[1]->text(), u"200"_s);
    EXPECT_EQ(f.Combo[0]->currentText(), u"MB"_s);

    f.Text[1]->setText(u"300"_s);
    ASSERT_TRUE(settings->waitUntilWritten(std::chrono::minutes(1)));
    QFile file(settings->fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("[Zorvik]\nText1=5\nText2=300\nCombo1=2\n"))
        << bytes.left(100).toStdString();
}

TEST_F(SettingsFile, ALinkToARegularFileElsewhereIsReadAndWrittenThrough) {
    const QString target = elsewhere.path() + u"/dotfiles/Teskaro.conf"_s;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
    putFile(target, "[Other]\nkept=1\n\n[Zorvik]\nText1=5\n");
    QFile::remove(settings->fileName());
    ASSERT_TRUE(QFile::link(target, settings->fileName()));
    Form1& f = startAfresh();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(f.Text[0]->text(), u"5"_s);

    f.Text[0]->setText(u"6"_s);
    ASSERT_TRUE(settings->waitUntilWritten(std::chrono::minutes(1)));
    EXPECT_EQ(QFileInfo(settings->fileName()).symLinkTarget(), target);
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("[Other]\nkept=1\n\n[Zorvik]\nText1=6\n"));
}

TEST_F(Startup, HandCursorIsOptionalAndAnUnreadableOneIsReportedAt108) {
    EXPECT_FALSE(form().hasHandCursor());
    EXPECT_TRUE(dialogs->shown.empty());

    QFile junk(programFolder.path() + u"/HAND-M.CUR"_s);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a cursor");
    junk.close();
    restart();
    EXPECT_FALSE(form().hasHandCursor());
    ASSERT_EQ(dialogs->errorReports().size(), 1);
    EXPECT_TRUE(dialogs->errorReports()[0].contains(u"Form_Load at line 108"_s));
}

TEST_F(Startup, HomePageOpensOnlyOnTheDrawOfSevenAndOnlyWhenTheBuildNamesOne) {
    form();
    EXPECT_TRUE(openedUrls.empty());
    restart();
    Services s = services();
    int draws = 0;
    s.homePageDraw = [&draws] {
        ++draws;
        return 7;
    };
    Form1 lucky(s);
    lucky.Form_Load();
    EXPECT_EQ(draws, 1);
    const QString homePage = QStringLiteral(ZORVIK_HOME_PAGE_URL);
    if (homePage.isEmpty()) {
        EXPECT_TRUE(openedUrls.empty());
    } else {
        ASSERT_EQ(openedUrls.size(), 1u);
        EXPECT_EQ(openedUrls[0], QUrl(homePage));
    }
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(Startup, HelpIsAWindowOfItsOwnThatLeavesTheMainOneUsableAndEscapeCloses) {
    Form1& f = form();
    f.show();
    f.PushButton5->click();
    EXPECT_TRUE(dialogs->shown.empty());
    HelpWindow* help = f.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->windowTitle(), u"Zorvik Help"_s);
    EXPECT_FALSE(help->accessibleName().isEmpty());
    auto* text = help->findChild<QTextBrowser*>();
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(text->accessibleName().isEmpty());
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    const QString shown = help->text();
    for (const QString& part :
         {u"1,024 bytes"_s, u"1,536 bytes (1.5 KB) counts as 2 KB"_s,
          u"upper bound of Between sees the unrounded size"_s, u"Move Checked To Folder"_s, u"Shift+F10"_s,
          u"Teskaro.conf"_s, u"man zorvik"_s})
        EXPECT_TRUE(shown.contains(part)) << part.toStdString();
    EXPECT_EQ(shown.contains(u"Questions?"_s), !QStringLiteral(ZORVIK_CONTACT_URL).isEmpty());
    EXPECT_FALSE(shown.contains(u"teskaro.example"_s));

    // The main window goes on working meanwhile.
    f.Text[0]->setText(u"150"_s);
    EXPECT_EQ(stored(u"Text1"_s), u"150"_s);
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    f.PushButton5->click();
    EXPECT_EQ(f.helpWindow(), help);
    EXPECT_TRUE(help->isVisible());
}

} // namespace
} // namespace zorvik::test
