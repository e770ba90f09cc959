// The window: its controls, how events reach the handlers, the pointer and the end of the program.
#include "shell/Form1.h"

#include "core/ErrorReport.h"
#include "core/Steps.h"
#include "criteria/CriteriaPanel.h"
#include "folders/FolderCommands.h"
#include "folders/FolderList.h"
#include "platform/Dialogs.h"
#include "results/ResultList.h"
#include "results/RowActions.h"
#include "shell/CompactComboStyle.h"
#include "shell/HoverButton.h"
#include "shell/ReportView.h"
#include "shell/ResultListControls.h"
#include "shell/WindowCommands.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// The window's layout is given in twips; 15 twips make one device-independent pixel.
int px(int twips) {
    return qRound(twips / 15.0);
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

// Full hinting gives whole-pixel advances, the metrics the layout was drawn with: the blanks of the
// first option's caption then make room for Text1 and Combo1, and "and" ends just left of Text2.
QFont arialBold(double points) {
    QFont font(u"Arial"_s);
    font.setPointSizeF(points);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The first option's caption leaves a gap of blanks where Text1 and Combo1 sit and ends with "and" just
// left of Text2. The design's caption has 55 blanks; a translation gets as many as keep it within the
// width of the design's, so that its own word for "and" ends where the design's does.
QString betweenCaption(const QFontMetrics& metrics) {
    QString designed = u"Between"_s + QString(55, u' ') + u"and"_s;
    const QString first = Form1::tr("Between");
    //: The word between the two bounds of "Between ... and ...".
    const QString second = Form1::tr("and");
    if (first == u"Between"_s && second == u"and"_s)
        return designed;
    const int width = metrics.horizontalAdvance(designed);
    int blanks = 1;
    while (metrics.horizontalAdvance(first + QString(blanks + 1, u' ') + second) <= width)
        ++blanks;
    return first + QString(blanks, u' ') + second;
}

QTableView* makeListView(QWidget* parent, QAbstractItemModel* model, const QString& tip) {
    auto* view = new ReportView(parent);
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFont(arialBold(9));
    view->setToolTip(tip);
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setSectionsMovable(false);
    view->viewport()->setMouseTracking(true);
    view->setMouseTracking(true);
    return view;
}

} // namespace

Form1::Form1(Services services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    createControls();
    createCommands();
    connectHandlers();
    describeControls();
    installKeys();
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form1::~Form1() = default;

void Form1::createControls() {
    setObjectName(u"Form1"_s);
    setFont(arialBold(9));
    resize(px(8040), px(9495));
    setMouseTracking(true);

    folders = new FolderList(this);
    results = new ResultList(this);

    ListView1 = makeListView(
        this, folders,
        tr("Double-click item to remove it. Move | line to right and out of window to reveal full names."));
    place(ListView1, 120, 120, 7800, 1695);

    auto button = [this](const QString& caption, int left, int top, int width) {
        auto* b = new HoverButton(caption, this);
        b->setFont(arialBold(11.25));
        place(b, left, top, width, 405);
        return b;
    };
    PushButton3 = button(tr("Add Folder to Search"), 120, 1920, 7800);

    Frame1 = new QGroupBox(tr("Search Option"), this);
    place(Frame1, 120, 2400, 7800, 2415);
    Frame1->setMouseTracking(true);
    static constexpr int kRowTop[4] = {360, 840, 1320, 1800};
    const QString captions[4] = {betweenCaption(QFontMetrics(font())), tr("Greater than"), tr("Less than"),
                                 tr("Equal to")};
    for (int i = 0; i < 4; ++i) {
        Option[i] = new QRadioButton(captions[i], Frame1);
        place(Option[i], 240, kRowTop[i], i == 0 ? 3975 : 3735, 375);
    }
    // Text1 and Combo1 sit in the gap of the first option's caption, so they must lie above it.
    auto field = [this](int left, int top) {
        auto* t = new QLineEdit(Frame1);
        place(t, left, top, 975, 375);
        t->setMouseTracking(true);
        t->raise();
        return t;
    };
    auto* comboStyle = new CompactComboStyle();
    comboStyle->setParent(this);
    auto unitBox = [this, comboStyle](int left, int top) {
        auto* c = new QComboBox(Frame1);
        c->setStyle(comboStyle);
        c->setEditable(false);
        place(c, left, top, 855, 345);
        c->raise();
        return c;
    };
    Text[0] = field(1680, 360);
    Combo[0] = unitBox(2760, 360);
    Text[1] = field(4200, 360);
    Combo[1] = unitBox(5280, 360);
    for (int i = 1; i < 4; ++i) {
        Text[i + 1] = field(1680, kRowTop[i]);
        Combo[i + 1] = unitBox(2760, kRowTop[i]);
    }
    // The design's initial state: the defaults, "Between" chosen, only its boxes enabled.
    const QString initialTexts[5] = {u"100"_s, u"200"_s, u"100"_s, u"100"_s, u"100"_s};
    for (int i = 0; i < 5; ++i) {
        Text[i]->setText(initialTexts[i]);
        Text[i]->setEnabled(i < 2);
        Combo[i]->setEnabled(i < 2);
    }
    Option[0]->setChecked(true);

    PushButton1 = button(tr("Start Finding"), 120, 4940, 7800);
    // The result list removes nothing on a double-click; its tip says what it does do.
    ListView2 = makeListView(this, results,
                             tr("Check the files to work on; right-click for more. "
                                "Move | line to right and out of window to reveal full names."));
    place(ListView2, 120, 5440, 7800, 1815);
    PushButton2 = button(tr("Save Results As Text File"), 120, 7360, 3840);
    PushButton6 = button(tr("Clear Results"), 4080, 7360, 3840);
    PushButton4 = button(tr("Copy Results To Clipboard"), 120, 7890, 3840);
    PushButton5 = button(tr("Help"), 4080, 7890, 3840);
    PushButton17 = button(tr("Clear Results Containing X"), 120, 8430, 3840);
    PushButton11 = button(tr("Clear Results Not Containing X"), 4080, 8430, 3840);
    PushButton10 = button(tr("Send Checked To Recycle Bin"), 120, 8970, 3840);
    PushButton8 = button(tr("Move Checked To Folder"), 4080, 8970, 3840);

    // Remember the cursors that controls set for themselves (the text cursor of the fields), so the
    // ordinary pointer state can give them back.
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (widget->testAttribute(Qt::WA_SetCursor))
            ownCursors_.insert(widget, widget->cursor());
    }
}

void Form1::createCommands() {
    Dialogs& dialogs = *services_.dialogs;
    SettingsStore& settings = *services_.settings;
    criteria_ = std::make_unique<CriteriaPanel>(CriteriaControls{Option, Text, Combo}, *this, dialogs,
                                                settings, services_.locale);
    folderCommands_ = std::make_unique<FolderCommands>(*this, *folders, dialogs, settings);
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
    // Whatever changes the panel, by hand or by program, makes the running search read it again.
    auto panelChanged = [this] { criteria_->noteChange(); };
    for (int i = 0; i < 5; ++i) {
        connect(Combo[i], &QComboBox::currentTextChanged, this, panelChanged);
        connect(Text[i], &QLineEdit::textChanged, this, panelChanged);
    }
    for (QRadioButton* option : Option) {
        connect(option, &QRadioButton::toggled, this, panelChanged);
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
quint64 Form1::criteriaRevision() const {
    return criteria_->revision();
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
    // Let the focus change finish before a message box can take the focus.
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            // Back in the box by then (Start Finding's own check put the user there): not left after all.
            if (!criteria_->isCheckingField() && !Text[std::size_t(text - 1)]->hasFocus())
                dispatch([this, text] { Text_LostFocus(text); });
        },
        Qt::QueuedConnection);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Settings are already on their way to disk (every change is written at once); a running command
    // ends without another step, and nothing else needs saving.
    closing_ = true;
    commands_->abandonAll();
    event->accept();
}

// ---- pointer

void Form1::setPointerState(int state) {
    if (state == pointerState_)
        return;
    pointerState_ = state;
    applyPointer();
}

void Form1::applyPointer() {
    std::optional<QCursor> cursor;
    switch (pointerState_) {
    case kPointerArrow:
        cursor = QCursor(Qt::ArrowCursor);
        break;
    case kPointerBusy:
        cursor = QCursor(Qt::WaitCursor);
        break;
    case kPointerHand:
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
    if (pointerState_ != kPointerBusy)
        setPointerState(kPointerDefault);
}

void Form1::pointerOverButton(HoverButton* button) {
    // Start Finding doubles as Stop, so it shows the hand even while a search holds the busy pointer.
    if (button == PushButton1 || pointerState_ != kPointerBusy)
        setPointerState(kPointerHand);
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
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvik
