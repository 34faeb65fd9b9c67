#include "main_window/chequesession.h"

#include "amount_words/amountwords.h"
#include "amount_words/wordsplit.h"
#include "bank_layouts/banklist.h"
#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "calibration/phases.h"
#include "journal/chequerecorder.h"
#include "main_window/amountentry.h"
#include "main_window/globals.h"
#include "main_window/pendingcheque.h"
#include "main_window/settings.h"
#include "main_window/windowside.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/printingsystem.h"
#include "printer_choice/printerlist.h"
#include "prompt_dialog/globals.h"
#include "prompt_dialog/promptrequest.h"
#include "prompt_dialog/usertalk.h"
#include "window_services/suitefile.h"

#include <utility>

namespace main_window {

namespace {

const QString UndefinedBank = QStringLiteral("Cette banque n'est pas définie !");

} // namespace

ChequeSession::ChequeSession(Services services, QObject *parent)
    : QObject(parent)
    , m_clock(services.clock)
    , m_printing(services.printing)
    , m_talk(services.talk)
    , m_recorder(services.recorder)
{
}

ChequeSession::~ChequeSession() = default;

void ChequeSession::setDate(const QString &date)
{
    m_fields.date = date;
}

void ChequeSession::setPayee(const QString &payee)
{
    m_fields.payee = payee;
}

void ChequeSession::setPlace(const QString &place)
{
    m_fields.place = place;
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

    step([] { PrintersReady = false; });
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
    if (PrintersReady)
        return;
    // Guarded like the start-up steps: a printer that fails here is met
    // again, and told, at the first cheque.
    try {
        restorePrinter();
    } catch (const platform::PrinterError &) {
    }
    platform::processEvents();
    PrintersReady = true;
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
    KeepOpenAfterPrint = taken.cheque.keepOpen;
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
    // The list's own selection changes store nothing while PrintersReady is
    // false.
    const printer_choice::RestoredChoice choice =
        printer_choice::restorePrinterChoice(m_printing.printerNames(), m_printing.defaultPrinterName());
    if (m_window)
        m_window->showPrinters(choice.entries, choice.selected);
    if (choice.selected >= 0)
        m_printing.selectPrinter(printer_choice::PrinterTable.at(choice.selected));
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
    m_bankFaces = bank_layouts::charge_banque();
    if (m_window)
        m_window->showBankButtons(m_bankFaces);
}

void ChequeSession::bankClicked(int index)
{
    using namespace bank_layouts;
    if (index < 0 || index >= BankFileSlots)
        return;
    SelectedBankFile = BankFiles[std::size_t(index)];
    // Every failure of a bank says so first, then why, and what to do.
    const auto undefined = [this](const QString &cause) { m_talk.message(UndefinedBank + QLatin1Char('\n') + cause); };

    if (platform::pointer() == platform::QuestionArrowPointer) {
        // Parameter mode: the click is for the bank's layout. An editor that
        // closed during its own opening wrote nothing: the bank stays
        // undefined and the buttons stay as they are.
        if (!m_window || !m_window->openLayoutEditor()) {
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
    if (SelectedBankFile.isEmpty()) {
        undefined(QStringLiteral("Aucune banque n'est associée à ce bouton : cliquez sur 'paramètres' puis sur ce "
                                 "bouton pour la créer."));
        return;
    }

    const journal::Reprinted printed =
        printOnBank(SelectedBankFile, chequeFields(),
                    m_amountHandedOver ? journal::AmountSource::HandedOver : journal::AmountSource::Typed);
    if (!printed.printed)
        return;
    if (!KeepOpenAfterPrint)
        endProgram();
}

journal::Reprinted ChequeSession::printOnBank(const QString &layoutFile, const bank_layouts::ChequeFields &fields,
                                              journal::AmountSource source)
{
    using namespace bank_layouts;
    const auto undefined = [this](const QString &cause) { m_talk.message(UndefinedBank + QLatin1Char('\n') + cause); };
    journal::Reprinted outcome;
    platform::PrinterSurface &printer = m_printing.currentPrinter();
    const platform::Result<Layout> layout = readWholeLayout(layoutFile);
    if (!layout) {
        undefined(QStringLiteral("Le fichier « %1 » ne peut pas être lu (%2) : corrigez-le avec 'paramètres', "
                                 "puis un clic sur ce bouton.")
                      .arg(layoutFile, layout.error()));
        return outcome;
    }
    const QString bankName = layout->bankName;
    printer.setDocumentName(
        QStringLiteral("Chèque %1 € – %2").arg(amount_words::amountFigures(fields.amount), bankName));
    // Written down before the page is handed over, so that no page can come
    // out unrecorded whatever the moment the program is stopped; confirmed
    // once the printing system has taken it.
    journal::PrintedCheque cheque;
    std::optional<qint64> written;
    QString unrecorded;
    const auto handingOver = [&](const amount_words::SplitLines &lines) {
        cheque = printedCheque(layoutFile, bankName, fields, lines, source);
        const platform::Result<qint64> recorded = m_recorder.recordHandingOver(cheque);
        if (recorded)
            written = *recorded;
        else
            unrecorded = recorded.error();
    };
    try {
        printCheque(printer, *layout, printerOffsets(), fields, handingOver);
    } catch (const LayoutFontError &error) {
        // Refused before anything was drawn or written down.
        undefined(QStringLiteral("La police du fichier « %1 » ne convient pas à l'imprimante (%2) : corrigez-la avec "
                                 "'paramètres', puis un clic sur ce bouton.")
                      .arg(layoutFile, error.message()));
        return outcome;
    } catch (const platform::PrinterError &error) {
        if (written) {
            const platform::Result<void> marked = m_recorder.markNotPrinted(
                *written, QStringLiteral("l'imprimante a refusé le chèque : %1").arg(error.message()));
            if (!marked) {
                m_talk.message(QStringLiteral("Le chèque n'est pas sorti, mais le journal des chèques n'a pas pu le "
                                              "noter (%1) : il y reste « à vérifier ».")
                                   .arg(marked.error()));
            }
        }
        if (m_printing.printerNames().isEmpty())
            undefined(QStringLiteral("Aucune imprimante n'est installée : ajoutez-en une à l'ordinateur, puis "
                                     "choisissez-la dans la liste « Choix de l'Imprimante »."));
        else
            undefined(QStringLiteral("Le chèque n'a pas été imprimé : %1.").arg(error.message()));
        return outcome;
    }
    outcome.printed = true;
    if (!written) {
        m_talk.message(journal::notRecordedMessage(cheque, unrecorded));
        return outcome;
    }
    const platform::Result<qint64> confirmed = m_recorder.confirmPrinted(*written, cheque);
    if (confirmed) {
        outcome.id = *confirmed;
    } else {
        m_talk.message(QStringLiteral("Le chèque est parti vers l'imprimante, mais le journal des chèques n'a pas pu "
                                      "le noter (%1) : il y reste « à vérifier ».\n\nVérifiez qu'il est bien sorti.")
                           .arg(confirmed.error()));
    }
    return outcome;
}

journal::PrintedCheque ChequeSession::printedCheque(const QString &layoutFile, const QString &bankName,
                                                    const bank_layouts::ChequeFields &fields,
                                                    const amount_words::SplitLines &lines,
                                                    journal::AmountSource source) const
{
    journal::PrintedCheque cheque;
    cheque.printedAt = m_clock.now();
    cheque.date = fields.date;
    cheque.amount = amount_words::amountFigures(fields.amount);
    cheque.wordsLine1 = lines.first;
    cheque.wordsLine2 = lines.second;
    cheque.payee = fields.payee;
    cheque.place = fields.place;
    cheque.bankName = bankName;
    cheque.layoutFile = layoutFile;
    cheque.printer = m_printing.currentPrinter().printerName();
    cheque.source = source;
    return cheque;
}

journal::ShopTexts ChequeSession::shopTexts() const
{
    return {m_fields.payee, m_fields.place, m_fields.currencyName, m_fields.hundredthName};
}

QList<journal::BankChoice> ChequeSession::bankChoices() const
{
    QList<journal::BankChoice> banks;
    for (int i = 0; i < m_bankFaces.size() && i < bank_layouts::BankFileSlots; ++i) {
        const QString &file = bank_layouts::BankFiles[std::size_t(i)];
        if (!file.isEmpty())
            banks.append({file, m_bankFaces[i].caption.value_or(file)});
    }
    return banks;
}

journal::Reprinted ChequeSession::printAgain(const journal::PrintedCheque &cheque, const QString &layoutFile)
{
    // The words are written again from the figures, with today's currency
    // names: the bank's layout may split them otherwise than the first time.
    const platform::Result<QString> accepted = amount_words::acceptAmountText(cheque.amount);
    if (!accepted) {
        m_talk.message(QStringLiteral("Le montant « %1 » ne peut pas être écrit en lettres : le chèque n'est pas "
                                      "imprimé.")
                           .arg(cheque.amount));
        return {};
    }
    QString digits = *accepted;
    const QString words = amount_words::ConvertitLettres2(digits, m_fields.currencyName, m_fields.hundredthName);
    const bank_layouts::ChequeFields fields{cheque.amount, words, cheque.payee, cheque.place, cheque.date};
    return printOnBank(layoutFile, fields, cheque.source);
}

platform::PrinterSurface &ChequeSession::currentPrinter()
{
    return m_printing.currentPrinter();
}

void ChequeSession::journalCommand()
{
    if (m_window)
        m_window->openJournal();
}

void ChequeSession::amountEntry()
{
    const QString answer = m_talk.input(QStringLiteral("Entrez le montant du chèque ?"), m_fields.amount);
    // A cancel keeps the amount, the one the invoicing program handed over
    // above all.
    if (prompt_dialog::PromptValue == prompt_dialog::AnswerCancel)
        return;
    const platform::Result<QString> amount = amountFromAnswer(answer);
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
    if (!PrintersReady || index < 0 || index >= printer_choice::PrinterTable.size())
        return;
    const platform::Result<void> stored = printer_choice::storePrinterChoice(index);
    platform::processEvents();
    // The pick holds for this run even when it could not be kept for the next.
    m_printing.selectPrinter(printer_choice::PrinterTable.at(index));
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

void ChequeSession::runPhase(calibration::Phase phase)
{
    switch (phase) {
    case calibration::Phase::TestCheques:
        calibrationPhase1();
        break;
    case calibration::Phase::BasePositioning:
        calibrationPhase2();
        break;
    case calibration::Phase::FinalAdjustment:
        calibrationPhase3();
        break;
    }
}

bank_layouts::ChequeFields ChequeSession::chequeFields() const
{
    return {m_fields.amount, m_fields.words, m_fields.payee, m_fields.place, m_fields.date};
}

bank_layouts::PrinterOffsets ChequeSession::printerOffsets() const
{
    return {m_fields.verticalOffset, m_fields.horizontalOffset};
}

void ChequeSession::calibrationPhase1()
{
    calibration::phase1TestCheques(m_printing.currentPrinter(), m_talk);
}

void ChequeSession::calibrationPhase2()
{
    const std::optional<bank_layouts::PrinterOffsets> offsets =
        calibration::phase2BasePositioning(m_printing.currentPrinter(), m_talk);
    if (offsets)
        keepOffsets(offsets->vertical, offsets->horizontal);
}

void ChequeSession::calibrationPhase3()
{
    const std::optional<bank_layouts::PrinterOffsets> offsets =
        calibration::phase3FinalAdjustment(m_printing.currentPrinter(), m_talk, printerOffsets());
    if (offsets)
        keepOffsets(offsets->vertical, offsets->horizontal);
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
