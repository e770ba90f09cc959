// A result command whose file operation does not return (a share that stopped answering): the window
// goes on meanwhile, the command goes on when the call returns, and closing the window ends it at once.
#include "ResultFixture.h"

#include "Gate.h"
#include "core/BlockingCall.h"
#include "core/Mailbox.h"
#include "platform/FreedesktopTrash.h"
#include "platform/PosixFileOperations.h"
#include "shell/HoverButton.h"

#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik::test {
namespace {

// The real operations, held at the gate for the files named here.
class HeldOperations : public PosixFileOperations {
public:
    using PosixFileOperations::PosixFileOperations;
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    QByteArray held; // the name of the file whose move waits at the gate

    MoveOutcome moveFile(const FoundFile& source, const Destination& destination,
                         const IsBeingMoved& isBeingMoved) override {
        if (source.path.endsWith(QByteArray('/' + held)))
            gate->pass();
        return PosixFileOperations::moveFile(source, destination, isBeingMoved);
    }
};

class HeldTrash : public FreedesktopTrash {
public:
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::optional<QString> trashEntry(int folder, const QByteArray& name, const FileId& id,
                                      const QByteArray& path, Receipt* receipt) override {
        gate->pass();
        return FreedesktopTrash::trashEntry(folder, name, id, path, receipt);
    }
};

class StuckFileOperation : public ResultFixture {
protected:
    void customise(Services& s) override {
        ResultFixture::customise(s);
        s.fileOperations = operations;
        s.trash = trash;
    }
    void TearDown() override {
        // Whatever a test left held goes through now, so no worker outlives the test's files.
        operations->gate->open();
        trash->gate->open();
        ASSERT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::seconds(30)));
    }
    // Runs `action` on the window's thread once a call is held: the command waits for it meanwhile.
    void whileHeld(Gate& gate, std::function<void()> action) {
        gate.whenHeld([this, action = std::move(action)] { mailbox.post(action); });
    }

    Mailbox mailbox;
    std::shared_ptr<HeldTrash> trash = std::make_shared<HeldTrash>();
    std::shared_ptr<HeldOperations> operations = std::make_shared<HeldOperations>(trash);
    TempTree tree;
    TempTree target;
};

TEST_F(StuckFileOperation, TheWindowGoesOnWhileAMoveWaitsAndTheMoveGoesOnWhenTheCallReturns) {
    Form1& f = form();
    const QByteArray a = file(tree, "a");
    const QByteArray b = file(tree, "b");
    row(a, true);
    row(b, true);
    operations->held = "a";
    bool windowAnswered = false;
    whileHeld(*operations->gate, [&] {
        // An event handled while the move waits: the window is not frozen. Then the share answers.
        windowAnswered = f.pointerState() == PointerState::Busy && f.results->count() == 2;
        operations->gate->open();
    });
    dialogs->folderAnswers = {target.rootText()};
    clickAndFinish(f.PushButton8);
    EXPECT_TRUE(windowAnswered);
    EXPECT_EQ(contentOf(target.path("a")), "content of a");
    EXPECT_EQ(contentOf(target.path("b")), "content of b");
    EXPECT_EQ(f.results->count(), 0);
    EXPECT_TRUE(dialogs->notices().isEmpty());
}

TEST_F(StuckFileOperation, ClosingTheWindowEndsAStuckMoveOrTrashAtOnceAndLosesNothing) {
    Form1& f = form();
    f.show();
    const QByteArray a = file(tree, "a");
    const QByteArray b = file(tree, "b");
    row(a, true);
    row(b, true);
    operations->held = "a";
    whileHeld(*operations->gate, [&] { f.close(); });
    dialogs->folderAnswers = {target.rootText()};
    clickAndFinish(f.PushButton8); // ends although the move of "a" still waits
    EXPECT_EQ(operations->gate->inside(), 1);
    EXPECT_EQ(contentOf(a), "content of a");
    EXPECT_EQ(contentOf(b), "content of b"); // never reached
    EXPECT_EQ(f.results->count(), 2);
    EXPECT_TRUE(dialogs->notices().isEmpty());

    // The trash the same way, in a window of its own.
    restart();
    Form1& again = form();
    again.show();
    row(b, true);
    whileHeld(*trash->gate, [&] { again.close(); });
    dialogs->yesNoAnswers = {true};
    clickAndFinish(again.PushButton10);
    EXPECT_EQ(trash->gate->inside(), 1);
    EXPECT_EQ(contentOf(b), "content of b");
    EXPECT_EQ(again.results->count(), 1);

    // When the share answers at last, the calls left behind finish on their own, each whole.
    operations->gate->open();
    trash->gate->open();
    ASSERT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::seconds(30)));
    EXPECT_EQ(contentOf(target.path("a")), "content of a");
    EXPECT_FALSE(exists(a));
    EXPECT_FALSE(exists(b));
}

TEST_F(StuckFileOperation, StopWaitsForTheFileUnderWayAndASecondStopLeavesItBehind) {
    for (int stops : {1, 2}) {
        SCOPED_TRACE(stops);
        restart();
        dialogs->shown.clear();
        trash->gate = std::make_shared<Gate>();
        Form1& f = form();
        const QByteArray a = file(tree, "a");
        const QByteArray b = file(tree, "b");
        row(a, true);
        row(b, true);
        whileHeld(*trash->gate, [&] {
            for (int i = 0; i < stops; ++i)
                f.PushButton10->click(); // the button reads "Stop" meanwhile
            if (stops == 1)
                trash->gate->open(); // the file under way is waited for
        });
        dialogs->yesNoAnswers = {true};
        clickAndFinish(f.PushButton10);
        EXPECT_EQ(contentOf(b), "content of b"); // never reached
        EXPECT_EQ(rows(), (stops == 1 ? QStringList{QFile::decodeName(b) + u" [x]"_s}
                                      : QStringList{QFile::decodeName(a) + u" [x]"_s,
                                                    QFile::decodeName(b) + u" [x]"_s}));
        EXPECT_EQ(dialogs->notices(),
                  QStringList{u"Stopped: %1 of 2 files moved to the trash."_s.arg(stops == 1 ? 1 : 0)});
        trash->gate->open(); // a file left behind goes to the trash on its own
        ASSERT_TRUE(WorkerThreads::waitUntilNoneRuns(std::chrono::seconds(30)));
        EXPECT_FALSE(exists(a));
        EXPECT_EQ(f.PushButton10->text(), u"Send Checked To Recycle Bin"_s);
    }
}

} // namespace
} // namespace zorvik::test
