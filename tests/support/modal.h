#pragma once

#include "prompt_dialog/form97.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

// Answers the next prompt dialog, once it is open, and keeps the message it
// showed. The dialog is modal: the answer has to come from the event loop.
inline void answerNextPrompt(std::function<void(prompt_dialog::Form97 *)> act, QString *seenText)
{
    auto *poll = new QTimer(qApp);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, act, seenText] {
        auto *dialog = qobject_cast<prompt_dialog::Form97 *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (waited.elapsed() > 5000)
                poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (seenText)
            *seenText = dialog->text1->text();
        act(dialog);
    });
    poll->start(5);
}

// The usual answers: the confirm button of a message, yes or no to a
// question, a typed answer confirmed with Enter.
inline void confirmNextMessage(QString *seenText)
{
    answerNextPrompt([](prompt_dialog::Form97 *d) { QTest::mouseClick(d->command3D[0], Qt::LeftButton); }, seenText);
}

inline void answerNextQuestion(bool yes, QString *seenText)
{
    answerNextPrompt(
        [yes](prompt_dialog::Form97 *d) { QTest::mouseClick(d->command3D[yes ? 1 : 2], Qt::LeftButton); }, seenText);
}

inline void typeNextAnswer(const QString &typed, QString *seenText)
{
    answerNextPrompt(
        [typed](prompt_dialog::Form97 *d) {
            QTest::keyClicks(d->Text2, typed);
            QTest::keyClick(d->Text2, Qt::Key_Return);
        },
        seenText);
}
