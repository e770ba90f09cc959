// "Start Finding" / "Stop": the search run.
#include "shell/Form1.h"

#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/PosixFileSystem.h"
#include "results/ResultList.h"
#include "search/MatchesSize.h"
#include "search/ScanFolder.h"
#include "search/SearchServices.h"
#include "search/SizeDisplayText.h"
#include "shell/HoverButton.h"
#include "shell/ProblemList.h"
#include "shell/Steps.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Feeds the walk's findings to the window: the status line, the result rows, the yields between
// sub-folders and the folders that had to be skipped.
class SearchVisitor : public WalkVisitor {
public:
    SearchVisitor(Form1& form, ProblemList& skipped)
        : form_(form), skipped_(skipped), writer_(form.services().locale) {
        readCondition();
    }

    // The panel can only change while events are processed, so the condition is read after each yield,
    // and read again only when the panel has changed.
    void readCondition() {
        if (revision_ && *revision_ == form_.criteriaRevision())
            return;
        revision_ = form_.criteriaRevision();
        test_ = SizeTest(form_.sizeCondition(), form_.services().locale);
    }

    void enterFolder(const QByteArray& path) override { form_.folders->setHeaderPath(u"Searching "_s, path); }
    void file(const QByteArray& folderPath, const char* name, quint64 bytes) override {
        if (test_.matches(bytes))
            form_.results->add(folderPath, QByteArrayView(name),
                               writer_.utf8(bytes, test_.unit(), sizeText_));
    }
    bool beforeSubFolder() override {
        form_.yield();
        if (form_.stopRequested())
            return false;
        readCondition();
        return true;
    }
    void folderSkipped(const QByteArray& path, const QString& reason) override { skipped_.add(path, reason); }

private:
    Form1& form_;
    ProblemList& skipped_;
    SizeTextWriter writer_;
    SizeTextWriter::Buffer sizeText_;
    SizeTest test_;
    std::optional<quint64> revision_;
};

} // namespace

void Form1::PushButton1_Click() {
    auto s = steps(u"PushButton1_Click"_s);
    std::shared_ptr<FileSystem> fileSystem;
    s->run(100, [&] {
        fileSystem = services_.fileSystem;
        if (!fileSystem)
            throw Failure(u"The file system cannot be reached."_s);
    });
    if (s->test(102, [&] { return PushButton1->text() == u"Stop"_s; })) {
        s->run(146, [&] { PushButton1->setText(savedButtonCaption_); });
        s->run(148, [&] { stopRequested_ = true; });
        return;
    }
    s->run(104, [&] { savedButtonCaption_ = PushButton1->text(); });
    s->run(106, [&] { PushButton1->setText(u"Stop"_s); });
    s->run(108, [&] { stopRequested_ = false; });
    s->run(110, [&] { setPointerState(kPointerBusy); });
    bool includeSubFolders = false;
    s->run(112, [&] { includeSubFolders = true; });
    if (s->test(114, [&] { return folders->count() == 0; })) {
        s->run(138, [&] { services_.dialogs->notice(applicationTitle(), u"No folders added."_s); });
        s->run(140, [&] { PushButton1->setText(savedButtonCaption_); });
        s->run(142, [&] { stopRequested_ = true; });
        s->run(144, [&] { setPointerState(kPointerDefault); });
        return;
    }
    int count = 0;
    s->run(116, [&] { count = folders->count(); });
    ProblemList skipped;
    for (int i = 1; i <= count; ++i) {
        s->run(118, [&] { yield(); });
        if (s->test(120, [&] { return stopRequested_; }))
            break;
        // A row that is gone, or a folder that cannot be opened, is reported once; that position is
        // then not walked, and no other folder is walked in its place.
        QByteArray path;
        bool rowRead = false;
        s->run(122, [&] {
            path = QFile::encodeName(folders->item(i));
            rowRead = true;
        });
        FileSystem::Handle folder = -1;
        if (rowRead)
            s->run(124, [&] { folder = fileSystem->openFolder(path); });
        if (folder >= 0) {
            s->run(126, [&] {
                SearchVisitor visitor(*this, skipped);
                ScanFolder(*fileSystem, folder, path, includeSubFolders, visitor);
            });
        }
        s->run(128, [&] { results->announcePending(); });
    }
    s->run(130, [&] {
        results->announcePending();
        folders->setHeaderText(u"Folder(s)"_s);
    });
    s->run(132, [&] {
        if (!skipped.isEmpty())
            services_.dialogs->notice(
                applicationTitle(), skipped.summary(u"1 folder could not be searched and was skipped:"_s,
                                                    u"%1 folders could not be searched and were skipped:"_s));
        services_.dialogs->notice(applicationTitle(), u"Done."_s);
    });
    s->run(134, [&] { PushButton1->setText(savedButtonCaption_); });
    s->run(136, [&] { stopRequested_ = true; });
    s->run(144, [&] { setPointerState(kPointerDefault); });
}

void installDefaultSearchServices(Services& services) {
    services.fileSystem = std::make_shared<PosixFileSystem>();
}

} // namespace zorvik
