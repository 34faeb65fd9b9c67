#include "layout_editor/layouteditor.h"

#include "bank_layouts/layoutfile.h"
#include "platform/desktop.h"
#include "prompt_dialog/usertalk.h"

#include <algorithm>
#include <utility>

namespace layout_editor {

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

bool alreadyUsed(const QString &fileName, const QStringList &buttonFiles)
{
    for (const QString &used : buttonFiles) {
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

QString bankCode(const QString &answer)
{
    return (answer.toLower() + QString(CodeLength, QLatin1Char(' '))).left(CodeLength).trimmed();
}

QString layoutFileName(const QString &code)
{
    return QStringLiteral("bq_") + code.toUpper() + QStringLiteral(".txt");
}

LayoutEditor::LayoutEditor(prompt_dialog::UserTalk &talk, EditedBank bank)
    : m_talk(talk)
    , m_bank(std::move(bank))
{
}

bool LayoutEditor::open(const QString &currencyName, const QString &hundredthName)
{
    platform::setPointer(platform::ArrowPointer);
    setCurrencyNames(currencyName, hundredthName);

    // No file behind the button reads as an empty one; field by field, as
    // far as the file goes, the rest keep their defaults.
    const int lines = fileName().isEmpty() ? 0 : bank_layouts::readLayout(fileName(), m_layout).valueOr(0);
    if (lines < bank_layouts::LayoutLineCount)
        return newBank();
    // A picture that cannot be read back is no reason to refuse the layout:
    // the drawn cheque stands in for it.
    m_photo = readChequePhoto(fileName()).valueOr(ChequePhoto());
    return true;
}

void LayoutEditor::setCurrencyNames(const QString &currencyName, const QString &hundredthName)
{
    m_currencyName = currencyName;
    m_hundredthName = hundredthName;
}

void LayoutEditor::change(const bank_layouts::Layout &changed, int source)
{
    if (changed == m_layout)
        return;
    if (m_undo.empty() || source != m_lastSource)
        m_undo.push_back(m_layout);
    m_lastSource = source;
    m_layout = changed;
}

bool LayoutEditor::undo()
{
    if (m_undo.empty())
        return false;
    m_layout = m_undo.back();
    m_undo.pop_back();
    m_lastSource = -1;
    return true;
}

void LayoutEditor::setPicture(const QByteArray &bytes, const QString &suffix)
{
    m_pictureBytes = bytes;
    m_photo.pictureFile = chequePictureName(fileName(), suffix);
    m_photo.corners = Corners{};
    m_photoChanged = true;
}

void LayoutEditor::setCorners(const Corners &corners)
{
    m_photo.corners = corners;
    m_photoChanged = true;
}

void LayoutEditor::setOpacity(int percent)
{
    m_photo.opacity = std::clamp(percent, 0, 100);
    m_photoChanged = true;
}

bool LayoutEditor::newBank()
{
    // A cancel, like an empty code, adds no bank.
    const QString answer =
        m_talk.input(QStringLiteral("Entrez un code pour cette banque ( Max 5 caractères ) ?"), QString())
            .value_or(QString());
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
    if (alreadyUsed(fileName, m_bank.buttonFiles)) {
        m_talk.message(QStringLiteral("Ce code existe deja !\nLe fichier « %1 » est celui d'une autre banque : "
                                      "cliquez de nouveau sur le bouton et choisissez un autre code.")
                           .arg(fileName));
        return false;
    }
    m_bank.layoutFile = fileName;
    return true;
}

platform::Result<void> LayoutEditor::writeLayout() const
{
    platform::Result<void> written = bank_layouts::writeLayout(fileName(), m_layout);
    QString what = fileName();
    if (written && m_photoChanged && !m_photo.isNull()) {
        written = writeChequePhoto(fileName(), m_photo, m_pictureBytes);
        what = m_photo.pictureFile;
    }
    if (!written)
        m_talk.message(QStringLiteral("La banque n'a pas pu être enregistrée dans le fichier « %1 » (%2).\n\n"
                                      "Vos valeurs restent dans la fenêtre : corrigez la cause et cliquez de nouveau "
                                      "sur le bouton Fin.")
                           .arg(what, written.error()));
    return written;
}

} // namespace layout_editor
