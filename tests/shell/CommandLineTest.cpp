// The command line: help and version without a window, folders into the folder list.
#include "FormFixture.h"
#include "TempTree.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"
#include "search/MatchesSize.h"
#include "shell/CommandLine.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

CommandLine parse(const QStringList& arguments) {
    QList<QByteArray> bytes{"zorvik"};
    for (const QString& argument : arguments)
        bytes << argument.toUtf8();
    return parseCommandLine(bytes);
}

TEST(CommandLineParsing, HelpVersionAndUnknownOptionsAreAnsweredWithoutAWindow) {
    for (const QString& help : {u"--help"_s, u"-h"_s}) {
        const CommandLine line = parse({help});
        EXPECT_EQ(line.action, CommandLine::Action::PrintHelp);
        EXPECT_TRUE(line.output.startsWith(u"Usage: zorvik [options] [FOLDER...]"_s))
            << line.output.toStdString();
        EXPECT_TRUE(line.output.contains(u"--version"_s));
        EXPECT_FALSE(line.output.contains(u"help-all"_s)); // Qt's options mean nothing before the window
    }
    const CommandLine version = parse({u"--version"_s});
    EXPECT_EQ(version.action, CommandLine::Action::PrintVersion);
    EXPECT_EQ(version.output, u"Zorvik 1.0.0\n"_s);

    const CommandLine unknown = parse({u"--bogus"_s, u"/tmp"_s});
    EXPECT_EQ(unknown.action, CommandLine::Action::Refuse);
    EXPECT_TRUE(unknown.output.contains(u"bogus"_s));
    EXPECT_TRUE(unknown.folders.isEmpty());
}

TEST(CommandLineParsing, SizeUnitsAreLettersOrTheirBAndIBFormsAllPowersOf1024AsInTheWindow) {
    auto condition = [](const QString& size) {
        const CommandLine line = parse({u"--print"_s, u"--greater-than"_s, size, u"/tmp"_s});
        EXPECT_EQ(line.action, CommandLine::Action::Print) << size.toStdString();
        return line.print.condition;
    };
    const std::pair<QStringList, SizeUnit> spellings[] = {
        {{u"1.5K"_s, u"1.5k"_s, u"1.5KB"_s, u"1.5KiB"_s, u"1.5 kib"_s}, SizeUnit::KB},
        {{u"1.5M"_s, u"1.5MB"_s, u"1.5MiB"_s}, SizeUnit::MB},
        {{u"1.5G"_s, u"1.5GB"_s, u"1.5GiB"_s}, SizeUnit::GB},
    };
    for (const auto& [sizes, unit] : spellings) {
        for (const QString& size : sizes) {
            const SizeCondition read = condition(size);
            EXPECT_EQ(read.unit, unit) << size.toStdString();
            EXPECT_EQ(read.valueText, u"1.5"_s);
        }
    }
    // A terabyte is what the window means by 1,024 GB, at the bound and on either side of it.
    SizeCondition window;
    window.mode = SizeMode::GreaterThan;
    window.unit = SizeUnit::GB;
    window.valueText = u"1536"_s;
    const SizeTest windows(window, QLocale(QLocale::English, QLocale::UnitedStates));
    const quint64 bound = quint64(1.5 * bytesPerUnit(SizeUnit::GB) * 1024);
    for (const QString& size : {u"1.5T"_s, u"1.5TB"_s, u"1.5tib"_s}) {
        const SizeTest printed(condition(size), QLocale::c());
        for (const quint64 bytes : {bound - 1, bound, bound + 1})
            EXPECT_EQ(printed.matches(bytes), windows.matches(bytes)) << size.toStdString() << ' ' << bytes;
    }
    EXPECT_FALSE(windows.matches(bound));
    EXPECT_TRUE(windows.matches(bound + 1));
    for (const QString& bad : {u"1.5KBB"_s, u"1.5Ki"_s, u"1.5P"_s, u"1.5iB"_s, u"T"_s})
        EXPECT_EQ(parse({u"--print"_s, u"--less-than"_s, bad, u"/tmp"_s}).action, CommandLine::Action::Refuse)
            << bad.toStdString();
    EXPECT_TRUE(parse({u"--help"_s}).output.contains(u"1 TB is 1,024 GB"_s));
}

TEST(CommandLineParsing, FoldersAreTakenAsGivenAndNoneMeansAnEmptyList) {
    EXPECT_EQ(parse({}).action, CommandLine::Action::OpenWindow);
    EXPECT_TRUE(parse({}).folders.isEmpty());
    // "--" ends the options, so a folder whose name starts with a dash can still be given.
    const CommandLine line = parse({u"/srv//data"_s, u"--"_s, u"-odd"_s});
    EXPECT_EQ(line.action, CommandLine::Action::OpenWindow);
    EXPECT_EQ(line.folders, (QList<QByteArray>{"/srv//data", "-odd"}));
}

class GivenFolders : public FormFixture {};

TEST_F(GivenFolders, ExistingFoldersAreAddedThroughThePathRuleAndMissingOnesNamedInOneNotice) {
    TempTree tree;
    tree.folder("one");
    tree.folder("two");
    tree.file("plain.txt", 3);
    Form1& f = form();
    f.addGivenFolders(
        {tree.root() + "//one", tree.root() + "/missing", tree.root() + "/two/", tree.root() + "/plain.txt"});
    ASSERT_EQ(f.folders->count(), 2);
    EXPECT_EQ(f.folders->item(1), tree.rootText() + u"/one"_s);
    EXPECT_EQ(f.folders->item(2), tree.rootText() + u"/two"_s);
    ASSERT_EQ(dialogs->notices().size(), 1);
    const QString notice = dialogs->notices().first();
    EXPECT_TRUE(notice.startsWith(u"2 folders given on the command line were not added:"_s))
        << notice.toStdString();
    EXPECT_TRUE(notice.contains(tree.rootText() + u"/missing (No such file or directory)"_s))
        << notice.toStdString();
    EXPECT_TRUE(notice.contains(tree.rootText() + u"/plain.txt (Not a directory)"_s)) << notice.toStdString();
}

TEST_F(GivenFolders, AFolderKeepsItsBytesToTheSearchAndARelativeOneBecomesAbsolute) {
    TempTree tree;
    tree.file("caf\xe9/f", 150);
    tree.folder("rel");
    Form1& f = form();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.rootText()));
    f.addGivenFolders({tree.root() + "/caf\xe9/", "rel"});
    QDir::setCurrent(before);
    ASSERT_EQ(f.folders->count(), 2);
    EXPECT_EQ(f.folders->pathBytes(1), tree.root() + "/caf\xe9");
    EXPECT_EQ(f.folders->pathBytes(2), tree.root() + "/rel");
    EXPECT_TRUE(dialogs->shown.empty());
    f.Option[1]->click(); // Greater Than 0 Bytes
    f.Text[2]->setText(u"0"_s);
    f.Combo[2]->setCurrentIndex(0);
    clickAndFinish(f.PushButton1);
    ASSERT_EQ(f.results->count(), 1);
    EXPECT_EQ(f.results->pathBytes(1), tree.root() + "/caf\xe9/f");
}

TEST_F(GivenFolders, NoFoldersShowNothing) {
    form().addGivenFolders({});
    EXPECT_EQ(form().folders->count(), 0);
    EXPECT_TRUE(dialogs->shown.empty());
}

} // namespace
} // namespace zorvik::test
