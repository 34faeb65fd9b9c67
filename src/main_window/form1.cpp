#include "main_window/form1.h"

#include "calibration/caischq3.h"
#include "cheque_reader/keyburst.h"
#include "journal/chequerecorder.h"
#include "journal/journaldesk.h"
#include "journal/journalwindow.h"
#include "layout_editor/form2.h"
#include "main_window/chequepicture.h"
#include "main_window/chequesession.h"
#include "platform/desktop.h"
#include "platform/pictures.h"
#include "prompt_dialog/usertalk.h"
#include "window_services/imagestore.h"
#include "window_services/picturebutton.h"
#include "window_services/placement.h"
#include "window_services/textfield.h"
#include "window_services/windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

namespace main_window {

namespace {

using window_services::twipsRect;

QFont uiFont(double points, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel *staticText(QWidget *parent, const QString &text, const QRect &geometry, const QFont &font, bool wrap = false,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setWordWrap(wrap);
    label->setAlignment(alignment);
    return label;
}

// A field written on the cheque: no frame, the paper shows through.
QLineEdit *chequeField(QWidget *parent, const QString &name, const QRect &geometry, double points = 10,
                       bool bold = false)
{
    auto *field = new window_services::TextField(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setFont(uiFont(points, bold));
    field->setFrame(false);
    // A palette, not a style sheet: one style sheet a field costs more than
    // the whole window at start-up.
    QPalette ink = field->palette();
    ink.setColor(QPalette::Base, Qt::transparent);
    ink.setColor(QPalette::Text, QColor(0x10, 0x20, 0x6a));
    field->setPalette(ink);
    return field;
}

QLineEdit *hiddenField(QWidget *parent, const QString &name)
{
    auto *field = new window_services::TextField(parent);
    field->setObjectName(name);
    field->hide();
    return field;
}

// A bank without a picture of its own shows the store's default one.
QPixmap defaultBankPicture(const QSize &size, qreal ratio)
{
    return window_services::icc.lookup(QStringLiteral("Picture1"), 0).picture.pixmap(size, ratio, Qt::KeepAspectRatio);
}

} // namespace

Form1::Form1(Parts parts, QWidget *parent)
    : QWidget(parent)
    , m_session(parts.session)
    , m_parts(parts)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ormeline"));
    setWindowIcon(QIcon(window_services::artwork(QStringLiteral("ormeline")).pixmap(QSize(128, 128))));
    buildWindow();
    m_session.setWindow(this);
    // A keyboard-wedge reader types into whatever field has the focus: its
    // keys are looked at before any field of the window gets them.
    m_burst = new cheque_reader::KeyBurst(cheque_reader::WedgeSettings(), this);
    connect(m_burst, &cheque_reader::KeyBurst::given, this, &Form1::giveBackKeys);
    connect(m_burst, &cheque_reader::KeyBurst::lineRead, this, [this](const QString &raw) {
        m_heldKeys.clear();
        m_session.chequeRead(raw);
    });
    qApp->installEventFilter(this);
    connect(&m_session, &ChequeSession::fieldsChanged, this, &Form1::showFields);
    // What prints waits for the printers, which are asked for once the
    // window is painted.
    for (QWidget *printing : printingControls())
        printing->setEnabled(false);
    connect(&m_session, &ChequeSession::printersReady, this, [this] {
        for (QWidget *printing : printingControls())
            printing->setEnabled(true);
    });
    // What the user types into the cheque goes to the working data at once.
    const std::pair<QLineEdit *, TypedField> typed[] = {
        {Text4, TypedField::Date}, {Text8, TypedField::Payee}, {Text7, TypedField::Place}};
    for (const auto &[field, which] : typed) {
        connect(field, &QLineEdit::textEdited, &m_session,
                [this, which = which](const QString &text) { m_session.edit(which, text); });
    }
    showFields();
}

Form1::~Form1()
{
    m_session.setWindow(nullptr);
}

void Form1::buildWindow()
{
    setFixedSize(twipsRect(0, 0, window_services::MainWindowWidth, window_services::MainWindowHeight).size());
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(0xe4, 0xea, 0xf2));
    setPalette(windowPalette);

    staticText(this, QStringLiteral("Edition des Chèques"), twipsRect(300, 90, 9000, 480), uiFont(16, true));

    // --- The cheque, read from top to bottom as a real one. ---
    Picture1 = new ChequePicture(this);
    Picture1->setGeometry(twipsRect(300, 660, 10020, 4590));
    QWidget *cheque = Picture1;

    Image1 = new QLabel(cheque);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(120, 120, 1650, 660));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setScaledContents(false);
    // Its picture comes with start-up: the shop's, or the placeholder.

    const QFont small = uiFont(7.5);
    staticText(cheque, QStringLiteral("BANQUE DES ARTISANS"), twipsRect(1900, 110, 4200, 260), uiFont(9, true));
    staticText(cheque, QStringLiteral("Agence de la Halle\n12, place du Marché  —  Tél. 01 00 00 00 00"),
               twipsRect(1900, 360, 4300, 420), small);
    staticText(cheque, QStringLiteral("Payable en France"), twipsRect(6300, 150, 1800, 260), small);
    staticText(cheque, QStringLiteral("B.P.F."), twipsRect(8150, 150, 1000, 260), uiFont(8, true));

    const QFont writing = uiFont(9);
    staticText(cheque, QStringLiteral("Payer contre ce chèque"), twipsRect(180, 960, 2100, 300), writing);
    Text3 = chequeField(cheque, QStringLiteral("Text3"), twipsRect(2300, 940, 7500, 330));
    Picture1->addRuledField(Text3);

    Text10 = chequeField(cheque, QStringLiteral("Text10"), twipsRect(180, 1420, 6500, 330));
    Picture1->addRuledField(Text10);
    // The words follow the amount; what is printed is the whole words, so
    // an edit of these two lines would show one thing and print another.
    for (QLineEdit *wordsLine : {Text3, Text10}) {
        wordsLine->setReadOnly(true);
        wordsLine->setFocusPolicy(Qt::NoFocus);
    }
    text1 = chequeField(cheque, QStringLiteral("text1"), twipsRect(7000, 1400, 2300, 360), 11, true);
    text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The words are computed only when the amount is given through its
    // entry; typing here would change the figures without the words.
    text1->setReadOnly(true);
    text1->setCursor(Qt::PointingHandCursor);
    text1->setToolTip(QStringLiteral("Cliquez pour entrer le montant du chèque"));
    text1->installEventFilter(this);
    Picture1->setAmountBox(twipsRect(6900, 1360, 2900, 440).adjusted(0, 0, -1, -1));
    staticText(cheque, QStringLiteral("€"), twipsRect(9380, 1400, 360, 360), uiFont(11, true));
    staticText(cheque, QStringLiteral("Chéque à rédiger en Euros"), twipsRect(6900, 1830, 2900, 240),
               uiFont(7, false, true), false, Qt::AlignCenter);

    staticText(cheque, QStringLiteral("à"), twipsRect(180, 1900, 250, 300), writing);
    Text8 = chequeField(cheque, QStringLiteral("Text8"), twipsRect(450, 1880, 6200, 330));
    Picture1->addRuledField(Text8);

    staticText(cheque, QStringLiteral("à"), twipsRect(5000, 2420, 250, 300), writing);
    Text7 = chequeField(cheque, QStringLiteral("Text7"), twipsRect(5270, 2400, 2300, 330));
    Picture1->addRuledField(Text7);
    staticText(cheque, QStringLiteral("le"), twipsRect(7650, 2420, 300, 300), writing);
    Text4 = chequeField(cheque, QStringLiteral("Text4"), twipsRect(7980, 2400, 1700, 330));
    Picture1->addRuledField(Text4);

    staticText(cheque, QStringLiteral("Compte"), twipsRect(180, 2460, 1000, 240), small);
    staticText(cheque, QStringLiteral("00000  00000  00000000000  00"), twipsRect(180, 2680, 4200, 240), small);
    staticText(cheque, QStringLiteral("M. ou Mme CLIENT EXEMPLE\n8, rue des Tilleuls\n00000 VILLE"),
               twipsRect(180, 2980, 4200, 700), uiFont(8));
    QFont fixedPitch(QStringLiteral("Courier New"));
    fixedPitch.setStyleHint(QFont::TypeWriter);
    fixedPitch.setPointSizeF(10);
    staticText(cheque, QStringLiteral("0000000   000000000000   000000000000"), twipsRect(600, 3960, 8800, 420),
               fixedPitch);

    // --- Instructions and the bank buttons' area. ---
    staticText(
        this,
        QStringLiteral("Cliquez ci-dessous sur un des icones correpondant à la banque de votre client, si vous ne "
                       "la trouvez pas choisissez un des des positionnement génériques  (Lieu en dessous de la date "
                       "ou lieu à gauche de la date)"),
        twipsRect(300, 5400, 10020, 1000), uiFont(9), true);

    // Three rows of five bank buttons, 1980 x 915 twips each.
    for (int i = 0; i < int(bt_banq.size()); ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("bt_banq_%1").arg(i));
        button->setGeometry(twipsRect(300 + 2010 * (i % 5), 7530 + 930 * (i / 5), 1980, 915));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(100, 40));
        button->setFont(uiFont(7.5));
        connect(button, &QToolButton::clicked, &m_session, [this, i] { m_session.bankClicked(i); });
        bt_banq[i] = button;
    }

    // --- Printer choice and first installation, on the right. ---
    Label13 =
        staticText(this, QStringLiteral("Choix de l'Imprimante"), twipsRect(10650, 660, 4400, 300), uiFont(9, true));
    Label13->setObjectName(QStringLiteral("Label13"));
    CbPrinters = new QComboBox(this);
    CbPrinters->setObjectName(QStringLiteral("CbPrinters"));
    CbPrinters->setGeometry(twipsRect(10650, 960, 4400, 360));
    // Every pick counts, the printer already shown too: picked, it is kept.
    connect(CbPrinters, &QComboBox::activated, &m_session, &ChequeSession::printerPicked);

    Frame1 = new QGroupBox(QStringLiteral("Première Installation"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(10650, 1500, 4400, 3600));
    Frame1->setFont(uiFont(9, true));
    staticText(Frame1,
               QStringLiteral("Choisissez dans la liste ci-dessus l'imprimante standard que vous utiliserez pour "
                              "imprimer les chèques.  Ne pas sélectionner l'imprimante ticket !"),
               twipsRect(150, 330, 4100, 1200), uiFont(9), true);
    staticText(Frame1,
               QStringLiteral("Ensuite cliquez sur le bouton 'Outils' ci contre pour tester l'imprimante choisie :"),
               twipsRect(150, 1600, 2700, 1300), uiFont(9), true);
    Image2 = new QLabel(Frame1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsRect(3000, 1700, 1100, 1100));
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(window_services::artwork(QStringLiteral("printer"))
                          .pixmap(Image2->size() * 3 / 4, devicePixelRatioF(), Qt::KeepAspectRatio));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setToolTip(QStringLiteral("Régler l'imprimante des chèques"));
    Image2->installEventFilter(this);
    Frame1->hide();

    staticText(this,
               QStringLiteral("Cliquez sur 'paramètres' puis sur un icone 'Banque' pour modifier le position des zones "
                              "d'impression si necessaire."),
               twipsRect(11700, 5400, 3350, 1000), uiFont(8.5), true);
    staticText(this, QStringLiteral("Outils permet de regler l'impression de chèques sur votre imprimante."),
               twipsRect(11700, 6700, 3350, 800), uiFont(8.5), true);

    command4 = window_services::makePictureButton(this, QStringLiteral("command4"), twipsRect(10650, 5400, 950, 950),
                                                  QStringLiteral("glyph-settings"), QStringLiteral("paramètres"),
                                                  QStringLiteral("paramètres"));
    connect(command4, &window_services::PictureButton::clicked, &m_session, &ChequeSession::parameterCommand);

    bt_out = window_services::makePictureButton(this, QStringLiteral("bt_out"), twipsRect(10650, 6600, 950, 950),
                                                QStringLiteral("glyph-knife"), QStringLiteral("Outils"),
                                                QStringLiteral("Outils"));
    connect(bt_out, &window_services::PictureButton::clicked, &m_session, &ChequeSession::toolsCommand);

    staticText(this, QStringLiteral("Journal : les chèques imprimés, la remise en banque et l'export."),
               twipsRect(11700, 7900, 3350, 800), uiFont(8.5), true);
    bt_journal = window_services::makePictureButton(this, QStringLiteral("bt_journal"),
                                                    twipsRect(10650, 7800, 950, 950), QStringLiteral("glyph-ledger"),
                                                    QStringLiteral("Journal"), QStringLiteral("Journal des chèques"));
    connect(bt_journal, &window_services::PictureButton::clicked, this, &Form1::openJournal);
    // Cheques printed while the shared journal's server was away: the shop
    // sees that they are kept, and that a slip must wait for them.
    lblChequeLu = staticText(this, QString(), twipsRect(300, 6600, 10020, 400), uiFont(11, true), true);
    lblChequeLu->setObjectName(QStringLiteral("lblChequeLu"));
    lblChequeLu->setStyleSheet(QStringLiteral("color: #1f3a7a"));

    lblAttenteServeur = staticText(this, QString(), twipsRect(10650, 8850, 3150, 800), uiFont(8.5, true), true);
    lblAttenteServeur->setObjectName(QStringLiteral("lblAttenteServeur"));
    lblAttenteServeur->setStyleSheet(QStringLiteral("color: #a40000"));
    if (journal::JournalRecorder *const recorder = m_parts.journal) {
        connect(recorder, &journal::JournalRecorder::waitingChanged, lblAttenteServeur,
                [label = lblAttenteServeur](int count) { label->setText(journal::waitingText(count)); });
        lblAttenteServeur->setText(journal::waitingText(recorder->waiting()));
    }

    bt_fin = window_services::makePictureButton(this, QStringLiteral("bt_fin"), twipsRect(13900, 9700, 1100, 1100),
                                                QStringLiteral("glyph-stop"), QStringLiteral("Fin"),
                                                QStringLiteral("Quitter"));
    connect(bt_fin, &window_services::PictureButton::clicked, &m_session, [this] { m_session.exitProgram(); });

    // --- The program's variables, never shown. ---
    Text2 = hiddenField(this, QStringLiteral("Text2"));
    Text5 = hiddenField(this, QStringLiteral("Text5"));
    Text6 = hiddenField(this, QStringLiteral("Text6"));
    Text9 = hiddenField(this, QStringLiteral("Text9"));
    Text11 = hiddenField(this, QStringLiteral("Text11"));

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] {
        raise();
        activateWindow();
        // A message already open (a start-up problem) stays above the window:
        // with no window manager to keep it there, it would sit hidden under
        // it and the program would look frozen.
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this) {
            modal->raise();
            modal->activateWindow();
        }
    });
}

void Form1::showFields()
{
    const WorkingFields &fields = m_session.fields();
    const std::pair<QLineEdit *, const QString *> shown[] = {
        {text1, &fields.amount},       {Text2, &fields.words},          {Text3, &fields.wordsLine1},
        {Text10, &fields.wordsLine2},  {Text4, &fields.date},           {Text8, &fields.payee},
        {Text7, &fields.place},        {Text5, &fields.verticalOffset}, {Text6, &fields.horizontalOffset},
        {Text9, &fields.currencyName}, {Text11, &fields.hundredthName}};
    for (const auto &[field, text] : shown) {
        // Only what changed: setting a field's text moves its cursor.
        if (field->text() != *text)
            field->setText(*text);
    }
    // A long second line reads from its start.
    Text10->setCursorPosition(0);
}

void Form1::loadShopPicture()
{
    // Read once: for every dialog (through the image store) and for the
    // cheque's corner.
    const platform::Result<platform::Picture> shop = platform::Picture::load(QStringLiteral("fc_img_024.gif"));
    if (shop)
        window_services::icc.replace(QStringLiteral("Image1"), 2, *shop);
    // The store's picture: the shop's, or the placeholder it holds until then.
    Image1->setPixmap(window_services::icc.lookup(QStringLiteral("Image1"), 2)
                          .picture.pixmap(Image1->size(), devicePixelRatioF(), Qt::KeepAspectRatio));
}

void Form1::place()
{
    window_services::placeMainWindow(this);
}

void Form1::showBankButtons(const QList<bank_layouts::BankButtonFace> &faces)
{
    const qreal ratio = devicePixelRatioF();
    // Most buttons show the default picture: it is drawn once per size.
    QPixmap fallback;
    QSize fallbackSize;
    for (int i = 0; i < faces.size() && i < int(bt_banq.size()); ++i) {
        QToolButton *button = bt_banq[std::size_t(i)];
        const bank_layouts::BankButtonFace &face = faces[i];
        const QSize size = button->iconSize();
        QPixmap icon;
        if (face.caption) {
            if (const platform::Result<platform::Picture> own = platform::Picture::load(face.pictureFile))
                icon = own->pixmap(size, ratio, Qt::KeepAspectRatio);
            button->setText(*face.caption);
        }
        if (icon.isNull()) {
            if (fallbackSize != size) {
                fallback = defaultBankPicture(size, ratio);
                fallbackSize = size;
            }
            icon = fallback;
        }
        button->setIcon(icon);
    }
}

double Form1::firstLineWidth() const
{
    return platform::pixelsToTwips(Text3->width());
}

void Form1::repaintNow()
{
    update();
}

void Form1::showPrinters(const QStringList &entries, int selected)
{
    CbPrinters->clear();
    CbPrinters->addItems(entries);
    if (selected >= 0)
        CbPrinters->setCurrentIndex(selected);
}

void Form1::showFirstInstallation()
{
    Frame1->show();
}

void Form1::armFrontTimer()
{
    Timer1->start(500);
}

bool Form1::openLayoutEditor(const layout_editor::EditedBank &bank)
{
    layout_editor::Form2 editor(m_session.editorData(), bank, this);
    if (!editor.load())
        return false;
    editor.exec();
    return true;
}

void Form1::openPrinterSetup()
{
    calibration::Caischq3 setup(m_session.editorData(), this);
    setup.exec();
}

void Form1::hideFirstInstallation()
{
    Frame1->hide();
}

void Form1::openJournal()
{
    journal::JournalRecorder *const recorder = m_parts.journal;
    journal::Journal *const open = recorder ? recorder->journal() : nullptr;
    if (!open) {
        m_parts.talk.message(
            QStringLiteral("Le journal des chèques ne peut pas être ouvert : %1.")
                .arg(recorder ? recorder->unavailable() : QStringLiteral("il n'y en a pas pour ce dossier")));
        return;
    }
    journal::JournalDesk desk(*open, m_session.journalValues(), m_parts.cheques, m_parts.talk, m_parts.clock);
    journal::JournalWindow window(desk, this);
    window.exec();
}

void Form1::showReadCheque(const QString &text, int bankIndex)
{
    lblChequeLu->setText(text);
    for (int i = 0; i < int(bt_banq.size()); ++i) {
        bt_banq[std::size_t(i)]->setStyleSheet(
            i == bankIndex && !text.isEmpty()
                ? QStringLiteral("QToolButton { border: 3px solid #1f3a7a; border-radius: 4px; background: #dce6f7; }")
                : QString());
    }
}

void Form1::useWedgeSettings(const cheque_reader::WedgeSettings &settings)
{
    m_burst->setSettings(settings);
}

bool Form1::readerKey(QObject *receiver, QKeyEvent *key)
{
    auto *const widget = qobject_cast<QWidget *>(receiver);
    // This window's keys only, and none while a dialog of its own is up.
    if (m_givingBack || !widget || widget->window() != this || QApplication::activeModalWidget())
        return false;
    // A reader's keyboard presses Shift for capitals, and for the digits of
    // an AZERTY row: a key that only modifies the next is no key of a line.
    switch (key->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return false;
    default:
        break;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (m_burst->typed(plain ? key->text() : QString(), enter)) {
        if (!enter)
            m_heldKeys.push_back({receiver, std::unique_ptr<QKeyEvent>(key->clone())});
        return true;
    }
    return enter && plain && m_session.printReadCheque();
}

void Form1::giveBackKeys(int count)
{
    std::vector<HeldKey> keys;
    const auto end = m_heldKeys.begin() + std::min<std::ptrdiff_t>(count, std::ptrdiff_t(m_heldKeys.size()));
    std::move(m_heldKeys.begin(), end, std::back_inserter(keys));
    m_heldKeys.erase(m_heldKeys.begin(), end);
    m_givingBack = true;
    for (HeldKey &key : keys) {
        if (key.receiver)
            QCoreApplication::sendEvent(key.receiver, key.event.get());
    }
    m_givingBack = false;
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && readerKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::MouseButtonPress && m_burst->holding())
        m_burst->settleNow();
    const bool leftPress =
        event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (leftPress && watched == text1) {
        m_session.amountEntry();
        return true;
    }
    if (leftPress && watched == Image2) {
        m_session.firstInstallationCommand();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Once the window stands, so that the user sees what the message is about.
    QTimer::singleShot(0, &m_session, &ChequeSession::tellStartUpProblems);
}

void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_painted)
        return;
    m_painted = true;
    // The window is on the screen: now the printing system may be asked.
    QTimer::singleShot(0, &m_session, &ChequeSession::preparePrinters);
    Q_EMIT firstPainted();
}

QList<QWidget *> Form1::printingControls() const
{
    // The journal reprints cheques and prints slips.
    QList<QWidget *> controls{CbPrinters, bt_out, Image2, bt_journal};
    for (QToolButton *bank : bt_banq)
        controls << bank;
    return controls;
}

void Form1::closeEvent(QCloseEvent *event)
{
    // What was typed last goes into its field before the field is kept.
    m_burst->settleNow();
    if (m_session.hasEnded() || m_session.exitProgram())
        event->accept();
    else
        event->ignore();
}

} // namespace main_window
