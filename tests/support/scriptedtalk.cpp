#include "support/scriptedtalk.h"

using namespace prompt_dialog;

QStringList ScriptedTalk::messages() const
{
    QStringList texts;
    for (const PromptRequest &request : m_seen)
        texts << request.message;
    return texts;
}

PromptAnswer ScriptedTalk::prompt(const QString &text, int value)
{
    const PromptRequest request = readPromptRequest(text, value);
    m_seen << request;
    Answer answer{PromptButton::Command3D3, std::nullopt};
    if (m_script.isEmpty())
        m_unexpected << request.message;
    else
        answer = m_script.takeFirst();
    // The box is shown only for an input; typing replaces the offered answer.
    const QString box = request.input ? answer.typed.value_or(request.defaultAnswer) : QString();
    return answerOf(answer.button, box, request.message);
}
