// The window: its commands, how events reach the handlers, the pointer and the end of the program.
#include "shell/Form1.h"

#include "core/ErrorReport.h"
#include "core/Steps.h"
#include "criteria/CriteriaPanel.h"
#include "folders/FolderCommands.h"
#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "results/RowActions.h"
#include "shell/FolderListControls.h"
#include "shell/HoverButton.h"
#include "shell/ResultListControls.h"
#include "shell/WindowCommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik {

Form1::Form1(Services services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    createControls();
    createCommands();
    connectHandlers();
    describeControls();
    installKeys();
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form1::~Form1() = default;

void Form1::createCommands() {
    Dialogs& dialogs = *services_.dialogs;
    SettingsStore& settings = *services_.settings;
    criteria_ = std::make_unique<CriteriaPanel>(CriteriaControls{Option, Text, Combo}, *this, dialogs,
                                                settings, services_.locale);
    folderCommands_ = std::make_unique<FolderCommands>(*this, *folders, dialogs, settings, services_.locale);
    commands_ = std::make_unique<WindowCommands>(
        *this, *folders, *results, services_,
        [this](const QString& description, const QString& handler, int step, const QString& extra) {
            reportFailure(description, handler, step, extra);
        });
    commands_->setRunningShown([this](const QString& handler, bool running) { offerStop(handler, running); });
    rowActions_ =
        std::make_unique<RowActions>(*this, *results, dialogs, *services_.desktop, *services_.clipboard);
    resultControls_ =
        new ResultListControls(*ListView2, *results, *rowActions_,
                               [this](const std::function<void()>& handler) { dispatch(handler); });
    folderControls_ = new FolderListControls(
        *ListView1, *folders, *folderCommands_,
        [this](const std::function<void()>& handler) { dispatch(handler); },
        [this](const QString& handler) { return steps(handler); });
    results->setLocale(services_.locale);
}

void Form1::connectHandlers() {
    const std::pair<HoverButton*, void (Form1::*)()> commands[] = {
        {PushButton1, &Form1::PushButton1_Click},   {PushButton2, &Form1::PushButton2_Click},
        {PushButton3, &Form1::PushButton3_Click},   {PushButton4, &Form1::PushButton4_Click},
        {PushButton5, &Form1::PushButton5_Click},   {PushButton6, &Form1::PushButton6_Click},
        {PushButton8, &Form1::PushButton8_Click},   {PushButton10, &Form1::PushButton10_Click},
        {PushButton11, &Form1::PushButton11_Click}, {PushButton17, &Form1::PushButton17_Click},
    };
    // Init-captures, because clang (and so clang-tidy) before 16 cannot capture a structured binding.
    for (const auto& [button, handler] : commands) {
        connect(button, &QPushButton::clicked, this,
                [this, h = handler] { dispatch([this, h] { (this->*h)(); }); });
        connect(button, &HoverButton::pointerMoved, this, [this, b = button] { pointerOverButton(b); });
    }
    for (int i = 0; i < 4; ++i)
        connect(Option[i], &QRadioButton::clicked, this,
                [this, i] { dispatch([this, i] { Option_Click(i + 1); }); });
    for (int i = 0; i < 5; ++i) {
        connect(Combo[i], &QComboBox::currentIndexChanged, this,
                [this, i] { dispatch([this, i] { Combo_Click(i + 1); }); });
        connect(Text[i], &QLineEdit::textChanged, this,
                [this, i] { dispatch([this, i] { Text_Change(i + 1); }); });
        Text[i]->installEventFilter(this);
        Combo[i]->installEventFilter(this);
        Combo[i]->setMouseTracking(true);
    }
    for (QRadioButton* option : Option) {
        option->installEventFilter(this);
        option->setMouseTracking(true);
    }
    Frame1->installEventFilter(this);
    for (QTableView* view : {ListView1, ListView2}) {
        view->viewport()->installEventFilter(this);
        view->horizontalHeader()->installEventFilter(this);
    }
    ListView1->installEventFilter(this);
}

void Form1::dispatch(const std::function<void()>& handler) {
    // Events that were already queued when the window closed reach no handler.
    if (!closing_)
        handler();
}

std::unique_ptr<Steps> Form1::steps(const QString& handler) {
    return std::make_unique<Steps>(
        handler, [this](const QString& description, const QString& name, int step, const QString& extra) {
            reportFailure(description, name, step, extra);
        });
}

void Form1::reportFailure(const QString& description, const QString& handler, int step,
                          const QString& extra) {
    if (closing_)
        return;
    QString text = composeErrorReport(description, handler, step);
    if (!extra.isEmpty())
        text += u"\r\r"_s + extra;
    services_.dialogs->errorReport(text);
}

// ---- handlers: each hands its work to its command

void Form1::Option_Click(int option) {
    criteria_->optionClicked(option);
}
void Form1::Combo_Click(int combo) {
    criteria_->unitChosen(combo);
}
void Form1::Text_Change(int text) {
    criteria_->textChanged(text);
}
void Form1::Text_LostFocus(int text) {
    criteria_->checkLeftField(text);
}
void Form1::PushButton3_Click() {
    folderCommands_->addFolder(*steps(u"PushButton3_Click"_s));
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
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    folderCommands_->removeFolder(selected.isEmpty() ? std::nullopt : std::optional(selected.first().row()));
}
void Form1::addGivenFolders(const QList<QByteArray>& folders) {
    folderCommands_->addGivenFolders(folders);
}
void Form1::PushButton1_Click() {
    commands_->startOrStop();
}
void Form1::PushButton2_Click() {
    commands_->save();
}
void Form1::PushButton4_Click() {
    commands_->copy();
}
void Form1::PushButton6_Click() {
    commands_->clear();
}
void Form1::PushButton8_Click() {
    commands_->move();
}
void Form1::PushButton10_Click() {
    commands_->trash();
}
void Form1::PushButton11_Click() {
    commands_->prune(false);
}
void Form1::PushButton17_Click() {
    commands_->prune(true);
}
bool Form1::isSearching() const {
    return commands_->isSearching();
}
bool Form1::stopRequested() const {
    return commands_->stopRequested();
}

// ---- what the commands ask of the window

QString Form1::startCaption() const {
    return PushButton1->text();
}
void Form1::setStartCaption(const QString& caption) {
    PushButton1->setText(caption);
}
SizeCondition Form1::sizeCondition() const {
    return criteria_->sizeCondition();
}
bool Form1::checkBoundsBeforeSearch() {
    return criteria_->checkBoundsBeforeSearch();
}

void Form1::sizeFieldLeft(int text, Qt::FocusReason reason) {
    // Only a move of the focus to another control of this window counts as leaving the box: not the
    // window losing activation, a popup, or a message box taking the focus.
    if (criteria_->isCheckingField() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason)
        return;
    const bool bound = text == 1 || text == 2;
    if (bound)
        criteria_->boundLeft(text); // at once: a click on Start Finding checks the range before it starts
    // Let the focus change finish before a message box can take the focus.
    QMetaObject::invokeMethod(
        this,
        [this, text, bound] {
            // Back in the box by then (Start Finding's own check put the user there): not left after all.
            if (criteria_->isCheckingField() || Text[std::size_t(text - 1)]->hasFocus())
                return;
            if (bound && isInBetweenRow(QApplication::focusWidget()))
                dispatch([this, text] { criteria_->checkNumberOf(text); });
            else
                dispatch([this, text] { Text_LostFocus(text); });
        },
        Qt::QueuedConnection);
}

void Form1::betweenUnitLeft(Qt::FocusReason reason) {
    if (criteria_->isCheckingField() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!criteria_->isCheckingField() && !isInBetweenRow(QApplication::focusWidget()))
                dispatch([this] { criteria_->betweenRowLeft(); });
        },
        Qt::QueuedConnection);
}

bool Form1::isInBetweenRow(const QWidget* widget) const {
    return widget && (widget == Text[0] || widget == Text[1] || widget == Combo[0] || widget == Combo[1]);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Settings are already on their way to disk (every change is written at once); a running command
    // ends without another step, and only the window's size is left to keep.
    closing_ = true;
    commands_->abandonAll();
    storeWindowSize();
    event->accept();
}

// ---- pointer

void Form1::setPointerState(PointerState state) {
    if (state == pointerState_)
        return;
    pointerState_ = state;
    applyPointer();
}

void Form1::applyPointer() {
    std::optional<QCursor> cursor;
    switch (pointerState_) {
    case PointerState::Arrow:
        cursor = QCursor(Qt::ArrowCursor);
        break;
    case PointerState::Busy:
        cursor = QCursor(Qt::WaitCursor);
        break;
    case PointerState::Hand:
        cursor = handCursor_;
        break;
    default:
        break;
    }
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.prepend(this);
    for (QWidget* widget : widgets) {
        if (cursor)
            widget->setCursor(*cursor);
        else if (const auto own = ownCursors_.constFind(widget); own != ownCursors_.cend())
            widget->setCursor(*own);
        else
            widget->unsetCursor();
    }
}

void Form1::pointerOverSurface() {
    if (pointerState_ != PointerState::Busy)
        setPointerState(PointerState::Default);
}

void Form1::pointerOverButton(HoverButton* button) {
    // Start Finding doubles as Stop, so it shows the hand even while a search holds the busy pointer.
    if (button == PushButton1 || pointerState_ != PointerState::Busy)
        setPointerState(PointerState::Hand);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    pointerOverSurface();
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        // The option buttons and unit lists have no pointer rule: a move over them must not reach the
        // frame beneath.
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton &&
            (std::find(Option.begin(), Option.end(), watched) != Option.end() ||
             std::find(Combo.begin(), Combo.end(), watched) != Combo.end()))
            return true;
        if (watched == Frame1 || std::find(Text.begin(), Text.end(), watched) != Text.end() ||
            watched == ListView1->viewport() || watched == ListView2->viewport() ||
            watched == ListView1->horizontalHeader() || watched == ListView2->horizontalHeader())
            pointerOverSurface();
        break;
    case QEvent::KeyPress:
        if (watched == ListView1) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            dispatch([this, key] { ListView1_KeyDown(key); });
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == ListView1->viewport())
            dispatch([this] { ListView1_DblClick(); });
        break;
    case QEvent::FocusOut:
        if (const auto it = std::find(Text.begin(), Text.end(), watched); it != Text.end())
            sizeFieldLeft(int(it - Text.begin()) + 1, static_cast<QFocusEvent*>(event)->reason());
        else if (watched == Combo[0] || watched == Combo[1])
            betweenUnitLeft(static_cast<QFocusEvent*>(event)->reason());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvik
