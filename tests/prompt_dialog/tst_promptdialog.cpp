#include "platform/desktop.h"
#include "prompt_dialog/form97.h"
#include "prompt_dialog/form97talk.h"
#include "window_services/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

using prompt_dialog::Form97;
using prompt_dialog::PromptAnswer;
using window_services::PictureButton;

namespace {

using Act = std::function<void(Form97 *)>;

struct Outcome
{
    bool acted = false;    // the dialog opened and `act` ran on it
    bool leftOpen = false; // `act` did not end it
    bool hung = false;     // the modal wait began after the dialog had ended
    bool destroyed = true; // no dialog outlived its closing
    PromptAnswer answer;   // what showForm97() returned
};

enum class When { Waiting, BeforeWait };

void actOnDialog(const std::shared_ptr<Outcome> &outcome, int baseLevel, When when, const Act &act)
{
    QTimer::singleShot(0, qApp, [=] {
        auto *dialog = qobject_cast<Form97 *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // The modal wait runs one event loop deeper than the caller; before
        // it, the opening is still letting pending events run.
        if (when == When::Waiting && QThread::currentThread()->loopLevel() <= baseLevel) {
            actOnDialog(outcome, baseLevel, when, act);
            return;
        }
        outcome->acted = true;
        act(dialog);
        if (!dialog->hasFinished()) {
            outcome->leftOpen = true;
            dialog->reject();
        } else if (when == When::BeforeWait) {
            QTimer::singleShot(1000, qApp, [outcome, ended = QPointer<Form97>(dialog)] {
                if (ended) {
                    outcome->hung = true;
                    ended->done(0);
                }
            });
        }
    });
}

// Runs `open`, which opens the dialog the way the program does (modally),
// and `act` on the dialog once it is open.
Outcome run(const std::function<void()> &open, const Act &act, When when = When::Waiting)
{
    auto outcome = std::make_shared<Outcome>();
    actOnDialog(outcome, QThread::currentThread()->loopLevel(), when, act);
    open();
    for (QWidget *widget : QApplication::topLevelWidgets())
        outcome->destroyed = outcome->destroyed && !qobject_cast<Form97 *>(widget);
    return *outcome;
}

Outcome runPrompt(const QString &text, int value, const Act &act, When when = When::Waiting)
{
    PromptAnswer answer;
    Outcome outcome = run([&] { answer = prompt_dialog::showForm97(text, value, nullptr); }, act, when);
    outcome.answer = answer;
    return outcome;
}

#define CHECK_RAN(outcome)                                                                                             \
    do {                                                                                                               \
        QVERIFY2((outcome).acted, "the dialog did not open");                                                          \
        QVERIFY2(!(outcome).leftOpen, "the dialog stayed open");                                                       \
        QVERIFY2(!(outcome).hung, "the modal wait went on after the answer");                                          \
        QVERIFY2((outcome).destroyed, "the dialog outlived its closing");                                              \
    } while (false)

QWidget *focused(Form97 *dialog)
{
    return dialog->focusWidget() ? dialog->focusWidget() : dialog;
}

// Types `text` key by key, accented letters included; "\b" is Backspace.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(widget, Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

// A button name clicks it, a key name presses it on whatever has the focus,
// "close" closes the window as a window manager would.
void perform(Form97 *dialog, const QString &step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}, {"Escape", Qt::Key_Escape}};
    if (keys.contains(step))
        QTest::keyClick(focused(dialog), keys.value(step));
    else if (step == QLatin1String("close"))
        dialog->close();
    else if (auto *button = dialog->findChild<PictureButton *>(step))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        QFAIL(qPrintable("unknown step " + step));
}

QStringList visibleButtonsLeftToRight(Form97 *dialog)
{
    QList<PictureButton *> shown = dialog->findChildren<PictureButton *>();
    shown.removeIf([](PictureButton *button) { return !button->isVisible(); });
    std::sort(shown.begin(), shown.end(), [](PictureButton *a, PictureButton *b) { return a->x() < b->x(); });
    QStringList names;
    for (PictureButton *button : shown)
        names << button->objectName();
    return names;
}

} // namespace

class TestPromptDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opening_data();
    void opening();
    void windowPlacedDressedAndPointed();
    void answers_data();
    void answers();
    void filters_data();
    void filters();
    void keyTypedAheadEndsIt();
    void destroyedUnansweredItAnswersCancel();
    void talk();
};

void TestPromptDialog::opening_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("input");
    QTest::addColumn<QString>("boxText");

    const QString amount = QString::fromUtf8("Entrez le montant du chèque ?");
    QTest::newRow("0") << "Oui|Non" << 0 << QStringList{"command3D0"} << "Oui|Non" << 0 << false << "";
    QTest::newRow("129") << amount + "|1575.98" << 129 << QStringList{"command3D3", "command3D1"} << amount << 1 << true
                         << "1575.98";
    QTest::newRow("several |") << "Code ?|a|b" << 129 << QStringList{"command3D3", "command3D1"} << "Code ?" << 1
                               << true << "a|b";
    QTest::newRow("4") << "Imprimer ?" << 4 << QStringList{"command3D2", "command3D1"} << "Imprimer ?" << 4 << false
                       << "";
    QTest::newRow("14") << "Choix" << 14 << QStringList{"command3D4", "command3D6", "command3D5"} << "Choix" << 14
                        << false << "";
    QTest::newRow("128 alone") << "Montant ?|12" << 128 << QStringList{} << "Montant ?|12" << 128 << false << "";
    QTest::newRow("1000 alone") << "A|b" << 1000 << QStringList{} << "A" << 872 << true << "b";
    QTest::newRow("ON| then *") << "ON|*Texte" << 4 << QStringList{"bt_rech", "command3D2", "command3D1"} << "Texte"
                                << 4 << false << "";
    // The name a damaged journal is set aside under has no blank to break at.
    const QString aside =
        "Le journal était abîmé : il est mis de côté sous le nom « ormeline_journal.sqlite.abîmé-2026-12-09-1800-2 ».";
    QTest::newRow("long name") << aside << 0 << QStringList{"command3D0"} << aside << 0 << false << "";
    QTest::newRow("* then ON|") << "*ON|Texte" << 0 << QStringList{"bt_rech", "command3D0"} << "ON|Texte" << 0 << false
                                << "";
}

void TestPromptDialog::opening()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QStringList, buttons);
    QFETCH(QString, message);
    QFETCH(int, mode);
    QFETCH(bool, input);
    QFETCH(QString, boxText);

    const QHash<QString, double> lefts = {{"command3D0", 5100}, {"command3D1", 5100}, {"command3D2", 3960},
                                          {"command3D3", 3960}, {"command3D4", 540},  {"command3D5", 6060},
                                          {"command3D6", 1680}, {"bt_rech", 2820}};
    const Outcome outcome = runPrompt(text, value, [&](Form97 *dialog) {
        QCOMPARE(dialog->message(), message);
        QCOMPARE(dialog->mode(), mode);
        QCOMPARE(dialog->text1->text(), message);
        // Whole: no word runs past the edge, no line past the bottom.
        QVERIFY(dialog->text1->minimumSizeHint().width() <= dialog->text1->width());
        QVERIFY(dialog->text1->heightForWidth(dialog->text1->width()) <= dialog->text1->height());
        QCOMPARE(visibleButtonsLeftToRight(dialog), buttons);
        for (const QString &name : buttons) {
            QCOMPARE(dialog->findChild<QWidget *>(name)->pos(),
                     QPoint(platform::twipsToPixels(lefts.value(name)), platform::twipsToPixels(4080)));
        }
        QCOMPARE(dialog->Text2->isVisible(), input);
        QCOMPARE(dialog->Text2->text(), boxText);
        QCOMPARE(dialog->Text2->selectedText(), boxText);
        if (input)
            QCOMPARE(dialog->focusWidget(), dialog->Text2);
        QTest::keyClick(focused(dialog), Qt::Key_Escape);
    });
    CHECK_RAN(outcome);
}

void TestPromptDialog::windowPlacedDressedAndPointed()
{
    // The question-mark pointer is the main window's parameter mode.
    platform::setPointer(platform::QuestionArrowPointer);
    const Outcome outcome = runPrompt("Bonjour", 0, [](Form97 *dialog) {
        using platform::twipsToPixels;
        QCOMPARE(platform::pointer(), platform::ArrowPointer);
        QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dialog->size(), QSize(twipsToPixels(6795), twipsToPixels(5670)));
        const double left = (platform::screenWidthTwips() - platform::pixelsToTwips(dialog->width())) / 2;
        QCOMPARE(dialog->pos(), QPoint(twipsToPixels(left), twipsToPixels(1665)));
        QCOMPARE(dialog->ccb[7]->geometry(),
                 QRect(twipsToPixels(480), twipsToPixels(5190), twipsToPixels(5835), twipsToPixels(480)));
        for (const QLabel *piece : dialog->ccb)
            QVERIFY(!piece->pixmap().isNull());
        QTest::keyClick(focused(dialog), Qt::Key_Return);
    });
    CHECK_RAN(outcome);
    QCOMPARE(platform::pointer(), platform::DefaultPointer);
}

void TestPromptDialog::answers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("steps"); // all but the last leave the dialog open
    QTest::addColumn<QString>("answerText");
    QTest::addColumn<int>("answerValue");

    QTest::newRow("0 confirm") << "Bonjour" << 0 << ""
                               << "command3D0"
                               << "" << 1;
    QTest::newRow("0 Return") << "Bonjour" << 0 << ""
                              << "Return"
                              << "" << 1;
    QTest::newRow("0 keypad Enter") << "Bonjour" << 0 << ""
                                    << "Enter"
                                    << "" << 1;
    QTest::newRow("4 yes") << "Imprimer ?" << 4 << ""
                           << "command3D1"
                           << "" << 6;
    QTest::newRow("4 no") << "ON|Imprimer ?" << 4 << ""
                          << "command3D2"
                          << "Imprimer ?" << 7;
    QTest::newRow("4 Return") << "Imprimer ?" << 4 << ""
                              << "Return"
                              << "" << 6;
    QTest::newRow("4 Escape is not no") << "Imprimer ?" << 4 << ""
                                        << "Escape"
                                        << "" << 2;
    QTest::newRow("4 closed by the window manager") << "Imprimer ?" << 4 << ""
                                                    << "close"
                                                    << "" << 2;
    QTest::newRow("129 confirm keeps spaces") << "Montant ?| 12.5 " << 129 << ""
                                              << "command3D1"
                                              << " 12.5 " << 6;
    QTest::newRow("129 Return trims") << "Montant ?| 12.5 " << 129 << ""
                                      << "Return"
                                      << "12.5" << 1;
    QTest::newRow("129 typing replaces the default") << "Montant ?|12.5" << 129 << " 7 "
                                                     << "Return"
                                                     << "7" << 1;
    QTest::newRow("129 cancel") << "Montant ?|12.5" << 129 << ""
                                << "command3D3"
                                << "" << 2;
    QTest::newRow("129 Escape in the box") << "Montant ?|12.5" << 129 << ""
                                           << "Escape"
                                           << "" << 2;
    QTest::newRow("129 empty confirm") << "Code ?" << 129 << ""
                                       << "command3D1"
                                       << "" << 6;
    QTest::newRow("132 Return is yes, box untouched") << "Code ?| ab " << 132 << ""
                                                      << "Return"
                                                      << " ab " << 6;
    QTest::newRow("search") << "*Code ?| ab " << 129 << ""
                            << "bt_rech"
                            << "ab*" << 1;
    QTest::newRow("14 first") << "Choix" << 14 << ""
                              << "command3D4"
                              << "Choix" << 17;
    QTest::newRow("14 right") << "Choix" << 14 << ""
                              << "command3D5"
                              << "Choix" << 18;
    QTest::newRow("14 third") << "Choix" << 14 << ""
                              << "command3D6"
                              << "Choix" << 16;
    QTest::newRow("1 without box: Enter does nothing") << "Continuer ?" << 1 << ""
                                                       << "Return Escape"
                                                       << "" << 2;
    QTest::newRow("128: only Escape ends it") << "Montant ?|12" << 128 << ""
                                              << "Return Escape"
                                              << "" << 2;
}

void TestPromptDialog::answers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(QString, typed);
    QFETCH(QString, steps);

    const Outcome outcome = runPrompt(text, value, [&](Form97 *dialog) {
        typeText(dialog->Text2, typed);
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            QVERIFY2(!dialog->hasFinished(), "ended before its last step");
            perform(dialog, step);
        }
    });
    CHECK_RAN(outcome);
    QTEST(outcome.answer.text, "answerText");
    QTEST(outcome.answer.value, "answerValue");
}

void TestPromptDialog::filters_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("refused");

    const auto u = [](const char *text) { return QString::fromUtf8(text); };
    QTest::newRow("no filter") << 129 << u("aé1-x") << u("aé1-x") << u("aé1-x") << 0;
    QTest::newRow("digits only") << 10129 << u("1a2.,-é 3") << "12.,-3"
                                 << "12.,-3" << 3;
    QTest::newRow("digits keep Backspace") << 10129 << "12\b3"
                                           << "13"
                                           << "13" << 0;
    QTest::newRow("upper case") << 1129 << u("abé ç1-") << u("ABÉ Ç1-") << u("ABÉ Ç1-") << 0;
    QTest::newRow("11129 upper case, not digits") << 11129 << "ab1"
                                                  << "AB1"
                                                  << "AB1" << 0;
    QTest::newRow("100129 hidden") << 100129 << "abc"
                                   << "abc"
                                   << "***" << 0;
    QTest::newRow("hidden digits") << 110129 << "a1"
                                   << "1"
                                   << "*" << 1;
}

void TestPromptDialog::filters()
{
    QFETCH(int, value);
    QFETCH(QString, typed);
    QFETCH(QString, boxText);
    QFETCH(QString, shown);
    QFETCH(int, refused);

    const Outcome outcome = runPrompt("Code ?", value, [&](Form97 *dialog) {
        QSignalSpy refusals(dialog->Text2, &prompt_dialog::PromptInput::characterRefused);
        typeText(dialog->Text2, typed);
        QCOMPARE(dialog->Text2->text(), boxText);
        QCOMPARE(dialog->Text2->displayText(), shown);
        QCOMPARE(refusals.count(), refused);
        QTest::keyClick(dialog->Text2, Qt::Key_Return);
    });
    CHECK_RAN(outcome);
    QCOMPARE(outcome.answer.value, 1);
    QCOMPARE(outcome.answer.text, boxText.trimmed());
}

void TestPromptDialog::keyTypedAheadEndsIt()
{
    // A key that reaches the dialog while the opening lets events run ends it
    // there; the opening must not then start a wait that nothing can end.
    const Outcome outcome = runPrompt(
        "Code ?|12", 129, [](Form97 *dialog) { QTest::keyClick(dialog->Text2, Qt::Key_Return); }, When::BeforeWait);
    CHECK_RAN(outcome);
    QCOMPARE(outcome.answer.text, QStringLiteral("12"));
}

void TestPromptDialog::destroyedUnansweredItAnswersCancel()
{
    // Its owner gone before any answer: the caller must not take the message
    // as what the user typed.
    auto *dialog = new Form97(QStringLiteral("Entrez le montant du chèque ?|1575.98"), 129);
    QCOMPARE(dialog->message(), QStringLiteral("Entrez le montant du chèque ?"));
    std::optional<PromptAnswer> answer;
    QObject::connect(dialog, &Form97::answered, [&answer](const PromptAnswer &given) { answer = given; });
    delete dialog;
    QVERIFY(answer);
    QCOMPARE(answer->text, QString());
    QCOMPARE(answer->value, 2);
}

void TestPromptDialog::talk()
{
    prompt_dialog::Form97Talk talk;
    QString shown;
    QString caption;
    Outcome outcome = run([&talk] { talk.message("Ce code existe deja !"); },
                          [&shown, &caption](Form97 *dialog) {
                              shown = dialog->text1->text();
                              caption = dialog->command3D[0]->text();
                              QCOMPARE(visibleButtonsLeftToRight(dialog), QStringList{"command3D0"});
                              perform(dialog, "Return");
                          });
    CHECK_RAN(outcome);
    QCOMPARE(shown, QStringLiteral("Ce code existe deja !"));
    // The store's face 2, its caption written by the button.
    QCOMPARE(caption, QStringLiteral("Valider"));

    bool yes = false;
    outcome = run([&yes, &talk] { yes = talk.question("Imprimer ?"); },
                  [](Form97 *dialog) { perform(dialog, "command3D1"); });
    CHECK_RAN(outcome);
    QVERIFY(yes);

    std::optional<QString> answer;
    outcome = run([&answer, &talk] { answer = talk.input("Code ?", "a", prompt_dialog::UpperCaseFlag); },
                  [&shown](Form97 *dialog) {
                      shown = dialog->Text2->text();
                      typeText(dialog->Text2, "b");
                      perform(dialog, "Return");
                  });
    CHECK_RAN(outcome);
    QCOMPARE(shown, QStringLiteral("a"));
    QVERIFY(answer);
    QCOMPARE(*answer, QStringLiteral("B"));
}

QTEST_MAIN(TestPromptDialog)
#include "tst_promptdialog.moc"
