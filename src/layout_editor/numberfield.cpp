#include "layout_editor/numberfield.h"

#include "bank_layouts/layoutfile.h"

#include <QKeyEvent>

namespace layout_editor {

NumberField::NumberField(QWidget *parent)
    : window_services::TextField(parent)
{
}

bool NumberField::accepts(const QString &text) const
{
    return window_services::TextField::accepts(text) && bank_layouts::LayoutNumber::fromTyped(text).has_value();
}

void NumberField::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        int cursor = 0;
        if (!accepts(withInserted(typed, cursor))) {
            event->accept();
            return refuse();
        }
    }
    window_services::TextField::keyPressEvent(event);
}

} // namespace layout_editor
