#pragma once

#include "main_window/windowside.h"

#include <QWidget>

#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class QKeyEvent;

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace window_services {
class PictureButton;
}

namespace cheque_reader {
class KeyBurst;
}

namespace journal {
class ChequePrinter;
class JournalRecorder;
} // namespace journal

namespace platform {
class Clock;
}

namespace prompt_dialog {
class UserTalk;
}

namespace main_window {

class ChequePicture;
class ChequeSession;

// The main window: the imitation cheque with the working fields, the bank
// buttons, the printer list and the commands. It shows what the session
// holds and hands the user's actions to it.
class Form1 : public QWidget, private WindowSide
{
    Q_OBJECT

public:
    struct Parts
    {
        ChequeSession &session;
        // What the journal button opens the journal's window with: the
        // program's way of printing a cheque, for its reprints, and the
        // run's journal (none: the button says there is none).
        journal::ChequePrinter &cheques;
        prompt_dialog::UserTalk &talk;
        const platform::Clock &clock;
        journal::JournalRecorder *journal = nullptr;
    };

    explicit Form1(Parts parts, QWidget *parent = nullptr);
    ~Form1() override;

    // Working fields (hidden ones included), named as everywhere else.
    QLineEdit *text1 = nullptr;  // amount in figures
    QLineEdit *Text2 = nullptr;  // whole amount in words (hidden)
    QLineEdit *Text3 = nullptr;  // first line of words
    QLineEdit *Text10 = nullptr; // second line of words
    QLineEdit *Text4 = nullptr;  // date of issue
    QLineEdit *Text8 = nullptr;  // payee
    QLineEdit *Text7 = nullptr;  // place of issue
    QLineEdit *Text5 = nullptr;  // vertical offset, mm (hidden)
    QLineEdit *Text6 = nullptr;  // horizontal offset, mm (hidden)
    QLineEdit *Text9 = nullptr;  // currency name (hidden)
    QLineEdit *Text11 = nullptr; // hundredth-part name (hidden)

    ChequePicture *Picture1 = nullptr;
    QLabel *Image1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *lblAttenteServeur = nullptr;
    QLabel *lblChequeLu = nullptr; // the cheque a reader read, and its bank
    QComboBox *CbPrinters = nullptr;
    window_services::PictureButton *bt_fin = nullptr;
    window_services::PictureButton *command4 = nullptr;   // "paramètres"
    window_services::PictureButton *bt_out = nullptr;     // "Outils"
    window_services::PictureButton *bt_journal = nullptr; // "Journal"
    std::array<QToolButton *, 15> bt_banq{};
    QTimer *Timer1 = nullptr;

Q_SIGNALS:
    // The window was painted for the first time: what may take a while
    // can start.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void showFields();
    // The controls that lead to printing, usable once the printers are ready.
    QList<QWidget *> printingControls() const;

    // What start-up asks of the window.
    void loadShopPicture() override;
    void place() override;
    void showBankButtons(const QList<bank_layouts::BankButtonFace> &faces) override;
    double firstLineWidth() const override;
    void repaintNow() override;
    void showPrinters(const QStringList &entries, int selected) override;
    void showFirstInstallation() override;
    void armFrontTimer() override;
    bool openLayoutEditor(const layout_editor::EditedBank &bank) override;
    void openPrinterSetup() override;
    void hideFirstInstallation() override;
    void showReadCheque(const QString &text, int bankIndex) override;
    void useWedgeSettings(const cheque_reader::WedgeSettings &settings) override;
    // A key pressed anywhere in the window: a reader's line is taken from
    // the keys before any field gets them.
    bool readerKey(QObject *receiver, QKeyEvent *key);
    void giveBackKeys(int count);
    // The journal's window, modal.
    void openJournal();

    ChequeSession &m_session;
    Parts m_parts;
    bool m_shown = false;
    bool m_painted = false;
    cheque_reader::KeyBurst *m_burst = nullptr;
    struct HeldKey
    {
        QPointer<QObject> receiver;
        std::unique_ptr<QKeyEvent> event;
    };
    std::vector<HeldKey> m_heldKeys;
    bool m_givingBack = false;
};

} // namespace main_window
