#include "criteria/CriteriaPanel.h"

#include "core/CommandHost.h"
#include "core/Steps.h"
#include "criteria/NumberReading.h"
#include "criteria/StoredValues.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <vector>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// The boxes that belong to each condition, as numbers of Combo and Text.
bool boxBelongsTo(int option, int comboOrText) {
    switch (option) {
    case 1:
        return comboOrText == 1 || comboOrText == 2;
    default:
        return comboOrText == option + 1;
    }
}

} // namespace

CriteriaPanel::CriteriaPanel(const CriteriaControls& controls, CommandHost& host, Dialogs& dialogs,
                             SettingsStore& settings, const QLocale& locale)
    : controls_(controls), host_(host), dialogs_(dialogs), settings_(settings), locale_(locale) {}

void CriteriaPanel::optionClicked(int option) {
    for (int i = 1; i <= 5; ++i)
        controls_.combos[i - 1]->setEnabled(boxBelongsTo(option, i));
    for (int i = 1; i <= 5; ++i)
        controls_.texts[i - 1]->setEnabled(boxBelongsTo(option, i));
    for (int i = 1; i <= 4; ++i)
        settings_.write(u"Option"_s + QString::number(i),
                        controls_.options[i - 1]->isChecked() ? u"True"_s : u"False"_s);
}

void CriteriaPanel::unitChosen(int combo) {
    settings_.write(u"Combo"_s + QString::number(combo),
                    QString::number(controls_.combos[combo - 1]->currentIndex()));
}

void CriteriaPanel::textChanged(int text) {
    settings_.write(u"Text"_s + QString::number(text), controls_.texts[text - 1]->text());
}

void CriteriaPanel::checkLeftField(int text) {
    if (refuseNonNumeric(text))
        return;
    if (text == 1 || text == 2) {
        boundLeft_ = 0;
        keepBoundsInOrder(text);
    }
}

void CriteriaPanel::betweenRowLeft() {
    if (const int left = std::exchange(boundLeft_, 0))
        keepBoundsInOrder(left);
}

bool CriteriaPanel::checkBoundsBeforeSearch() {
    const std::optional<SizeMode> mode = sizeCondition().mode;
    if (!mode)
        return true;
    const std::vector<int> boxes =
        *mode == SizeMode::Between ? std::vector<int>{1, 2} : std::vector<int>{static_cast<int>(*mode) + 2};
    for (int text : boxes)
        if (refuseNonNumeric(text))
            return false;
    if (*mode == SizeMode::Between) {
        // Return in a bound's box starts the search with the box still being typed in.
        for (int text : {1, 2})
            if (controls_.texts[text - 1]->hasFocus())
                boundLeft_ = text;
        betweenRowLeft();
    }
    return true;
}

bool CriteriaPanel::refuseNonNumeric(int text) {
    QLineEdit* field = controls_.texts[text - 1];
    if (isNumeric(field->text(), locale_))
        return false;
    checkingField_ = true;
    QString notice = tr("Must be a numeric entry.");
    if (const QString hint = decimalMarkHint(field->text(), locale_); !hint.isEmpty())
        notice += u' ' + hint;
    dialogs_.notice(host_.applicationTitle(), notice);
    // Giving the focus back makes whichever box held it lose it; that is no leaving by the user.
    field->setFocus(Qt::OtherFocusReason);
    checkingField_ = false;
    return true;
}

void CriteriaPanel::keepBoundsInOrder(int left) {
    // Keep lower <= upper, comparing the numbers the texts start with, each in its own unit. Bounds in
    // the same unit (or one without a unit) compare as bare numbers, exactly as they always have.
    QLineEdit* lower = controls_.texts[0];
    QLineEdit* upper = controls_.texts[1];
    QComboBox* lowerUnitBox = controls_.combos[0];
    QComboBox* upperUnitBox = controls_.combos[1];
    const std::optional<SizeUnit> lowerUnit = unitFromText(lowerUnitBox->currentText());
    const std::optional<SizeUnit> upperUnit = unitFromText(upperUnitBox->currentText());
    double low = leadingNumber(lower->text());
    double high = leadingNumber(upper->text());
    if (lowerUnit && upperUnit && *lowerUnit != *upperUnit) {
        low *= bytesPerUnit(*lowerUnit);
        high *= bytesPerUnit(*upperUnit);
    }
    if (!(high < low))
        return;
    // The box that was left wins: the other takes its text, and its unit too, so both mean the same.
    QLineEdit* from = left == 1 ? lower : upper;
    QLineEdit* to = left == 1 ? upper : lower;
    QComboBox* fromUnit = left == 1 ? lowerUnitBox : upperUnitBox;
    QComboBox* toUnit = left == 1 ? upperUnitBox : lowerUnitBox;
    to->setText(from->text());
    if (unitFromText(fromUnit->currentText()) && toUnit->currentIndex() != fromUnit->currentIndex())
        toUnit->setCurrentIndex(fromUnit->currentIndex());
}

void CriteriaPanel::fillUnitLists(Steps& s, int firstStep) {
    int step = firstStep;
    for (QComboBox* combo : controls_.combos) {
        for (const char16_t* name : kUnitNames) {
            s.run(step, [&] {
                // A list that gets its first item selects it; the design's lists stay unselected
                // until the restore below chooses.
                const QSignalBlocker quiet(combo);
                combo->addItem(QString::fromUtf16(name));
                combo->setCurrentIndex(-1);
            });
            step += 2;
        }
    }
}

void CriteriaPanel::restore(Steps& s) {
    for (int i = 0; i < 5; ++i) {
        const QString key = u"Combo"_s + QString::number(i + 1);
        s.run(180 + 2 * i, [&] {
            controls_.combos[i]->setCurrentIndex(unitIndexFrom(settings_.read(key, u"0"_s), locale_));
        });
    }
    const QString textDefaults[5] = {u"100"_s, u"200"_s, u"100"_s, u"100"_s, u"100"_s};
    for (int i = 0; i < 5; ++i) {
        const QString key = u"Text"_s + QString::number(i + 1);
        s.run(190 + 2 * i, [&] {
            controls_.texts[i]->setText(sizeTextFrom(settings_.read(key, textDefaults[i]), locale_));
        });
    }
    for (int i = 0; i < 4; ++i) {
        const QString key = u"Option"_s + QString::number(i + 1);
        s.run(200 + 2 * i, [&] {
            QRadioButton* option = controls_.options[i];
            const bool chosen = truthFrom(settings_.read(key, i == 0 ? u"1"_s : u"0"_s), locale_);
            if (chosen) {
                option->setChecked(true);
                optionClicked(i + 1); // choosing a button runs its click, as a user's choice would
            } else if (option->isChecked()) {
                // A group may be left with no button chosen; radio buttons refuse that unless told.
                option->setAutoExclusive(false);
                option->setChecked(false);
                option->setAutoExclusive(true);
            }
        });
    }
}

SizeCondition CriteriaPanel::sizeCondition() const {
    SizeCondition condition;
    for (int i = 0; i < 4; ++i) {
        if (controls_.options[i]->isChecked()) {
            condition.mode = static_cast<SizeMode>(i);
            break;
        }
    }
    if (!condition.mode)
        return condition;
    static constexpr int kUnitBox[4] = {0, 2, 3, 4};
    const int mode = static_cast<int>(*condition.mode);
    condition.unit = unitFromText(controls_.combos[kUnitBox[mode]]->currentText());
    if (*condition.mode == SizeMode::Between) {
        condition.upperUnit = unitFromText(controls_.combos[1]->currentText());
        condition.lowerText = controls_.texts[0]->text();
        condition.upperText = controls_.texts[1]->text();
    } else {
        condition.valueText = controls_.texts[mode + 1]->text();
    }
    return condition;
}

} // namespace zorvik
