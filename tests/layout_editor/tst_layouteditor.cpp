#include "bank_layouts/layoutfile.h"
#include "layout_editor/chequephoto.h"
#include "layout_editor/layouteditor.h"
#include "layout_editor/numberfield.h"
#include "support/globals.h"
#include "support/layoutbytes.h"
#include "support/scriptedtalk.h"
#include "support/workingfolder.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using bank_layouts::Layout;
using bank_layouts::LayoutNumber;
using layout_editor::LayoutEditor;

namespace {

const QList<QByteArray> Lines{"Soci\xe9t\xe9 Lyonnaise",
                              "Times New Roman",
                              "11",
                              "130",
                              "8",
                              "20",
                              "22.5",
                              "95",
                              "46",
                              "135",
                              "46",
                              "55.5",
                              "15",
                              "10",
                              "21",
                              "110"};

QByteArray lyonnaiseBytes(int count)
{
    return crlfLines(Lines.mid(0, count));
}

// The file's lines as the editor shows them (Windows-1252 agrees with
// Latin-1 on every letter used here).
QStringList shownLines()
{
    QStringList shown;
    for (const QByteArray &line : Lines)
        shown << QString::fromLatin1(line);
    return shown;
}

} // namespace

// The layout editor's rules, without its window: opening on a bank or on a
// new one, and the finish that writes the file.
class TestLayoutEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetGlobals(); }
    void opening_data();
    void opening();
    void finishWritesAsTyped();
    void finishThatCannotWriteKeepsTheFile();
    void undoGoesBackChangeByChange();
    void cornersFileRead_data();
    void cornersFileRead();
    void cornersPutInOrder_data();
    void cornersPutInOrder();
    void fieldsHoldOneLine_data();
    void fieldsHoldOneLine();
};

void TestLayoutEditor::opening_data()
{
    QTest::addColumn<int>("fileLines");  // of "bq_LYO.txt", behind the button; 0: none there
    QTest::addColumn<QString>("answer"); // to the code question; null: not asked; "": Cancel
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("fileName");   // the file the finish writes
    QTest::addColumn<QStringList>("fields"); // name, font, size, values 0 to 12
    QTest::addColumn<QString>("message");    // said after the answer, if anything

    const QStringList defaults{"Nom de la banque",
                               "Arial",
                               "10",
                               "132",
                               "26",
                               "6",
                               "29",
                               "90",
                               "38",
                               "134",
                               "38",
                               "55",
                               "17",
                               "6",
                               "43",
                               "60"};
    const QStringList fromFile = shownLines();
    QTest::newRow("a whole file, 55.5 shown as it is") << 16 << QString() << true << "bq_LYO.txt" << fromFile << "";
    QTest::newRow("ten lines: a new bank, the file's values kept")
        << 10 << "Ab12xyz" << true << "bq_AB12X.txt" << fromFile.mid(0, 10) + defaults.mid(10) << "";
    QTest::newRow("no file: Test") << 0 << "Test" << true << "bq_TEST.txt" << defaults << "";
    QTest::newRow("blanks inside kept") << 0 << "a b cd" << true << "bq_A B C.txt" << defaults << "";
    QTest::newRow("cancelled") << 0 << "" << false << "bq_LYO.txt" << defaults << "";
    QTest::newRow("an existing code in another case")
        << 0 << "gen" << false << "bq_LYO.txt" << defaults << "Ce code existe deja !";
    QTest::newRow("made meanwhile by another program")
        << 0 << "Autre" << false << "bq_LYO.txt" << defaults << "Ce code existe deja !";
    QTest::newRow("a path") << 0 << "../x" << false << "bq_LYO.txt" << defaults << "nom de fichier";
    QTest::newRow("a slash") << 0 << "a/b" << false << "bq_LYO.txt" << defaults << "nom de fichier";
    QTest::newRow("a leading point") << 0 << ".ab" << false << "bq_LYO.txt" << defaults << "nom de fichier";
    QTest::newRow("only blanks") << 0 << "   " << false << "bq_LYO.txt" << defaults << "nom de fichier";
}

void TestLayoutEditor::opening()
{
    QFETCH(int, fileLines);
    QFETCH(QString, answer);
    QFETCH(bool, opened);
    QFETCH(QString, fileName);
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    WorkingFolder folder;
    if (fileLines > 0)
        folder.write(QStringLiteral("bq_LYO.txt"), lyonnaiseBytes(fileLines));
    folder.write(QStringLiteral("bq_AUTRE.txt"), lyonnaiseBytes(16));
    platform::setPointer(platform::QuestionArrowPointer);

    ScriptedTalk talk;
    if (!answer.isNull() && answer.isEmpty())
        talk.cancel();
    else if (!answer.isNull())
        talk.typeAndConfirm(answer);
    if (!message.isEmpty())
        talk.confirm();
    LayoutEditor editor(talk, {QStringLiteral("bq_LYO.txt"), {QStringLiteral("bq_GEN.txt")}});
    QCOMPARE(editor.open(QStringLiteral("Franc"), QStringLiteral("sou")), opened);

    // The opening ends parameter mode, whatever follows.
    QCOMPARE(platform::pointer(), platform::ArrowPointer);
    QVERIFY(talk.unexpected().isEmpty());
    QVERIFY(talk.scriptDone());
    QCOMPARE(talk.seen().isEmpty(), answer.isNull());
    if (!answer.isNull())
        QCOMPARE(talk.messages().first(), QStringLiteral("Entrez un code pour cette banque ( Max 5 caractères ) ?"));
    if (!message.isEmpty())
        QVERIFY2(talk.messages().last().contains(message), qPrintable(talk.messages().last()));
    QCOMPARE(editor.fileName(), fileName);
    if (!opened)
        return;
    const Layout &f = editor.layout();
    QStringList shown{f.bankName, f.fontName, f.fontSize.text()};
    for (const LayoutNumber *value : f.inFileOrder())
        shown << value->text();
    QCOMPARE(shown, fields);
    QCOMPARE(editor.currencyName(), QStringLiteral("Franc"));
    QCOMPARE(editor.hundredthName(), QStringLiteral("sou"));
    // Opening writes nothing.
    QCOMPARE(folder.exists(fileName), fileLines > 0 && fileName == QLatin1String("bq_LYO.txt"));
}

void TestLayoutEditor::finishWritesAsTyped()
{
    WorkingFolder folder;
    ScriptedTalk talk;
    LayoutEditor editor(talk, {QStringLiteral("bq_NEW.txt"), {}});
    Layout fields = editor.layout();
    fields.bankName = QStringLiteral(" Crédit Mutuel ");
    fields.fontSize = *LayoutNumber::fromTyped(QStringLiteral("11,5"));
    fields.amount.x = LayoutNumber::fromFile(QStringLiteral("12.7abc"));
    fields.firstLineLength = *LayoutNumber::fromTyped(QString());
    editor.change(fields, 0);
    QVERIFY(editor.writeLayout());
    QCOMPARE(folder.read(QStringLiteral("bq_NEW.txt")),
             QByteArray(" Cr\xe9"
                        "dit Mutuel \r\nArial\r\n11.5\r\n12.7abc\r\n26\r\n6\r\n29\r\n90\r\n38\r\n134\r\n38\r\n"
                        "55\r\n17\r\n6\r\n43\r\n\r\n"));
    QVERIFY(talk.seen().isEmpty());
}

void TestLayoutEditor::finishThatCannotWriteKeepsTheFile()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_LYO.txt"), lyonnaiseBytes(16));
    ScriptedTalk talk;
    talk.confirm();
    LayoutEditor editor(talk, {QStringLiteral("bq_LYO.txt"), {}});
    QVERIFY(editor.open(QString(), QString()));
    Layout changed = editor.layout();
    changed.amount.x = *LayoutNumber::fromTyped(QStringLiteral("140"));
    editor.change(changed, 0);
    platform::Result<void> written;
    {
        FileSizeLimit full(8);
        written = editor.writeLayout();
    }
    QVERIFY(!written);
    QVERIFY2(talk.messages().last().contains(QStringLiteral("bq_LYO.txt")), qPrintable(talk.messages().last()));
    QCOMPARE(folder.read(QStringLiteral("bq_LYO.txt")), lyonnaiseBytes(16));
    QCOMPARE(editor.layout().amount.x.text(), QStringLiteral("140"));
}

void TestLayoutEditor::undoGoesBackChangeByChange()
{
    ScriptedTalk talk;
    LayoutEditor editor(talk, {});
    const Layout opened = editor.layout();
    // Typed into the amount's position, across or down.
    const auto typed = [&editor](LayoutNumber bank_layouts::LayoutPoint::*coordinate, const char *text, int source) {
        Layout layout = editor.layout();
        layout.amount.*coordinate = *LayoutNumber::fromTyped(QString::fromLatin1(text));
        editor.change(layout, source);
        return layout;
    };
    // Two keys in one field, then a drag of two moves, then a key again in
    // the first field: three changes.
    const auto x = &bank_layouts::LayoutPoint::x;
    const auto y = &bank_layouts::LayoutPoint::y;
    typed(x, "1", 0);
    const Layout afterField = typed(x, "14", 0);
    const int drag = editor.newSource();
    typed(y, "30", drag);
    const Layout afterDrag = typed(y, "31.5", drag);
    typed(x, "145", 0);
    // The same layout again is no change.
    editor.change(editor.layout(), editor.newSource());

    QVERIFY(editor.undo());
    QCOMPARE(editor.layout(), afterDrag);
    QVERIFY(editor.undo());
    QCOMPARE(editor.layout(), afterField);
    QVERIFY(editor.undo());
    QCOMPARE(editor.layout(), opened);
    QVERIFY(!editor.undo());
    QCOMPARE(editor.layout(), opened);
}

void TestLayoutEditor::cornersFileRead_data()
{
    QTest::addColumn<QList<QByteArray>>("lines"); // of "bq_A-cheque.ini"
    QTest::addColumn<QString>("picture");         // null: the file is refused
    QTest::addColumn<QPolygonF>("corners");       // empty: not set
    QTest::addColumn<int>("opacity");
    const QList<QByteArray> whole{"bq_A-cheque.jpg", "120.50", "140", "980", "90", "1010", "520", "90", "560", "70"};
    const QPolygonF clicked{{120.5, 140}, {980, 90}, {1010, 520}, {90, 560}};
    const auto with = [&whole](int index, const QByteArray &line) {
        QList<QByteArray> lines = whole;
        lines[index] = line;
        return lines;
    };
    const QByteArray huge = "1" + QByteArray(300, '0');
    QTest::newRow("as the editor writes it") << whole << "bq_A-cheque.jpg" << clicked << 70;
    QTest::newRow("an opacity past an int") << with(9, "99999999999") << "bq_A-cheque.jpg" << clicked << 100;
    QTest::newRow("a negative opacity") << with(9, "-99999999999") << "bq_A-cheque.jpg" << clicked << 0;
    QTest::newRow("a corner far off any picture") << with(3, huge) << "bq_A-cheque.jpg" << QPolygonF() << 70;
    QTest::newRow("a corner left of the picture") << with(8, "-5") << "bq_A-cheque.jpg" << QPolygonF() << 70;
    QTest::newRow("a picture in another folder") << with(0, "../photo.jpg") << QString() << QPolygonF() << 0;
    QTest::newRow("one of the program's resources") << with(0, ":bq_A-cheque.jpg") << QString() << QPolygonF() << 0;
    QTest::newRow("a name with a CR") << with(0, "a\rb.jpg") << QString() << QPolygonF() << 0;
}

void TestLayoutEditor::cornersFileRead()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QString, picture);
    QFETCH(QPolygonF, corners);
    QFETCH(int, opacity);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A-cheque.ini"), crlfLines(lines));
    const platform::Result<layout_editor::ChequePhoto> photo =
        layout_editor::readChequePhoto(QStringLiteral("bq_A.txt"));
    QCOMPARE(photo.ok(), !picture.isNull());
    if (!photo) {
        QVERIFY2(photo.error().contains(QStringLiteral("bq_A-cheque.ini")), qPrintable(photo.error()));
        return;
    }
    QCOMPARE(photo->pictureFile, picture);
    const layout_editor::Corners read = photo->corners;
    QCOMPARE(QPolygonF({read[0], read[1], read[2], read[3]}), corners.isEmpty() ? QPolygonF(4, QPointF()) : corners);
    QCOMPARE(photo->opacity, opacity);
}

void TestLayoutEditor::cornersPutInOrder_data()
{
    QTest::addColumn<QPolygonF>("clicked");
    QTest::addColumn<QPolygonF>("corners"); // empty: refused
    QTest::addColumn<QString>("why");
    // A cheque on a photo, a little askew: top left, top right, bottom
    // right, bottom left.
    const QPointF tl(100, 100), tr(900, 120), br(880, 500), bl(90, 480);
    const QPolygonF cheque{tl, tr, br, bl};
    QTest::newRow("clockwise") << cheque << cheque << "";
    QTest::newRow("anticlockwise") << QPolygonF{tl, bl, br, tr} << cheque << "";
    QTest::newRow("crossed, the bottom right second") << QPolygonF{tl, br, tr, bl} << cheque << "";
    QTest::newRow("from the bottom right") << QPolygonF{br, bl, tl, tr} << cheque << "";
    QTest::newRow("from the top right, anticlockwise") << QPolygonF{tr, tl, bl, br} << cheque << "";
    QTest::newRow("from below, anticlockwise") << QPolygonF{{300, 250}, {60, 880}, {1550, 900}, {1300, 260}}
                                               << QPolygonF{{300, 250}, {1300, 260}, {1550, 900}, {60, 880}} << "";
    QTest::newRow("three in a line") << QPolygonF{{100, 100}, {500, 102}, {900, 104}, {500, 400}} << QPolygonF()
                                     << "alignés";
    QTest::newRow("one inside the others' triangle")
        << QPolygonF{{100, 100}, {900, 100}, {500, 500}, {500, 250}} << QPolygonF() << "triangle";
    QTest::newRow("all close together") << QPolygonF{{100, 100}, {110, 100}, {110, 105}, {100, 105}} << QPolygonF()
                                        << "trop proches";
    QTest::newRow("twice the same corner")
        << QPolygonF{tl, tr, tr + QPointF(3, 2), bl} << QPolygonF() << "même endroit";
}

void TestLayoutEditor::cornersPutInOrder()
{
    QFETCH(QPolygonF, clicked);
    QFETCH(QPolygonF, corners);
    QFETCH(QString, why);
    const platform::Result<layout_editor::Corners> ordered =
        layout_editor::cornersInOrder({clicked[0], clicked[1], clicked[2], clicked[3]});
    QCOMPARE(ordered.ok(), !corners.isEmpty());
    if (!ordered) {
        QVERIFY2(ordered.error().contains(why), qPrintable(ordered.error()));
        return;
    }
    QCOMPARE(QPolygonF({(*ordered)[0], (*ordered)[1], (*ordered)[2], (*ordered)[3]}), corners);
}

void TestLayoutEditor::fieldsHoldOneLine_data()
{
    QTest::addColumn<bool>("number"); // a value's field, else the bank's name's
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("brought");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");
    const auto row = [](const char *name, bool number, const char *before, const char *brought, const char *after,
                        int beeps) {
        QTest::newRow(name) << number << QString::fromUtf8(before) << QString::fromUtf8(brought)
                            << QString::fromUtf8(after) << beeps;
    };
    row("a spreadsheet's cell, LF", true, "", "12.5\n", "12.5", 0);
    row("a spreadsheet's cell, CR LF", true, "", "12.5\r\n", "12.5", 0);
    row("a decimal comma, CR LF", true, "", "12,5\r\n", "12,5", 0);
    row("a lone CR", true, "", "12.5\r", "12.5", 0);
    row("after a figure", true, "1", "4\r\n", "14", 0);
    row("two cells", true, "", "1\n2", "", 1);
    row("two line ends", true, "", "12\n\n", "", 1);
    row("no number, with its line end", true, "", "12a\n", "", 1);
    row("a bank's name with its line end", false, "", "Crédit Sud\r\n", "Crédit Sud", 0);
    row("a name on two lines", false, "", "Crédit\nSud", "", 1);
    row("a tab", false, "Banque", "ab\tc", "Banque", 1);
    row("Ctrl+Z", false, "", "a\x1a", "", 1);
}

void TestLayoutEditor::fieldsHoldOneLine()
{
    QFETCH(bool, number);
    QFETCH(QString, before);
    QFETCH(QString, brought);
    QFETCH(QString, after);
    QFETCH(int, beeps);
    std::unique_ptr<window_services::TextField> field;
    if (number)
        field = std::make_unique<layout_editor::NumberField>();
    else
        field = std::make_unique<window_services::TextField>();
    field->resize(200, 30);
    field->show();
    QVERIFY(QTest::qWaitForWindowExposed(field.get()));
    field->setText(before);
    QSignalSpy refused(field.get(), &window_services::TextField::characterRefused);
    QSignalSpy edited(field.get(), &QLineEdit::textEdited);
    QApplication::clipboard()->setText(brought);
    QCOMPARE(QApplication::clipboard()->text(), brought);
    QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), after);
    QCOMPARE(refused.count(), beeps);
    // The editor takes the value from what the field says it holds now.
    if (after != before)
        QCOMPARE(edited.last().first().toString(), after);
}

QTEST_MAIN(TestLayoutEditor)
#include "tst_layouteditor.moc"
