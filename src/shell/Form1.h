#pragma once

#include "criteria/SizeTypes.h"

#include <QCursor>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTreeView;

namespace zorvik {

class Clipboard;
class Dialogs;
class FileOperations;
class FileSystem;
class FolderList;
class HoverButton;
class ResultList;
class SettingsStore;
class Steps;
class Trash;

// What the window needs of the platform. Tests replace any of these.
struct Services {
    std::shared_ptr<Dialogs> dialogs;
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<FileSystem> fileSystem;         // the folder walk
    std::shared_ptr<Trash> trash;                   // "Send Checked To Recycle Bin"
    std::shared_ptr<FileOperations> fileOperations; // "Move Checked To Folder"
    std::shared_ptr<Clipboard> clipboard;           // "Copy Results To Clipboard"
    QLocale locale = QLocale::system();
    QString programFolder;             // where HAND-M.CUR and the skin are looked for
    std::function<int()> homePageDraw; // a number from 1 to 100; 7 opens the home page
    std::function<void(const QUrl&)> openUrl;
};

// The real implementations, for the program (the program folder is the executable's folder).
Services defaultServices(QWidget* dialogParent = nullptr);

// The program's one window. Controls and handlers keep the names of the window's design.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // Pointer states.
    static constexpr int kPointerDefault = 0;
    static constexpr int kPointerArrow = 1;
    static constexpr int kPointerBusy = 11;
    static constexpr int kPointerHand = 99;

    explicit Form1(Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // ---- shell: start-up, pointer, title, Help, closing (src/shell/Form1*.cpp)
    void Form_Load();
    void PushButton5_Click();
    int pointerState() const { return pointerState_; }
    void setPointerState(int state);
    const QString& applicationTitle() const { return applicationTitle_; }
    bool hasHandCursor() const { return handCursor_.has_value(); }
    bool isClosing() const { return closing_; }
    // Lets pending events run. Throws ApplicationClosing once the window has been closed.
    void yield();
    const Services& services() const { return services_; }

    // ---- criteria panel (src/criteria/CriteriaPanel.cpp)
    void Option_Click(int option); // Option1_Click .. Option4_Click
    void Combo_Click(int combo);   // Combo1_Click .. Combo5_Click
    void Text_Change(int text);    // Text1_Change .. Text5_Change
    void Text_LostFocus(int text); // Text1_LostFocus .. Text5_LostFocus
    SizeCondition sizeCondition() const;
    // Changes whenever an option, unit box or size field of the panel changes.
    quint64 criteriaRevision() const { return criteriaRevision_; }

    // ---- folders (src/folders/FolderCommands.cpp)
    void PushButton3_Click();
    void ListView1_KeyDown(int key);
    void ListView1_DblClick();
    void removeSelectedFolder();

    // ---- search (src/search/SearchCommand.cpp)
    void PushButton1_Click();
    bool stopRequested() const { return stopRequested_; }

    // ---- results (src/results/ResultCommands.cpp)
    void PushButton2_Click();  // Save Results As Text File
    void PushButton4_Click();  // Copy Results To Clipboard
    void PushButton6_Click();  // Clear Results
    void PushButton8_Click();  // Move Checked To Folder
    void PushButton10_Click(); // Send Checked To Recycle Bin
    void PushButton11_Click(); // Clear Results Not Containing X
    void PushButton17_Click(); // Clear Results Containing X

    // ---- controls
    QTreeView* ListView1 = nullptr;
    QTreeView* ListView2 = nullptr;
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    // Runs one event handler; a close during the handler ends it here, at the edge of Qt's code.
    void dispatch(const std::function<void()>& handler);
    // Shows the error report for a failed step.
    void reportFailure(const QString& description, const QString& handler, int step, const QString& extra);
    std::unique_ptr<Steps> steps(const QString& handler);
    void pointerOverSurface(); // state 0 unless busy
    void pointerOverButton(HoverButton* button);
    void applyPointer();
    void loadHandCursor(const QString& path);
    void visitHomePageRandomly();
    void restoreSettings(Steps& steps);
    // A size field lost the focus; its check runs once the focus has settled elsewhere in the window.
    void sizeFieldLeft(int text, Qt::FocusReason reason);

    Services services_;
    int pointerState_ = kPointerDefault;
    QString applicationTitle_;
    std::optional<QCursor> handCursor_;
    bool closing_ = false;
    QHash<QWidget*, QCursor> ownCursors_; // cursors that controls set for themselves
    bool checkingField_ = false;          // a size field's check is under way
    quint64 criteriaRevision_ = 0;

    // search run state
    bool stopRequested_ = false;
    QString savedButtonCaption_;

    // move command state
    QString rememberedFolder_;
};

} // namespace zorvik
