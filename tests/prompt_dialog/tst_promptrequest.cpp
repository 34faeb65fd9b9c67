#include "prompt_dialog/placement.h"
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
    void dialogTopLeft_data();
    void dialogTopLeft();
    void framePieces_data();
    void framePieces();
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
    QTest::newRow("100000 alone") << "A" << 100000 << "A" << 88872 << true << "" << upper << false << false
                                  << false;
    QTest::newRow("1128: upper case, no box") << "A|b" << 1128 << "A|b" << 128 << false << "" << upper << false
                                              << false << false;
    QTest::newRow("129 without |") << "Code ?" << 129 << "Code ?" << 1 << true << "" << none << false << false
                                   << false;
    QTest::newRow("1129 upper case") << "N° ?" << 1129 << "N° ?" << 1 << true << "" << upper << false << false
                                     << false;
    QTest::newRow("10129 digits only") << "N° ?" << 10129 << "N° ?" << 1 << true << "" << digits << false << false
                                       << false;
    QTest::newRow("11129 upper case wins") << "N° ?" << 11129 << "N° ?" << 1 << true << "" << upper << false
                                           << false << false;
    QTest::newRow("100129 hidden") << "Mot ?|x" << 100129 << "Mot ?" << 1 << true << "x" << none << true << false
                                   << false;
    QTest::newRow("on| is not a marker") << "on|Texte" << 0 << "on|Texte" << 0 << false << "" << none << false
                                         << false << false;
    QTest::newRow("markers before the split") << "ON|*Code ?|AB" << 129 << "Code ?" << 1 << true << "AB" << none
                                              << false << true << true;
    QTest::newRow("} is ordinary text") << "}Code ?" << 129 << "}Code ?" << 1 << true << "" << none << false
                                        << false << false;
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

void TestPromptRequest::dialogTopLeft_data()
{
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QPointF>("topLeft");
    QTest::newRow("prompt dialog") << 19200.0 << 6795.0 << 5670.0 << QPointF(6202.5, 1665);
    QTest::newRow("narrow screen") << 4800.0 << 6795.0 << 5670.0 << QPointF(-997.5, 1665);
    QTest::newRow("taller than the band") << 19200.0 << 12000.0 << 11070.0 << QPointF(3600, -1035);
}

void TestPromptRequest::dialogTopLeft()
{
    QFETCH(double, screenWidth);
    QFETCH(double, width);
    QFETCH(double, height);
    QTEST(prompt_dialog::dialogTopLeft(screenWidth, width, height), "topLeft");
}

void TestPromptRequest::framePieces_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRectF>("rect");
    // The prompt dialog's own size, 6795 x 5670.
    QTest::newRow("top-right corner") << 1 << QRectF(6315, 0, 480, 480);
    QTest::newRow("bottom-right corner") << 2 << QRectF(6315, 5190, 480, 480);
    QTest::newRow("left edge") << 4 << QRectF(0, 480, 480, 4710);
    QTest::newRow("bottom edge") << 7 << QRectF(480, 5190, 5835, 480);
}

void TestPromptRequest::framePieces()
{
    QFETCH(int, index);
    QTEST(framePieceRects(6795, 5670)[std::size_t(index)], "rect");
}

QTEST_APPLESS_MAIN(TestPromptRequest)
#include "tst_promptrequest.moc"
