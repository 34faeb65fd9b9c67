#include "prompt_dialog/usertalk.h"

namespace prompt_dialog {

void UserTalk::message(const QString &text)
{
    prompt(text, 0);
}

bool UserTalk::question(const QString &text)
{
    return prompt(text, 4).value == AnswerYes;
}

std::optional<QString> UserTalk::input(const QString &question, const QString &defaultAnswer, int flags)
{
    const PromptAnswer reply = prompt(question + QLatin1Char('|') + defaultAnswer, 1 + InputFlag + flags);
    if (reply.value == AnswerCancel)
        return std::nullopt;
    return reply.text;
}

} // namespace prompt_dialog
