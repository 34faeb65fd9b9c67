#pragma once

#include <QLineEdit>

namespace window_services {

// A one-line field whose text always fits the program's Windows-1252
// files: a character they cannot hold is refused as it is typed or pasted,
// with a beep, so that what the user sees can always be written.
class TextField : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextField(QWidget *parent = nullptr);

Q_SIGNALS:
    // A character was turned away (the beep has sounded).
    void characterRefused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace window_services
