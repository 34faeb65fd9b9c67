#pragma once

#include "prompt_dialog/form97.h"
#include "window_services/picturebutton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Acts on the next modal window of type T, once it is open. Such windows
// are modal: what the user does in them has to come from the event loop.
template <typename T>
void answerNextDialog(std::function<void(T *)> act)
{
    auto *poll = new QTimer(qApp);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, act] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (waited.elapsed() > 5000)
                poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start(5);
}

// Answers the next prompt dialog and keeps the message it showed.
inline void answerNextPrompt(std::function<void(prompt_dialog::Form97 *)> act, QString *seenText)
{
    answerNextDialog<prompt_dialog::Form97>([act, seenText](prompt_dialog::Form97 *dialog) {
        if (seenText)
            *seenText = dialog->text1->text();
        act(dialog);
    });
}

// Types `text` key by key, accented letters included, as a keyboard would.
inline void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

// Keys as a wedge reader or a person sends them to a field: each character,
// `delayMs` apart, Shift pressed for a capital as a keyboard does, then Enter
// when asked.
inline void typeKeys(QWidget *field, const QString &text, int delayMs, bool enter)
{
    for (const QChar c : text) {
        const bool capital = c.isUpper();
        if (capital)
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_Shift, QString(), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key(c.toUpper().unicode()), QString(c),
                            capital ? Qt::ShiftModifier : Qt::NoModifier);
        if (capital)
            QTest::sendKeyEvent(QTest::Release, field, Qt::Key_Shift, QString(), Qt::ShiftModifier);
        QTest::qWait(delayMs);
    }
    if (enter)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier);
}

// The usual answers: the confirm button of a message, yes or no to a
// question, a typed answer confirmed with Enter.
inline void confirmNextMessage(QString *seenText)
{
    answerNextPrompt([](prompt_dialog::Form97 *d) { QTest::mouseClick(d->command3D[0], Qt::LeftButton); }, seenText);
}

inline void answerNextQuestion(bool yes, QString *seenText)
{
    answerNextPrompt([yes](prompt_dialog::Form97 *d) { QTest::mouseClick(d->command3D[yes ? 1 : 2], Qt::LeftButton); },
                     seenText);
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

// While it lives, a modal window that stays open for seconds is one that no
// answer was armed for: it is closed as Escape would close it and what it
// showed kept, so that a window test that meets a window it did not expect
// fails in seconds instead of waiting for CTest's timeout.
class DialogWatchdog
{
public:
    DialogWatchdog()
        : m_state(std::make_shared<State>())
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [state = m_state] { check(*state); });
        m_timer.start(100);
    }

    QStringList unanswered() const { return m_state->unanswered; }

private:
    struct State
    {
        QPointer<QDialog> dialog;
        QElapsedTimer since;
        QStringList unanswered;
    };

    static void check(State &state)
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            state.dialog = nullptr;
            return;
        }
        if (dialog != state.dialog) {
            state.dialog = dialog;
            state.since.start();
            return;
        }
        if (state.since.elapsed() < 3000)
            return;
        const auto *prompt = qobject_cast<prompt_dialog::Form97 *>(dialog);
        state.unanswered << (prompt ? prompt->text1->text() : dialog->windowTitle());
        dialog->reject();
    }

    std::shared_ptr<State> m_state;
    QTimer m_timer;
};
