#pragma once

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTimer;
class QPushButton;
class QTableView;

namespace journal {

class JournalDesk;
class JournalModel;
struct Entry;

// "Journal des chèques": the cheques a filter lets through, their count and
// total, and the commands on the cheque picked. What each command does is
// the desk's.
class JournalWindow : public QDialog
{
    Q_OBJECT

public:
    explicit JournalWindow(JournalDesk &desk, QWidget *parent = nullptr);
    ~JournalWindow() override;

    QDateEdit *from = nullptr;
    QDateEdit *to = nullptr;
    QComboBox *bankFilter = nullptr;
    QComboBox *statusFilter = nullptr;
    QComboBox *tillFilter = nullptr;
    QLineEdit *findNumber = nullptr;
    QTableView *table = nullptr;
    QLabel *summary = nullptr;
    QComboBox *reprintBank = nullptr;
    QPushButton *reprintButton = nullptr;
    QPushButton *spoiledButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QPushButton *noteButton = nullptr;
    QPushButton *settleButton = nullptr; // a cheque left unconfirmed: did it come out?
    QPushButton *remitButton = nullptr;
    QPushButton *exportButton = nullptr;
    QPushButton *closeButton = nullptr;

    JournalModel &model() { return *m_model; }

    // Shows the cheques of the filter the controls give.
    void applyFilter();

private:
    void fillFilters();
    // The journal read again as it stands, the cheque picked still picked.
    void refresh();
    void showSummary();
    void pickedChanged();
    const Entry *picked() const;
    // Runs a command on the cheque picked, and shows the journal again when
    // it changed.
    void onPicked(bool (JournalDesk::*command)(qint64));
    void reprint();
    void remit();
    void exportRows();

    JournalDesk &m_desk;
    JournalModel *m_model = nullptr;
    QLabel *tillLabel = nullptr;
    QTimer *m_refresh = nullptr;
};

} // namespace journal
