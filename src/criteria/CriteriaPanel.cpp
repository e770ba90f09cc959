// The size criteria panel: which boxes a condition enables, the checks made when a size box is left,
// and the write-through of every change to the settings.
#include "shell/Form1.h"

#include "criteria/NumberReading.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// The boxes that belong to each condition, as indexes into Combo and Text.
bool boxBelongsTo(int option, int comboOrText) {
    switch (option) {
    case 1:
        return comboOrText == 1 || comboOrText == 2;
    default:
        return comboOrText == option + 1;
    }
}

} // namespace

void Form1::Option_Click(int option) {
    for (int i = 1; i <= 5; ++i)
        Combo[i - 1]->setEnabled(boxBelongsTo(option, i));
    for (int i = 1; i <= 5; ++i)
        Text[i - 1]->setEnabled(boxBelongsTo(option, i));
    for (int i = 1; i <= 4; ++i)
        services_.settings->write(u"Option"_s + QString::number(i),
                                  Option[i - 1]->isChecked() ? u"True"_s : u"False"_s);
}

void Form1::Combo_Click(int combo) {
    services_.settings->write(u"Combo"_s + QString::number(combo),
                              QString::number(Combo[combo - 1]->currentIndex()));
}

void Form1::Text_Change(int text) {
    services_.settings->write(u"Text"_s + QString::number(text), Text[text - 1]->text());
}

void Form1::Text_LostFocus(int text) {
    QLineEdit* field = Text[text - 1];
    if (!isNumeric(field->text(), services_.locale)) {
        checkingField_ = true;
        services_.dialogs->notice(applicationTitle_, u"Must be a numeric entry."_s);
        // Giving the focus back makes whichever box held it lose it; that is no leaving by the user.
        field->setFocus(Qt::OtherFocusReason);
        checkingField_ = false;
        return;
    }
    // Keep lower <= upper, comparing the numbers the texts start with, and copying the text itself.
    if (text == 1 && leadingNumber(Text[1]->text()) < leadingNumber(Text[0]->text()))
        Text[1]->setText(Text[0]->text());
    else if (text == 2 && leadingNumber(Text[0]->text()) > leadingNumber(Text[1]->text()))
        Text[0]->setText(Text[1]->text());
}

void Form1::sizeFieldLeft(int text, Qt::FocusReason reason) {
    // Only a move of the focus to another control of this window counts as leaving the box: not the
    // window losing activation, a popup, or a message box taking the focus.
    if (checkingField_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    // Let the focus change finish before a message box can take the focus.
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            if (!checkingField_)
                dispatch([this, text] { Text_LostFocus(text); });
        },
        Qt::QueuedConnection);
}

SizeCondition Form1::sizeCondition() const {
    SizeCondition condition;
    for (int i = 0; i < 4; ++i) {
        if (Option[i]->isChecked()) {
            condition.mode = static_cast<SizeMode>(i);
            break;
        }
    }
    if (!condition.mode)
        return condition;
    static constexpr int kUnitBox[4] = {0, 2, 3, 4};
    const int mode = static_cast<int>(*condition.mode);
    condition.unit = unitFromText(Combo[kUnitBox[mode]]->currentText());
    if (*condition.mode == SizeMode::Between) {
        condition.lowerText = Text[0]->text();
        condition.upperText = Text[1]->text();
    } else {
        condition.valueText = Text[mode + 1]->text();
    }
    return condition;
}

} // namespace zorvik
