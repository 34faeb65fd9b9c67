#pragma once

#include "prompt_dialog/promptrequest.h"
#include "prompt_dialog/usertalk.h"

#include <QList>
#include <QStringList>

#include <optional>

// Answers the program's prompts without a window, as the prompt dialog would:
// each request (PromptText and PromptValue) is read the way the dialog reads
// it, and answered with the next answer of the script through the dialog's own
// rules. A prompt the script did not expect is answered as Escape would and
// noted, so that the test fails at once instead of waiting.
class ScriptedTalk final : public prompt_dialog::UserTalk
{
public:
    // The answers, queued in the order the prompts will come.
    void confirm() { m_script.append({prompt_dialog::PromptButton::Command3D0, std::nullopt}); }
    void yes() { m_script.append({prompt_dialog::PromptButton::Command3D1, std::nullopt}); }
    void no() { m_script.append({prompt_dialog::PromptButton::Command3D2, std::nullopt}); }
    void cancel() { m_script.append({prompt_dialog::PromptButton::Command3D3, std::nullopt}); }
    // Typed over the offered answer, then Enter (which trims it).
    void type(const QString &text) { m_script.append({prompt_dialog::PromptButton::Command3D0, text}); }
    // Typed over the offered answer, then the confirm button (as typed).
    void typeAndConfirm(const QString &text) { m_script.append({prompt_dialog::PromptButton::Command3D1, text}); }
    // The offered answer confirmed with the confirm button.
    void confirmOffered() { m_script.append({prompt_dialog::PromptButton::Command3D1, std::nullopt}); }

    // Every prompt shown, as the dialog read it.
    QList<prompt_dialog::PromptRequest> seen() const { return m_seen; }
    QStringList messages() const;
    QStringList unexpected() const { return m_unexpected; }
    bool scriptDone() const { return m_script.isEmpty(); }

    prompt_dialog::PromptAnswer prompt(const QString &text, int value) override;

private:
    struct Answer
    {
        prompt_dialog::PromptButton button;
        std::optional<QString> typed;
    };

    QList<Answer> m_script;
    QList<prompt_dialog::PromptRequest> m_seen;
    QStringList m_unexpected;
};
