#include "prompt_dialog/prompts.h"

#include "prompt_dialog/form97.h"
#include "prompt_dialog/globals.h"

namespace prompt_dialog {

void message(QWidget *parent, const QString &text)
{
    PromptValue = 0;
    PromptText = text;
    showForm97(parent);
}

bool question(QWidget *parent, const QString &text)
{
    PromptValue = 4;
    PromptText = text;
    showForm97(parent);
    return PromptValue == AnswerYes;
}

QString input(QWidget *parent, const QString &question, const QString &defaultAnswer, int flags)
{
    PromptValue = 1 + InputFlag + flags;
    PromptText = question + QLatin1Char('|') + defaultAnswer;
    showForm97(parent);
    return PromptText;
}

} // namespace prompt_dialog
