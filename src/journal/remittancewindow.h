#pragma once

#include "journal/journal.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace journal {

class JournalDesk;

// "Remise en banque": the cheques not yet deposited, all ticked, the
// shop's account, and the slip printed on the main window's printer.
class RemittanceWindow : public QDialog
{
    Q_OBJECT

public:
    RemittanceWindow(JournalDesk &desk, QWidget *parent = nullptr);
    ~RemittanceWindow() override;

    // Reads the cheques to deposit; false (the user told) when there are
    // none or the journal cannot be read.
    bool load();

    QListWidget *cheques = nullptr;
    QLineEdit *account = nullptr;
    QLabel *summary = nullptr;
    QPushButton *printButton = nullptr;
    QPushButton *closeButton = nullptr;

private:
    QList<qint64> ticked() const;
    void showSummary();
    void print();

    JournalDesk &m_desk;
    QList<Entry> m_waiting;
};

} // namespace journal
