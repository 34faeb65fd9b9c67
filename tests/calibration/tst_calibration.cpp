#include "calibration/phases.h"
#include "prompt_dialog/form97talk.h"
#include "support/globals.h"
#include "support/modal.h"
#include "support/recordingsurface.h"
#include "support/scriptedtalk.h"

#include <QTest>

using calibration::PrinterOffsets;

namespace {

const QString NotPrinted = QStringLiteral("La page de réglage n'a pas pu être imprimée");

// As the recording writes them: nine significant digits.
QString num(double value)
{
    return QString::number(value, 'g', 9);
}

QString line(double x1, double y1, double x2, double y2)
{
    return QStringLiteral("line(%1,%2-%3,%4 #000000)").arg(num(x1), num(y1), num(x2), num(y2));
}

QString rectangle(double x1, double y1, double x2, double y2, const QString &colour = QStringLiteral("#000000"))
{
    return QStringLiteral("rectangle(%1,%2-%3,%4 %5)").arg(num(x1), num(y1), num(x2), num(y2), colour);
}

int countStarting(const QStringList &calls, const QString &start)
{
    return int(
        std::count_if(calls.begin(), calls.end(), [&start](const QString &call) { return call.startsWith(start); }));
}

} // namespace

// The three calibration phases on a recording printer, answered through the
// user talk; once each through the real prompt dialog.
class TestCalibration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetGlobals(); }
    void testChequeSheet();
    void testChequesOnlyAfterYes();
    void numberGrid();
    void gridAnswers_data();
    void gridAnswers();
    void finalFrame_data();
    void finalFrame();
    void printerFailureChangesNothing_data();
    void printerFailureChangesNothing();
    void answeredThroughTheDialog();
};

void TestCalibration::testChequeSheet()
{
    RecordingSurface printer;
    ScriptedTalk talk;
    talk.yes();
    talk.confirm();
    calibration::phase1TestCheques(printer, talk);
    QCOMPARE(talk.messages(),
             (QStringList{"Voulez vous imprimer une page de cheques de tests ?",
                          "Découpez les chèques selon les pointillés et passez à la phase de règlage N° 2 !"}));
    QCOMPARE(talk.seen().first().mode, 4);

    const QStringList calls = printer.printingCalls();
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(calls.mid(0, 2), (QStringList{"setFontName(Arial)", "setFontSize(9)"}));
    QCOMPARE(calls.last(), QStringLiteral("endDocument()"));
    // Portrait, as the printer stands: no orientation is set.
    QCOMPARE(countStarting(calls, QStringLiteral("setOrientation")), 0);
    // Three cheques of 2 texts, an outline, 4 shapes, 72 ticks and 4 texts.
    QCOMPARE(countStarting(calls, QStringLiteral("printText(")), 3 * 6);
    QCOMPARE(countStarting(calls, QStringLiteral("rectangle(")), 3);
    QCOMPARE(countStarting(calls, QStringLiteral("filledRectangle(")), 3 * 2);
    QCOMPARE(countStarting(calls, QStringLiteral("line(")), 3 * (2 + 72));

    for (int k = 0; k < 3; ++k) {
        const double x = 1000;
        const double y = 1000 + 4536.0 * k;
        // Only the outline to cut along is dotted.
        const qsizetype outline = calls.indexOf(rectangle(x, y, x + 9922, y + 4536));
        QVERIFY(outline > 0);
        QCOMPARE(calls.at(outline - 1), QStringLiteral("setLineStyle(dotted)"));
        QCOMPARE(calls.at(outline + 1), QStringLiteral("setLineStyle(solid)"));
        // The grey frame at 130 mm and 25 mm of each cheque (whole twips),
        // the white box on top.
        QCOMPARE(calls.at(outline + 2), QStringLiteral("filledRectangle(%1,%2-%3,%4 #808080)")
                                            .arg(num(x + 7371), num(y + 1417), num(x + 9865), num(y + 2069)));
        QCOMPARE(calls.at(outline + 3), QStringLiteral("filledRectangle(%1,%2-%3,%4 #ffffff)")
                                            .arg(num(x + 7428), num(y + 1474), num(x + 9808), num(y + 2012)));
        QCOMPARE(calls.at(outline + 4), line(x + 8371, y + 1700, x + 6371, y + 1700));
        QCOMPARE(calls.at(outline + 5), line(x + 9000, y + 417, x + 9000, y + 2417));
        // For each millimetre, the horizontal tick, then the vertical one.
        QCOMPARE(calls.at(outline + 6), line(x + 8371, y + 1680, x + 8371, y + 1720));
        QCOMPARE(calls.at(outline + 7), line(x + 9020, y + 2417, x + 8980, y + 2417));
        QCOMPARE(calls.at(outline + 6 + 70), line(x + 6386.5, y + 1680, x + 6386.5, y + 1720));
        QCOMPARE(calls.at(outline + 7 + 70), line(x + 9020, y + 432.5, x + 8980, y + 432.5));
        QCOMPARE(calls.mid(outline + 78, 13),
                 (QStringList{"setFontSize(18)", QStringLiteral("setCurrentX(%1)").arg(x + 9100),
                              QStringLiteral("setCurrentY(%1)").arg(y + 217), "printText(+)",
                              QStringLiteral("setCurrentX(%1)").arg(x + 9100),
                              QStringLiteral("setCurrentY(%1)").arg(y + 2217), "printText(-)",
                              QStringLiteral("setCurrentX(%1)").arg(x + 6300),
                              QStringLiteral("setCurrentY(%1)").arg(y + 1700), "printText(+)",
                              QStringLiteral("setCurrentX(%1)").arg(x + 8300),
                              QStringLiteral("setCurrentY(%1)").arg(y + 1600), "printText(-)"}));
        // The instruction, in 9 points, before the outline.
        QCOMPARE(
            calls.mid(outline - 8, 7),
            (QStringList{"setFontSize(9)", QStringLiteral("setCurrentX(%1)").arg(x + 1000),
                         QStringLiteral("setCurrentY(%1)").arg(y + 1000), "printText(Reperez le N° le plus prés)",
                         QStringLiteral("setCurrentX(%1)").arg(x + 1000),
                         QStringLiteral("setCurrentY(%1)").arg(y + 1250), "printText(du cadre en haut à gauche)"}));
    }
}

void TestCalibration::testChequesOnlyAfterYes()
{
    RecordingSurface printer;
    ScriptedTalk talk;
    talk.no();
    calibration::phase1TestCheques(printer, talk);
    QVERIFY(printer.calls().isEmpty());
    QCOMPARE(talk.seen().size(), 1);
    QVERIFY(talk.unexpected().isEmpty());
}

void TestCalibration::numberGrid()
{
    RecordingSurface printer;
    ScriptedTalk talk;
    talk.confirm();
    talk.cancel();
    QCOMPARE(calibration::phase2BasePositioning(printer, talk), std::nullopt);
    QCOMPARE(
        talk.messages().first(),
        QStringLiteral("Mettez un cheque test dans votre imprimante dans le sens de la longueur et cliquez sur OK !"));
    const prompt_dialog::PromptRequest asked = talk.seen().at(1);
    QCOMPARE(asked.message, QStringLiteral("Entrez le N° se trouvant dans le coin haut-gauche de votre chéque ?"));
    QVERIFY(asked.input);
    QCOMPARE(asked.mode, 1);
    QCOMPARE(asked.filter, prompt_dialog::InputFilter::UpperCase);
    QCOMPARE(asked.defaultAnswer, QString());

    const QStringList calls = printer.printingCalls();
    QCOMPARE(calls.mid(0, 3), (QStringList{"setOrientation(2)", "setFontName(Arial)", "setFontSize(8)"}));
    QCOMPARE(calls.mid(calls.size() - 2), (QStringList{"endDocument()", "setOrientation(1)"}));
    QCOMPARE(countStarting(calls, QStringLiteral("rectangle(")), 714);
    QCOMPARE(countStarting(calls, QStringLiteral("printText(")), 714);
    // Each square, then its number where the line goes on: rows outer,
    // columns inner.
    const auto square = [&calls](int number, int x, int y) {
        const QStringList expected{rectangle(x, y, x + 500, y + 500), QStringLiteral("setCurrentX(%1)").arg(x + 100),
                                   QStringLiteral("setCurrentY(%1)").arg(y + 100),
                                   QStringLiteral("printText(%1);").arg(number)};
        return calls.mid(3 + 4 * (number - 1), 4) == expected;
    };
    QVERIFY(square(1, 0, 0));
    QVERIFY(square(2, 500, 0));
    QVERIFY(square(34, 16500, 0));
    QVERIFY(square(35, 0, 500));
    QVERIFY(square(714, 16500, 10000));
}

void TestCalibration::gridAnswers_data()
{
    QTest::addColumn<QString>("answer"); // empty: Cancel
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal"); // both empty: offsets unchanged
    QTest::addColumn<bool>("refused");
    QTest::newRow("1") << "1"
                       << "0"
                       << "0" << false;
    QTest::newRow("35: one row down") << "35"
                                      << "9"
                                      << "0" << false;
    QTest::newRow("36") << "36"
                        << "9"
                        << "9" << false;
    QTest::newRow("70") << "70"
                        << "18"
                        << "9" << false;
    QTest::newRow("three rows") << "103"
                                << "26"
                                << "0" << false;
    QTest::newRow("34: last column") << "34"
                                     << "0"
                                     << "291" << false;
    QTest::newRow("714: last square") << "714"
                                      << "176"
                                      << "291" << false;
    QTest::newRow("blanks around") << " 36 "
                                   << "9"
                                   << "9" << false;
    QTest::newRow("cancel") << ""
                            << ""
                            << "" << false;
    QTest::newRow("0 is off the grid") << "0"
                                       << ""
                                       << "" << true;
    QTest::newRow("715 is off the grid") << "715"
                                         << ""
                                         << "" << true;
    QTest::newRow("negative") << "-3"
                              << ""
                              << "" << true;
    QTest::newRow("decimals") << "12.5"
                              << ""
                              << "" << true;
    QTest::newRow("letters after") << "12A"
                                   << ""
                                   << "" << true;
    QTest::newRow("letters") << "DOUZE"
                             << ""
                             << "" << true;
}

void TestCalibration::gridAnswers()
{
    QFETCH(QString, answer);
    QFETCH(QString, vertical);
    QFETCH(QString, horizontal);
    QFETCH(bool, refused);
    RecordingSurface printer;
    ScriptedTalk talk;
    talk.confirm();
    if (answer.isEmpty())
        talk.cancel();
    else
        talk.type(answer);
    if (refused)
        talk.confirm();
    const std::optional<PrinterOffsets> offsets = calibration::phase2BasePositioning(printer, talk);
    if (vertical.isEmpty())
        QCOMPARE(offsets, std::nullopt);
    else
        QCOMPARE(offsets, std::optional<PrinterOffsets>(PrinterOffsets{vertical, horizontal}));
    QVERIFY(talk.unexpected().isEmpty());
    QVERIFY(talk.scriptDone());
    if (refused)
        QVERIFY2(talk.messages().last().contains(QStringLiteral("de 1 à 714")), qPrintable(talk.messages().last()));
}

void TestCalibration::finalFrame_data()
{
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("horizontalAnswer"); // null: Cancel
    QTest::addColumn<QString>("verticalAnswer");
    QTest::addColumn<QString>("newVertical");
    QTest::addColumn<QString>("newHorizontal");
    QTest::newRow("no offsets, both cancelled") << "0"
                                                << "0" << QString() << QString() << "00000"
                                                << "00000";
    QTest::newRow("11 + 2 and 21 - 5") << "21"
                                       << "11"
                                       << "2"
                                       << "-5"
                                       << "00016"
                                       << "00013";
    QTest::newRow("2 - 5 goes negative") << "0"
                                         << "2"
                                         << "-5"
                                         << ""
                                         << "00000"
                                         << "-00003";
    QTest::newRow("five digits read back") << "-00003"
                                           << "00013"
                                           << ""
                                           << "1"
                                           << "-00002"
                                           << "00013";
    QTest::newRow("halves away from zero") << "0"
                                           << "12"
                                           << "1.5"
                                           << "-0.5"
                                           << "-00001"
                                           << "00014";
    QTest::newRow("a French decimal comma") << "0"
                                            << "12"
                                            << "1,5"
                                            << ""
                                            << "00000"
                                            << "00014";
    QTest::newRow("2mm counts as 2") << "0"
                                     << "0"
                                     << "2mm"
                                     << "abc"
                                     << "00000"
                                     << "00002";
    QTest::newRow("cancelled: the form still changes") << "21"
                                                       << "11" << QString() << QString() << "00021"
                                                       << "00011";
    QTest::newRow("settings form") << " 3 "
                                   << "-2 "
                                   << ""
                                   << ""
                                   << "00003"
                                   << "-00002";
}

void TestCalibration::finalFrame()
{
    QFETCH(QString, vertical);
    QFETCH(QString, horizontal);
    QFETCH(QString, horizontalAnswer);
    QFETCH(QString, verticalAnswer);
    RecordingSurface printer;
    ScriptedTalk talk;
    for (const QString &answer : {horizontalAnswer, verticalAnswer}) {
        if (answer.isNull())
            talk.cancel();
        else
            talk.type(answer);
    }
    const std::optional<PrinterOffsets> offsets =
        calibration::phase3FinalAdjustment(printer, talk, {vertical, horizontal});
    QVERIFY(offsets);
    QTEST(offsets->vertical, "newVertical");
    QTEST(offsets->horizontal, "newHorizontal");

    const double h = horizontal.trimmed().toDouble() * 56.7;
    const double v = vertical.trimmed().toDouble() * 56.7;
    QCOMPARE(printer.printingCalls(),
             (QStringList{"setOrientation(2)", rectangle(7371 + h, 1417 + v, 9865 + h, 2069 + v), "endDocument()",
                          "setOrientation(1)"}));
    QCOMPARE(talk.seen().size(), 2);
    QVERIFY(talk.seen().at(0).message.startsWith(QStringLiteral("Entrez la valeur de décalage horizontale")));
    QVERIFY(talk.seen().at(1).message.startsWith(QStringLiteral("Entrez la valeur de décalage verticale")));
    for (const prompt_dialog::PromptRequest &asked : talk.seen()) {
        QCOMPARE(asked.mode, 1);
        QCOMPARE(asked.defaultAnswer, QString());
        QCOMPARE(asked.filter, prompt_dialog::InputFilter::None);
    }
}

void TestCalibration::printerFailureChangesNothing_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("failOn");
    QTest::newRow("phase 1, the page not sent") << 1 << "endDocument";
    QTest::newRow("phase 2, a number refused") << 2 << "printText";
    QTest::newRow("phase 2, the page not sent") << 2 << "endDocument";
    QTest::newRow("phase 3, the frame refused") << 3 << "rectangle";
}

void TestCalibration::printerFailureChangesNothing()
{
    QFETCH(int, phase);
    QFETCH(QString, failOn);
    RecordingSurface printer;
    printer.failOn(failOn);
    ScriptedTalk talk;
    if (phase == 1)
        talk.yes();
    if (phase == 2)
        talk.confirm();
    talk.confirm(); // the failure
    std::optional<PrinterOffsets> offsets;
    if (phase == 1)
        calibration::phase1TestCheques(printer, talk);
    else if (phase == 2)
        offsets = calibration::phase2BasePositioning(printer, talk);
    else
        offsets = calibration::phase3FinalAdjustment(printer, talk, {QStringLiteral("4"), QStringLiteral("5")});
    QCOMPARE(offsets, std::nullopt);
    QVERIFY(talk.unexpected().isEmpty());
    QVERIFY2(talk.messages().last().startsWith(NotPrinted), qPrintable(talk.messages().last()));
    QVERIFY(talk.messages().last().contains(failOn));
    QCOMPARE(printer.documentsEnded(), 0);
    QCOMPARE(printer.documentsAborted(), 1);
    QCOMPARE(printer.orientation(), platform::Orientation::Portrait);
}

void TestCalibration::answeredThroughTheDialog()
{
    DialogWatchdog watchdog;
    prompt_dialog::Form97Talk talk;
    RecordingSurface printer;

    // Phase 1: No prints nothing.
    QString asked;
    answerNextQuestion(false, &asked);
    calibration::phase1TestCheques(printer, talk);
    QCOMPARE(asked, QStringLiteral("Voulez vous imprimer une page de cheques de tests ?"));
    QVERIFY(printer.calls().isEmpty());

    // Phase 2: Cancel keeps the offsets.
    answerNextPrompt(
        [](prompt_dialog::Form97 *dialog) {
            typeNextAnswer(QStringLiteral("36"), nullptr);
            QTest::mouseClick(dialog->command3D[0], Qt::LeftButton);
        },
        nullptr);
    QCOMPARE(calibration::phase2BasePositioning(printer, talk),
             std::optional<PrinterOffsets>(PrinterOffsets{QStringLiteral("9"), QStringLiteral("9")}));
    answerNextPrompt(
        [](prompt_dialog::Form97 *dialog) {
            answerNextPrompt([](prompt_dialog::Form97 *box) { QTest::keyClick(box->Text2, Qt::Key_Escape); }, nullptr);
            QTest::mouseClick(dialog->command3D[0], Qt::LeftButton);
        },
        nullptr);
    QCOMPARE(calibration::phase2BasePositioning(printer, talk), std::nullopt);

    // Phase 3: both cancelled, both offsets still take the five-digit form.
    answerNextPrompt(
        [](prompt_dialog::Form97 *dialog) {
            answerNextPrompt([](prompt_dialog::Form97 *box) { QTest::mouseClick(box->command3D[3], Qt::LeftButton); },
                             nullptr);
            QTest::keyClick(dialog->Text2, Qt::Key_Escape);
        },
        nullptr);
    QCOMPARE(calibration::phase3FinalAdjustment(printer, talk, {QStringLiteral("21"), QStringLiteral("11")}),
             std::optional<PrinterOffsets>(PrinterOffsets{QStringLiteral("00021"), QStringLiteral("00011")}));
    QVERIFY2(watchdog.unanswered().isEmpty(), qPrintable(watchdog.unanswered().join(QStringLiteral(" | "))));
}

QTEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
