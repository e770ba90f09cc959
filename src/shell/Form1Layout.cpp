// The window's controls where the design puts them, with their fonts, captions and names.
#include "shell/Form1.h"

#include "folders/FolderList.h"
#include "results/ResultList.h"
#include "shell/CompactComboStyle.h"
#include "shell/HoverButton.h"
#include "shell/ReportView.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
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
    rememberDesign();

    // Remember the cursors that controls set for themselves (the text cursor of the fields), so the
    // ordinary pointer state can give them back.
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (widget->testAttribute(Qt::WA_SetCursor))
            ownCursors_.insert(widget, widget->cursor());
    }
}

} // namespace zorvik
