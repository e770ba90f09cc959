// The settings file: where it lives, that each value reaches the disk off the writer's thread and
// without losing another instance's keys, that every text comes back as it was written, byte for byte
// as QSettings writes and reads it, and that an edit leaves the rest of the file alone.
#include "platform/IniSettingsStore.h"

#include "Gate.h"
#include "QtPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// Writes through to the file, noting each call's thread and changes ("Zorvik/Text1=5"); can hold the
// first write at a gate and refuse a number of writes.
class RecordingWriter : public SettingsFileWriter {
public:
    using SettingsFileWriter::SettingsFileWriter;
    void cleanUp() override {
        record({});
        SettingsFileWriter::cleanUp();
    }
    Outcome write(const std::vector<SettingChange>& changes) override {
        QStringList batch;
        for (const SettingChange& change : changes)
            batch << change.key + u'=' + change.value;
        if (record(batch) == 1 && holdFirst)
            gate.pass();
        if (refusals > 0) {
            --refusals;
            return Outcome::Failed;
        }
        return SettingsFileWriter::write(changes);
    }
    std::vector<QStringList> writes() {
        const std::lock_guard lock(mutex_);
        return writes_;
    }
    std::vector<std::thread::id> threads() {
        const std::lock_guard lock(mutex_);
        return threads_;
    }

    bool holdFirst = false; // set before the store starts, read on its worker
    int refusals = 0;       // the same
    Gate gate;

private:
    // How many writes there were, this one included; a clean-up counts none.
    std::size_t record(const std::optional<QStringList>& batch) {
        const std::lock_guard lock(mutex_);
        threads_.push_back(std::this_thread::get_id());
        if (batch)
            writes_.push_back(*batch);
        return writes_.size();
    }

    std::mutex mutex_;
    std::vector<QStringList> writes_;
    std::vector<std::thread::id> threads_;
};

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
    // Every write made so far is on disk; bounded only so that a hang fails instead of holding the run.
    static bool written(IniSettingsStore& store) { return store.waitUntilWritten(std::chrono::minutes(1)); }
    static QSettings* qtReading(const QByteArray& content) {
        static int files = 0;
        const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/qt-"_s + QString::number(++files);
        putOnDisk(content, path);
        return new QSettings(path, QSettings::IniFormat);
    }
};

TEST_F(Settings, AWrittenValueIsInTheZorvikSectionOfTeskaroConfOnceWritten) {
    ASSERT_FALSE(qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    IniSettingsStore store;
    store.write(u"Text3"_s, u"12a"_s);
    ASSERT_TRUE(written(store));
    EXPECT_EQ(QFileInfo(store.fileName()).canonicalFilePath(), QFileInfo(fileName()).canonicalFilePath());
    EXPECT_EQ(onDisk(), "[Zorvik]\nText3=12a\n");
    store.write(u"Option1"_s, u"False"_s);
    ASSERT_TRUE(written(store));
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
        ASSERT_TRUE(written(store));
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
    ASSERT_TRUE(written(store));
    QFile qtWritten(qtFile);
    ASSERT_TRUE(qtWritten.open(QIODevice::ReadOnly));
    const QByteArray qtBytes = qtWritten.readAll();
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
    ASSERT_TRUE(written(store));
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
        IniSettingsStore edit; // reads the file
        edit.write(u"Text2"_s, u"7"_s);
        ASSERT_TRUE(written(edit));
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

TEST_F(Settings, WritesLeaveTheCallersThreadAndAQuickRunOfThemIsOneWrite) {
    const auto file = std::make_shared<RecordingWriter>(fileName());
    file->holdFirst = true;
    IniSettingsStore store(file);
    store.write(u"Text1"_s, u"1"_s);
    file->gate.waitUntilInside(1);
    // While the file is being written the user types on, and reads see each value at once.
    for (int i = 2; i <= 100; ++i)
        store.write(u"Text1"_s, QString::number(i));
    store.write(u"Text2"_s, u"x"_s);
    EXPECT_EQ(store.read(u"Text1"_s, {}), u"100"_s);
    file->gate.open();
    ASSERT_TRUE(written(store));
    EXPECT_EQ(file->writes(), (std::vector<QStringList>{{u"Zorvik/Text1=1"_s},
                                                        {u"Zorvik/Text1=100"_s, u"Zorvik/Text2=x"_s}}));
    EXPECT_EQ(file->threads().size(), 3u); // the start-up clean-up, then the two writes
    for (const std::thread::id thread : file->threads())
        EXPECT_NE(thread, std::this_thread::get_id());
    EXPECT_EQ(onDisk(), "[Zorvik]\nText1=100\nText2=x\n");
}

TEST_F(Settings, AChangeTheDiskRefusedGoesWithTheNextWrite) {
    const auto file = std::make_shared<RecordingWriter>(fileName());
    file->refusals = 1;
    IniSettingsStore store(file);
    store.write(u"Text1"_s, u"5"_s);
    ASSERT_TRUE(written(store));
    EXPECT_EQ(onDisk(), "<missing>");
    store.write(u"Text2"_s, u"6"_s);
    ASSERT_TRUE(written(store));
    EXPECT_EQ(onDisk(), "[Zorvik]\nText1=5\nText2=6\n");
}

TEST_F(Settings, TwoInstancesWritingAtOnceKeepEachOthersKeys) {
    IniSettingsStore first;
    IniSettingsStore second;
    for (int round = 0; round < 30; ++round) {
        first.write(u"First"_s + QString::number(round % 3), QString::number(round));
        second.write(u"Second"_s + QString::number(round % 3), QString::number(round));
        // One write of the first's a round, while the second's worker writes alongside as it can.
        ASSERT_TRUE(written(first));
    }
    ASSERT_TRUE(written(second));
    const IniSettingsStore later;
    for (int key = 0; key < 3; ++key) {
        EXPECT_EQ(later.read(u"First"_s + QString::number(key), {}), QString::number(27 + key));
        EXPECT_EQ(later.read(u"Second"_s + QString::number(key), {}), QString::number(27 + key));
    }
}

TEST_F(Settings, ATemporaryThatACrashLeftIsRemovedAtStartUpAndNothingElse) {
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + u'/';
    const QString leftOver = folder + u".Teskaro.conf.zorvik-3k9x0a"_s;
    putOnDisk("[Zorvik]\nText1=hal", leftOver);
    // Not of the store's making: another name, or a link.
    const QStringList others = {folder + u".Teskaro.conf.zorvik-3K9X0A"_s,
                                folder + u"Teskaro.conf.zorvik-1"_s, folder + u".Teskaro.conf.zorvik-"_s};
    for (const QString& other : others)
        putOnDisk("kept", other);
    const QString link = folder + u".Teskaro.conf.zorvik-4"_s;
    ASSERT_TRUE(QFile::link(others[0], link));

    IniSettingsStore store;
    ASSERT_TRUE(written(store));
    EXPECT_FALSE(QFileInfo::exists(leftOver));
    for (const QString& other : others)
        EXPECT_TRUE(QFile::remove(other)) << other.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    QFile::remove(link);
}

} // namespace
} // namespace zorvik::test
