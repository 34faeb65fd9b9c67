#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Answers the next modal message box, once it is open, with the button whose
// text is given (any button when empty), and keeps the text it showed.
inline void answerNextMessage(const QString &buttonText, QString *seenText)
{
    QTimer::singleShot(0, [buttonText, seenText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seenText = box->text();
        const QList<QAbstractButton *> buttons = box->buttons();
        for (QAbstractButton *button : buttons) {
            if (buttonText.isEmpty() || button->text() == buttonText) {
                button->click();
                return;
            }
        }
    });
}
