#include "amount_words/amountwords.h"
#include "amount_words/wordsplit.h"
#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "layout_editor/layoutpreview.h"
#include "layout_editor/layoutpreviewwidget.h"
#include "platform/paintersurface.h"
#include "platform/qtprintersurface.h"
#include "platform/textfile.h"
#include "support/globals.h"
#include "support/recordingsurface.h"
#include "support/workingfolder.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using bank_layouts::Layout;
using bank_layouts::LayoutNumber;

namespace {

const bank_layouts::ChequeFields Cheque{
    QStringLiteral("1575.98"),
    QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES"),
    QStringLiteral("Boulangerie Éloïse"), QStringLiteral("Mâcon"), QStringLiteral("08/12/2026")};
const bank_layouts::PrinterOffsets Offsets{QStringLiteral("00003"), QStringLiteral("-2")};
const bank_layouts::PrinterOffsets NoOffsets{QStringLiteral("0"), QStringLiteral("0")};

} // namespace

// The editor's preview of the cheque: drawn by the print routine, measured
// as the printer measures, and what it finds wrong with a layout.
class TestLayoutPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetGlobals(); }
    void previewDrawsWhatPrints_data();
    void previewDrawsWhatPrints();
    void measuredAsThePrinterMeasures_data();
    void measuredAsThePrinterMeasures();
    void problems_data();
    void problems();
    void shippedLayoutsFitAFrenchCheque_data();
    void shippedLayoutsFitAFrenchCheque();
};

void TestLayoutPreview::previewDrawsWhatPrints_data()
{
    QTest::addColumn<QString>("fontSize");
    QTest::addColumn<QString>("amountX");
    QTest::addColumn<QString>("firstLineLength");
    QTest::newRow("the defaults") << "10"
                                  << "132"
                                  << "60";
    QTest::newRow("a larger font, a short first line") << "12"
                                                       << "120"
                                                       << "35";
    QTest::newRow("values that are not numbers") << "11.5"
                                                 << "abc"
                                                 << "40mm";
}

void TestLayoutPreview::previewDrawsWhatPrints()
{
    QFETCH(QString, fontSize);
    QFETCH(QString, amountX);
    QFETCH(QString, firstLineLength);
    Layout layout;
    layout.fontSize = LayoutNumber::fromFile(fontSize);
    layout.amount.x = LayoutNumber::fromFile(amountX);
    layout.firstLineLength = LayoutNumber::fromFile(firstLineLength);

    RecordingSurface previewed;
    QVERIFY(layout_editor::printWithLayout(previewed, layout, Offsets, Cheque));

    // The same layout saved, read and printed as a bank click does.
    WorkingFolder folder;
    QVERIFY(bank_layouts::writeLayout(QStringLiteral("bq_P.txt"), layout));
    const platform::Result<Layout> read = bank_layouts::readWholeLayout(QStringLiteral("bq_P.txt"));
    QVERIFY(read);
    RecordingSurface printed;
    bank_layouts::printCheque(printed, *read, Offsets, Cheque);

    QCOMPARE(previewed.calls(), printed.calls());
    QVERIFY(previewed.calls().contains(QStringLiteral("printText(Boulangerie Éloïse)")));
}

void TestLayoutPreview::measuredAsThePrinterMeasures_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<float>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Arial 10") << "Arial" << 10.0f << false;
    QTest::newRow("Arial 16 bold") << "Arial" << 16.0f << true;
    QTest::newRow("Times New Roman 11") << "Times New Roman" << 11.0f << false;
    QTest::newRow("Courier New 9") << "Courier New" << 9.0f << false;
}

void TestLayoutPreview::measuredAsThePrinterMeasures()
{
    QFETCH(QString, font);
    QFETCH(float, points);
    QFETCH(bool, bold);
    QImage canvas(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    platform::PainterSurface screen(painter);
    // A printer that is not there measures with the PDF metrics that every
    // printer is sent.
    platform::QtPrinterSurface printer(QStringLiteral("ormeline-no-such-printer"));
    for (platform::PrinterSurface *surface :
         {static_cast<platform::PrinterSurface *>(&screen), static_cast<platform::PrinterSurface *>(&printer)}) {
        surface->setFontName(font);
        surface->setFontSize(points);
        surface->setBold(bold);
    }
    for (const QString &text : {QStringLiteral(" ****MILLE CINQ CENT SOIXANTE QUINZE EUROS ET"),
                                QStringLiteral("****1575.98 €"), QStringLiteral("Boulangerie Éloïse")})
        QCOMPARE(screen.textWidth(text), printer.textWidth(text));
}

void TestLayoutPreview::problems_data()
{
    QTest::addColumn<bool>("shipped"); // else a new bank's layout
    QTest::addColumn<int>("item");     // the ChequeItem moved from there, or -1
    QTest::addColumn<QString>("x");    // where it moves to, empty where it stays
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QStringList>("expected");
    // A new bank's values put the amount below its box and the second words
    // line under the place and the date, into the signature.
    const QStringList newBank{"Le montant en chiffres sort de sa zone", "La deuxième ligne en lettres sort de sa zone",
                              "La deuxième ligne en lettres empiète sur la signature"};
    const QString payee = QStringLiteral("Boulangerie Éloïse");
    QTest::newRow("a new bank") << false << -1 << ""
                                << "" << payee << newBank;
    QTest::newRow("the shipped layout") << true << -1 << ""
                                        << "" << payee << QStringList();
    QTest::newRow("amount off the right edge") << true << int(layout_editor::ChequeItem::Amount) << "170"
                                               << "" << payee << QStringList{"Le montant en chiffres sort du chèque"};
    QTest::newRow("date onto the place") << true << int(layout_editor::ChequeItem::Date) << "105"
                                         << "" << payee << QStringList{"La date chevauche le lieu"};
    QTest::newRow("place down into the magnetic band")
        << true << int(layout_editor::ChequeItem::Place) << ""
        << "70" << payee << QStringList{"Le lieu sort de sa zone", "Le lieu empiète sur la bande magnétique"};
    QTest::newRow("a long payee down onto the place")
        << true << int(layout_editor::ChequeItem::Payee) << ""
        << "34"
        << "Société Générale d'Éclairage et de Chauffage Urbain du Grand Est"
        << QStringList{"L'ordre sort de sa zone", "Le lieu chevauche l'ordre"};
}

void TestLayoutPreview::problems()
{
    QFETCH(bool, shipped);
    QFETCH(int, item);
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, payee);
    QFETCH(QStringList, expected);
    Layout layout;
    if (shipped)
        QVERIFY(bank_layouts::readLayout(QFINDTESTDATA("../seed/bq_GENGA.txt"), layout));
    if (item >= 0) {
        bank_layouts::LayoutPoint &moved = layout.position(layout_editor::ChequeItem(item));
        if (!x.isEmpty())
            moved.x = LayoutNumber::fromFile(x);
        if (!y.isEmpty())
            moved.y = LayoutNumber::fromFile(y);
    }
    bank_layouts::ChequeFields cheque = Cheque;
    cheque.payee = payee;

    layout_editor::LayoutPreviewWidget preview;
    preview.resize(400, 240);
    preview.setLayout(layout);
    preview.setCheque(cheque, NoOffsets);
    preview.setHighlighted(int(layout_editor::ChequeItem::Amount));
    const QImage drawn = preview.grab().toImage();
    QVERIFY2(preview.problems() == expected, qPrintable(preview.problems().join(QStringLiteral(" | "))));
    // Something of the cheque is drawn.
    QVERIFY(drawn.pixelColor(drawn.width() / 2, drawn.height() / 3) != QColor(0xe4, 0xea, 0xf2));
}

void TestLayoutPreview::shippedLayoutsFitAFrenchCheque_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("place left of the date") << "bq_GENGA.txt";
    QTest::newRow("place below the date") << "bq_GENDS.txt";
}

void TestLayoutPreview::shippedLayoutsFitAFrenchCheque()
{
    QFETCH(QString, file);
    const QString shipped = QFINDTESTDATA(QStringLiteral("../seed/") + file);
    Layout layout;
    QCOMPARE(bank_layouts::readLayout(shipped, layout).valueOr(0), bank_layouts::LayoutLineCount);

    // Six figures, the most a shop is likely to take, a long payee and place.
    QString digits = QStringLiteral("777777.77");
    const QString words = amount_words::ConvertitLettres2(digits, QStringLiteral("Euro"), QStringLiteral("centime"));
    const bank_layouts::ChequeFields cheque{QStringLiteral("777777.77"), words,
                                            QStringLiteral("SARL Boulangerie du Marché"),
                                            QStringLiteral("Saint-Étienne"), QStringLiteral("08/12/2026")};
    QImage canvas(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    platform::PainterSurface surface(painter);
    QVERIFY(layout_editor::printWithLayout(surface, layout, NoOffsets, cheque));
    const QList<QRectF> boxes = surface.textBoxes();
    QCOMPARE(boxes.size(), 6);
    // Every item on the 175 x 80 mm cheque, none over another.
    QCOMPARE(layout_editor::layoutProblems(boxes), QStringList());
    // Nothing where the customer signs, at the bottom right.
    const QRectF signature(110 * 56.7, 46 * 56.7, 65 * 56.7, 34 * 56.7);
    for (const QRectF &box : boxes)
        QVERIFY(!box.intersects(signature));
    // The words take both lines, one under the other, above the payee.
    QVERIFY(boxes[int(layout_editor::ChequeItem::FirstWordsLine)].bottom() <=
            boxes[int(layout_editor::ChequeItem::SecondWordsLine)].top());
    QVERIFY(boxes[int(layout_editor::ChequeItem::SecondWordsLine)].bottom() <=
            boxes[int(layout_editor::ChequeItem::Payee)].top());
}

QTEST_MAIN(TestLayoutPreview)
#include "tst_layoutpreview.moc"
