/* Zorvik example skin: slate and amber.
   To use it, copy the folder "x" (with this file) beside the zorvik program and start Zorvik again.
   The file is a Qt style sheet in UTF-8; see "Qt Style Sheets Reference" for every property. */

QWidget#Form1 {
    background-color: #2f3a45;
}

QGroupBox {
    background-color: #3a4754;
    color: #f2f4f6;
    border: 1px solid #56687a;
    border-radius: 6px;
    margin-top: 9px;
}

QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 4px;
    color: #ffc857;
}

QRadioButton {
    background-color: transparent;
    color: #f2f4f6;
}

QRadioButton:disabled {
    color: #9aa7b4;
}

QRadioButton::indicator {
    width: 12px;
    height: 12px;
    border: 1px solid #c9d1d8;
    border-radius: 7px;
    background-color: #f7f9fb;
}

QRadioButton::indicator:checked {
    background-color: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
                                      stop: 0 #3f7fbf, stop: 0.55 #3f7fbf, stop: 0.7 #f7f9fb, stop: 1 #f7f9fb);
}

QLineEdit {
    background-color: #f7f9fb;
    color: #1d252c;
    border: 1px solid #8a9bab;
    border-radius: 3px;
    padding: 0 3px;
}

QLineEdit:disabled {
    background-color: #c9d1d8;
    color: #5d6b78;
}

QPushButton {
    background-color: #ffc857;
    color: #1d252c;
    border: 1px solid #c99a2e;
    border-radius: 5px;
}

QPushButton:hover {
    background-color: #ffd67f;
}

QPushButton:pressed {
    background-color: #e6ac36;
}

QTreeView {
    background-color: #f7f9fb;
    color: #1d252c;
    border: 1px solid #56687a;
    selection-background-color: #3f7fbf;
    selection-color: #ffffff;
}

QHeaderView {
    background-color: #56687a;
}

QHeaderView::section {
    background-color: #56687a;
    color: #ffffff;
    border: none;
    border-right: 1px solid #2f3a45;
    padding: 2px 4px;
}
