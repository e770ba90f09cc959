// The window in German and French: its own texts are translated and still fit their controls, while
// what it stores and exchanges stays the same, byte for byte, in every language.
#include "FakeClipboard.h"
#include "FormFixture.h"
#include "TempTree.h"

#include "results/ResultList.h"
#include "shell/Translations.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Languages : public FormFixture {
protected:
    void customise(Services& s) override {
        FormFixture::customise(s);
        s.locale = locale;
    }

    // A fresh window in `language`, with an empty settings file, as a user in it would start.
    Form1& startIn(const QLocale& language) {
        restart();
        translations = std::make_unique<QObject>(); // the previous language's translators go with it
        installed = installTranslations(language, translations.get());
        locale = language;
        // The last session's writes land before its file goes.
        EXPECT_TRUE(settings->waitUntilWritten(std::chrono::minutes(1)));
        QFile::remove(settings->fileName());
        settings = std::make_shared<IniSettingsStore>();
        dialogs = std::make_shared<ScriptedDialogs>();
        clipboard = std::make_shared<FakeClipboard>();
        return form();
    }

    // What a session leaves behind that is stored or exchanged: a search of files whose sizes, in
    // Bytes, read the same in every locale, then the settings file, the saved file, the clipboard and
    // the second line of an error report.
    struct Traces {
        QByteArray settingsFile;
        QByteArray savedFile;
        QStringList clipboard;
        QString reportLine;
        bool operator==(const Traces&) const = default;
    };
    Traces session(const QLocale& language) {
        Form1& f = startIn(language);
        f.Option[1]->click();
        f.Option[0]->click();
        f.Text[0]->setText(u"120"_s);
        f.addGivenFolders({tree.root()});
        clickAndFinish(f.PushButton1);
        for (int i = 1; i <= f.results->count(); ++i)
            f.results->setChecked(i, true);
        const QString saved = tree.rootText() + u"/saved-"_s + language.name() + u".txt"_s;
        dialogs->saveAnswers = {saved, tree.rootText() + u"/missing/x.txt"_s};
        clickAndFinish(f.PushButton2);
        clickAndFinish(f.PushButton4);
        clickAndFinish(f.PushButton2); // into a folder that is not there: the error report
        Traces traces;
        EXPECT_TRUE(settings->waitUntilWritten(std::chrono::minutes(1)));
        QFile settingsFile(settings->fileName());
        if (settingsFile.open(QIODevice::ReadOnly))
            traces.settingsFile = settingsFile.readAll();
        QFile savedFile(saved);
        if (savedFile.open(QIODevice::ReadOnly))
            traces.savedFile = savedFile.readAll();
        traces.clipboard = clipboard->calls;
        const QStringList reports = dialogs->errorReports();
        if (!reports.isEmpty())
            traces.reportLine = reports.last().split(u"\r\n"_s).value(1).split(u'\r').value(0);
        return traces;
    }

    // Every caption within its control, as the window's fixed layout needs.
    void expectCaptionsFit(Form1& f, const QString& language) {
        for (auto* button : f.findChildren<QPushButton*>())
            EXPECT_LE(button->sizeHint().width(), button->width())
                << language.toStdString() << ": " << button->text().toStdString();
        // An option's caption ends before the size box beside it (Text1, Text3, Text4, Text5); the first
        // option's first word, that is.
        static constexpr int kBoxBeside[4] = {0, 2, 3, 4};
        for (int i = 0; i < 4; ++i) {
            QRadioButton* option = f.Option[i];
            QStyleOptionButton style;
            style.initFrom(option);
            style.text = option->text();
            const int textLeft =
                option->x() +
                option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option).x();
            const QString caption = i == 0 ? Form1::tr("Between") : option->text();
            EXPECT_LE(textLeft + QFontMetrics(option->font()).horizontalAdvance(caption),
                      f.Text[kBoxBeside[i]]->x())
                << language.toStdString() << ": " << caption.toStdString();
        }
        // The first option's "and" ends where the design's does, left of Text2.
        const QFontMetrics metrics(f.Option[0]->font());
        EXPECT_LE(metrics.horizontalAdvance(f.Option[0]->text()),
                  metrics.horizontalAdvance(u"Between"_s + QString(55, u' ') + u"and"_s))
            << language.toStdString();
    }

    TempTree tree;
    QLocale locale = QLocale::c();
    std::unique_ptr<QObject> translations;
    int installed = 0;

    void SetUp() override {
        FormFixture::SetUp();
        tree.file("a.bin", 150);
        tree.file("sub/b.bin", 200);
        tree.file("big.bin", 300);
    }
    void TearDown() override {
        restart();
        translations.reset();
    }
};

TEST_F(Languages, StoredAndExchangedTextsAreTheSameInGermanAsInEnglish) {
    const Traces english = session(QLocale::c());
    EXPECT_EQ(installed, 0);
    EXPECT_EQ(form().PushButton1->text(), u"Start Finding"_s);
    ASSERT_EQ(english.clipboard.size(), 2); // cleared, then the two rows
    EXPECT_TRUE(english.settingsFile.contains("Option1=True"));
    EXPECT_EQ(english.savedFile.count("\r\n"), 2);
    EXPECT_TRUE(english.reportLine.startsWith(u"in Zorvik2021/08/31.Form1.PushButton2_Click at line "_s))
        << english.reportLine.toStdString();

    const Traces german = session(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(installed, 2); // the window's texts and Qt's own for its dialogs
    EXPECT_EQ(german, english);
}

TEST_F(Languages, TheWindowSpeaksGermanAndFrenchAndEachCaptionFitsItsControl) {
    expectCaptionsFit(startIn(QLocale::c()), u"English"_s);

    Form1& german = startIn(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.PushButton1->text(), u"Suche starten"_s);
    EXPECT_EQ(german.Frame1->title(), u"Suchbedingung"_s);
    EXPECT_EQ(german.Text[0]->accessibleName(), u"Untergrenze"_s);
    EXPECT_TRUE(german.Option[0]->text().startsWith(u"Zwischen "_s));
    EXPECT_TRUE(german.Option[0]->text().endsWith(u" und"_s));
    german.PushButton5->click();
    EXPECT_EQ(german.helpWindow()->windowTitle(), u"Zorvik-Hilfe"_s);
    EXPECT_TRUE(german.helpWindow()->text().contains(u"Unter KB wird die Größe einer Datei"_s));
    EXPECT_TRUE(german.helpWindow()->text().contains(u"man zorvik"_s));
    expectCaptionsFit(german, u"German"_s);

    Form1& french = startIn(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(french.PushButton1->text(), u"Lancer la recherche"_s);
    french.PushButton5->click();
    EXPECT_EQ(french.helpWindow()->windowTitle(), u"Aide de Zorvik"_s);
    EXPECT_TRUE(french.helpWindow()->text().contains(u"Sous KB, la taille d’un fichier"_s));

    // Every language the program carries, a new one included.
    const QStringList carried = QDir(u":/i18n"_s).entryList({u"zorvik_*.qm"_s});
    EXPECT_TRUE(carried.contains(u"zorvik_de.qm"_s) && carried.contains(u"zorvik_fr.qm"_s)) << carried.size();
    for (const QString& file : carried) {
        const QString language = file.mid(7).chopped(3);
        expectCaptionsFit(startIn(QLocale(language)), language);
        EXPECT_GT(installed, 0) << language.toStdString();
    }
}

} // namespace
} // namespace zorvik::test
