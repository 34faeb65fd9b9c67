// The prompt requests every window sends: the value on the first line, the
// text after it.
#include "fuzzing.h"

#include "prompt_dialog/promptrequest.h"

using namespace prompt_dialog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzzing::FirstLine input = fuzzing::splitFirstLine(fuzzing::bytes(data, size));
    bool isNumber = false;
    const int value = input.line.trimmed().toInt(&isNumber);
    if (!isNumber)
        return 0;
    const QString text = QString::fromUtf8(input.rest);

    const PromptRequest request = readPromptRequest(text, value);
    // The text is its markers, the message, and for an input the default
    // answer after the first "|": nothing is lost or added between them.
    const QString markers =
        QString::fromLatin1(request.alternativeFaces ? "ON|" : "") + QString::fromLatin1(request.search ? "*" : "");
    // Compared, not startsWith: a null text does not "start with" an empty one.
    fuzzing::check(text.left(markers.size()) == markers, "les marques sont en tête du texte", text);
    const QString rest = text.mid(markers.size());
    const qsizetype separator = request.input ? rest.indexOf(QLatin1Char('|')) : -1;
    fuzzing::check(request.message == (separator < 0 ? rest : rest.left(separator)),
                   "le message est le texte sans ses marques ni sa réponse", request.message);
    fuzzing::check(request.defaultAnswer == (separator < 0 ? QString() : rest.mid(separator + 1)),
                   "la réponse proposée suit le premier « | » d'une saisie", request.defaultAnswer);
    fuzzing::check(request.mode <= value, "les options ne font que s'ôter du mode", QString::number(request.mode));

    const std::optional<QString> typed = filterTyped(request.filter, text.left(1));
    if (typed) {
        fuzzing::check(typed->size() == text.left(1).size(), "une touche tape un caractère", *typed);
        if (request.filter == InputFilter::UpperCase)
            fuzzing::check(*typed == text.left(1).toUpper() || text.left(1).toUpper().size() != 1,
                           "la touche est mise en capitale", *typed);
    }
    return 0;
}
