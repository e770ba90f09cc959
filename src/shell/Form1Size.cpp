// How the window grows beyond its design size, and the size it comes back with at the next start.
// Every control keeps its design rectangle; growth is added as offsets, so at the design size nothing
// moves by even a pixel.
#include "shell/Form1.h"

#include "platform/SettingsStore.h"
#include "shell/HoverButton.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// The keys beside the criteria's, in the same section.
const auto kWidthKey = u"WindowWidth"_s;
const auto kHeightKey = u"WindowHeight"_s;
const auto kMaximizedKey = u"WindowMaximized"_s;

// A column never narrows below this when its list shrinks back.
constexpr int kNarrowestColumn = 40;

// A stored length in pixels, or none when it is damaged.
std::optional<int> lengthFrom(const QString& text) {
    bool ok = false;
    const int length = text.toInt(&ok);
    return ok && length > 0 ? std::optional(length) : std::nullopt;
}

} // namespace

void Form1::rememberDesign() {
    designSize_ = size();
    setMinimumSize(designSize_);
    for (QWidget* widget :
         {static_cast<QWidget*>(ListView1), static_cast<QWidget*>(ListView2), static_cast<QWidget*>(Frame1)})
        designRects_.insert(widget, widget->geometry());
    for (HoverButton* button : {PushButton1, PushButton2, PushButton3, PushButton4, PushButton5, PushButton6,
                                PushButton8, PushButton10, PushButton11, PushButton17})
        designRects_.insert(button, button->geometry());
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int wider = std::max(0, width() - designSize_.width());
    const int taller = std::max(0, height() - designSize_.height());
    auto grow = [this](QWidget* widget, int right, int down, int addedWidth, int addedHeight) {
        const QRect design = designRects_.value(widget);
        widget->setGeometry(design.x() + right, design.y() + down, design.width() + addedWidth,
                            design.height() + addedHeight);
    };
    // The criteria panel keeps its size; the lists and the full-width buttons take the width, the
    // result list the height too.
    for (QWidget* widget : {static_cast<QWidget*>(ListView1), static_cast<QWidget*>(PushButton3),
                            static_cast<QWidget*>(PushButton1)})
        grow(widget, 0, 0, wider, 0);
    grow(ListView2, 0, 0, wider, taller);
    // The rows of buttons below the results move down with its bottom edge, each half taking half the
    // width, so every row keeps its order.
    const int leftShare = wider / 2;
    for (HoverButton* left : {PushButton2, PushButton4, PushButton17, PushButton10})
        grow(left, 0, taller, leftShare, 0);
    for (HoverButton* right : {PushButton6, PushButton5, PushButton11, PushButton8})
        grow(right, leftShare, taller, wider - leftShare, 0);
    widenColumns(wider);
}

void Form1::widenColumns(int wider) {
    // The first column of each list takes what its list gained (or gives it back), on top of whatever
    // width the user dragged it to.
    const int change = wider - columnsWidened_;
    columnsWidened_ = wider;
    for (QTableView* view : {ListView1, ListView2}) {
        QHeaderView* header = view->horizontalHeader();
        if (header->count() > 0)
            header->resizeSection(0, std::max(kNarrowestColumn, header->sectionSize(0) + change));
    }
}

void Form1::restoreWindowSize() {
    const std::optional<int> storedWidth = lengthFrom(services_.settings->read(kWidthKey, {}));
    const std::optional<int> storedHeight = lengthFrom(services_.settings->read(kHeightKey, {}));
    if (storedWidth && storedHeight) {
        QSize wanted(*storedWidth, *storedHeight);
        if (const QScreen* shown = screen())
            wanted = wanted.boundedTo(shown->availableGeometry().size());
        resize(wanted.expandedTo(designSize_));
    }
    if (services_.settings->read(kMaximizedKey, {}) == u"True"_s)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form1::storeWindowSize() {
    // A maximised window comes back maximised, and at its ordinary size when the user restores it.
    const bool maximized = isMaximized();
    const QSize ordinary = maximized && normalGeometry().isValid() ? normalGeometry().size() : size();
    services_.settings->write(kWidthKey, QString::number(ordinary.width()));
    services_.settings->write(kHeightKey, QString::number(ordinary.height()));
    services_.settings->write(kMaximizedKey, maximized ? u"True"_s : u"False"_s);
}

} // namespace zorvik
