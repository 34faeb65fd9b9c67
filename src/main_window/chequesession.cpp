#include "main_window/chequesession.h"

#include "amount_words/amountwords.h"
#include "amount_words/wordsplit.h"
#include "bank_layouts/banklist.h"
#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "calibration/phases.h"
#include "cheque_reader/serialreader.h"
#include "cheque_reader/ties.h"
#include "journal/chequerecorder.h"
#include "journal/journal.h"
#include "main_window/amountentry.h"
#include "main_window/chequeprinting.h"
#include "main_window/pendingcheque.h"
#include "main_window/settings.h"
#include "main_window/windowside.h"
#include "main_window/workingfolder.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/folder.h"
#include "platform/printingsystem.h"
#include "platform/serialline.h"
#include "printer_choice/printerlist.h"
#include "prompt_dialog/promptrequest.h"
#include "prompt_dialog/usertalk.h"
#include "window_services/suitefile.h"

#include <utility>

namespace main_window {

namespace {

} // namespace

// The session's data as the layout editor and the set-up window see it.
class ChequeSession::EditorSide final : public layout_editor::EditorData
{
public:
    explicit EditorSide(ChequeSession &session)
        : m_session(session)
    {
    }

    calibration::SetupTexts setupTexts() const override { return m_session.setupTexts(); }
    void keepSetupTexts(const calibration::SetupTexts &texts) override { m_session.keepSetupTexts(texts); }
    void runPhase(calibration::Phase phase) override { m_session.runPhase(phase); }
    calibration::SharedJournal sharedJournal() const override { return m_session.sharedJournal(); }
    calibration::ServerTest testServer(const QString &server) override { return m_session.testServer(server); }
    bool keepSharedJournal(const calibration::SharedJournal &shared) override
    {
        return m_session.keepSharedJournal(shared);
    }
    void moveJournal() override { m_session.moveJournal(); }
    calibration::ReaderSetup readerSetup() const override { return m_session.readerSetup(); }
    bool keepReaderSetup(const calibration::ReaderSetup &setup) override { return m_session.keepReaderSetup(setup); }
    bank_layouts::ChequeFields chequeFields() const override { return m_session.chequeFields(); }
    bank_layouts::PrinterOffsets printerOffsets() const override { return m_session.printerOffsets(); }
    platform::PrinterSurface &currentPrinter() override { return m_session.m_printing.currentPrinter(); }
    prompt_dialog::UserTalk &talk() override { return m_session.m_talk; }
    QStringList chequebookTies(const QString &layoutFile) const override
    {
        return cheque_reader::Ties::read(cheque_reader::TiesFileName)
            .valueOr(cheque_reader::Ties())
            .ofLayout(layoutFile);
    }
    bool untieChequebook(const QString &digits) override { return m_session.untieChequebook(digits); }

private:
    ChequeSession &m_session;
};

ChequeSession::ChequeSession(Services services, QObject *parent)
    : QObject(parent)
    , m_clock(services.clock)
    , m_printing(services.printing)
    , m_talk(services.talk)
    , m_cheques(services.cheques)
    , m_tillFolder(services.tillFolder.isEmpty() ? QStringLiteral(".") : services.tillFolder)
    , m_localJournal(services.localJournal.isEmpty() ? journal::JournalFileName : services.localJournal)
    , m_journal(services.journal)
    , m_serial(services.serialReader)
    , m_editorSide(std::make_unique<EditorSide>(*this))
{
}

ChequeSession::~ChequeSession() = default;

void ChequeSession::edit(TypedField field, const QString &text)
{
    switch (field) {
    case TypedField::Date:
        m_fields.date = text;
        break;
    case TypedField::Payee:
        m_fields.payee = text;
        break;
    case TypedField::Place:
        m_fields.place = text;
        break;
    }
}

layout_editor::EditorData &ChequeSession::editorData()
{
    return *m_editorSide;
}

void ChequeSession::startUp()
{
    // Each step stands on its own and says nothing: a missing or unreadable
    // file leaves its fields empty. Only a printer throws (measuring the
    // words); one that fails here is met again, and told, at the first cheque.
    const auto step = [](const auto &action) {
        try {
            action();
        } catch (const platform::PrinterError &) {
        }
        platform::processEvents();
    };

    step([this] { m_printersReady = false; });
    step([this] {
        if (m_window)
            m_window->loadShopPicture();
    });
    step([this] {
        if (m_window)
            m_window->place();
    });
    step([this] {
        applySettings(readSettings(SettingsFileName).valueOr(Settings()));
        // The words of a cheque handed over are written below, before the
        // defaults of a first installation would otherwise be filled in:
        // without them its words would read "DOUZE S".
        applyCurrencyDefaults();
    });
    step([this] { charge_banque(); });
    step([this] {
        if (m_window)
            m_window->useWedgeSettings(readerSettings().wedge);
    });
    step([this] { m_fields.date = m_clock.today().toString(QStringLiteral("dd/MM/yyyy")); });
    // The suite's other programs only need it held open; a failure to open
    // it changes nothing for this program.
    step([this] { (void)window_services::openSuiteFile(m_suiteFile); });
    step([this] { takePendingCheque(); });
    step([this] { converti_txt(); });
    step([this] {
        Q_EMIT fieldsChanged();
        if (m_window)
            m_window->repaintNow();
    });
    // The printer list and the stored printer come after the first paint:
    // preparePrinters().
    step([this] {
        applyCurrencyDefaults();
        Q_EMIT fieldsChanged();
        if (m_fields.place.trimmed().isEmpty() && m_window)
            m_window->showFirstInstallation();
    });
    step([this] {
        if (m_window)
            m_window->armFrontTimer();
    });
}

void ChequeSession::preparePrinters()
{
    if (m_printersReady)
        return;
    // Guarded like the start-up steps: a printer that fails here is met
    // again, and told, at the first cheque.
    try {
        restorePrinter();
    } catch (const platform::PrinterError &) {
    }
    platform::processEvents();
    m_printersReady = true;
    Q_EMIT printersReady();
}

void ChequeSession::tellStartUpProblems()
{
    const QStringList problems = std::exchange(m_startUpProblems, {});
    for (const QString &problem : problems)
        m_talk.message(problem);
}

void ChequeSession::applySettings(const Settings &settings)
{
    m_fields.verticalOffset = settings.verticalOffset;
    m_fields.horizontalOffset = settings.horizontalOffset;
    m_fields.currencyName = settings.currencyName;
    m_fields.hundredthName = settings.hundredthName;
    m_fields.payee = settings.payee;
    m_fields.place = settings.place;
}

Settings ChequeSession::settings() const
{
    return {m_fields.verticalOffset, m_fields.horizontalOffset,
            m_fields.currencyName,   m_fields.hundredthName,
            m_fields.payee,          m_fields.place};
}

void ChequeSession::applyCurrencyDefaults()
{
    if (m_fields.currencyName.trimmed().isEmpty())
        m_fields.currencyName = DefaultCurrencyName;
    if (m_fields.hundredthName.trimmed().isEmpty())
        m_fields.hundredthName = DefaultHundredthName;
}

void ChequeSession::takePendingCheque()
{
    // Read-only will do to show the cheque: the user is then told that it
    // could not be marked taken.
    if (!m_pendingFile.open(PendingChequeFileName, PendingRecordLength,
                            platform::RecordFile::Access::ReadWriteOrReadOnly))
        return;
    const TakenCheque taken = main_window::takePendingCheque(m_pendingFile);
    m_fields.amount = taken.cheque.amount;
    m_amountHandedOver = !taken.cheque.amount.trimmed().isEmpty();
    m_keepOpenAfterPrint = taken.cheque.keepOpen;
    if (!taken.marked && (!taken.cheque.amount.isEmpty() || taken.cheque.keepOpen)) {
        m_startUpProblems << QStringLiteral("Le chèque transmis par le programme de facturation n'a pas pu être "
                                            "marqué comme pris dans le fichier « %1 » (%2).\n\n"
                                            "Le programme de facturation pourra vous le transmettre de nouveau : "
                                            "vérifiez qu'il n'est pas imprimé deux fois.")
                                 .arg(PendingChequeFileName, taken.marked.error());
    }
}

void ChequeSession::restorePrinter()
{
    // The list's own selection changes store nothing while the printers are
    // not ready.
    const printer_choice::RestoredChoice choice =
        printer_choice::restorePrinterChoice(m_printing.printerNames(), m_printing.defaultPrinterName());
    m_printerTable = choice.entries;
    if (m_window)
        m_window->showPrinters(choice.entries, choice.selected);
    if (choice.selected >= 0)
        m_printing.selectPrinter(m_printerTable.at(choice.selected));
}

void ChequeSession::converti_txt()
{
    platform::PrinterSurface &printer = m_printing.currentPrinter();
    const platform::Result<amount_words::Preview> preview = amount_words::converti_txt(
        m_fields.amount, m_fields.currencyName, m_fields.hundredthName, m_window ? m_window->firstLineWidth() : 0.0,
        [&printer](const QString &text) { return printer.textWidth(text); });
    // An amount the words cannot be written for is refused at the bank click.
    if (!preview)
        return;
    m_fields.words = preview->words;
    m_fields.wordsLine1 = preview->line1;
    m_fields.wordsLine2 = preview->line2;
    m_wordsAmount = m_fields.amount;
    Q_EMIT fieldsChanged();
}

bool ChequeSession::wordsMatchAmount() const
{
    return m_fields.amount.trimmed().isEmpty() || m_fields.amount == m_wordsAmount;
}

void ChequeSession::charge_banque()
{
    m_banks = bank_layouts::charge_banque(m_banks);
    if (m_window)
        m_window->showBankButtons(m_banks.faces);
}

void ChequeSession::bankClicked(int index)
{
    if (index < 0 || index >= bank_layouts::BankFileSlots)
        return;
    const QString layoutFile = m_banks.fileAt(index);
    // Every failure of a bank says so first, then why, and what to do.
    const auto undefined = [this](const QString &cause) { m_talk.message(undefinedBank(cause)); };

    if (platform::pointer() == platform::QuestionArrowPointer) {
        // Parameter mode: the click is for the bank's layout. An editor that
        // closed during its own opening wrote nothing: the bank stays
        // undefined and the buttons stay as they are.
        const QStringList buttonFiles(m_banks.files.begin(), m_banks.files.end());
        if (!m_window || !m_window->openLayoutEditor({layoutFile, buttonFiles})) {
            undefined(QStringLiteral("La banque n'a pas été créée."));
            return;
        }
        charge_banque();
        return;
    }
    if (m_fields.amount.trimmed().isEmpty()) {
        m_talk.message(QStringLiteral("Il n'y a pas de montant : le chèque n'est pas imprimé.\n"
                                      "Cliquez d'abord sur le montant du chèque pour l'entrer."));
        return;
    }
    if (!wordsMatchAmount()) {
        // Figures without words would be a cheque the bank refuses.
        m_talk.message(QStringLiteral("Le montant « %1 » ne peut pas être écrit en lettres : le chèque n'est pas "
                                      "imprimé.\nCliquez sur le montant pour le corriger.")
                           .arg(m_fields.amount));
        return;
    }
    if (layoutFile.isEmpty()) {
        undefined(QStringLiteral("Aucune banque n'est associée à ce bouton : cliquez sur 'paramètres' puis sur ce "
                                 "bouton pour la créer."));
        return;
    }

    const journal::Reprinted printed = m_cheques.print(
        {layoutFile, chequeFields(), printerOffsets(),
         m_amountHandedOver ? journal::AmountSource::HandedOver : journal::AmountSource::Typed,
         m_readCheque ? m_readCheque->number : QString(), m_readCheque ? m_readCheque->text() : QString()});
    if (!printed.printed)
        return;
    settleReadCheque(layoutFile);
    if (!m_keepOpenAfterPrint)
        endProgram();
}

QString ChequeSession::bankName(const QString &layoutFile) const
{
    for (int i = 0; i < m_banks.faces.size() && i < bank_layouts::BankFileSlots; ++i) {
        if (m_banks.fileAt(i) == layoutFile && m_banks.faces[i].caption)
            return *m_banks.faces[i].caption;
    }
    return layoutFile;
}

void ChequeSession::chequeRead(const QString &raw)
{
    const platform::Result<cheque_reader::Cmc7Line> line = cheque_reader::readCmc7(raw);
    if (!line) {
        forgetReadCheque();
        m_talk.message(line.error());
        return;
    }
    m_readCheque = *line;
    m_readBank = -1;
    // Read afresh: another till of the folder may have tied it meanwhile.
    const platform::Result<cheque_reader::Ties> ties = cheque_reader::Ties::read(cheque_reader::TiesFileName);
    const QString tied = ties ? ties->layoutOf(cheque_reader::tieDigits(*line, tieDigitsInUse())) : QString();
    for (int i = 0; !tied.isEmpty() && i < bank_layouts::BankFileSlots; ++i) {
        if (m_banks.fileAt(i) == tied) {
            m_readBank = i;
            break;
        }
    }
    if (m_window) {
        m_window->showReadCheque(
            QStringLiteral("Chèque n° %1 – %2")
                .arg(line->number, m_readBank >= 0 ? bankName(tied) : QStringLiteral("cliquez sur sa banque")),
            m_readBank);
    }
    warnOfReadCheque(*line);
}

void ChequeSession::warnOfReadCheque(const cheque_reader::Cmc7Line &line)
{
    journal::Journal *const journal = m_journal ? m_journal->journal() : nullptr;
    if (!journal)
        return;
    const auto when = [](const journal::Entry &entry) {
        const QDateTime &at = entry.cheque.printedAt;
        return QStringLiteral("le %1 à %2")
            .arg(at.toString(QStringLiteral("dd/MM/yyyy")), at.toString(QStringLiteral("H 'h' mm")));
    };
    const platform::Result<std::optional<journal::Entry>> same = journal->withLine(line.text());
    if (same && *same) {
        m_talk.message(QStringLiteral("Ce chèque a déjà été rempli %1").arg(when(**same)));
        return;
    }
    // A chequebook seen again within days may be a stolen one; it may as
    // well be a regular customer's.
    const platform::Result<std::optional<journal::Entry>> book =
        journal->ofChequebook(line.text(), m_clock.now().addDays(-3));
    if (book && *book) {
        m_talk.message(QStringLiteral("Un chèque du même chéquier (n° %1) a été rempli %2 : vérifiez l'identité du "
                                      "client si vous ne le connaissez pas.")
                           .arg((*book)->cheque.chequeNumber, when(**book)));
    }
}

bool ChequeSession::printReadCheque()
{
    if (!m_readCheque || m_readBank < 0)
        return false;
    bankClicked(m_readBank);
    return true;
}

void ChequeSession::forgetReadCheque()
{
    m_readCheque.reset();
    m_readBank = -1;
    if (m_window)
        m_window->showReadCheque(QString(), -1);
}

void ChequeSession::settleReadCheque(const QString &layoutFile)
{
    if (!m_readCheque)
        return;
    const QString digits = cheque_reader::tieDigits(*m_readCheque, tieDigitsInUse());
    forgetReadCheque();
    platform::Result<cheque_reader::Ties> ties = cheque_reader::Ties::read(cheque_reader::TiesFileName);
    if (!ties) {
        m_talk.message(QStringLiteral("Le chéquier n'a pas pu être lié à sa banque : « %1 » ne peut pas être lu (%2).")
                           .arg(cheque_reader::TiesFileName, ties.error()));
        return;
    }
    const QString tied = ties->layoutOf(digits);
    if (tied == layoutFile)
        return;
    if (!tied.isEmpty() &&
        !m_talk.question(QStringLiteral("Les chèques de ce chéquier étaient imprimés sur « %1 ». Les imprimer "
                                        "désormais sur « %2 » ?")
                             .arg(bankName(tied), bankName(layoutFile))))
        return;
    cheque_reader::Ties book = std::move(ties).value();
    book.tie(digits, layoutFile);
    if (const platform::Result<void> kept = book.write(cheque_reader::TiesFileName); !kept)
        m_talk.message(QStringLiteral("Le chéquier n'a pas pu être lié à sa banque dans « %1 » (%2).")
                           .arg(cheque_reader::TiesFileName, kept.error()));
}

journal::MainWindowValues ChequeSession::journalValues() const
{
    journal::MainWindowValues values;
    values.shop = {m_fields.payee, m_fields.place, m_fields.currencyName, m_fields.hundredthName};
    for (int i = 0; i < m_banks.faces.size() && i < bank_layouts::BankFileSlots; ++i) {
        const QString file = m_banks.fileAt(i);
        if (!file.isEmpty())
            values.banks.append({file, m_banks.faces[i].caption.value_or(file)});
    }
    values.verticalOffset = m_fields.verticalOffset;
    values.horizontalOffset = m_fields.horizontalOffset;
    return values;
}

void ChequeSession::amountEntry()
{
    const std::optional<QString> answer =
        m_talk.input(QStringLiteral("Entrez le montant du chèque ?"), m_fields.amount);
    // A cancel keeps the amount, the one the invoicing program handed over
    // above all.
    if (!answer)
        return;
    const platform::Result<QString> amount = amountFromAnswer(*answer);
    if (!amount) {
        m_talk.message(amount.error());
        return;
    }
    if (*amount != m_fields.amount)
        m_amountHandedOver = false;
    m_fields.amount = *amount;
    Q_EMIT fieldsChanged();
    converti_txt();
}

void ChequeSession::parameterCommand()
{
    platform::setPointer(platform::pointer() == platform::QuestionArrowPointer ? platform::ArrowPointer
                                                                               : platform::QuestionArrowPointer);
}

void ChequeSession::printerPicked(int index)
{
    if (!m_printersReady || index < 0 || index >= m_printerTable.size())
        return;
    const platform::Result<void> stored = printer_choice::storePrinterChoice(index, int(m_printerTable.size()));
    platform::processEvents();
    // The pick holds for this run even when it could not be kept for the next.
    m_printing.selectPrinter(m_printerTable.at(index));
    if (!stored) {
        m_talk.message(QStringLiteral("Le choix de l'imprimante n'a pas pu être enregistré dans le fichier "
                                      "« WFICP_IA.WDO » (%1). Il vaut pour cette fois seulement.")
                           .arg(stored.error()));
    }
}

void ChequeSession::toolsCommand()
{
    if (m_window)
        m_window->openPrinterSetup();
}

void ChequeSession::firstInstallationCommand()
{
    if (!m_window)
        return;
    m_window->openPrinterSetup();
    m_window->hideFirstInstallation();
}

calibration::SetupTexts ChequeSession::setupTexts() const
{
    return {m_fields.payee, m_fields.place, m_fields.currencyName, m_fields.hundredthName};
}

void ChequeSession::keepSetupTexts(const calibration::SetupTexts &texts)
{
    const calibration::SetupTexts before = setupTexts();
    m_fields.place = texts.place;
    m_fields.payee = texts.payee;
    m_fields.currencyName = texts.currencyName;
    m_fields.hundredthName = texts.hundredthName;
    Q_EMIT fieldsChanged();
    if (texts.payee != before.payee || texts.place != before.place || texts.currencyName != before.currencyName ||
        texts.hundredthName != before.hundredthName)
        keepSettings(QStringLiteral("Le bénéficiaire, le lieu et les noms de la monnaie"));
}

QString ChequeSession::tillName() const
{
    const QString named = tillNameOf(m_tillFolder).valueOr(QString());
    return named.isEmpty() ? platform::hostName() : named;
}

calibration::SharedJournal ChequeSession::sharedJournal() const
{
    return {journalServerOf(QStringLiteral(".")).valueOr(QString()), tillName()};
}

calibration::ServerTest ChequeSession::testServer(const QString &server)
{
    if (server.trimmed().isEmpty())
        return {false, QStringLiteral("Aucun serveur n'est donné : cette caisse garde son propre journal.")};
    const platform::Result<journal::ServerAddress> address = journal::ServerAddress::parse(server);
    if (!address)
        return {false, QStringLiteral("L'adresse ne convient pas : %1.").arg(address.error())};
    // As the till will open it: its rights to record are part of the test.
    const platform::Result<std::unique_ptr<journal::Journal>> opened =
        journal::Journal::openServer(*address, tillName(), m_clock, journal::Journal::ServerUse::Record);
    const platform::Result<journal::Journal::Census> census =
        opened ? (*opened)->census() : platform::Result<journal::Journal::Census>(opened.failure());
    if (!census)
        return {false, QStringLiteral("Connexion impossible : %1.").arg(census.error())};
    const auto counted = [](qint64 count, const QString &one, const QString &many) {
        return QStringLiteral("%1 %2").arg(journal::frenchCount(quint64(count)), count > 1 ? many : one);
    };
    return {true, QStringLiteral("Connexion réussie : %1, %2")
                      .arg(counted(census->tills, QStringLiteral("caisse"), QStringLiteral("caisses")),
                           counted(census->cheques, QStringLiteral("chèque"), QStringLiteral("chèques")))};
}

bool ChequeSession::keepSharedJournal(const calibration::SharedJournal &shared)
{
    const QString server = shared.server.trimmed();
    if (!server.isEmpty()) {
        if (const platform::Result<journal::ServerAddress> address = journal::ServerAddress::parse(server); !address) {
            m_talk.message(QStringLiteral("L'adresse du journal partagé ne convient pas : %1.\n\nCorrigez-la, ou "
                                          "effacez-la pour que cette caisse garde son propre journal.")
                               .arg(address.error()));
            return false;
        }
    }
    // This machine's name is the default: it is not kept, so that it
    // follows the machine.
    const QString till = shared.till.trimmed() == platform::hostName() ? QString() : shared.till.trimmed();
    if (till != tillNameOf(m_tillFolder).valueOr(QString())) {
        if (const platform::Result<void> kept = keepTillName(m_tillFolder, till); !kept) {
            m_talk.message(QStringLiteral("Le nom de la caisse n'a pas pu être gardé (%1).").arg(kept.error()));
            return false;
        }
        m_cheques.setTill(tillName());
    }
    const platform::Result<QString> before = journalServerOf(QStringLiteral("."));
    // A file that cannot be read is not replaced by nothing.
    if ((before && *before == server) || (!before && server.isEmpty()))
        return true;
    if (const platform::Result<void> kept = keepJournalServer(QStringLiteral("."), server); !kept) {
        m_talk.message(QStringLiteral("Le serveur du journal partagé n'a pas pu être gardé dans « %1 » (%2).")
                           .arg(JournalServerFileName, kept.error()));
        return false;
    }
    m_talk.message(server.isEmpty()
                       ? QStringLiteral("Les caisses de ce dossier reprendront chacune leur propre journal à leur "
                                        "prochain démarrage.")
                       : QStringLiteral("Le journal partagé est gardé pour toutes les caisses de ce dossier : "
                                        "chacune l'utilisera à son prochain démarrage d'Ormeline, celle-ci "
                                        "comprise."));
    return true;
}

namespace {

const cheque_reader::Framing Framings[] = {cheque_reader::Framing::Cr, cheque_reader::Framing::CrLf,
                                           cheque_reader::Framing::StxEtx};

} // namespace

calibration::ReaderSetup ChequeSession::readerSetup() const
{
    const cheque_reader::ReaderSettings kept = readerSettings();
    const cheque_reader::SerialSettings settings = m_serial ? m_serial->settings() : kept.serial;
    calibration::ReaderSetup setup;
    setup.wedgeCharacters = kept.wedge.characters;
    setup.wedgeWithinMs = kept.wedge.withinMs;
    setup.port = settings.port;
    setup.baud = settings.baud;
    setup.ports = platform::serialPorts();
    setup.speeds = cheque_reader::SerialSpeeds;
    for (int i = 0; i < int(std::size(Framings)); ++i) {
        setup.framings << cheque_reader::framingName(Framings[i]);
        if (Framings[i] == settings.framing)
            setup.framing = i;
    }
    setup.state = m_serial ? m_serial->state() : QString();
    const cheque_reader::TieDigits digits =
        cheque_reader::readTieDigits(cheque_reader::TieDigitsFileName).valueOr(cheque_reader::TieDigits());
    setup.tieFrom = digits.from;
    setup.tieCount = digits.count;
    return setup;
}

bool ChequeSession::keepReaderSetup(const calibration::ReaderSetup &setup)
{
    cheque_reader::ReaderSettings settings;
    settings.serial.port = setup.port.trimmed();
    settings.serial.baud = setup.baud;
    settings.serial.framing = Framings[std::clamp(setup.framing, 0, int(std::size(Framings)) - 1)];
    settings.wedge.characters = setup.wedgeCharacters;
    settings.wedge.withinMs = setup.wedgeWithinMs;
    platform::Result<void> kept = platform::makeWritableFolder(m_tillFolder);
    if (kept)
        kept = cheque_reader::writeReaderSettings(
            m_tillFolder + QLatin1Char('/') + cheque_reader::ReaderSettingsFileName, settings);
    if (!kept) {
        m_talk.message(
            QStringLiteral("Le réglage du lecteur de chèques n'a pas pu être gardé (%1).").arg(kept.error()));
        return false;
    }
    if (m_serial)
        m_serial->setSettings(settings.serial);
    if (m_window)
        m_window->useWedgeSettings(settings.wedge);
    return keepTieDigits({setup.tieFrom, setup.tieCount});
}

cheque_reader::ReaderSettings ChequeSession::readerSettings() const
{
    return cheque_reader::readReaderSettings(m_tillFolder + QLatin1Char('/') + cheque_reader::ReaderSettingsFileName)
        .valueOr(cheque_reader::ReaderSettings());
}

bool ChequeSession::untieChequebook(const QString &digits)
{
    platform::Result<cheque_reader::Ties> ties = cheque_reader::Ties::read(cheque_reader::TiesFileName);
    platform::Result<void> kept = ties ? platform::Result<void>() : platform::Result<void>(ties.failure());
    if (ties) {
        cheque_reader::Ties book = std::move(ties).value();
        book.untie(digits);
        kept = book.write(cheque_reader::TiesFileName);
    }
    if (!kept)
        m_talk.message(QStringLiteral("Le chéquier n'a pas pu être oublié dans « %1 » (%2).")
                           .arg(cheque_reader::TiesFileName, kept.error()));
    return kept.ok();
}

cheque_reader::TieDigits ChequeSession::tieDigitsInUse() const
{
    return cheque_reader::readTieDigits(cheque_reader::TieDigitsFileName).valueOr(cheque_reader::TieDigits());
}

bool ChequeSession::keepTieDigits(const cheque_reader::TieDigits &digits)
{
    const platform::Result<cheque_reader::TieDigits> before =
        cheque_reader::readTieDigits(cheque_reader::TieDigitsFileName);
    if (before && *before == digits)
        return true;
    platform::Result<cheque_reader::Ties> ties = cheque_reader::Ties::read(cheque_reader::TiesFileName);
    if (!before || !ties) {
        m_talk.message(QStringLiteral("Les chiffres qui lient un chéquier à sa banque ne sont pas changés : %1.")
                           .arg(before ? ties.error() : before.error()));
        return false;
    }
    cheque_reader::Ties book = std::move(ties).value();
    const int dropped = book.narrow(*before, digits);
    if (dropped < 0) {
        // A wider choice: a tie kept with fewer digits cannot get back those
        // it lost.
        if (!m_talk.question(QStringLiteral("Ces chiffres ne sont pas compris dans les précédents : les chéquiers déjà "
                                            "liés à leur banque ne pourront pas les suivre, et seront à lier de "
                                            "nouveau. Continuer ?")))
            return false;
        book = cheque_reader::Ties();
    }
    platform::Result<void> kept = book.write(cheque_reader::TiesFileName);
    if (kept)
        kept = cheque_reader::writeTieDigits(cheque_reader::TieDigitsFileName, digits);
    if (!kept) {
        m_talk.message(QStringLiteral("Les chiffres qui lient un chéquier à sa banque n'ont pas pu être gardés (%1).")
                           .arg(kept.error()));
        return false;
    }
    if (dropped == 1)
        m_talk.message(QStringLiteral("Un chéquier lié à une autre banque qu'un chéquier aux mêmes chiffres est "
                                      "oublié : il sera à lier de nouveau."));
    else if (dropped > 1)
        m_talk.message(QStringLiteral("%1 chéquiers liés à une autre banque qu'un chéquier aux mêmes chiffres sont "
                                      "oubliés : ils seront à lier de nouveau.")
                           .arg(dropped));
    return true;
}

void ChequeSession::moveJournal()
{
    if (!platform::fileExists(m_localJournal)) {
        m_talk.message(QStringLiteral("Cette caisse n'a pas de journal à envoyer au serveur : « %1 » n'existe pas (il "
                                      "a peut-être déjà été envoyé).")
                           .arg(m_localJournal));
        return;
    }
    if (!m_talk.question(QStringLiteral("Envoyer au serveur du journal partagé les chèques du journal de cette caisse "
                                        "(« %1 »), avec tout leur historique ?\n\nUn chèque déjà envoyé ne l'est pas "
                                        "deux fois ; le fichier est ensuite renommé et gardé.")
                             .arg(m_localJournal)))
        return;
    const platform::Result<journal::Journal::Moved> moved = m_cheques.takeIn(m_localJournal);
    if (!moved) {
        m_talk.message(QStringLiteral("Le journal de cette caisse n'a pas été envoyé (%1).").arg(moved.error()));
        return;
    }
    const auto cheques = [](int count) {
        return count > 1 ? QStringLiteral("%1 chèques").arg(count) : QStringLiteral("%1 chèque").arg(count);
    };
    m_talk.message(QStringLiteral("Le journal de cette caisse est envoyé au serveur : %1 ajouté%2 avec leur "
                                  "historique, %3 déjà là.\n\nLe fichier est gardé sous le nom « %4 ».")
                       .arg(cheques(moved->added), moved->added > 1 ? QStringLiteral("s") : QString(),
                            cheques(moved->alreadyThere), moved->keptAs));
}

void ChequeSession::runPhase(calibration::Phase phase)
{
    platform::PrinterSurface &printer = m_printing.currentPrinter();
    std::optional<calibration::PrinterOffsets> offsets;
    switch (phase) {
    case calibration::Phase::TestCheques:
        calibration::phase1TestCheques(printer, m_talk);
        break;
    case calibration::Phase::BasePositioning:
        offsets = calibration::phase2BasePositioning(printer, m_talk);
        break;
    case calibration::Phase::FinalAdjustment:
        offsets = calibration::phase3FinalAdjustment(printer, m_talk, printerOffsets());
        break;
    }
    if (offsets)
        keepOffsets(offsets->vertical, offsets->horizontal);
}

bank_layouts::ChequeFields ChequeSession::chequeFields() const
{
    return {m_fields.amount, m_fields.words, m_fields.payee, m_fields.place, m_fields.date};
}

bank_layouts::PrinterOffsets ChequeSession::printerOffsets() const
{
    return {m_fields.verticalOffset, m_fields.horizontalOffset};
}

void ChequeSession::keepOffsets(const QString &vertical, const QString &horizontal)
{
    m_fields.verticalOffset = vertical;
    m_fields.horizontalOffset = horizontal;
    Q_EMIT fieldsChanged();
    keepSettings(QStringLiteral("Les nouveaux décalages de l'imprimante"));
}

void ChequeSession::keepSettings(const QString &what)
{
    // At once: a cheque printed next ends the program without the exit that
    // would otherwise write them.
    const platform::Result<void> written = writeSettings(SettingsFileName, settings());
    if (!written) {
        m_talk.message(QStringLiteral("%1 n'ont pas pu être enregistrés dans le fichier « %2 » (%3).\n\n"
                                      "Ils servent pour les chèques de cette fois ; le bouton Fin essaiera de "
                                      "nouveau de les enregistrer.")
                           .arg(what, SettingsFileName, written.error()));
    }
}

bool ChequeSession::exitProgram()
{
    const platform::Result<void> written = writeSettings(SettingsFileName, settings());
    if (!written) {
        // The offsets, payee and place would be lost without a word: say so
        // and let the user keep the window open to try again.
        const bool quit = m_talk.question(
            QStringLiteral("Les réglages n'ont pas pu être enregistrés dans le fichier « %1 » (%2).\n\n"
                           "Vos modifications du bénéficiaire, du lieu et des décalages seront perdues.\n"
                           "Quitter quand même ?")
                .arg(SettingsFileName, written.error()));
        if (!quit)
            return false;
    }
    endProgram();
    return true;
}

void ChequeSession::endProgram()
{
    m_pendingFile.close();
    m_suiteFile.close();
    m_ended = true;
    Q_EMIT programEnded();
}

} // namespace main_window
