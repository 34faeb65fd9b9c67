#pragma once

#include <QList>
#include <QString>

#include <optional>

// What a prompt request asks for and what each way out of the dialog answers,
// kept apart from the window so that the rules can be checked without one.
namespace prompt_dialog {

// Option flags, added to the mode number in PromptValue.
enum PromptFlag {
    InputFlag = 128,
    UpperCaseFlag = 1000,
    DigitsOnlyFlag = 10000,
    HiddenFlag = 100000,
};

// The codes the buttons and keys that end the dialog answer in PromptValue.
enum PromptAnswerCode {
    AnswerConfirm = 1,
    AnswerCancel = 2,
    AnswerYes = 6,
    AnswerNo = 7,
    AnswerThirdLeft = 16,
    AnswerFirstLeft = 17,
    AnswerRightCancel = 18,
};

enum class InputFilter { None, DigitsOnly, UpperCase };

struct PromptRequest
{
    QString message; // PromptText once markers and default answer are off
    int mode = 0;    // PromptValue once the option flags are off
    bool alternativeFaces = false;
    bool search = false;
    bool hidden = false; // the box shows "*" for each character
    bool input = false;
    InputFilter filter = InputFilter::None;
    QString defaultAnswer;
};

PromptRequest readPromptRequest(const QString &text, int value);

// The dialog's buttons, in the order of their names.
enum class PromptButton {
    Command3D0,
    Command3D1,
    Command3D2,
    Command3D3,
    Command3D4,
    Command3D5,
    Command3D6,
    Search,
};

// The buttons a mode shows, left to right (the search button aside).
QList<PromptButton> buttonsOfMode(int mode);

// What ends a prompt, in the two values the request came in.
struct PromptAnswer
{
    QString text;  // PromptText: the answer typed, for an input
    int value = 0; // PromptValue: a PromptAnswerCode
};

// What a click on `button` answers. `boxText` is the input box's text as it
// stands (empty when the box is hidden); `message` is the request's message
// as the opening read it.
PromptAnswer answerOf(PromptButton button, const QString &boxText, const QString &message);

// The text a typed character puts into the input box under `filter`, or
// nothing when the filter refuses it.
std::optional<QString> filterTyped(InputFilter filter, const QString &typed);

} // namespace prompt_dialog
