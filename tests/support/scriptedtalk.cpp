#include "support/scriptedtalk.h"

#include "prompt_dialog/globals.h"

using namespace prompt_dialog;

QStringList ScriptedTalk::messages() const
{
    QStringList texts;
    for (const PromptRequest &request : m_seen)
        texts << request.message;
    return texts;
}

void ScriptedTalk::prompt()
{
    const PromptRequest request = readPromptRequest(PromptText, PromptValue);
    m_seen << request;
    Answer answer{PromptButton::Command3D3, std::nullopt};
    if (m_script.isEmpty())
        m_unexpected << request.message;
    else
        answer = m_script.takeFirst();
    // The box is shown only for an input; typing replaces the offered answer.
    const QString box = request.input ? answer.typed.value_or(request.defaultAnswer) : QString();
    const PromptAnswer reply = answerOf(answer.button, box, request.message);
    PromptText = reply.text;
    PromptValue = reply.value;
}
