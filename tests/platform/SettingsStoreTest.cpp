// The settings file: where it lives, that each value is on disk the moment it is written, and that
// every text comes back as it was written.
#include "platform/QtSettingsStore.h"

#include "QtPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

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
    static void putOnDisk(const QByteArray& content) {
        QFile file(fileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

TEST_F(Settings, AWrittenValueIsInTheZorvikSectionOfTeskaroConfAtOnce) {
    ASSERT_FALSE(qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    QtSettingsStore store;
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
        QtSettingsStore store;
        for (int i = 0; i < values.size(); ++i)
            store.write(u"Key"_s + QString::number(i), values[i]);
        for (int i = 0; i < values.size(); ++i)
            EXPECT_EQ(store.read(u"Key"_s + QString::number(i), u"<default>"_s), values[i]) << i;
    }
    // A store opened later, as at the next start, reads the same texts from the file.
    const QtSettingsStore later;
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(later.read(u"Key"_s + QString::number(i), u"<default>"_s), values[i]) << i;
    EXPECT_EQ(later.read(u"LastFolderDot"_s, u"<default>"_s), u"<default>"_s);
}

TEST_F(Settings, AHandEditedValueWithCommasKeepsItsText) {
    putOnDisk("[Zorvik]\nText1=1,000\nCombo1=2\n[Other]\nText1=elsewhere\n");
    const QtSettingsStore store;
    EXPECT_EQ(store.read(u"Text1"_s, u"100"_s), u"1,000"_s);
    EXPECT_EQ(store.read(u"Combo1"_s, u"0"_s), u"2"_s);
}

} // namespace
} // namespace zorvik::test
