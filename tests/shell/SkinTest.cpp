// The optional skin beside the program: what counts as one, what it changes, the files it names, and
// how a broken one is reported without stopping start-up.
#include "FormFixture.h"

#include "core/Failure.h"
#include "shell/Skin.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Skin : public FormFixture {
protected:
    QString skinPath() const { return programFolder.path() + u"/x/o.cjs"_s; }

    void writeSkin(const QByteArray& bytes) {
        ASSERT_TRUE(QDir().mkpath(programFolder.path() + u"/x"_s));
        QFile file(skinPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The window and the controls that take the button face, each in the colour it has now.
    static std::vector<std::pair<QWidget*, QColor>> backgrounds(Form1& f) {
        std::vector<std::pair<QWidget*, QColor>> result{
            {&f, f.palette().color(QPalette::Window)},
            {f.Frame1, f.Frame1->palette().color(QPalette::Window)}};
        for (QRadioButton* option : f.Option)
            result.emplace_back(option, option->palette().color(QPalette::Window));
        return result;
    }

    static void expectButtonFace(Form1& f) {
        const QColor face = f.palette().color(QPalette::Button);
        for (const auto& [widget, colour] : backgrounds(f)) {
            EXPECT_EQ(colour, face) << widget->metaObject()->className();
            EXPECT_TRUE(widget->autoFillBackground()) << widget->metaObject()->className();
        }
    }

    static void expectUntouched(Form1& f) {
        EXPECT_TRUE(f.styleSheet().isEmpty());
        for (const auto& [widget, colour] : backgrounds(f))
            EXPECT_FALSE(widget->testAttribute(Qt::WA_SetPalette)) << widget->metaObject()->className();
        EXPECT_FALSE(f.Frame1->autoFillBackground());
    }
};

TEST_F(Skin, OnlyARegularFileCountsAsASkin) {
    // No "x" folder at all.
    expectUntouched(form());
    EXPECT_TRUE(dialogs->shown.empty());

    // A folder where the file would be.
    ASSERT_TRUE(QDir().mkpath(skinPath()));
    restart();
    expectUntouched(form());
    EXPECT_TRUE(dialogs->shown.empty());

    // A link to nowhere.
    ASSERT_TRUE(QDir(skinPath()).removeRecursively());
    ASSERT_TRUE(QFile::link(programFolder.path() + u"/missing.cjs"_s, skinPath()));
    restart();
    expectUntouched(form());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(Skin, AValidSkinRecoloursAndRestylesTheWindow) {
    // A byte-order mark and non-ASCII text are ordinary UTF-8.
    const QByteArray sheet = "\xEF\xBB\xBF/* Zorvik \xE2\x80\x93 gr\xC3\xBCn */\n"
                             "QPushButton { color: rgb(1, 2, 3); }\n";
    writeSkin(sheet);
    Form1& f = form();
    EXPECT_TRUE(dialogs->shown.empty());
    expectButtonFace(f);
    EXPECT_EQ(f.styleSheet(), QString::fromUtf8(sheet.mid(3)));
    f.PushButton3->ensurePolished();
    EXPECT_EQ(f.PushButton3->palette().color(QPalette::ButtonText), QColor(1, 2, 3));
    EXPECT_NE(f.Text[0]->palette().color(QPalette::Text), QColor(1, 2, 3)) << "only buttons were named";
}

TEST_F(Skin, FilesTheSkinNamesAreUsedOnlyWhenTheyAreRegularFiles) {
    const QString folder = programFolder.path() + u"/x"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(folder + u"/good.png"_s));
    // Qt would wait forever on a named pipe, and for a missing picture it tries the name with each
    // extension it knows: "missing.png" is a pipe too.
    for (const char* pipe : {"/pipe", "/missing.png"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QLatin1String(pipe)).constData(), 0600), 0);
    const QString good = u"QCheckBox { image: url(\""_s + folder + u"/good.png\"); }\n"_s;
    writeSkin((u"QPushButton { color: rgb(1, 2, 3); }\n"
               "QRadioButton { background-image: url("_s +
               folder + u"/pipe); }\nQGroupBox { background-image: url('"_s + folder + u"/missing'); }\n"_s +
               good)
                  .toUtf8());
    Form1& f = form();
    f.grab(); // paints every control, with whatever the sheet names
    EXPECT_TRUE(dialogs->shown.empty());
    f.PushButton3->ensurePolished();
    EXPECT_EQ(f.PushButton3->palette().color(QPalette::ButtonText), QColor(1, 2, 3));
    EXPECT_TRUE(f.styleSheet().contains(good)) << "a regular file is kept";
}

TEST_F(Skin, ABareListOfDeclarationsIsAValidSkin) {
    // Qt reads a sheet without selectors as the declarations of every widget.
    writeSkin("color: rgb(4, 5, 6);");
    Form1& f = form();
    EXPECT_TRUE(dialogs->shown.empty());
    f.Option[1]->ensurePolished();
    EXPECT_EQ(f.Option[1]->palette().color(QPalette::WindowText), QColor(4, 5, 6));
}

TEST_F(Skin, ABrokenSkinIsReportedAtStep100AfterTheRecolouringAndStartUpGoesOn) {
    const QByteArray broken[] = {
        "QPushButton { color: red",         // unclosed block
        "QPushButton { color: red; } }",    // stray brace
        "QPushButton { color: \xFF\xFE; }", // not UTF-8
    };
    for (const QByteArray& bytes : broken) {
        SCOPED_TRACE(bytes.constData());
        writeSkin(bytes);
        dialogs->shown.clear();
        restart();
        Form1& f = form();
        ASSERT_EQ(dialogs->errorReports().size(), 1);
        EXPECT_TRUE(dialogs->errorReports()[0].contains(u"Form_Load at line 100"_s));
        EXPECT_TRUE(dialogs->errorReports()[0].contains(skinPath()));
        expectButtonFace(f);
        EXPECT_TRUE(f.styleSheet().isEmpty());
        EXPECT_EQ(f.windowTitle(), u"Zorvik"_s);
        EXPECT_EQ(f.Combo[0]->currentText(), u"Bytes"_s);
    }
}

TEST_F(Skin, ParseFailuresAreSeenEvenWithWarningsSwitchedOffAndOtherMessagesStillFlow) {
    static QStringList passedOn;
    passedOn.clear();
    const QtMessageHandler outer =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { passedOn << m; });
    QLoggingCategory::setFilterRules(u"default.warning=false"_s);

    writeSkin("QPushButton { color: red");
    QWidget window;
    EXPECT_THROW(applySkin(window, programFolder.path()), Failure);
    EXPECT_FALSE(QLoggingCategory::defaultCategory()->isWarningEnabled()) << "the rules are restored";
    EXPECT_TRUE(passedOn.filter(u"Could not parse"_s).isEmpty()) << "the parser's complaint is ours";

    QLoggingCategory::setFilterRules(QString());
    writeSkin("QPushButton { colr: red; }"); // parsed; Qt only warns about the unknown property
    QWidget other;
    new QPushButton(&other);
    EXPECT_NO_THROW(applySkin(other, programFolder.path()));
    other.ensurePolished();
    qInstallMessageHandler(outer);
    EXPECT_FALSE(passedOn.filter(u"Unknown property"_s).isEmpty());
}

TEST_F(Skin, TheExampleSkinIsAccepted) {
    const QString source =
        QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + u"/../../skins/example/x/o.cjs"_s;
    QFile example(source);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly)) << source.toStdString();
    writeSkin(example.readAll());
    Form1& f = form();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_FALSE(f.styleSheet().isEmpty());
}

} // namespace
} // namespace zorvik::test
