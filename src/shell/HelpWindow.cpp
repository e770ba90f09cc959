#include "shell/HelpWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

struct Section {
    QString heading;
    QStringList items;
};

QList<Section> sections() {
    return {
        {HelpWindow::tr("Finding files by size"),
         {HelpWindow::tr("Add the folders to search with \"Add Folder to Search\"; the folders below them "
                         "are searched too. Choose a condition, type its size, choose its unit and press "
                         "\"Start Finding\"."),
          HelpWindow::tr("Type a number as your language writes it: 1.5 in English, 1,5 in German or "
                         "French.")}},
        {HelpWindow::tr("Conditions"),
         {HelpWindow::tr("Between: from the lower to the upper size, both included. Each bound is read in "
                         "the unit beside it, so \"between 500 KB and 2 MB\" means what it says."),
          HelpWindow::tr("Greater than and Less than: strictly larger or smaller. Equal to: exactly that "
                         "size.")}},
        {HelpWindow::tr("Units and rounding"),
         {HelpWindow::tr("1 KB is 1,024 bytes, 1 MB is 1,024 KB and 1 GB is 1,024 MB."),
          HelpWindow::tr("Under KB a file's size is rounded to whole KB before it is compared, a half "
                         "going to the even neighbour: a file of 1,536 bytes (1.5 KB) counts as 2 KB, one "
                         "of 2,560 bytes (2.5 KB) also as 2 KB."),
          HelpWindow::tr("The upper bound of Between sees the unrounded size: between 1 and 2 KB takes a "
                         "file of 2,048 bytes but not one of 2,049."),
          HelpWindow::tr("Under MB and GB nothing is rounded: equal to 1 MB finds only files of exactly "
                         "1,048,576 bytes.")}},
        {HelpWindow::tr("Commands"),
         {HelpWindow::tr("Add Folder to Search: adds a folder to the list. Double-click a folder, or "
                         "press Delete, to take it off."),
          HelpWindow::tr("Start Finding: searches the folders; while it runs the button reads Stop."),
          HelpWindow::tr("Save Results As Text File: saves the paths, or the paths with their sizes as "
                         "CSV."),
          HelpWindow::tr("Copy Results To Clipboard: copies the paths of the checked files."),
          HelpWindow::tr("Clear Results: empties the result list."),
          HelpWindow::tr("Clear Results Containing X, Clear Results Not Containing X: removes the rows "
                         "whose path contains, or does not contain, a text you type."),
          HelpWindow::tr("Send Checked To Recycle Bin: moves the checked files to the trash, after "
                         "asking."),
          HelpWindow::tr("Move Checked To Folder: moves the checked files into a folder you choose, after "
                         "asking."),
          HelpWindow::tr("Right-click a result to open it, show it in its folder, copy its path or change "
                         "the checks.")}},
        {HelpWindow::tr("Keys"),
         {HelpWindow::tr("Ctrl+F: go to the size of the chosen condition"),
          HelpWindow::tr("Return in a size box: start finding"),
          HelpWindow::tr("Escape: stop a running search"),
          HelpWindow::tr("Delete in the folder list: remove the selected folder"),
          HelpWindow::tr("Menu or Shift+F10 in the folder list: folders to skip, search options"),
          HelpWindow::tr("Space in the result list: check or uncheck the selected rows"),
          HelpWindow::tr("Ctrl+Return in the result list: show the file in its folder"),
          HelpWindow::tr("Menu or Shift+F10 in the result list: its commands"),
          HelpWindow::tr("F1: this help"), HelpWindow::tr("Escape in this help: close it")}},
        {HelpWindow::tr("Settings"),
         {HelpWindow::tr("The condition, its units, the last folder of a move and the window's size are "
                         "kept in %1, section [Zorvik]. Delete that section to start afresh.")
              .arg(u"~/.config/Teskaro.conf"_s)}},
        {HelpWindow::tr("More"),
         {HelpWindow::tr("The manual page tells all, also how to search without a window: type %1 in a "
                         "terminal.")
              .arg(u"man zorvik"_s)}},
    };
}

QString htmlOf(const QList<Section>& parts, const QString& contactUrl) {
    QString html;
    for (const Section& section : parts) {
        html += u"<h3>"_s + section.heading.toHtmlEscaped() + u"</h3><ul>"_s;
        for (const QString& item : section.items)
            html += u"<li>"_s + item.toHtmlEscaped() + u"</li>"_s;
        html += u"</ul>"_s;
    }
    if (!contactUrl.isEmpty()) {
        const QString address = contactUrl.toHtmlEscaped();
        html += u"<p>"_s + HelpWindow::tr("Questions? Please contact Team Teskaro at ").toHtmlEscaped() +
                u"<a href=\""_s + address + u"\">"_s + address + u"</a></p>"_s;
    }
    return html;
}

} // namespace

HelpWindow::HelpWindow(const QString& applicationTitle, const QString& contactUrl, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(tr("%1 Help").arg(applicationTitle));
    setAccessibleName(windowTitle());
    browser_->setObjectName(u"helpText"_s);
    browser_->setAccessibleName(tr("Help text"));
    browser_->setOpenExternalLinks(true);
    // A screen reader's caret and a keyboard user's selection move through the text.
    browser_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    browser_->setHtml(htmlOf(sections(), contactUrl));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    setFocusProxy(browser_);
    resize(560, 640);
}

QString HelpWindow::text() const {
    return browser_->toPlainText();
}

} // namespace zorvik
