#include "prompt_dialog/promptrequest.h"

namespace prompt_dialog {

namespace {

const QString AlternativeFacesMarker = QStringLiteral("ON|");
const QString SearchMarker = QStringLiteral("*");
const QChar AnswerSeparator = QLatin1Char('|');

} // namespace

PromptRequest readPromptRequest(const QString &text, int value)
{
    PromptRequest request;
    QString message = text;

    // The markers are looked for in this order only: "*ON|" keeps its "ON|".
    // A leading "}" (on-screen keyboard) is ordinary text: no such keyboard
    // exists here, and hiding the character would offer a button that does
    // nothing.
    if (message.startsWith(AlternativeFacesMarker)) {
        request.alternativeFaces = true;
        message.remove(0, AlternativeFacesMarker.size());
    }
    if (message.startsWith(SearchMarker)) {
        request.search = true;
        message.remove(0, SearchMarker.size());
    }

    // Strictly greater: a flag value on its own is a mode number. The later
    // filter replaces the earlier one, so 11129 is upper case, not digits.
    int mode = value;
    if (mode > HiddenFlag) {
        mode -= HiddenFlag;
        request.hidden = true;
    }
    if (mode > DigitsOnlyFlag) {
        mode -= DigitsOnlyFlag;
        request.filter = InputFilter::DigitsOnly;
    }
    if (mode > UpperCaseFlag) {
        mode -= UpperCaseFlag;
        request.filter = InputFilter::UpperCase;
    }
    if (mode > InputFlag) {
        mode -= InputFlag;
        request.input = true;
        // Only an input request splits: a message keeps its "|".
        const int separator = message.indexOf(AnswerSeparator);
        if (separator >= 0) {
            request.defaultAnswer = message.mid(separator + 1);
            message.truncate(separator);
        }
    }

    request.message = message;
    request.mode = mode;
    return request;
}

QList<PromptButton> buttonsOfMode(int mode)
{
    switch (mode) {
    case 0:
        return {PromptButton::Command3D0};
    case 1:
        return {PromptButton::Command3D3, PromptButton::Command3D1};
    case 4:
        return {PromptButton::Command3D2, PromptButton::Command3D1};
    case 14:
        return {PromptButton::Command3D4, PromptButton::Command3D6, PromptButton::Command3D5};
    default:
        return {};
    }
}

PromptAnswer answerOf(PromptButton button, const QString &boxText, const QString &message)
{
    switch (button) {
    case PromptButton::Command3D0:
        return {boxText.trimmed(), AnswerConfirm};
    case PromptButton::Command3D1:
        return {boxText, AnswerYes};
    case PromptButton::Command3D2:
        return {message, AnswerNo};
    case PromptButton::Command3D3:
        return {QString(), AnswerCancel};
    case PromptButton::Command3D4:
        return {message, AnswerFirstLeft};
    case PromptButton::Command3D5:
        return {message, AnswerRightCancel};
    case PromptButton::Command3D6:
        return {message, AnswerThirdLeft};
    case PromptButton::Search:
        return {boxText.trimmed() + SearchMarker, AnswerConfirm};
    }
    return {message, 0};
}

std::optional<QString> filterTyped(InputFilter filter, const QString &typed)
{
    switch (filter) {
    case InputFilter::None:
        return typed;
    case InputFilter::DigitsOnly: {
        // Tab, Backspace, Escape and Enter stay usable.
        static const QString allowed = QStringLiteral("0123456789.,-\t\b\x1b\r\n");
        for (const QChar c : typed) {
            if (!allowed.contains(c))
                return std::nullopt;
        }
        return typed;
    }
    case InputFilter::UpperCase: {
        // Character by character, so that one key still types one character
        // ("ß" stays "ß" rather than becoming "SS").
        QString upper = typed;
        for (QChar &c : upper)
            c = c.toUpper();
        return upper;
    }
    }
    return typed;
}

} // namespace prompt_dialog
