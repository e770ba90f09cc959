#include "shell/CommandStatus.h"

#include "folders/FolderList.h"

namespace zorvik {

void CommandStatus::show(const QString& text) {
    if (searching_())
        return;
    // Taken when no search runs, so it is the line's resting text, never a search's folder.
    if (!before_)
        before_ = folders_.headerText();
    folders_.setHeaderText(text);
}

void CommandStatus::clear() {
    if (!before_)
        return;
    if (!searching_())
        folders_.setHeaderText(*before_);
    before_.reset();
}

} // namespace zorvik
