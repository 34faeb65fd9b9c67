#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

#include <array>

namespace prompt_dialog {
class UserTalk;
}

namespace calibration {

// The layout editor's fields, as the user types them; a new bank starts
// with these values.
struct LayoutFields
{
    QString bankName = QStringLiteral("Nom de la banque"); // text1
    QString fontName = QStringLiteral("Arial");            // Text2
    QString fontSize = QStringLiteral("10");               // Text3
    // Text4(0) to Text4(12), millimetres, in the layout file's order.
    std::array<QString, 13> values{QStringLiteral("132"), QStringLiteral("26"), QStringLiteral("6"),
                                   QStringLiteral("29"),  QStringLiteral("90"), QStringLiteral("38"),
                                   QStringLiteral("134"), QStringLiteral("38"), QStringLiteral("55"),
                                   QStringLiteral("17"),  QStringLiteral("6"),  QStringLiteral("43"),
                                   QStringLiteral("60")};
    QString currencyName;  // Text5
    QString hundredthName; // Text6

    // The sixteen lines of the layout file, exactly as typed.
    QStringList layoutLines() const;
};

// The code a new bank gets from the user's answer: lower case, blank-padded,
// cut to five characters, blanks at both ends removed.
QString bankCode(const QString &answer);
// "bq_" + the code in upper case + ".txt".
QString layoutFileName(const QString &code);

// The layout editor's rules: opening on the layout file behind the bank
// button (SelectedBankFile), or on a new bank under a code the user gives,
// and the finish that writes the file.
class LayoutEditor
{
public:
    explicit LayoutEditor(prompt_dialog::UserTalk &talk);

    // The opening, once the window is placed: the plain arrow (which ends
    // parameter mode), the currency names in, then the layout file read
    // into the fields. A file that cannot be read whole turns into the new
    // bank dialogue, the fields as they stood. Returns false when the
    // editor is to close at once (no code, or a code already used): nothing
    // is written then.
    bool open(const QString &currencyName, const QString &hundredthName);

    LayoutFields &fields() { return m_fields; }
    const LayoutFields &fields() const { return m_fields; }
    // The layout file the finish writes.
    QString fileName() const;

    // Writes the layout file, in one step; on failure says why in French and
    // the editor is to stay open with the user's values.
    platform::Result<void> writeLayout() const;

private:
    bool newBank();

    prompt_dialog::UserTalk &m_talk;
    LayoutFields m_fields;
};

} // namespace calibration
