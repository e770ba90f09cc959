#pragma once

#include "search/SearchRun.h"
#include "shell/HelpWindow.h"
#include "shell/Services.h"

#include <QByteArray>
#include <QCursor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTableView;

namespace zorvik {

class CriteriaPanel;
class FolderCommands;
class FolderList;
class FolderListControls;
class HoverButton;
class ResultList;
class ResultListControls;
class RowActions;
class Steps;
class WindowCommands;

// The program's one window. Controls and handlers keep the names of the window's design; each handler
// hands its work to the command object of its subsystem, with the numbered steps that report for it.
class Form1 : public QWidget, public SearchHost {
    Q_OBJECT
public:
    explicit Form1(Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // ---- start-up, Help, closing (Form1Startup.cpp)
    void Form_Load();
    void PushButton5_Click();
    bool hasHandCursor() const { return handCursor_.has_value(); }
    HelpWindow* helpWindow() const { return help_; }
    bool isClosing() const { return closing_; }
    const Services& services() const { return services_; }

    // ---- what the commands may ask of the window
    PointerState pointerState() const override { return pointerState_; }
    void setPointerState(PointerState state) override;
    const QString& applicationTitle() const override { return applicationTitle_; }
    int rowYieldIntervalMs() const override { return services_.rowYieldIntervalMs; }
    QString startCaption() const override;
    void setStartCaption(const QString& caption) override;
    SizeCondition sizeCondition() const override;
    bool checkBoundsBeforeSearch() override;

    // ---- criteria panel
    void Option_Click(int option); // Option1_Click .. Option4_Click
    void Combo_Click(int combo);   // Combo1_Click .. Combo5_Click
    void Text_Change(int text);    // Text1_Change .. Text5_Change
    void Text_LostFocus(int text); // Text1_LostFocus .. Text5_LostFocus

    // ---- folders
    void PushButton3_Click();
    void ListView1_KeyDown(int key);
    void ListView1_DblClick();
    void removeSelectedFolder();
    // Folders named on the command line.
    void addGivenFolders(const QList<QByteArray>& folders);

    // ---- search
    void PushButton1_Click();
    bool stopRequested() const;
    bool isSearching() const;
    // The long commands, each click a job on the event loop.
    WindowCommands& commands() { return *commands_; }

    // ---- keys beyond the controls' own (Form1Keys.cpp)
    void stopKey();                    // Escape
    void startFromSizeField(int text); // Return in Text1 .. Text5
    void focusSizeCondition();         // Ctrl+F
    void undoLast();                   // Ctrl+Z and the result list's "Undo"

    // ---- results
    void PushButton2_Click();  // Save Results As Text File
    void PushButton4_Click();  // Copy Results To Clipboard
    void PushButton6_Click();  // Clear Results
    void PushButton8_Click();  // Move Checked To Folder
    void PushButton10_Click(); // Send Checked To Recycle Bin
    void PushButton11_Click(); // Clear Results Not Containing X
    void PushButton17_Click(); // Clear Results Containing X

    // ---- controls
    QTableView* ListView1 = nullptr;
    QTableView* ListView2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    HoverButton* PushButton1 = nullptr;
    HoverButton* PushButton2 = nullptr;
    HoverButton* PushButton3 = nullptr;
    HoverButton* PushButton4 = nullptr;
    HoverButton* PushButton5 = nullptr;
    HoverButton* PushButton6 = nullptr;
    HoverButton* PushButton8 = nullptr;
    HoverButton* PushButton10 = nullptr;
    HoverButton* PushButton11 = nullptr;
    HoverButton* PushButton17 = nullptr;
    std::array<QRadioButton*, 4> Option{}; // Option[0] is Option1
    std::array<QLineEdit*, 5> Text{};      // Text[0] is Text1
    std::array<QComboBox*, 5> Combo{};     // Combo[0] is Combo1
    FolderList* folders = nullptr;         // ListView1's rows
    ResultList* results = nullptr;         // ListView2's rows
    // Sorting, the context menu and the keys of ListView2.
    ResultListControls& resultListControls() { return *resultControls_; }
    // ListView1's context menu: folders to skip and the search options.
    FolderListControls& folderListControls() { return *folderControls_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createCommands();
    void connectHandlers();
    // Names and descriptions for assistive technology, and the header lines they follow
    // (Form1Accessibility.cpp); the window's keys (Form1Keys.cpp).
    void describeControls();
    void installKeys();
    // The button of a trash or a move reads "Stop" while it runs (Form1Keys.cpp).
    void offerStop(const QString& handler, bool running);
    // Runs one event handler, unless the window has closed.
    void dispatch(const std::function<void()>& handler);
    // The numbered steps of one handler, reporting a failed step with the handler's name.
    std::unique_ptr<Steps> steps(const QString& handler);
    void reportFailure(const QString& description, const QString& handler, int step, const QString& extra);
    void pointerOverSurface(); // state 0 unless busy
    void pointerOverButton(HoverButton* button);
    void applyPointer();
    void loadHandCursor(const QString& path);
    void visitHomePageRandomly();
    // The window's growth beyond the design size and the size kept between runs (Form1Size.cpp).
    void rememberDesign();
    void widenColumns(int wider);
    void restoreWindowSize();
    void storeWindowSize();
    // A size field lost the focus; its check runs once the focus has settled elsewhere in the window.
    void sizeFieldLeft(int text, Qt::FocusReason reason);
    void betweenUnitLeft(Qt::FocusReason reason);
    bool isInBetweenRow(const QWidget* widget) const;

    Services services_;
    PointerState pointerState_ = PointerState::Default;
    QString applicationTitle_;
    std::optional<QCursor> handCursor_;
    bool closing_ = false;
    QHash<QWidget*, QCursor> ownCursors_; // cursors that controls set for themselves
    QString stoppableCaption_;            // the caption a button offering Stop gets back
    QSize designSize_;
    QHash<QWidget*, QRect> designRects_; // the controls that move or grow with the window
    int columnsWidened_ = 0;             // what the first columns gained with their lists

    std::unique_ptr<CriteriaPanel> criteria_;
    std::unique_ptr<FolderCommands> folderCommands_;
    std::unique_ptr<WindowCommands> commands_;
    std::unique_ptr<RowActions> rowActions_;
    ResultListControls* resultControls_ = nullptr; // owned by ListView2
    QPointer<HelpWindow> help_;                    // a child of the window, made at the first Help
    FolderListControls* folderControls_ = nullptr; // owned by ListView1
};

} // namespace zorvik
