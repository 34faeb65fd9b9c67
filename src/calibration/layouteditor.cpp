#include "calibration/layouteditor.h"

#include "bank_layouts/layoutfile.h"
#include "common/numeric.h"
#include "platform/desktop.h"
#include "prompt_dialog/usertalk.h"

namespace calibration {

namespace {

constexpr int CodeLength = 5;

// Characters that cannot stand in a file name, here or on the systems the
// suite's files are copied to, and would let a name leave the working folder.
bool unsafeInFileName(const QString &code)
{
    if (code.startsWith(QLatin1Char('.')))
        return true;
    for (const QChar c : code) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c))
            return true;
    }
    return false;
}

bool alreadyUsed(const QString &fileName)
{
    for (const QString &used : bank_layouts::BankFiles) {
        if (used.compare(fileName, Qt::CaseInsensitive) == 0)
            return true;
    }
    // Another program may have made it since the buttons were built.
    for (const QString &present : bank_layouts::layoutFiles()) {
        if (present.compare(fileName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QStringList LayoutFields::layoutLines() const
{
    QStringList lines{bankName, fontName, fontSize};
    for (const QString &value : values)
        lines << value;
    return lines;
}

QString bankCode(const QString &answer)
{
    return (answer.toLower() + QString(CodeLength, QLatin1Char(' '))).left(CodeLength).trimmed();
}

QString layoutFileName(const QString &code)
{
    return QStringLiteral("bq_") + code.toUpper() + QStringLiteral(".txt");
}

LayoutEditor::LayoutEditor(prompt_dialog::UserTalk &talk)
    : m_talk(talk)
{
}

QString LayoutEditor::fileName() const
{
    return bank_layouts::SelectedBankFile;
}

bool LayoutEditor::open(const QString &currencyName, const QString &hundredthName)
{
    platform::setPointer(platform::ArrowPointer);
    m_fields.currencyName = currencyName;
    m_fields.hundredthName = hundredthName;

    // No file behind the button reads as an empty one.
    const QStringList lines = bank_layouts::SelectedBankFile.isEmpty()
        ? QStringList()
        : bank_layouts::readLayoutLines(bank_layouts::SelectedBankFile).valueOr(QStringList());
    // Field by field, as far as the file goes; the rest keep their defaults.
    QString *const texts[] = {&m_fields.bankName, &m_fields.fontName, &m_fields.fontSize};
    for (int i = 0; i < 3 && i < lines.size(); ++i)
        *texts[i] = lines[i];
    for (int k = 0; k < 13 && 3 + k < lines.size(); ++k)
        m_fields.values[std::size_t(k)] = common::formatWhole(common::numericValue(lines[3 + k]), 1);
    if (lines.size() >= bank_layouts::LayoutLineCount)
        return true;
    return newBank();
}

bool LayoutEditor::newBank()
{
    const QString answer =
        m_talk.input(QStringLiteral("Entrez un code pour cette banque ( Max 5 caractères ) ?"), QString());
    if (answer.isEmpty())
        return false;
    const QString code = bankCode(answer);
    if (code.isEmpty() || unsafeInFileName(code)) {
        m_talk.message(QStringLiteral("Le code « %1 » ne peut pas servir de nom de fichier : entrez des lettres ou "
                                      "des chiffres, sans « / », « \\ », « : », « * », « ? », « \" », « < », « > », "
                                      "« | » ni point au début.")
                           .arg(answer));
        return false;
    }
    const QString fileName = layoutFileName(code);
    if (alreadyUsed(fileName)) {
        m_talk.message(QStringLiteral("Ce code existe deja !\nLe fichier « %1 » est celui d'une autre banque : "
                                      "cliquez de nouveau sur le bouton et choisissez un autre code.")
                           .arg(fileName));
        return false;
    }
    bank_layouts::SelectedBankFile = fileName;
    return true;
}

platform::Result<void> LayoutEditor::writeLayout() const
{
    const platform::Result<void> written = bank_layouts::writeLayoutFile(fileName(), m_fields.layoutLines());
    if (!written)
        m_talk.message(QStringLiteral("La banque n'a pas pu être enregistrée dans le fichier « %1 » (%2).\n\n"
                                      "Vos valeurs restent dans la fenêtre : corrigez la cause et cliquez de nouveau "
                                      "sur le bouton Fin.")
                           .arg(fileName(), written.error()));
    return written;
}

} // namespace calibration
