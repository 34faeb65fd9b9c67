#include "calibration/phases.h"

#include "common/numeric.h"
#include "platform/printersurface.h"
#include "prompt_dialog/promptrequest.h"
#include "prompt_dialog/usertalk.h"

#include <QRegularExpression>

#include <cmath>

namespace calibration {

namespace {

using platform::printAt;
using platform::PrinterSurface;

// The sheet of mock cheques, in twips. Each cheque is 175 x 80 mm; the three
// touch, one under the other.
constexpr double ChequeLeft = 1000;
constexpr double FirstChequeTop = 1000;
constexpr double ChequeHeight = 4536;
constexpr double ChequeWidth = 9922;
constexpr double Millimetre = common::TwipsPerMm;
constexpr int TicksPerScale = 36;

// The grid of phase 2: 21 rows of 34 squares of 500 twips.
constexpr int GridRows = 21;
constexpr int GridColumns = 34;
constexpr int GridSquare = 500;

// The grey frame of a mock cheque, which phase 3 prints again.
constexpr double FrameLeft = 7371;
constexpr double FrameTop = 1417;
constexpr double FrameRight = 9865;
constexpr double FrameBottom = 2069;

void drawMockCheque(PrinterSurface &printer, double x, double y)
{
    const auto at = [x, y](double dx, double dy) { return QPointF(x + dx, y + dy); };
    printer.setFontSize(9);
    printAt(printer, x + 1000, y + 1000, QStringLiteral("Reperez le N° le plus prés"));
    printAt(printer, x + 1000, y + 1250, QStringLiteral("du cadre en haut à gauche"));

    // The line to cut along.
    printer.setLineStyle(platform::LineStyle::Dotted);
    printer.rectangle(at(0, 0), at(ChequeWidth, ChequeHeight));
    printer.setLineStyle(platform::LineStyle::Solid);

    // A grey frame 1 mm wide around a white box.
    printer.filledRectangle(at(FrameLeft, FrameTop), at(FrameRight, FrameBottom), platform::rgb(128, 128, 128));
    printer.filledRectangle(at(7428, 1474), at(9808, 2012), platform::rgb(255, 255, 255));

    // Two scales that cross at the frame's corner, a tick a millimetre.
    printer.line(at(8371, 1700), at(6371, 1700));
    printer.line(at(9000, 417), at(9000, 2417));
    for (int m = 0; m < TicksPerScale; ++m) {
        printer.line(at(8371 - Millimetre * m, 1680), at(8371 - Millimetre * m, 1720));
        printer.line(at(9020, 2417 - Millimetre * m), at(8980, 2417 - Millimetre * m));
    }

    printer.setFontSize(18);
    printAt(printer, x + 9100, y + 217, QStringLiteral("+"));
    printAt(printer, x + 9100, y + 2217, QStringLiteral("-"));
    printAt(printer, x + 6300, y + 1700, QStringLiteral("+"));
    printAt(printer, x + 8300, y + 1600, QStringLiteral("-"));
}

// Tells the user that a page could not be printed; nothing else changes.
void tellNotPrinted(prompt_dialog::UserTalk &talk, const platform::PrinterError &error)
{
    talk.message(QStringLiteral("La page de réglage n'a pas pu être imprimée : %1.\n\n"
                                "Vérifiez l'imprimante choisie dans la liste puis recommencez. "
                                "Les décalages de l'imprimante ne sont pas changés.")
                     .arg(error.message()));
}

// A correction typed in millimetres; a French user may type the comma.
double correctionOf(const QString &answer)
{
    QString text = answer;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return common::numericValue(text);
}

} // namespace

void printTestCheques(PrinterSurface &printer)
{
    printer.setDocumentName(QStringLiteral("Réglage de l'imprimante – chèques de test"));
    // Printed the way the printer stands, which is portrait: every landscape
    // page of the program turns it back.
    platform::printPage(printer, [&printer] {
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontSize(9);
        for (int k = 0; k < 3; ++k)
            drawMockCheque(printer, ChequeLeft, FirstChequeTop + ChequeHeight * k);
    });
}

void printNumberGrid(PrinterSurface &printer)
{
    printer.setDocumentName(QStringLiteral("Réglage de l'imprimante – grille numérotée"));
    platform::printPage(printer, [&printer] {
        printer.setOrientation(platform::Orientation::Landscape);
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontSize(8);
        int counter = 0;
        for (int y = 0; y < GridRows * GridSquare; y += GridSquare) {
            for (int x = 0; x < GridColumns * GridSquare; x += GridSquare) {
                printer.rectangle(QPointF(x, y), QPointF(x + GridSquare, y + GridSquare));
                ++counter;
                printAt(printer, x + 100, y + 100, QString::number(counter), false);
            }
        }
    });
    printer.setOrientation(platform::Orientation::Portrait);
}

void printFinalFrame(PrinterSurface &printer, const PrinterOffsets &offsets)
{
    printer.setDocumentName(QStringLiteral("Réglage de l'imprimante – cadre final"));
    const double h = common::numericValue(offsets.horizontal) * Millimetre;
    const double v = common::numericValue(offsets.vertical) * Millimetre;
    platform::printPage(printer, [&] {
        printer.setOrientation(platform::Orientation::Landscape);
        printer.rectangle(QPointF(FrameLeft + h, FrameTop + v), QPointF(FrameRight + h, FrameBottom + v));
    });
    printer.setOrientation(platform::Orientation::Portrait);
}

std::optional<PrinterOffsets> offsetsOfGridNumber(int number)
{
    if (number < 1 || number > GridRows * GridColumns)
        return std::nullopt;
    const int row = (number - 1) / GridColumns;
    const int column = (number - 1) % GridColumns;
    // A square is 500 twips, in millimetres as the program counts them.
    const auto millimetres = [](int squares) { return common::formatWhole(GridSquare * squares / Millimetre, 1); };
    return PrinterOffsets{millimetres(row), millimetres(column)};
}

void phase1TestCheques(PrinterSurface &printer, prompt_dialog::UserTalk &talk)
{
    if (!talk.question(QStringLiteral("Voulez vous imprimer une page de cheques de tests ?")))
        return;
    try {
        printTestCheques(printer);
    } catch (const platform::PrinterError &error) {
        tellNotPrinted(talk, error);
        return;
    }
    talk.message(QStringLiteral("Découpez les chèques selon les pointillés et passez à la phase de règlage N° 2 !"));
}

std::optional<PrinterOffsets> phase2BasePositioning(PrinterSurface &printer, prompt_dialog::UserTalk &talk)
{
    talk.message(
        QStringLiteral("Mettez un cheque test dans votre imprimante dans le sens de la longueur et cliquez sur OK !"));
    try {
        printNumberGrid(printer);
    } catch (const platform::PrinterError &error) {
        tellNotPrinted(talk, error);
        return std::nullopt;
    }
    // A cancel, like an empty answer, leaves the offsets as they are.
    const QString answer =
        talk.input(QStringLiteral("Entrez le N° se trouvant dans le coin haut-gauche de votre chéque ?"), QString(),
                   prompt_dialog::UpperCaseFlag)
            .value_or(QString());
    if (answer.isEmpty())
        return std::nullopt;
    // Only a number of the grid: anything else would move every cheque of
    // every bank to a place that no square shows.
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[0-9]{1,6}\\s*$"));
    const std::optional<PrinterOffsets> offsets =
        wholeNumber.match(answer).hasMatch() ? offsetsOfGridNumber(answer.trimmed().toInt()) : std::nullopt;
    if (!offsets) {
        talk.message(QStringLiteral("« %1 » n'est pas un numéro de la grille : entrez le nombre, de 1 à 714, "
                                    "lu dans le coin haut-gauche du chèque test.\n\n"
                                    "Les décalages de l'imprimante ne sont pas changés.")
                         .arg(answer.trimmed()));
    }
    return offsets;
}

std::optional<PrinterOffsets> phase3FinalAdjustment(PrinterSurface &printer, prompt_dialog::UserTalk &talk,
                                                    const PrinterOffsets &current)
{
    try {
        printFinalFrame(printer, current);
    } catch (const platform::PrinterError &error) {
        tellNotPrinted(talk, error);
        return std::nullopt;
    }
    // Both questions are always asked and both offsets always rewritten: a
    // cancelled or empty answer is a correction of nothing.
    PrinterOffsets corrected = current;
    const std::optional<QString> horizontal = talk.input(
        QStringLiteral("Entrez la valeur de décalage horizontale en plus ou en moins (Exemple : '1' pour décaler 1 mm "
                       "vers la droite ou '-5' pour revenir de 5 mm vers la gauche ?"));
    corrected.horizontal =
        common::formatWhole(common::numericValue(current.horizontal) + correctionOf(horizontal.value_or(QString())), 5);
    const std::optional<QString> vertical = talk.input(
        QStringLiteral("Entrez la valeur de décalage verticale en plus ou en moins (Exemple : '1' pour décaler 1 mm "
                       "vers le bas ou '-5' pour remonter de 5 mm vers le haut ?"));
    corrected.vertical =
        common::formatWhole(common::numericValue(current.vertical) + correctionOf(vertical.value_or(QString())), 5);
    return corrected;
}

} // namespace calibration
