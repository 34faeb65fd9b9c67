#include "window_services/textfield.h"

#include "platform/desktop.h"
#include "platform/textfile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>

namespace window_services {

namespace {

// A cell copied from a spreadsheet comes with the line end that closed it:
// when the text just brought in ends with one, the paste keeps the value
// and leaves the line end.
void dropPastedLineEnd(QString &text, int &cursor)
{
    for (const QLatin1String end : {QLatin1String("\r\n"), QLatin1String("\n"), QLatin1String("\r")}) {
        const int length = int(end.size());
        if (cursor >= length && cursor <= text.size() && QStringView(text).mid(cursor - length, length) == end) {
            text.remove(cursor - length, length);
            cursor -= length;
            return;
        }
    }
}

// What a paste, a drop or an input method brings in goes through the
// field's test.
class FieldValidator : public QValidator
{
public:
    explicit FieldValidator(TextField *field)
        : QValidator(field)
        , m_field(field)
    {
    }

    State validate(QString &input, int &cursor) const override
    {
        dropPastedLineEnd(input, cursor);
        return m_field->accepts(input) ? Acceptable : Invalid;
    }

private:
    const TextField *m_field;
};

} // namespace

TextField::TextField(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new FieldValidator(this));
}

bool TextField::accepts(const QString &text) const
{
    return platform::fitsOneLine(text) && platform::encode1252(text).ok();
}

QString TextField::withInserted(const QString &brought, int &cursor) const
{
    QString after = text();
    cursor = cursorPosition();
    if (hasSelectedText()) {
        cursor = selectionStart();
        after.remove(cursor, selectedText().size());
    }
    after.insert(cursor, brought);
    cursor += int(brought.size());
    return after;
}

void TextField::refuse()
{
    platform::beep();
    Q_EMIT characterRefused();
}

void TextField::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty() && !platform::encode1252(event->text()).ok()) {
        event->accept();
        return refuse();
    }
    if (event->matches(QKeySequence::Paste) && !isReadOnly() && !takesClipboard()) {
        event->accept();
        return refuse();
    }
    QLineEdit::keyPressEvent(event);
}

bool TextField::takesClipboard() const
{
    const QString pasted = QGuiApplication::clipboard()->text();
    int cursor = 0;
    QString after = withInserted(pasted, cursor);
    dropPastedLineEnd(after, cursor);
    return pasted.isEmpty() || accepts(after);
}

} // namespace window_services
