#include "prompt_dialog/usertalk.h"

#include "prompt_dialog/globals.h"
#include "prompt_dialog/promptrequest.h"

namespace prompt_dialog {

void UserTalk::message(const QString &text)
{
    PromptValue = 0;
    PromptText = text;
    prompt();
}

bool UserTalk::question(const QString &text)
{
    PromptValue = 4;
    PromptText = text;
    prompt();
    return PromptValue == AnswerYes;
}

std::optional<QString> UserTalk::input(const QString &question, const QString &defaultAnswer, int flags)
{
    PromptValue = 1 + InputFlag + flags;
    PromptText = question + QLatin1Char('|') + defaultAnswer;
    prompt();
    if (PromptValue == AnswerCancel)
        return std::nullopt;
    return PromptText;
}

} // namespace prompt_dialog
