#pragma once

#include "prompt_dialog/promptrequest.h"

#include <QString>

#include <optional>

// How the program talks to the user: every message, question and one-line
// input goes through here. The real talk is the prompt dialog; the tests
// answer without a window.
namespace prompt_dialog {

class UserTalk
{
public:
    virtual ~UserTalk() = default;

    // Shows the prompt that `text` and `value` (PromptText and PromptValue)
    // describe and returns the user's answer.
    virtual PromptAnswer prompt(const QString &text, int value) = 0;

    // The usual requests, each through prompt(). The texts must not begin
    // with the dialog's markers ("ON|", "*"), and a message or a question
    // holds no "|".

    // A message with a single confirm button (Enter or Escape also close it).
    void message(const QString &text);

    // A yes/no question: true for yes (the yes button or Enter), false for no
    // or Escape.
    bool question(const QString &text);

    // A one-line input with cancel and confirm buttons, `defaultAnswer`
    // offered selected. `flags` adds the input options (UpperCaseFlag,
    // DigitsOnlyFlag, HiddenFlag). Gives nothing when the user cancelled (the
    // cancel button, Escape, the dialog closed), else the answer text, which
    // may be empty: an empty answer and a cancel are told apart here, so
    // that a caller can keep what a cancel must not change.
    std::optional<QString> input(const QString &question, const QString &defaultAnswer = QString(), int flags = 0);
};

} // namespace prompt_dialog
