#include "calibration/form2.h"

#include "calibration/layoutpreviewwidget.h"
#include "calibration/mainwindowdata.h"
#include "platform/desktop.h"
#include "window_services/imagestore.h"
#include "window_services/picturebutton.h"
#include "window_services/textfield.h"
#include "window_services/windows.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace calibration {

namespace {

using window_services::twipsRect;

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, bool bold = false)
{
    auto *shown = new QLabel(text, parent);
    shown->setGeometry(geometry);
    QFont font = shown->font();
    font.setBold(bold);
    shown->setFont(font);
    shown->setWordWrap(true);
    return shown;
}

// The rows of the value grid, top to bottom: the label, the index of the
// horizontal value and of the vertical one (-1: none). The maximum length
// of the first line stands between the two lines of words.
struct GridRow
{
    const char *label;
    int horizontal;
    int vertical;
};
constexpr GridRow Rows[] = {
    {" Montant en Chiffres", 0, 1},
    {" Ordre du chèque", 2, 3},
    {" Lieu d'émission du chéque", 4, 5},
    {" Date d'émission du chèque", 6, 7},
    {" Première ligne du montant en lettres", 8, 9},
    {" Longueur maximale de la première ligne du montant en lettres", 12, -1},
    {" Deuxième ligne du montant en lettres", 10, 11},
};

// The item of the cheque that a value moves: its index in ChequeItem.
int itemOfValue(int index)
{
    return index == 12 ? int(ChequeItem::FirstWordsLine) : index / 2;
}

} // namespace

Form2::Form2(MainWindowData &mainWindow, QWidget *parent)
    : QDialog(parent)
    , m_data(mainWindow)
    , m_editor(mainWindow.talk())
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Paramètrage d'une Banque"));
    setModal(true);
    buildWindow();
}

Form2::~Form2() = default;

void Form2::buildWindow()
{
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(0xe4, 0xea, 0xf2));
    setPalette(windowPalette);

    QLabel *title = label(this, QStringLiteral("Paramètrage d'une Banque"), twipsRect(300, 150, 8000, 450), true);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(14);
    title->setFont(titleFont);

    const auto field = [this](const QString &name, const QRect &geometry) {
        auto *edit = new window_services::TextField(this);
        edit->setObjectName(name);
        edit->setGeometry(geometry);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, &Form2::refreshPreview);
        return edit;
    };

    label(this, QStringLiteral(" Nom de la Banque "), twipsRect(300, 700, 2000, 330));
    text1 = field(QStringLiteral("text1"), twipsRect(2400, 660, 4800, 360));
    label(this, QStringLiteral(" Nom de la Police"), twipsRect(300, 1150, 2000, 330));
    Text2 = field(QStringLiteral("Text2"), twipsRect(2400, 1110, 2600, 360));
    label(this, QStringLiteral(" Taille de la Police"), twipsRect(5000, 1150, 1700, 330));
    Text3 = field(QStringLiteral("Text3"), twipsRect(6650, 1110, 900, 360));

    label(this, QStringLiteral(" Position Horizontale"), twipsRect(5000, 1600, 1400, 330), true);
    label(this, QStringLiteral(" Position Verticale"), twipsRect(6450, 1600, 1400, 330), true);
    for (int row = 0; row < int(std::size(Rows)); ++row) {
        const double top = 1980 + 390 * row;
        label(this, QString::fromUtf8(Rows[row].label), twipsRect(300, top, 4650, 360));
        const int indexes[] = {Rows[row].horizontal, Rows[row].vertical};
        for (int column = 0; column < 2; ++column) {
            const int index = indexes[column];
            if (index < 0)
                continue;
            Text4[std::size_t(index)] = field(QStringLiteral("Text4_%1").arg(index),
                                              twipsRect(5100 + 1450 * column, top - 20, 1000, 360));
            Text4[std::size_t(index)]->setAlignment(Qt::AlignRight);
        }
    }
    label(this, QStringLiteral("Les valeurs sont indiquées en millimètres"), twipsRect(300, 4750, 7000, 330));

    label(this, QStringLiteral(" Monnaie"), twipsRect(300, 5220, 1100, 330));
    Text5 = field(QStringLiteral("Text5"), twipsRect(1400, 5180, 2000, 360));
    label(this, QStringLiteral(" Centimes"), twipsRect(3700, 5220, 1100, 330));
    Text6 = field(QStringLiteral("Text6"), twipsRect(4800, 5180, 2000, 360));

    const auto phaseButton = [this](const QString &name, const QString &caption, double top, Phase phase) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(twipsRect(300, top, 4200, 480));
        connect(button, &QPushButton::clicked, this, [this, phase] { m_data.runPhase(phase); refreshPreview(); });
        return button;
    };
    Command1 = phaseButton(QStringLiteral("Command1"), QStringLiteral("Imprimer des cheques Test   (Phase 1)"), 5900,
                           Phase::TestCheques);
    Command2 = phaseButton(QStringLiteral("Command2"), QStringLiteral("Positionnement de Base    (Phase 2)"), 6550,
                           Phase::BasePositioning);
    Command3 = phaseButton(QStringLiteral("Command3"), QStringLiteral("Reglage Final   (Phase 3)"), 7200,
                           Phase::FinalAdjustment);

    Apercu = new LayoutPreviewWidget(this);
    Apercu->setGeometry(twipsRect(4600, 5550, 7250, 3400));

    bt_fin = window_services::makePictureButton(this, QStringLiteral("bt_fin"), twipsRect(10600, 4150, 1100, 1100),
                                                QStringLiteral("glyph-stop"), QStringLiteral("Fin"),
                                                QStringLiteral("Enregistrer la banque et fermer"));
    connect(bt_fin, &window_services::PictureButton::clicked, this, &Form2::finish);
}

bool Form2::load()
{
    window_services::placeEditor(this);
    const SetupTexts texts = m_data.setupTexts();
    if (!m_editor.open(texts.currencyName, texts.hundredthName))
        return false;
    showFields();
    refreshPreview();
    return true;
}

void Form2::showFields()
{
    const LayoutFields &fields = m_editor.fields();
    text1->setText(fields.bankName);
    Text2->setText(fields.fontName);
    Text3->setText(fields.fontSize);
    for (std::size_t k = 0; k < Text4.size(); ++k)
        Text4[k]->setText(fields.values[k]);
    Text5->setText(fields.currencyName);
    Text6->setText(fields.hundredthName);
}

LayoutFields Form2::typedFields() const
{
    LayoutFields fields;
    fields.bankName = text1->text();
    fields.fontName = Text2->text();
    fields.fontSize = Text3->text();
    for (std::size_t k = 0; k < Text4.size(); ++k)
        fields.values[k] = Text4[k]->text();
    fields.currencyName = Text5->text();
    fields.hundredthName = Text6->text();
    return fields;
}

void Form2::refreshPreview()
{
    Apercu->setLayout(typedFields());
    Apercu->setCheque(m_data.chequeFields());
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        int item = -1;
        for (std::size_t k = 0; k < Text4.size(); ++k) {
            if (watched == Text4[k])
                item = itemOfValue(int(k));
        }
        Apercu->setHighlighted(item);
    }
    return QDialog::eventFilter(watched, event);
}

void Form2::finish()
{
    m_editor.fields() = typedFields();
    // The file first: when it cannot be written the editor stays open with
    // everything as typed, and nothing has gone back to the main window.
    if (!m_editor.writeLayout())
        return;
    SetupTexts texts = m_data.setupTexts();
    texts.currencyName = Text5->text();
    texts.hundredthName = Text6->text();
    m_data.keepSetupTexts(texts);
    accept();
}

} // namespace calibration
