#include "prompt_dialog/promptrequest.h"

#include <QTest>

using namespace prompt_dialog;

Q_DECLARE_METATYPE(prompt_dialog::InputFilter)

class TestPromptRequest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readRequest_data();
    void readRequest();
};

void TestPromptRequest::readRequest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("input");
    QTest::addColumn<QString>("defaultAnswer");
    QTest::addColumn<InputFilter>("filter");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("alternativeFaces");
    QTest::addColumn<bool>("search");

    const auto none = InputFilter::None;
    const auto upper = InputFilter::UpperCase;
    const auto digits = InputFilter::DigitsOnly;

    // A flag on its own is not more than itself, but it is more than the
    // smaller flags that follow (1000 alone is mode 872 with the box).
    QTest::newRow("100000 alone") << "A" << 100000 << "A" << 88872 << true << "" << upper << false << false << false;
    QTest::newRow("1128: upper case, no box")
        << "A|b" << 1128 << "A|b" << 128 << false << "" << upper << false << false << false;
    QTest::newRow("129 without |") << "Code ?" << 129 << "Code ?" << 1 << true << "" << none << false << false << false;
    QTest::newRow("1129 upper case") << "N° ?" << 1129 << "N° ?" << 1 << true << "" << upper << false << false << false;
    QTest::newRow("10129 digits only") << "N° ?" << 10129 << "N° ?" << 1 << true << "" << digits << false << false
                                       << false;
    QTest::newRow("11129 upper case wins")
        << "N° ?" << 11129 << "N° ?" << 1 << true << "" << upper << false << false << false;
    QTest::newRow("100129 hidden") << "Mot ?|x" << 100129 << "Mot ?" << 1 << true << "x" << none << true << false
                                   << false;
    QTest::newRow("on| is not a marker") << "on|Texte" << 0 << "on|Texte" << 0 << false << "" << none << false << false
                                         << false;
    QTest::newRow("markers before the split")
        << "ON|*Code ?|AB" << 129 << "Code ?" << 1 << true << "AB" << none << false << true << true;
    QTest::newRow("} is ordinary text") << "}Code ?" << 129 << "}Code ?" << 1 << true << "" << none << false << false
                                        << false;
}

void TestPromptRequest::readRequest()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const PromptRequest request = readPromptRequest(text, value);
    QTEST(request.message, "message");
    QTEST(request.mode, "mode");
    QTEST(request.input, "input");
    QTEST(request.defaultAnswer, "defaultAnswer");
    QTEST(request.filter, "filter");
    QTEST(request.hidden, "hidden");
    QTEST(request.alternativeFaces, "alternativeFaces");
    QTEST(request.search, "search");
}

QTEST_APPLESS_MAIN(TestPromptRequest)
#include "tst_promptrequest.moc"
