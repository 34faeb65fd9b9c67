#include "main_window/chequeprinting.h"

#include "amount_words/amountwords.h"
#include "bank_layouts/layoutfile.h"
#include "journal/chequerecorder.h"
#include "platform/clock.h"
#include "platform/printingsystem.h"
#include "prompt_dialog/usertalk.h"

#include <optional>

namespace main_window {

ChequePrinting::ChequePrinting(Services services)
    : m_clock(services.clock)
    , m_printing(services.printing)
    , m_talk(services.talk)
    , m_recorder(services.recorder)
{
}

QString undefinedBank(const QString &cause)
{
    return QStringLiteral("Cette banque n'est pas définie !\n") + cause;
}

journal::Reprinted ChequePrinting::print(const Cheque &request)
{
    using namespace bank_layouts;
    const QString &layoutFile = request.layoutFile;
    const ChequeFields &fields = request.fields;
    journal::Reprinted outcome;
    platform::PrinterSurface &printer = m_printing.currentPrinter();
    const platform::Result<Layout> layout = readWholeLayout(layoutFile);
    if (!layout) {
        m_talk.message(
            undefinedBank(QStringLiteral("Le fichier « %1 » ne peut pas être lu (%2) : corrigez-le avec 'paramètres', "
                                         "puis un clic sur ce bouton.")
                              .arg(layoutFile, layout.error())));
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
        cheque = printedCheque(request, bankName, lines);
        const platform::Result<qint64> recorded = m_recorder.recordHandingOver(cheque);
        if (recorded)
            written = *recorded;
        else
            unrecorded = recorded.error();
    };
    try {
        printCheque(printer, *layout, request.offsets, fields, handingOver);
    } catch (const LayoutFontError &error) {
        // Refused before anything was drawn or written down.
        m_talk.message(undefinedBank(
            QStringLiteral("La police du fichier « %1 » ne convient pas à l'imprimante (%2) : corrigez-la "
                           "avec 'paramètres', puis un clic sur ce bouton.")
                .arg(layoutFile, error.message())));
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
            m_talk.message(
                undefinedBank(QStringLiteral("Aucune imprimante n'est installée : ajoutez-en une à l'ordinateur, puis "
                                             "choisissez-la dans la liste « Choix de l'Imprimante ».")));
        else
            m_talk.message(undefinedBank(QStringLiteral("Le chèque n'a pas été imprimé : %1.").arg(error.message())));
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

int ChequePrinting::sendWaiting()
{
    return m_recorder.sendWaiting();
}

void ChequePrinting::setTill(const QString &till)
{
    m_recorder.setTill(till);
}

platform::Result<journal::Journal::Moved> ChequePrinting::takeIn(const QString &path)
{
    return m_recorder.takeIn(path);
}

journal::PrintedCheque ChequePrinting::printedCheque(const Cheque &request, const QString &bankName,
                                                     const amount_words::SplitLines &lines) const
{
    journal::PrintedCheque cheque;
    cheque.printedAt = m_clock.now();
    cheque.date = request.fields.date;
    cheque.amount = amount_words::amountFigures(request.fields.amount);
    cheque.wordsLine1 = lines.first;
    cheque.wordsLine2 = lines.second;
    cheque.payee = request.fields.payee;
    cheque.place = request.fields.place;
    cheque.bankName = bankName;
    cheque.layoutFile = request.layoutFile;
    cheque.printer = m_printing.currentPrinter().printerName();
    cheque.source = request.source;
    cheque.chequeNumber = request.chequeNumber;
    cheque.cmc7 = request.cmc7;
    return cheque;
}

journal::Reprinted ChequePrinting::printAgain(const journal::PrintedCheque &cheque, const QString &layoutFile,
                                              const journal::MainWindowValues &mainWindow)
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
    const QString words =
        amount_words::ConvertitLettres2(digits, mainWindow.shop.currencyName, mainWindow.shop.hundredthName);
    const bank_layouts::ChequeFields fields{cheque.amount, words, cheque.payee, cheque.place, cheque.date};
    return print({layoutFile, fields, {mainWindow.verticalOffset, mainWindow.horizontalOffset}, cheque.source});
}

platform::PrinterSurface &ChequePrinting::currentPrinter()
{
    return m_printing.currentPrinter();
}

} // namespace main_window
