#pragma once

#include <QLineEdit>

namespace window_services {

// A one-line field whose text always fits one line of the program's
// Windows-1252 files: a character they cannot hold, or a control character
// (a line end inside the text, a tab), is refused as it is typed or pasted,
// with a beep, so that what the user sees can always be written. The line
// end that a spreadsheet puts after a cell it copies is taken off the paste,
// and the value kept.
class TextField : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextField(QWidget *parent = nullptr);

    // Whether the field may hold `text`.
    virtual bool accepts(const QString &text) const;

Q_SIGNALS:
    // A character was turned away (the beep has sounded).
    void characterRefused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The text the field would hold with `brought` in place of the
    // selection, or at the cursor; `cursor` says where the cursor would
    // then stand.
    QString withInserted(const QString &brought, int &cursor) const;
    // Beeps, and says so.
    void refuse();

private:
    // The validator would turn a paste away without a sound: the paste keys
    // ask first. (Qt's menu, a middle click or a drop is turned away by the
    // validator alone.)
    bool takesClipboard() const;
};

} // namespace window_services
