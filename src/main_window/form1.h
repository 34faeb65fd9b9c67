#pragma once

#include "main_window/settings.h"
#include "platform/recordfile.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace main_window {

class ChequePicture;

// The main window: the imitation cheque and its working fields, start-up,
// and the end of the program. Its fields are the program's working data.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The start-up sequence: settings, today's date, the cheque handed over,
    // its words. Each step stands on its own; a failing one is skipped.
    void startUp();

    // Writes the settings and ends the program (the exit button and the
    // window's close box). Returns false when the user chose to stay because
    // the settings could not be written.
    bool exitProgram();

    // Recomputes the amount in words from the amount field. Returns false,
    // leaving the words as they were, when the amount is not one the words
    // can be written for.
    bool converti_txt();

    // True when the words fields were computed for the amount now shown (or
    // the amount is empty): a cheque may be printed.
    bool wordsMatchAmount() const;

    // Builds the bank buttons from the layout files of the working folder.
    // Called again after a layout has been edited.
    void charge_banque();

    // Asks for the amount in the prompt dialog, then recomputes the words.
    void amountEntry();

    // True once the program has been asked to end.
    bool hasEnded() const { return m_ended; }

    Settings currentSettings() const;


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
    QComboBox *CbPrinters = nullptr;
    QToolButton *bt_fin = nullptr;
    QToolButton *command4 = nullptr; // "paramètres"
    QToolButton *bt_out = nullptr;   // "Outils"
    std::array<QToolButton *, 15> bt_banq{};
    QTimer *Timer1 = nullptr;

Q_SIGNALS:
    // The program is to end now: its files are closed and no further window
    // event may run.
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void applySettings(const Settings &settings);
    void applyCurrencyDefaults();
    void takePendingCheque();
    void endProgram();
    void bankClicked(int index);
    void printerPicked(int index);
    void parameterCommand();

    platform::RecordFile m_pendingFile; // held open, shared, until the end
    QString m_wordsAmount;               // the amount the words were computed for
    bool m_ended = false;
};

} // namespace main_window
