// The settings file: where it lives, that each value is on disk the moment it is written, that every
// text comes back as it was written, byte for byte as QSettings writes and reads it, and that an edit
// leaves the rest of the file alone.
#include "platform/IniSettingsStore.h"

#include "QtPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

class Settings : public ::testing::Test {
protected:
    Settings() { QFile::remove(fileName()); }
    ~Settings() override { QFile::remove(fileName()); }
    // The test programs give every run a throw-away XDG_CONFIG_HOME.
    static QString fileName() { return qEnvironmentVariable("XDG_CONFIG_HOME") + u"/Teskaro.conf"_s; }
    static QByteArray onDisk() {
        QFile file(fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void putOnDisk(const QByteArray& content, const QString& path = fileName()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    // QSettings keeps what it parsed of a file for as long as size and time look unchanged: every
    // reading gets a file of its own.
    static QSettings* qtReading(const QByteArray& content) {
        static int files = 0;
        const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/qt-"_s + QString::number(++files);
        putOnDisk(content, path);
        return new QSettings(path, QSettings::IniFormat);
    }
};

TEST_F(Settings, AWrittenValueIsInTheZorvikSectionOfTeskaroConfAtOnce) {
    ASSERT_FALSE(qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    IniSettingsStore store;
    store.write(u"Text3"_s, u"12a"_s);
    EXPECT_EQ(QFileInfo(store.fileName()).canonicalFilePath(), QFileInfo(fileName()).canonicalFilePath());
    EXPECT_EQ(onDisk(), "[Zorvik]\nText3=12a\n");
    store.write(u"Option1"_s, u"False"_s);
    EXPECT_TRUE(onDisk().contains("\nOption1=False\n")) << onDisk().toStdString();
}

TEST_F(Settings, EveryTextComesBackAsWrittenAndAnAbsentKeyAsItsDefault) {
    const QStringList values = {
        u"100"_s,
        QString(), // an emptied size box is a value, not an absent key
        u"  spaced  "_s,    u"1,000"_s,      u"a;b=c"_s,
        u"\"quoted\""_s,    u"@Invalid()"_s, u"/home/\u00e4rger/\u65e5\u672c"_s,
        u"C:\\Archive\\"_s, u"#hash"_s,
    };
    {
        IniSettingsStore store;
        for (int i = 0; i < values.size(); ++i)
            store.write(u"Key"_s + QString::number(i), values[i]);
        for (int i = 0; i < values.size(); ++i)
            EXPECT_EQ(store.read(u"Key"_s + QString::number(i), u"<default>"_s), values[i]) << i;
    }
    // A store opened later, as at the next start, reads the same texts from the file.
    const IniSettingsStore later;
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(later.read(u"Key"_s + QString::number(i), u"<default>"_s), values[i]) << i;
    EXPECT_EQ(later.read(u"LastFolderDot"_s, u"<default>"_s), u"<default>"_s);
}

TEST_F(Settings, AHandEditedValueWithCommasKeepsItsText) {
    putOnDisk("[Zorvik]\nText1=1,000\nCombo1=2\n[Other]\nText1=elsewhere\n");
    const IniSettingsStore store;
    EXPECT_EQ(store.read(u"Text1"_s, u"100"_s), u"1,000"_s);
    EXPECT_EQ(store.read(u"Combo1"_s, u"0"_s), u"2"_s);
}

TEST_F(Settings, QSettingsAndTheStoreWriteTheSameBytesAndReadEachOther) {
    const QStringList texts = {u"1,000"_s,
                               u"\"quoted\""_s,
                               u"back\\slash\\"_s,
                               u"@leading"_s,
                               u"@@two"_s,
                               u"\u00e4rger/\u65e5\U0001F600"_s,
                               QString(),
                               u"  spaced  "_s,
                               u"tab\tand\nbreak"_s,
                               u"a;b=c"_s,
                               u"\x01"
                               u"ab\x1f"
                               u"9"_s,
                               u"#hash"_s,
                               QString::fromUtf16(u"nul\0"
                                                  u"1",
                                                  5),
                               u"@Variant(x)"_s,
                               u"\x7f"_s,
                               u" "_s};
    auto key = [](qsizetype i) -> QString {
        return u"Key"_s + QChar(char16_t(u'A' + i));
    }; // in QSettings' own order
    const QString qtFile = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/qt-written"_s;
    {
        QSettings qt(qtFile, QSettings::IniFormat);
        qt.beginGroup(u"Zorvik"_s);
        for (qsizetype i = 0; i < texts.size(); ++i)
            qt.setValue(key(i), texts[i]);
    }
    IniSettingsStore store;
    for (qsizetype i = 0; i < texts.size(); ++i)
        store.write(key(i), texts[i]);
    QFile written(qtFile);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray qtBytes = written.readAll();
    EXPECT_EQ(onDisk(), qtBytes);

    std::unique_ptr<QSettings> qt(qtReading(onDisk()));
    putOnDisk(qtBytes);
    const IniSettingsStore later;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(qt->value(u"Zorvik/"_s + key(i)).toString(), texts[i]) << i;
        EXPECT_EQ(later.read(key(i), u"<default>"_s), texts[i]) << i;
    }
}

TEST_F(Settings, AnEditChangesItsOwnValueOrAddsALineAndLeavesEveryOtherByte) {
    const QByteArray head = "\xEF\xBB\xBF; Teskaro\r\n[General]\r\nshared=1\r\n\r\n[Zorvik]\r\n";
    const QByteArray tail = "\r\n[Other]\r\nText1=untouched\r\n";
    putOnDisk(head + "Text1 = 5 ; five\r\nCombo1=2\r\n" + tail);
    IniSettingsStore store;
    store.write(u"Text1"_s, u"6"_s);
    store.write(u"Text2"_s, u"7"_s);
    EXPECT_EQ(onDisk(), head + "Text1 =6; five\r\nCombo1=2\r\nText2=7\n" + tail);
    const std::unique_ptr<QSettings> qt(qtReading(onDisk()));
    EXPECT_EQ(qt->value(u"Zorvik/Text1"_s).toString(), u"6"_s);
    EXPECT_EQ(qt->value(u"Other/Text1"_s).toString(), u"untouched"_s);
    EXPECT_EQ(qt->value(u"shared"_s).toString(), u"1"_s);

    // A last line that runs to the end of the file inside quotes or an escape keeps its value when a
    // line is added after it.
    for (const QByteArray& open : {QByteArray("[Zorvik]\nText1=\"5"), QByteArray("[Zorvik]\nText1=5\\"),
                                   QByteArray("[Zorvik]\nText1=5\\\r")}) {
        putOnDisk(open);
        IniSettingsStore(/*reads the file*/).write(u"Text2"_s, u"7"_s);
        const IniSettingsStore reread;
        EXPECT_EQ(reread.read(u"Text1"_s, {}), u"5"_s) << onDisk().toStdString();
        EXPECT_EQ(reread.read(u"Text2"_s, {}), u"7"_s) << onDisk().toStdString();
    }
}

TEST_F(Settings, QtsTypedValuesReadAsTheDefaultAndTextsAsTexts) {
    putOnDisk("[Zorvik]\nA=@ByteArray(abc)\nB=@Rect(1 2 3 4)\nC=@Invalid()\nD=1, @Size(1 2)\n"
              "E=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nF=@@x\nG=@String(a\\0)\nH=@other\nI=1, @@2\n");
    const IniSettingsStore store;
    for (const char* typed : {"A", "B", "C", "D", "E"})
        EXPECT_EQ(store.read(QLatin1String(typed), u"<default>"_s), u"<default>"_s) << typed;
    EXPECT_EQ(store.read(u"F"_s, {}), u"@x"_s);
    EXPECT_EQ(store.read(u"G"_s, {}), QString::fromUtf16(u"a\0", 2));
    EXPECT_EQ(store.read(u"H"_s, {}), u"@other"_s);
    EXPECT_EQ(store.read(u"I"_s, {}), u"1,@2"_s);
}

} // namespace
} // namespace zorvik::test
