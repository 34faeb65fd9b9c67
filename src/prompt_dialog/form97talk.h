#pragma once

#include "prompt_dialog/usertalk.h"

#include <QPointer>
#include <QWidget>

namespace prompt_dialog {

// Talks to the user through the prompt dialog, form97, held in front of the
// given window.
class Form97Talk final : public UserTalk
{
public:
    void setParentWindow(QWidget *window) { m_parent = window; }
    PromptAnswer prompt(const QString &text, int value) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace prompt_dialog
