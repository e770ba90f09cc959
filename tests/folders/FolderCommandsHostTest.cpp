// Adding and removing folders without the window: the busy rule and steps that fail on their own.
#include "folders/FolderCommands.h"

#include "FakeHost.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"

#include "core/Failure.h"
#include "folders/FolderList.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// A settings store whose disk has gone: every read and write fails.
class BrokenStore : public SettingsStore {
public:
    QString read(const QString&, const QString&) const override { throw Failure(u"Input/output error"_s); }
    void write(const QString&, const QString&) override { throw Failure(u"Input/output error"_s); }
};

class FolderCommandsAlone : public ::testing::Test {
protected:
    FolderCommandsAlone() {
        folders.addColumn(u"Folder(s)"_s);
        for (const QString& folder : {u"/a"_s, u"/b"_s, u"/c"_s})
            folders.add(folder);
    }
    QStringList rows() const {
        QStringList result;
        for (int i = 1; i <= folders.count(); ++i)
            result << folders.item(i);
        return result;
    }

    FakeHost host;
    FolderList folders;
    ScriptedDialogs dialogs;
    BrokenStore settings;
    FolderCommands commands{host, folders, dialogs, settings};
};

TEST_F(FolderCommandsAlone, OnlyTheBusyPointerHoldsTheListStill) {
    host.setPointerState(PointerState::Busy);
    commands.removeFolder(0);
    EXPECT_EQ(folders.count(), 3);
    // The hand over "Start Finding" or the arrow after a filter replace the busy pointer, and then a
    // folder can go even while a search runs.
    host.setPointerState(PointerState::Hand);
    commands.removeFolder(1);
    host.setPointerState(PointerState::Arrow);
    commands.removeFolder(std::nullopt); // nothing selected
    EXPECT_EQ(rows(), (QStringList{u"/a"_s, u"/c"_s}));
}

TEST_F(FolderCommandsAlone, ASettingThatCannotBeReadOrWrittenStillLetsTheFolderBeAdded) {
    dialogs.folderAnswers = {u"//srv//x"_s};
    RecordedSteps s(u"PushButton3_Click"_s);
    commands.addFolder(s.steps);
    EXPECT_EQ(s.failures, (QStringList{u"100: Input/output error"_s, u"102: Input/output error"_s}));
    ASSERT_EQ(dialogs.of(ScriptedDialogs::Kind::Folder).size(), 1u);
    EXPECT_EQ(dialogs.of(ScriptedDialogs::Kind::Folder)[0].extra, QString());
    EXPECT_EQ(rows().last(), u"/srv/x"_s);
    EXPECT_EQ(host.pointerStates, (std::vector<PointerState>{PointerState::Busy, PointerState::Default}));
}

} // namespace
} // namespace zorvik::test
