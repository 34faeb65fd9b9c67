#include "journal/remittancewindow.h"

#include "journal/journaldesk.h"
#include "prompt_dialog/usertalk.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace journal {

RemittanceWindow::RemittanceWindow(JournalDesk &desk, QWidget *parent)
    : QDialog(parent)
    , m_desk(desk)
{
    setObjectName(QStringLiteral("RemittanceWindow"));
    setWindowTitle(QStringLiteral("Remise en banque"));
    resize(640, 480);

    cheques = new QListWidget(this);
    cheques->setObjectName(QStringLiteral("cheques"));
    account = new QLineEdit(this);
    account->setObjectName(QStringLiteral("account"));
    account->setPlaceholderText(QStringLiteral("IBAN ou numéro de compte (facultatif)"));
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    printButton = new QPushButton(QStringLiteral("Imprimer le bordereau"), this);
    printButton->setObjectName(QStringLiteral("printButton"));
    printButton->setAutoDefault(false);
    closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAutoDefault(false);

    auto *accountRow = new QHBoxLayout;
    accountRow->addWidget(new QLabel(QStringLiteral("Compte"), this));
    accountRow->addWidget(account, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(summary, 1);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Les chèques à remettre en banque :"), this));
    layout->addWidget(cheques, 1);
    layout->addLayout(accountRow);
    layout->addLayout(buttons);

    connect(cheques, &QListWidget::itemChanged, this, &RemittanceWindow::showSummary);
    connect(printButton, &QPushButton::clicked, this, &RemittanceWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

RemittanceWindow::~RemittanceWindow() = default;

bool RemittanceWindow::load()
{
    prompt_dialog::UserTalk &talk = m_desk.talk();
    const platform::Result<QList<Entry>> waiting = m_desk.journal().undeposited();
    if (!waiting) {
        talk.message(QStringLiteral("Le journal des chèques ne peut pas être lu (%1).").arg(waiting.error()));
        return false;
    }
    if (waiting->isEmpty()) {
        talk.message(QStringLiteral("Tous les chèques imprimés sont déjà remis en banque."));
        return false;
    }
    m_waiting = *waiting;
    const QSignalBlocker quiet(cheques);
    for (const Entry &entry : m_waiting) {
        QString text = QStringLiteral("n° %1 — %2").arg(entry.id).arg(chequeSummary(entry));
        if (!entry.note.isEmpty())
            text += QStringLiteral(" — ") + entry.note;
        auto *item = new QListWidgetItem(text, cheques);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    const platform::Result<QString> kept = m_desk.journal().account();
    if (kept)
        account->setText(*kept);
    showSummary();
    return true;
}

QList<qint64> RemittanceWindow::ticked() const
{
    QList<qint64> ids;
    for (int row = 0; row < cheques->count() && row < m_waiting.size(); ++row) {
        if (cheques->item(row)->checkState() == Qt::Checked)
            ids << m_waiting[row].id;
    }
    return ids;
}

void RemittanceWindow::showSummary()
{
    qint64 cents = 0;
    int count = 0;
    for (int row = 0; row < cheques->count() && row < m_waiting.size(); ++row) {
        if (cheques->item(row)->checkState() == Qt::Checked) {
            cents += m_waiting[row].cents;
            ++count;
        }
    }
    summary->setText(QStringLiteral("%1 chèque%2, total %3")
                         .arg(count)
                         .arg(count > 1 ? QStringLiteral("s") : QString())
                         .arg(frenchEuros(cents)));
}

void RemittanceWindow::print()
{
    if (m_desk.remit(ticked(), account->text()))
        accept();
}

} // namespace journal
