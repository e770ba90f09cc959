// "Add Folder to Search" and the removal of folders from the folder list.
#include "shell/Form1.h"

#include "folders/FolderList.h"
#include "folders/NormalizePath.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "shell/Steps.h"

#include <QItemSelectionModel>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace zorvik {

void Form1::PushButton3_Click() {
    auto s = steps(u"PushButton3_Click"_s);
    QString startFolder;
    QString chosen;
    s->run(100, [&] { startFolder = services_.settings->read(u"LastFolderDot"_s, QString()); });
    s->run(100,
           [&] { chosen = services_.dialogs->browseForFolder(u"Please select folder:"_s, startFolder); });
    if (s->test(102, [&] { return chosen.isEmpty(); }))
        return;
    // The picker reopens where the user last picked a folder to search.
    s->run(102, [&] { services_.settings->write(u"LastFolderDot"_s, chosen); });
    s->run(104, [&] { setPointerState(kPointerBusy); });
    s->run(106, [&] { folders->add(NormalizePath(chosen)); });
    s->run(108, [&] { setPointerState(kPointerDefault); });
}

void Form1::ListView1_KeyDown(int key) {
    // Delete removes the selected folder, whatever modifier keys are held.
    if (key == Qt::Key_Delete)
        removeSelectedFolder();
}

void Form1::ListView1_DblClick() {
    removeSelectedFolder();
}

void Form1::removeSelectedFolder() {
    // A running command holds the busy pointer; the folder list must not change under it.
    if (pointerState_ == kPointerBusy || folders->count() == 0)
        return;
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        folders->remove(selected.first().row() + 1);
}

} // namespace zorvik
