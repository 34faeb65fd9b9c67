#pragma once

#include "bank_layouts/layoutfile.h"
#include "layout_editor/chequephoto.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace prompt_dialog {
class UserTalk;
}

namespace layout_editor {

// The code a new bank gets from the user's answer: lower case, blank-padded,
// cut to five characters, blanks at both ends removed.
QString bankCode(const QString &answer);
// "bq_" + the code in upper case + ".txt".
QString layoutFileName(const QString &code);

// The bank the editor opens on: the layout file behind the button clicked
// (SelectedBankFile; empty for a button without one), and the files of the
// other buttons, which a new bank's code must not take.
struct EditedBank
{
    QString layoutFile;
    QStringList buttonFiles;
};

// The layout editor's rules: opening on the layout file behind the bank
// button, or on a new bank under a code the user gives;
// the changes of this opening, which can be undone one by one; and the
// finish that writes the file, with the picture of the bank's cheque when
// it has one.
class LayoutEditor
{
public:
    LayoutEditor(prompt_dialog::UserTalk &talk, EditedBank bank);

    // The opening, once the window is placed: the plain arrow (which ends
    // parameter mode), the currency names in, then the layout file read
    // into the layout, each value as the file holds it. A file that cannot
    // be read whole turns into the new bank dialogue, the values as they
    // stood. Returns false when the editor is to close at once (no code, or
    // a code already used): nothing is written then.
    bool open(const QString &currencyName, const QString &hundredthName);

    const bank_layouts::Layout &layout() const { return m_layout; }
    QString currencyName() const { return m_currencyName; }
    QString hundredthName() const { return m_hundredthName; }
    void setCurrencyNames(const QString &currencyName, const QString &hundredthName);

    // A change of the layout. Changes that come from one source in a row
    // (the keys typed in one field, the moves of one drag) are undone
    // together; newSource() starts another.
    void change(const bank_layouts::Layout &changed, int source);
    int newSource() { return m_nextSource++; }
    // Back to the layout before the last change; false when there was none
    // in this opening.
    bool undo();

    // The picture of the bank's cheque, and where its corners are.
    const ChequePhoto &photo() const { return m_photo; }
    // A picture chosen now: its bytes as read, written beside the layout by
    // the finish, with the name's suffix of its kind ("jpg").
    void setPicture(const QByteArray &bytes, const QString &suffix);
    void setCorners(const Corners &corners);
    void setOpacity(int percent);

    // The layout file the finish writes: the button's, or a new bank's once
    // the user gave its code.
    QString fileName() const { return m_bank.layoutFile; }

    // Writes the layout file, in one step, then the picture and its corners;
    // on failure says why in French and the editor is to stay open with the
    // user's values.
    platform::Result<void> writeLayout() const;

private:
    bool newBank();

    prompt_dialog::UserTalk &m_talk;
    EditedBank m_bank;
    bank_layouts::Layout m_layout;
    QString m_currencyName;  // Text5
    QString m_hundredthName; // Text6
    std::vector<bank_layouts::Layout> m_undo;
    int m_lastSource = -1;
    int m_nextSource = 1000;
    ChequePhoto m_photo;
    QByteArray m_pictureBytes; // a picture chosen in this opening
    bool m_photoChanged = false;
};

} // namespace layout_editor
