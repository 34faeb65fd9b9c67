#include "window_services/textfield.h"

#include "platform/desktop.h"
#include "platform/textfile.h"

#include <QKeyEvent>
#include <QValidator>

namespace window_services {

namespace {

bool fitsTheFiles(const QString &text)
{
    return platform::encode1252(text).ok();
}

// What a paste or a drop would bring in goes through the same test.
class CodePageValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override { return fitsTheFiles(input) ? Acceptable : Invalid; }
};

} // namespace

TextField::TextField(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new CodePageValidator(this));
}

void TextField::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty() && !fitsTheFiles(event->text())) {
        platform::beep();
        Q_EMIT characterRefused();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace window_services
