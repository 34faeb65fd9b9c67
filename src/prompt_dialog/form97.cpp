#include "prompt_dialog/form97.h"

#include "platform/desktop.h"
#include "prompt_dialog/pictures.h"
#include "window_services/picturebutton.h"
#include "window_services/placement.h"
#include "window_services/windows.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTextLayout>
#include <QtMath>

#include <iterator>

namespace prompt_dialog {

namespace {

using window_services::twipsRect;

// The window is laid out in twips, as every window of the program.
constexpr double WindowWidth = 6795;
constexpr double WindowHeight = 5670;
constexpr double ButtonSize = 1095;
constexpr double ButtonTop = 4080;

// Left edge of each button, indexed by PromptButton. Buttons sharing a place
// are never shown together. command3D5 overhangs the right edge by 360 twips;
// only mode 14 shows it, and nothing in the program asks for that mode.
constexpr double ButtonLeft[8] = {5100, 5100, 3960, 3960, 540, 6060, 1680, 2820};

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

using window_services::PictureButton;

// Lays `text` out in lines of `width`: between words where it can, and
// inside a word too long for a line (a file's name). Gives the height taken.
qreal layOut(QTextLayout &layout, qreal width)
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(layout.font()).leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += leading;
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// The message. QLabel wraps only between words and lets a longer word run
// past its edge, where it is cut.
class MessageLabel final : public QLabel
{
public:
    using QLabel::QLabel;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        QTextLayout layout(shownText(), font());
        return qCeil(layOut(layout, width));
    }
    QSize minimumSizeHint() const override { return {fontMetrics().maxWidth(), fontMetrics().height()}; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const QRect box = contentsRect();
        QTextLayout layout(shownText(), font());
        layOut(layout, box.width());
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        layout.draw(&painter, box.topLeft());
    }

private:
    QString shownText() const
    {
        QString shown = text();
        shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
        return shown;
    }
};

// A missing picture leaves the control with the one it had.
void setFaceIfHeld(PictureButton *button, const window_services::StoredPicture &face)
{
    button->setFace(face);
}

} // namespace

PromptInput::PromptInput(QWidget *parent)
    : QLineEdit(parent)
{
}

void PromptInput::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event)) {
        emit enterPressed();
        return;
    }
    // Keys that type nothing (arrows, Home, Delete) are not characters and
    // no filter concerns them.
    if (event->text().isEmpty() || event->key() == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const std::optional<QString> passed = filterTyped(m_filter, event->text());
    if (!passed) {
        platform::beep();
        emit characterRefused();
        return;
    }
    if (*passed == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), *passed, event->isAutoRepeat(),
                      ushort(event->count()));
    QLineEdit::keyPressEvent(&changed);
    event->setAccepted(changed.isAccepted());
}

Form97::Form97(const QString &text, int value, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("form97"));
    setModal(true);
    buildWindow();

    // The opening, in this order. Each step stands on its own: a picture the
    // store lacks leaves its control as it was and the next step goes on.
    const PromptRequest request = readPromptRequest(text, value);
    layFrame();
    placeOnScreen();
    m_alternativeFaces = request.alternativeFaces;

    const platform::Picture topLeft = storeImage1(2);
    if (!topLeft.isNull())
        Image1->setPixmap(
            topLeft.pixmap(topLeft.size().boundedTo(Image1->size()), devicePixelRatioF(), Qt::KeepAspectRatio));

    setFaceIfHeld(command3D[1], storeButtonFace(2));
    setFaceIfHeld(command3D[0], storeButtonFace(2));
    setFaceIfHeld(command3D[2], storeButtonFace(3));
    setFaceIfHeld(command3D[3], storeButtonFace(3));
    setFaceIfHeld(bt_rech, storeButtonFace(1));

    // The pointer is application-wide: this also ends the main window's
    // parameter mode.
    platform::setPointer(platform::ArrowPointer);

    for (PictureButton *button : command3D) {
        button->move(button->x(), platform::twipsToPixels(ButtonTop));
        button->hide();
    }
    bt_rech->move(bt_rech->x(), platform::twipsToPixels(ButtonTop));

    if (request.search)
        bt_rech->show();

    Text2->setEchoMode(request.hidden ? QLineEdit::Password : QLineEdit::Normal);
    Text2->setFilter(request.filter);
    if (request.input) {
        Text2->show();
        Text2->setText(request.defaultAnswer);
        // Typing replaces the default answer.
        Text2->selectAll();
    }
    m_message = request.message;
    m_mode = request.mode;

    showModeButtons(request.mode);
    text1->setText(m_message);
    focusFirstControl();
}

Form97::~Form97()
{
    if (!m_finished)
        answer(PromptButton::Command3D3);
}

void Form97::buildWindow()
{
    setFixedSize(twipsRect(0, 0, WindowWidth, WindowHeight).size());
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Qt::white);
    setPalette(windowPalette);

    for (std::size_t i = 0; i < ccb.size(); ++i) {
        ccb[i] = new QLabel(this);
        ccb[i]->setObjectName(QStringLiteral("ccb%1").arg(i));
    }

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(540, 450, 1755, 1230));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    text1 = new MessageLabel(this);
    text1->setObjectName(QStringLiteral("text1"));
    text1->setGeometry(twipsRect(2580, 450, 3615, 2805));
    QFont messageFont(QStringLiteral("Arial"));
    messageFont.setPointSize(12);
    text1->setFont(messageFont);
    QPalette messagePalette = text1->palette();
    messagePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    text1->setPalette(messagePalette);
    // Messages are shown as written, even one that looks like markup.
    text1->setTextFormat(Qt::PlainText);
    text1->setWordWrap(true);
    text1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Text2 = new PromptInput(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(twipsRect(540, 3450, 5655, 510));
    QFont inputFont(QStringLiteral("MS Sans Serif"));
    inputFont.setPointSize(12);
    inputFont.setBold(true);
    Text2->setFont(inputFont);
    Text2->setStyleSheet(
        QStringLiteral("QLineEdit { background: rgb(255, 255, 192); lineedit-password-character: 42; }"));
    Text2->hide();
    Text2->installEventFilter(this);
    connect(Text2, &PromptInput::enterPressed, this, [this] { finish(PromptButton::Command3D0); });

    const auto makeButton = [this](PromptButton which, const QString &name) {
        auto *button = new PictureButton(this);
        button->setObjectName(name);
        button->setGeometry(twipsRect(ButtonLeft[int(which)], 0, ButtonSize, ButtonSize));
        button->hide();
        button->installEventFilter(this);
        connect(button, &PictureButton::clicked, this, [this, which] { finish(which); });
        return button;
    };
    for (int i = 0; i < 7; ++i)
        command3D[std::size_t(i)] = makeButton(PromptButton(i), QStringLiteral("command3D%1").arg(i));
    bt_rech = makeButton(PromptButton::Search, QStringLiteral("bt_rech"));
    bt_rech->setToolTip(QStringLiteral("Recherche par Critère"));
    command3D[5]->setFace(ownCancelFace());

    QWidget *const tabOrder[] = {Text2,        command3D[5], command3D[4], command3D[6], command3D[0],
                                 command3D[2], command3D[3], command3D[1], bt_rech};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Form97::layFrame()
{
    const std::array<QRectF, 8> pieces =
        window_services::framePieceRects(platform::pixelsToTwips(width()), platform::pixelsToTwips(height()));
    for (std::size_t i = 0; i < ccb.size(); ++i)
        ccb[i]->setGeometry(twipsRect(pieces[i]));
    for (std::size_t i = 0; i < ccb.size(); ++i) {
        // The edges are drawn stretched to their length; the corners at
        // their own size.
        const platform::Picture piece = storeFramePiece(int(i));
        if (!piece.isNull())
            ccb[i]->setPixmap(piece.pixmap(ccb[i]->size(), devicePixelRatioF()));
        // Behind the dialog's own controls.
        ccb[i]->lower();
    }
}

void Form97::placeOnScreen()
{
    window_services::placeDialog(this);
}

void Form97::showModeButtons(int mode)
{
    if (mode == 4 && m_alternativeFaces) {
        setFaceIfHeld(command3D[2], storeButtonFace(73));
        setFaceIfHeld(command3D[1], storeButtonFace(72));
    }
    for (const PromptButton button : buttonsOfMode(mode))
        buttonOf(button)->show();
}

void Form97::focusFirstControl()
{
    QWidget *candidate = Text2;
    do {
        if (candidate->isVisibleTo(this)) {
            candidate->setFocus();
            return;
        }
        candidate = candidate->nextInFocusChain();
    } while (candidate != Text2 && candidate != this);
}

PictureButton *Form97::buttonOf(PromptButton button) const
{
    if (button == PromptButton::Search)
        return bt_rech;
    return command3D[std::size_t(button)];
}

bool Form97::dialogKey(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        // Even where no cancel button shows: Escape always gets the user out.
        finish(PromptButton::Command3D3);
        return true;
    }
    if (isEnter(event)) {
        if (m_mode == 4) {
            finish(PromptButton::Command3D1);
            return true;
        }
        if (m_mode == 0) {
            finish(PromptButton::Command3D0);
            return true;
        }
    }
    return false;
}

bool Form97::eventFilter(QObject *watched, QEvent *event)
{
    // The dialog sees each key before the control that has the focus, and a
    // key that ended the dialog goes no further.
    if (event->type() == QEvent::KeyPress) {
        if (m_finished)
            return true;
        if (dialogKey(static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Form97::keyPressEvent(QKeyEvent *event)
{
    // Not the standard dialog keys: Enter and Escape answer as above only.
    if (!m_finished)
        dialogKey(event);
    event->accept();
}

void Form97::reject()
{
    finish(PromptButton::Command3D3);
}

PromptAnswer Form97::answer(PromptButton button)
{
    m_finished = true;
    const PromptAnswer reply = answerOf(button, Text2->text(), m_message);
    platform::setPointer(platform::DefaultPointer);
    Q_EMIT answered(reply);
    return reply;
}

void Form97::finish(PromptButton button)
{
    if (m_finished)
        return;
    done(answer(button).value);
}

PromptAnswer showForm97(const QString &text, int value, QWidget *parent)
{
    PromptAnswer reply;
    QPointer<Form97> dialog = new Form97(text, value, parent);
    // Kept as it is given rather than asked of the dialog once it has closed:
    // its owner may destroy it while it waits, and it answers as it goes.
    QObject::connect(dialog, &Form97::answered, [&reply](const PromptAnswer &given) { reply = given; });
    dialog->show();
    // Painted before the modal wait begins.
    platform::processEvents();
    // A key typed ahead may already have ended it; waiting then would never end.
    if (dialog && !dialog->hasFinished())
        dialog->exec();
    delete dialog;
    return reply;
}

} // namespace prompt_dialog
