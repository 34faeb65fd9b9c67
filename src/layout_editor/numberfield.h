#pragma once

#include "window_services/textfield.h"

namespace layout_editor {

// A field of the layout editor that holds a number of millimetres (or of
// points): a key that would make anything else of it is refused as it is
// typed, with the beep of the other fields, and so is a paste. A decimal
// comma is taken as the file's point (bank_layouts::LayoutNumber).
class NumberField : public window_services::TextField
{
    Q_OBJECT

public:
    explicit NumberField(QWidget *parent = nullptr);

    bool accepts(const QString &text) const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace layout_editor
