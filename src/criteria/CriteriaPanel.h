#pragma once

#include "criteria/SizeTypes.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <array>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace zorvik {

class CommandHost;
class Dialogs;
class SettingsStore;
class Steps;

// The panel's controls, owned by the window. Index 0 is the first of each kind (Option1, Text1, Combo1).
struct CriteriaControls {
    std::array<QRadioButton*, 4> options{};
    std::array<QLineEdit*, 5> texts{};
    std::array<QComboBox*, 5> combos{};
};

// The size criteria panel: which boxes a condition enables, the checks made when a size box is left,
// the write-through of every change to the settings, and the restore at start-up. Numbers of options,
// boxes and fields are 1-based, like their names.
class CriteriaPanel {
    Q_DECLARE_TR_FUNCTIONS(CriteriaPanel)

public:
    CriteriaPanel(const CriteriaControls& controls, CommandHost& host, Dialogs& dialogs,
                  SettingsStore& settings, const QLocale& locale);

    void optionClicked(int option);
    void unitChosen(int combo);
    void textChanged(int text);
    // The checks made when the user leaves a size field for another control of the window.
    void checkLeftField(int text);
    // The range of Between is checked when it is complete: a move between its own boxes and unit lists
    // checks only that the box left holds a number, and the order of the bounds waits until the focus
    // leaves the row (or the search starts), so that 500 KB to 2 MB can be typed in that order.
    void boundLeft(int text) { boundLeft_ = text; }
    void checkNumberOf(int text) { refuseNonNumeric(text); }
    void betweenRowLeft();
    // True while a field's check shows its message and gives the focus back.
    bool isCheckingField() const { return checkingField_; }
    // Before a search starts: the sizes the chosen condition needs must be numbers. The first that is
    // not is named by the field check's message and gets the focus back; false then.
    bool checkBoundsBeforeSearch();

    // Start-up: the unit names into every unit list (numbered steps from `firstStep`, two apart), then
    // the stored choices and texts.
    void fillUnitLists(Steps& steps, int firstStep);
    void restore(Steps& steps);

    SizeCondition sizeCondition() const;

private:
    // Says "Must be a numeric entry." and puts the focus back into the field when it holds no number.
    bool refuseNonNumeric(int text);
    void keepBoundsInOrder(int left);

    CriteriaControls controls_;
    CommandHost& host_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    QLocale locale_;
    bool checkingField_ = false;
    int boundLeft_ = 0; // the bound box last left within the Between row, its order not checked yet
};

} // namespace zorvik
