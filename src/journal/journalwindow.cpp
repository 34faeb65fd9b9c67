#include "journal/journalwindow.h"

#include "journal/journaldesk.h"
#include "journal/journalmodel.h"
#include "journal/remittancewindow.h"
#include "prompt_dialog/usertalk.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace journal {

namespace {

// A date field that takes a date typed as people write it, "9/12/2026" as
// well as "09/12/2026", and shows it as JJ/MM/AAAA. QDateEdit's own typing
// goes section by section and takes the "/" after a lone day digit for the
// end of the date: typing here is plain text, read once it makes a date.
class DayEdit : public QDateEdit
{
public:
    DayEdit(const QDate &date, QWidget *parent)
        : QDateEdit(date, parent)
    {
        connect(this, &QAbstractSpinBox::editingFinished, this, [this] { m_typing = false; });
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString typed = event->text();
        if (typed.size() != 1 || (!typed[0].isDigit() && typed[0] != QLatin1Char('/'))) {
            QDateEdit::keyPressEvent(event);
            return;
        }
        // The first character typed starts the date afresh.
        if (!m_typing)
            lineEdit()->selectAll();
        m_typing = true;
        // Straight to the text, past QDateEdit's sections.
        QAbstractSpinBox::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        QDateEdit::focusOutEvent(event);
        m_typing = false;
    }

    QValidator::State validate(QString &input, int &pos) const override
    {
        const QDate typed = typedDate(input);
        if (typed.isValid())
            return typed >= minimumDate() && typed <= maximumDate() ? QValidator::Acceptable : QValidator::Invalid;
        static const QRegularExpression partial(QStringLiteral("^[0-9]{0,2}(/([0-9]{0,2}(/[0-9]{0,4})?)?)?$"));
        if (m_typing && partial.match(input).hasMatch())
            return QValidator::Intermediate;
        return QDateEdit::validate(input, pos);
    }

    QDateTime dateTimeFromText(const QString &text) const override
    {
        const QDate typed = typedDate(text);
        return typed.isValid() ? QDateTime(typed, QTime(0, 0)) : QDateEdit::dateTimeFromText(text);
    }

private:
    static QDate typedDate(const QString &text) { return QDate::fromString(text, QStringLiteral("d/M/yyyy")); }

    bool m_typing = false;
};

QDateEdit *dateEdit(QWidget *parent, const QString &name, const QDate &date)
{
    auto *edit = new DayEdit(date, parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text)
{
    auto *made = new QPushButton(text, parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

} // namespace

JournalWindow::JournalWindow(JournalDesk &desk, QWidget *parent)
    : QDialog(parent)
    , m_desk(desk)
{
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(QStringLiteral("Journal des chèques"));
    resize(980, 560);

    const Filter today = desk.todaysFilter();
    from = dateEdit(this, QStringLiteral("from"), today.from);
    to = dateEdit(this, QStringLiteral("to"), today.to);
    bankFilter = new QComboBox(this);
    bankFilter->setObjectName(QStringLiteral("bankFilter"));
    statusFilter = new QComboBox(this);
    statusFilter->setObjectName(QStringLiteral("statusFilter"));
    statusFilter->addItem(QStringLiteral("Tous les états"), -1);
    for (const Status status :
         {Status::Printed, Status::Spoiled, Status::Cancelled, Status::Deposited, Status::Unconfirmed})
        statusFilter->addItem(statusLabel(status), int(status));
    tillFilter = new QComboBox(this);
    tillFilter->setObjectName(QStringLiteral("tillFilter"));
    tillLabel = new QLabel(QStringLiteral("Caisse"), this);
    findNumber = new QLineEdit(this);
    findNumber->setObjectName(QStringLiteral("findNumber"));
    findNumber->setPlaceholderText(QStringLiteral("N° de chèque"));
    findNumber->setClearButtonEnabled(true);
    findNumber->setMaximumWidth(130);

    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Du"), this));
    filters->addWidget(from);
    filters->addWidget(new QLabel(QStringLiteral("au"), this));
    filters->addWidget(to);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("Banque"), this));
    filters->addWidget(bankFilter, 1);
    filters->addWidget(tillLabel);
    filters->addWidget(tillFilter);
    filters->addWidget(findNumber);
    filters->addWidget(new QLabel(QStringLiteral("État"), this));
    filters->addWidget(statusFilter);

    m_model = new JournalModel(desk.journal(), this);
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("table"));
    table->setModel(m_model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // One line a cheque: what does not fit ends in "…", whole in its tip.
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    // A header sorts the whole journal the filter keeps, not the rows read
    // so far; newest first to begin with.
    table->horizontalHeader()->setSortIndicator(JournalModel::PrintedAt, Qt::DescendingOrder);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setSectionsClickable(true);
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, m_model, &JournalModel::sort);
    // Sized once, from the longest text each column usually holds: sizing
    // to the contents would read rows. The note gets what is left.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const QFontMetrics metrics = table->fontMetrics();
    const auto widthOf = [&metrics](const QString &text) {
        return metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth();
    };
    const QString longestState = QStringLiteral("remis (remise 12 du 09/12/2026), remplace le n° 1234");
    const std::pair<int, QString> columns[] = {
        {JournalModel::Id, QStringLiteral("12345")},
        {JournalModel::PrintedAt, QStringLiteral("09/12/2026 09:30")},
        {JournalModel::Date, QStringLiteral("09/12/2026")},
        {JournalModel::Amount, QStringLiteral("99 999,99 €")},
        {JournalModel::Bank, QStringLiteral("Banque Populaire")},
        {JournalModel::Payee, QStringLiteral("Fromagerie Dupont")},
        {JournalModel::Standing, longestState},
        {JournalModel::Till, QStringLiteral("Caisse du fond")},
        {JournalModel::ChequeNumber, QStringLiteral("N° de chèque")},
        // At least its title: stretched over what is left, it is never
        // narrower than the width it had.
        {JournalModel::Note, QStringLiteral("Note")},
    };
    for (const auto &[column, longest] : columns)
        table->setColumnWidth(column, widthOf(longest));

    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);

    reprintBank = new QComboBox(this);
    reprintBank->setObjectName(QStringLiteral("reprintBank"));
    for (const BankChoice &bank : desk.mainWindow().banks)
        reprintBank->addItem(bank.name, bank.layoutFile);
    reprintButton = button(this, QStringLiteral("reprintButton"), QStringLiteral("Réimprimer"));
    spoiledButton = button(this, QStringLiteral("spoiledButton"), QStringLiteral("Gâché"));
    cancelButton = button(this, QStringLiteral("cancelButton"), QStringLiteral("Annuler"));
    noteButton = button(this, QStringLiteral("noteButton"), QStringLiteral("Note"));
    settleButton = button(this, QStringLiteral("settleButton"), QStringLiteral("Sorti ?"));
    remitButton = button(this, QStringLiteral("remitButton"), QStringLiteral("Remise en banque"));
    exportButton = button(this, QStringLiteral("exportButton"), QStringLiteral("Exporter"));
    closeButton = button(this, QStringLiteral("closeButton"), QStringLiteral("Fermer"));

    auto *commands = new QHBoxLayout;
    commands->addWidget(new QLabel(QStringLiteral("Réimprimer sur"), this));
    commands->addWidget(reprintBank, 1);
    commands->addWidget(reprintButton);
    commands->addWidget(spoiledButton);
    commands->addWidget(cancelButton);
    commands->addWidget(noteButton);
    commands->addWidget(settleButton);
    commands->addSpacing(12);
    commands->addWidget(remitButton);
    commands->addWidget(exportButton);
    commands->addWidget(closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table, 1);
    layout->addWidget(summary);
    layout->addLayout(commands);

    connect(from, &QDateEdit::dateChanged, this, &JournalWindow::applyFilter);
    connect(to, &QDateEdit::dateChanged, this, &JournalWindow::applyFilter);
    connect(bankFilter, &QComboBox::activated, this, &JournalWindow::applyFilter);
    connect(tillFilter, &QComboBox::activated, this, &JournalWindow::applyFilter);
    // A cheque found by its number, whatever its dates; the dates again
    // once the number is cleared.
    connect(findNumber, &QLineEdit::editingFinished, this, &JournalWindow::applyFilter);
    connect(statusFilter, &QComboBox::activated, this, &JournalWindow::applyFilter);
    connect(reprintButton, &QPushButton::clicked, this, &JournalWindow::reprint);
    connect(spoiledButton, &QPushButton::clicked, this, [this] { onPicked(&JournalDesk::markSpoiled); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { onPicked(&JournalDesk::cancel); });
    connect(noteButton, &QPushButton::clicked, this, [this] { onPicked(&JournalDesk::editNote); });
    connect(settleButton, &QPushButton::clicked, this, [this] { onPicked(&JournalDesk::settle); });
    connect(remitButton, &QPushButton::clicked, this, &JournalWindow::remit);
    connect(exportButton, &QPushButton::clicked, this, &JournalWindow::exportRows);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_model, &QAbstractItemModel::modelReset, this, &JournalWindow::pickedChanged);

    fillFilters();
    applyFilter();
    // The window as wide as the columns shown: no wider than the main window.
    int columnsWidth = 0;
    for (int column = 0; column < JournalModel::ColumnCount; ++column)
        columnsWidth += table->isColumnHidden(column) ? 0 : table->columnWidth(column);
    resize(std::max(width(), columnsWidth + table->verticalScrollBar()->sizeHint().width() + 24), height());

    // What another till prints, spoils or remits shows here as it happens;
    // a burst of changes is read once.
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(200);
    connect(m_refresh, &QTimer::timeout, this, &JournalWindow::refresh);
    desk.journal().watch(this, [this] { m_refresh->start(); });
}

JournalWindow::~JournalWindow() = default;

namespace {

// A filter's choices read again, the one shown kept when it is still there.
void refill(QComboBox *filter, const QString &all, const platform::Result<QStringList> &names)
{
    const QString shown = filter->currentIndex() > 0 ? filter->currentText() : QString();
    filter->clear();
    filter->addItem(all);
    if (names)
        filter->addItems(*names);
    filter->setCurrentIndex(std::max(0, filter->findText(shown)));
}

} // namespace

void JournalWindow::fillFilters()
{
    refill(bankFilter, QStringLiteral("Toutes les banques"), m_desk.journal().bankNames());
    const platform::Result<QStringList> tills = m_desk.journal().tillNames();
    refill(tillFilter, QStringLiteral("Toutes les caisses"), tills);
    // A shop of one till has nothing to choose between.
    const bool several = tills && tills->size() > 1;
    tillLabel->setVisible(several);
    tillFilter->setVisible(several);
    table->setColumnHidden(JournalModel::Till, !several);
    const bool numbered = m_desk.journal().hasChequeNumbers().valueOr(false);
    findNumber->setVisible(numbered);
    table->setColumnHidden(JournalModel::ChequeNumber, !numbered);
}

void JournalWindow::refresh()
{
    const Entry *entry = picked();
    const qint64 id = entry ? entry->id : 0;
    const int scrolled = table->verticalScrollBar()->value();
    fillFilters();
    m_model->reload();
    showSummary();
    for (int row = 0; id != 0 && row < m_model->rowCount(); ++row) {
        if (m_model->entryAt(row)->id == id) {
            table->selectRow(row);
            break;
        }
    }
    table->verticalScrollBar()->setValue(scrolled);
}

void JournalWindow::applyFilter()
{
    Filter filter;
    filter.from = from->date();
    filter.to = to->date();
    if (bankFilter->currentIndex() > 0)
        filter.bankName = bankFilter->currentText();
    if (tillFilter->currentIndex() > 0)
        filter.till = tillFilter->currentText();
    filter.chequeNumber = findNumber->text().trimmed();
    if (!filter.chequeNumber.isEmpty())
        filter.from = filter.to = QDate();
    const int status = statusFilter->currentData().toInt();
    if (status >= 0)
        filter.status = Status(status);
    m_model->setFilter(filter);
    showSummary();
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &JournalWindow::pickedChanged,
            Qt::UniqueConnection);
}

void JournalWindow::showSummary()
{
    if (!m_model->error().isEmpty()) {
        summary->setText(QStringLiteral("Le journal ne peut pas être lu : %1").arg(m_model->error()));
        return;
    }
    const platform::Result<Totals> totals = m_desk.journal().totals(m_model->filter());
    if (!totals) {
        summary->setText(QStringLiteral("Le journal ne peut pas être lu : %1").arg(totals.error()));
        return;
    }
    summary->setText(totalsSummary(*totals));
}

const Entry *JournalWindow::picked() const
{
    const QModelIndex current = table->selectionModel() ? table->selectionModel()->currentIndex() : QModelIndex();
    return current.isValid() ? m_model->entryAt(current.row()) : nullptr;
}

void JournalWindow::pickedChanged()
{
    const Entry *entry = picked();
    using Command = JournalDesk::Command;
    const std::pair<QPushButton *, Command> commands[] = {{reprintButton, Command::Reprint},
                                                          {spoiledButton, Command::Spoil},
                                                          {cancelButton, Command::Cancel},
                                                          {noteButton, Command::Note},
                                                          {settleButton, Command::Settle}};
    for (const auto &[button, command] : commands) {
        // Offered where the desk would take it; where not, the tip says why.
        const std::optional<QString> refused =
            entry ? JournalDesk::refusal(command, *entry) : std::optional<QString>(QString());
        button->setEnabled(!refused);
        button->setToolTip(refused.value_or(QString()));
    }
    if (!entry)
        return;
    const int bank = JournalDesk::defaultBank(*entry, m_desk.mainWindow().banks);
    if (bank >= 0)
        reprintBank->setCurrentIndex(bank);
}

void JournalWindow::onPicked(bool (JournalDesk::*command)(qint64))
{
    const Entry *entry = picked();
    if (!entry)
        return;
    const int row = table->currentIndex().row();
    if ((m_desk.*command)(entry->id)) {
        m_model->reload();
        showSummary();
        table->selectRow(row);
    }
}

void JournalWindow::reprint()
{
    const Entry *entry = picked();
    if (!entry)
        return;
    if (m_desk.reprint(entry->id, reprintBank->currentData().toString())) {
        fillFilters();
        m_model->reload();
        showSummary();
    }
}

void JournalWindow::remit()
{
    RemittanceWindow remittance(m_desk, this);
    if (!remittance.load())
        return;
    if (remittance.exec() == QDialog::Accepted) {
        m_model->reload();
        showSummary();
    }
}

void JournalWindow::exportRows()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exporter le journal"),
        QStringLiteral("journal_%1_%2.csv")
            .arg(from->date().toString(QStringLiteral("yyyyMMdd")), to->date().toString(QStringLiteral("yyyyMMdd"))),
        QStringLiteral("Fichiers CSV (*.csv)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        m_desk.exportTo(m_model->filter(), path);
}

} // namespace journal
