#include "main_window/form1.h"

#include "amount_words/wordsplit.h"
#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "main_window/amountentry.h"
#include "main_window/globals.h"
#include "main_window/messages.h"
#include "main_window/pendingcheque.h"
#include "platform/clock.h"
#include "platform/currentprinter.h"
#include "platform/desktop.h"
#include "printer_choice/printerlist.h"
#include "window_services/imagestore.h"
#include "window_services/placement.h"
#include "window_services/windows.h"
#include "prompt_dialog/globals.h"
#include "prompt_dialog/form97.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>


namespace main_window {

namespace {

// The window is laid out in twips, the unit of every size in the program.
QRect twipsRect(double left, double top, double width, double height)
{
    using platform::twipsToPixels;
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QFont uiFont(double points, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel *staticText(QWidget *parent, const QString &text, const QRect &geometry, const QFont &font,
                   bool wrap = false, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
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
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setFont(uiFont(points, bold));
    field->setFrame(false);
    field->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: #10206a; }"));
    return field;
}

QLineEdit *hiddenField(QWidget *parent, const QString &name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->hide();
    return field;
}

// A bank without a picture of its own shows the store's default one.
QPixmap defaultBankPicture()
{
    return window_services::icc::lookup(QStringLiteral("Picture1"), 0);
}

// A picture button of the main window: its caption is painted into its
// picture; the text is there only should the picture be missing.
QToolButton *pictureButton(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption,
                           const QString &toolTip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(toolTip);
    const QPixmap picture = window_services::icc::ownPicture(name);
    if (picture.isNull()) {
        button->setText(caption);
        button->setFont(uiFont(8, true));
        return button;
    }
    button->setIcon(picture);
    button->setIconSize(button->size() - QSize(4, 4));
    button->setAutoRaise(true);
    return button;
}

} // namespace

// The imitation of a blank French cheque: paper, frame, the ruled lines the
// words and the payee are written on, and the account line at the bottom.
class ChequePicture : public QFrame
{
public:
    explicit ChequePicture(QWidget *parent)
        : QFrame(parent)
    {
        setObjectName(QStringLiteral("Picture1"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect paper = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(paper, QColor(0xfb, 0xf7, 0xe9));
        painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1));
        painter.drawRect(paper);
        painter.drawRect(paper.adjusted(4, 4, -4, -4));

        // Ruled lines under the written fields.
        painter.setPen(QPen(QColor(0x9a, 0xa4, 0xb4), 1, Qt::DotLine));
        for (const QWidget *field : m_ruled) {
            const QRect g = field->geometry();
            painter.drawLine(g.left(), g.bottom() + 1, g.right(), g.bottom() + 1);
        }

        // The amount box.
        if (m_amountBox.isValid()) {
            painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1));
            painter.setBrush(QColor(0xff, 0xff, 0xff));
            painter.drawRect(m_amountBox);
        }

        // The band of the account and cheque numbers.
        painter.fillRect(QRect(5, height() - 46, width() - 10, 41), QColor(0xee, 0xe9, 0xd6));
    }

public:
    void addRuledField(const QWidget *field) { m_ruled << field; }
    void setAmountBox(const QRect &box) { m_amountBox = box; }

private:
    QList<const QWidget *> m_ruled;
    QRect m_amountBox;
};

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ormeline"));
    buildWindow();
}

Form1::~Form1() = default;

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
    Image1->setPixmap(window_services::icc::lookup(QStringLiteral("Image1"), 2)
                          .scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

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
    staticText(this,
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
        connect(button, &QToolButton::clicked, this, [this, i] { bankClicked(i); });
        bt_banq[i] = button;
    }

    // --- Printer choice and first installation, on the right. ---
    Label13 = staticText(this, QStringLiteral("Choix de l'Imprimante"), twipsRect(10650, 660, 4400, 300),
                         uiFont(9, true));
    Label13->setObjectName(QStringLiteral("Label13"));
    CbPrinters = new QComboBox(this);
    CbPrinters->setObjectName(QStringLiteral("CbPrinters"));
    CbPrinters->setGeometry(twipsRect(10650, 960, 4400, 360));
    connect(CbPrinters, &QComboBox::currentIndexChanged, this, [this](int index) { printerPicked(index); });

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
    Image2->setPixmap(window_services::icc::ownPicture(QStringLiteral("image2")));
    Frame1->hide();

    staticText(this,
               QStringLiteral("Cliquez sur 'paramètres' puis sur un icone 'Banque' pour modifier le position des zones "
                              "d'impression si necessaire."),
               twipsRect(11700, 5400, 3350, 1000), uiFont(8.5), true);
    staticText(this, QStringLiteral("Outils permet de regler l'impression de chèques sur votre imprimante."),
               twipsRect(11700, 6700, 3350, 800), uiFont(8.5), true);

    command4 = pictureButton(this, QStringLiteral("command4"), twipsRect(10650, 5400, 950, 950),
                             QStringLiteral("paramètres"), QStringLiteral("paramètres"));
    connect(command4, &QToolButton::clicked, this, [this] { parameterCommand(); });

    // The printer set-up window this opens is not part of the program yet:
    // the button is in place and does nothing.
    bt_out = pictureButton(this, QStringLiteral("bt_out"), twipsRect(10650, 6600, 950, 950), QStringLiteral("Outils"),
                           QStringLiteral("Outils"));

    bt_fin = pictureButton(this, QStringLiteral("bt_fin"), twipsRect(13900, 9700, 1100, 1100), QStringLiteral("Fin"),
                           QStringLiteral("Quitter"));
    connect(bt_fin, &QToolButton::clicked, this, [this] { exitProgram(); });

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
    });
}

void Form1::startUp()
{
    // Each step stands on its own: a file that is missing or unreadable
    // leaves its fields empty and start-up goes on, silently.
    auto step = [](auto &&action) {
        try {
            action();
        } catch (...) {
        }
        platform::processEvents();
    };

    step([] { PrintersReady = false; });
    // The shop's picture, read once: for every dialog (through the image
    // store) and for the cheque's corner.
    const QPixmap shopPicture(QStringLiteral("fc_img_024.gif"));
    step([&shopPicture] {
        if (!shopPicture.isNull())
            window_services::icc::replace(QStringLiteral("Image1"), 2, shopPicture);
    });
    step([this, &shopPicture] {
        if (!shopPicture.isNull())
            Image1->setPixmap(shopPicture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
    step([this] { window_services::placeMainWindow(this); });
    step([this] {
        applySettings(readSettings(SettingsFileName));
        // The words of a cheque handed over are written below, before the
        // defaults of a first installation would otherwise be filled in:
        // without them its words would read "DOUZE S".
        applyCurrencyDefaults();
    });
    step([this] { charge_banque(); });
    step([this] { Text4->setText(platform::today().toString(QStringLiteral("dd/MM/yyyy"))); });
    step([] { window_services::openSuiteFile(); });
    step([this] { takePendingCheque(); });
    step([this] { converti_txt(); });
    step([this] { update(); });
    step([this] {
        // The list's own selection changes store nothing while PrintersReady
        // is false.
        const printer_choice::RestoredChoice choice = printer_choice::restorePrinterChoice(platform::installedPrinters());
        CbPrinters->clear();
        CbPrinters->addItems(choice.entries);
        if (choice.selected >= 0) {
            CbPrinters->setCurrentIndex(choice.selected);
            platform::selectPrinter(printer_choice::PrinterTable.at(choice.selected));
        }
    });
    step([] { PrintersReady = true; });
    step([this] {
        applyCurrencyDefaults();
        if (Text7->text().trimmed().isEmpty())
            Frame1->show();
    });
    step([this] { Timer1->start(500); });
}

void Form1::applySettings(const Settings &settings)
{
    Text5->setText(settings.verticalOffset);
    Text6->setText(settings.horizontalOffset);
    Text9->setText(settings.currencyName);
    Text11->setText(settings.hundredthName);
    Text8->setText(settings.payee);
    Text7->setText(settings.place);
}

void Form1::applyCurrencyDefaults()
{
    if (Text9->text().trimmed().isEmpty())
        Text9->setText(DefaultCurrencyName);
    if (Text11->text().trimmed().isEmpty())
        Text11->setText(DefaultHundredthName);
}

Settings Form1::currentSettings() const
{
    return {Text5->text(), Text6->text(), Text9->text(), Text11->text(), Text8->text(), Text7->text()};
}

void Form1::takePendingCheque()
{
    if (!m_pendingFile.open(PendingChequeFileName, PendingRecordLength))
        return;
    const PendingCheque cheque = main_window::takePendingCheque(m_pendingFile);
    text1->setText(cheque.amount);
    KeepOpenAfterPrint = cheque.keepOpen;
}

bool Form1::converti_txt()
{
    const double limit = platform::pixelsToTwips(Text3->width());
    platform::PrinterSurface &printer = platform::currentPrinter();
    const amount_words::Preview preview = amount_words::converti_txt(
        text1->text(), Text9->text(), Text11->text(), limit,
        [&printer](const QString &text) { return printer.textWidth(text); });
    if (!preview.converted)
        return false;
    Text2->setText(preview.words);
    Text3->setText(preview.line1);
    Text10->setText(preview.line2);
    m_wordsAmount = text1->text();
    return true;
}

bool Form1::wordsMatchAmount() const
{
    return text1->text().trimmed().isEmpty() || text1->text() == m_wordsAmount;
}

void Form1::charge_banque()
{
    using namespace bank_layouts;
    const QStringList files = layoutFiles(QStringLiteral("."));
    for (int i = 0; i < files.size() && i < BankFileSlots; ++i) {
        SelectedBankFile = files[i];
        BankFiles[i] = files[i];
        // Only fifteen buttons: the first fifteen banks in name order.
        if (i >= int(bt_banq.size()))
            continue;
        QToolButton *button = bt_banq[i];
        const QPixmap picture(bankPictureName(files[i]));
        const std::optional<QString> name = readBankName(files[i]);
        button->setIcon(picture.isNull() || !name ? defaultBankPicture() : picture);
        if (name)
            button->setText(*name);
    }
}

void Form1::bankClicked(int index)
{
    using namespace bank_layouts;
    SelectedBankFile = BankFiles[index];
    if (platform::pointer() == platform::QuestionArrowPointer) {
        // Parameter mode: the click is for the bank's layout, not for
        // printing. The layout editor is not part of the program yet.
        return;
    }
    if (!wordsMatchAmount()) {
        // Figures without words would be a cheque the bank refuses.
        showMessage(this, QStringLiteral("Le montant « %1 » ne peut pas être écrit en lettres : le chèque n'est pas "
                                         "imprimé.\nCliquez sur le montant pour le corriger.")
                              .arg(text1->text()));
        return;
    }
    try {
        if (SelectedBankFile.isEmpty())
            throw platform::PrinterError("no layout behind this button");
        platform::PrinterSurface &printer = platform::currentPrinter();
        loadLayout(SelectedBankFile, printer);
        printCheque(printer, {text1->text(), Text2->text(), Text8->text(), Text7->text(), Text4->text(),
                              Text5->text(), Text6->text()});
    } catch (...) {
        showMessage(this, QStringLiteral("Cette banque n'est pas définie !"));
        return;
    }
    if (!KeepOpenAfterPrint)
        endProgram();
}

void Form1::amountEntry()
{
    using prompt_dialog::PromptText;
    using prompt_dialog::PromptValue;
    PromptValue = 129;
    PromptText = QStringLiteral("Entrez le montant du chèque ?|") + text1->text();
    prompt_dialog::showForm97(this);
    // Whichever key or button closed the dialog, the text is the answer: a
    // cancel gives an empty text, so 0.00.
    const AmountAnswer answer = amountFromAnswer(PromptText);
    if (!answer.accepted) {
        showMessage(this, answer.refusal);
        return;
    }
    text1->setText(answer.amount);
    converti_txt();
}

void Form1::parameterCommand()
{
    platform::setPointer(platform::pointer() == platform::QuestionArrowPointer ? platform::ArrowPointer
                                                                                  : platform::QuestionArrowPointer);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == text1 && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        amountEntry();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::printerPicked(int index)
{
    if (!PrintersReady || index < 0 || index >= printer_choice::PrinterTable.size())
        return;
    const printer_choice::StoreResult stored = printer_choice::storePrinterChoice(index);
    platform::processEvents();
    // The pick holds for this run even when it could not be kept for the next.
    platform::selectPrinter(printer_choice::PrinterTable.at(index));
    if (!stored.ok())
        showMessage(this, QStringLiteral("Le choix de l'imprimante n'a pas pu être enregistré dans le fichier "
                                         "« WFICP_IA.WDO » (%1). Il vaut pour cette fois seulement.")
                              .arg(stored.reason));
}

bool Form1::exitProgram()
{
    QString error;
    if (!writeSettings(SettingsFileName, currentSettings(), &error)) {
        // The offsets, payee and place would be lost without a word: say so
        // and let the user keep the window open to try again.
        const bool quit = askYesNo(
            this, QStringLiteral("Les réglages n'ont pas pu être enregistrés dans le fichier « %1 » (%2).\n\n"
                                 "Vos modifications du bénéficiaire, du lieu et des décalages seront perdues.\n"
                                 "Quitter quand même ?")
                      .arg(SettingsFileName, error));
        if (!quit)
            return false;
    }
    endProgram();
    return true;
}

void Form1::endProgram()
{
    m_pendingFile.close();
    window_services::closeSuiteFile();
    m_ended = true;
    Q_EMIT programEnded();
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_ended || exitProgram())
        event->accept();
    else
        event->ignore();
}

} // namespace main_window
