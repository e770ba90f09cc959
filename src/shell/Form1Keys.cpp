// Keys of the whole window: Escape stops a search and a trash, a move or an undo, Return in a size box
// starts a search, Ctrl+F goes to the size of the chosen condition, Ctrl+Z takes back the last trash or
// move, F1 opens Help. The result list's own keys are
// in ResultListControls. The visible Stop of a trash or a move is its own button.
#include "shell/Form1.h"

#include "criteria/NumberReading.h"
#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"
#include "shell/WindowCommands.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>

namespace zorvik {

void Form1::installKeys() {
    const std::pair<QKeySequence, void (Form1::*)()> keys[] = {
        {QKeySequence(Qt::Key_Escape), &Form1::stopKey},
        {QKeySequence(Qt::CTRL | Qt::Key_F), &Form1::focusSizeCondition},
        {QKeySequence(Qt::Key_F1), &Form1::PushButton5_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), &Form1::undoLast},
    };
    for (const auto& [sequence, handler] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, h = handler] { dispatch([this, h] { (this->*h)(); }); });
    }
    for (int i = 0; i < 5; ++i)
        connect(Text[i], &QLineEdit::returnPressed, this,
                [this, i] { dispatch([this, i] { startFromSizeField(i + 1); }); });
    resultControls_->setUndo([this] { return commands_->undoOffer(); }, [this] { undoLast(); });
}

void Form1::undoLast() {
    commands_->undo();
}

void Form1::stopKey() {
    // Only a search that runs is stopped: pressed otherwise, the same button would start one.
    if (isSearching() && !stopRequested())
        PushButton1_Click();
    commands_->stopFileCommand();
}

void Form1::offerStop(const QString& handler, bool running) {
    // The button clicked to start the command stops it, as the search's own button does; no control
    // moves, and only one trash or move runs at a time, so one caption is kept.
    HoverButton* button = handler == u"PushButton8_Click" ? PushButton8 : PushButton10;
    if (running) {
        stoppableCaption_ = button->text();
        button->setText(tr("Stop"));
    } else {
        button->setText(stoppableCaption_);
    }
}

void Form1::startFromSizeField(int text) {
    // Return starts a search but never stops the one that runs.
    if (isSearching())
        return;
    // The box is checked as if the user left it; a box that holds no number keeps the focus.
    Text_LostFocus(text);
    if (isNumeric(Text[text - 1]->text(), services_.locale))
        PushButton1_Click();
}

void Form1::focusSizeCondition() {
    static constexpr int kFirstBox[4] = {0, 2, 3, 4}; // Text1, Text3, Text4, Text5
    for (int i = 0; i < 4; ++i) {
        if (Option[i]->isChecked()) {
            QLineEdit* box = Text[kFirstBox[i]];
            box->setFocus(Qt::ShortcutFocusReason);
            box->selectAll();
            return;
        }
    }
    // No condition is chosen, so every size box is disabled: the choice comes first.
    Option[0]->setFocus(Qt::ShortcutFocusReason);
}

} // namespace zorvik
