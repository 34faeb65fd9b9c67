#pragma once

#include "prompt_dialog/promptrequest.h"

#include <QDialog>
#include <QLineEdit>

#include <array>

class QLabel;

namespace window_services {
class PictureButton;
}

namespace prompt_dialog {

// The dialog's input box. A typed character goes through the box's filter
// before it reaches the text: refused with a beep, or turned to upper case.
class PromptInput : public QLineEdit
{
    Q_OBJECT

public:
    explicit PromptInput(QWidget *parent = nullptr);

    void setFilter(InputFilter filter) { m_filter = filter; }
    InputFilter filter() const { return m_filter; }

Q_SIGNALS:
    // Enter in the box, whatever the dialog's mode.
    void enterPressed();
    // The filter turned a character away (the beep has sounded).
    void characterRefused();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    InputFilter m_filter = InputFilter::None;
};

// The prompt dialog. Constructing it carries out the opening of the request
// `text` and `value` (PromptText and PromptValue); a button or key that ends
// it gives the answer through answered(). The program opens it through
// showForm97() only.
class Form97 : public QDialog
{
    Q_OBJECT

public:
    Form97(const QString &text, int value, QWidget *parent = nullptr);
    // Destroyed before anything answered (its owner went away), it answers as
    // a cancel, so that the caller never mistakes the message for an answer.
    ~Form97() override;

    bool hasFinished() const { return m_finished; }
    bool alternativeFaces() const { return m_alternativeFaces; }
    // The request as the opening read it: PromptText without its markers and
    // default answer, PromptValue without its option flags.
    const QString &message() const { return m_message; }
    int mode() const { return m_mode; }

    std::array<QLabel *, 8> ccb{};
    QLabel *Image1 = nullptr;
    QLabel *text1 = nullptr;
    PromptInput *Text2 = nullptr;
    std::array<window_services::PictureButton *, 7> command3D{};
    window_services::PictureButton *bt_rech = nullptr;

Q_SIGNALS:
    // Once, from whatever ends the dialog, its destruction unanswered
    // included.
    void answered(const prompt_dialog::PromptAnswer &answer);

public Q_SLOTS:
    // Closing the window any other way (the window manager's close, for one)
    // answers as Escape does.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWindow();
    void layFrame();
    void placeOnScreen();
    void showModeButtons(int mode);
    void focusFirstControl();
    window_services::PictureButton *buttonOf(PromptButton button) const;
    bool dialogKey(const QKeyEvent *event);
    PromptAnswer answer(PromptButton button);
    void finish(PromptButton button);

    QString m_message;
    int m_mode = 0;
    bool m_alternativeFaces = false;
    bool m_finished = false;
};

// Opens the prompt dialog modally on the request `text` and `value`
// (PromptText and PromptValue) and returns its answer once it has closed.
PromptAnswer showForm97(const QString &text, int value, QWidget *parent);

} // namespace prompt_dialog
