#include "calibration/numberfield.h"

#include "bank_layouts/layoutfile.h"
#include "platform/desktop.h"

#include <QKeyEvent>
#include <QValidator>

namespace calibration {

namespace {

bool isNumber(const QString &text)
{
    return bank_layouts::LayoutNumber::fromTyped(text).has_value();
}

// What a paste or a drop would make of the field goes through the same test.
class NumberValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override { return isNumber(input) ? Acceptable : Invalid; }
};

} // namespace

NumberField::NumberField(QWidget *parent)
    : window_services::TextField(parent)
{
    // Every number's character fits the files' code page: this test holds
    // the field's.
    setValidator(new NumberValidator(this));
}

void NumberField::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QString after = text();
        int at = cursorPosition();
        if (hasSelectedText()) {
            at = selectionStart();
            after.remove(at, selectedText().size());
        }
        after.insert(at, typed);
        if (!isNumber(after)) {
            platform::beep();
            Q_EMIT characterRefused();
            event->accept();
            return;
        }
    }
    window_services::TextField::keyPressEvent(event);
}

} // namespace calibration
