#include "layout_editor/form2.h"

#include "layout_editor/editordata.h"
#include "layout_editor/layoutpreviewwidget.h"
#include "layout_editor/numberfield.h"
#include "layout_editor/placementview.h"
#include "platform/desktop.h"
#include "platform/pictures.h"
#include "platform/printersurface.h"
#include "prompt_dialog/usertalk.h"
#include "window_services/imagestore.h"
#include "window_services/picturebutton.h"
#include "window_services/textfield.h"
#include "window_services/windows.h"

#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace layout_editor {

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

// The rows of the value grid, top to bottom: the label, the fields of the
// horizontal value and of the vertical one by their index in Text4, which
// is the file's order (-1: none), and the item of the cheque they move. The
// maximum length of the first line stands between the two lines of words.
struct GridRow
{
    const char *label;
    int horizontal;
    int vertical;
    ChequeItem item;
};
constexpr GridRow Rows[] = {
    {" Montant en Chiffres", 0, 1, ChequeItem::Amount},
    {" Ordre du chèque", 2, 3, ChequeItem::Payee},
    {" Lieu d'émission du chéque", 4, 5, ChequeItem::Place},
    {" Date d'émission du chèque", 6, 7, ChequeItem::Date},
    {" Première ligne du montant en lettres", 8, 9, ChequeItem::FirstWordsLine},
    {" Longueur maximale de la première ligne du montant en lettres", 12, -1, ChequeItem::FirstWordsLine},
    {" Deuxième ligne du montant en lettres", 10, 11, ChequeItem::SecondWordsLine},
};

// The sources of changes that the undo takes together: each field's keys.
constexpr int BankNameSource = 0;
constexpr int FontNameSource = 1;
constexpr int FontSizeSource = 2;
constexpr int FirstValueSource = 3;

// The picture under the layout, straightened to the cheque's 175 x 80 mm.
const QSize StraightenedSize(175 * PlacementView::PicturePixelsPerMm, 80 * PlacementView::PicturePixelsPerMm);

} // namespace

Form2::Form2(EditorData &mainWindow, EditedBank bank, QWidget *parent)
    : QDialog(parent)
    , m_data(mainWindow)
    , m_editor(mainWindow.talk(), std::move(bank))
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

    const auto placed = [this](auto *edit, const QString &name, const QRect &geometry) {
        edit->setObjectName(name);
        edit->setGeometry(geometry);
        edit->installEventFilter(this);
        return edit;
    };
    const auto field = [this, placed](const QString &name, const QRect &geometry) {
        return placed(new window_services::TextField(this), name, geometry);
    };
    const auto number = [this, placed](const QString &name, const QRect &geometry, int index) {
        NumberField *edit = placed(new NumberField(this), name, geometry);
        connect(edit, &QLineEdit::textEdited, this, [this, edit, index] { typed(edit, index); });
        return edit;
    };

    label(this, QStringLiteral(" Nom de la Banque "), twipsRect(300, 700, 2000, 330));
    text1 = field(QStringLiteral("text1"), twipsRect(2400, 660, 4800, 360));
    connect(text1, &QLineEdit::textEdited, this, [this] { typed(text1, BankNameSource); });
    label(this, QStringLiteral(" Nom de la Police"), twipsRect(300, 1150, 2000, 330));
    Text2 = field(QStringLiteral("Text2"), twipsRect(2400, 1110, 2600, 360));
    connect(Text2, &QLineEdit::textEdited, this, [this] { typed(Text2, FontNameSource); });
    label(this, QStringLiteral(" Taille de la Police"), twipsRect(5000, 1150, 1700, 330));
    Text3 = number(QStringLiteral("Text3"), twipsRect(6650, 1110, 900, 360), FontSizeSource);

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
            Text4[std::size_t(index)] =
                number(QStringLiteral("Text4_%1").arg(index), twipsRect(5100 + 1450 * column, top - 20, 1000, 360),
                       FirstValueSource + index);
            Text4[std::size_t(index)]->setAlignment(Qt::AlignRight);
        }
    }
    label(this, QStringLiteral("Les valeurs sont indiquées en millimètres"), twipsRect(300, 4750, 7000, 330));

    label(this, QStringLiteral(" Monnaie"), twipsRect(300, 5220, 1100, 330));
    Text5 = field(QStringLiteral("Text5"), twipsRect(1400, 5180, 2000, 360));
    label(this, QStringLiteral(" Centimes"), twipsRect(3700, 5220, 1100, 330));
    Text6 = field(QStringLiteral("Text6"), twipsRect(4800, 5180, 2000, 360));

    const auto phaseButton = [this](const QString &name, const QString &caption, double top, calibration::Phase phase) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(twipsRect(300, top, 4200, 480));
        connect(button, &QPushButton::clicked, this, [this, phase] {
            m_data.runPhase(phase);
            refreshPreview();
        });
        return button;
    };
    Command1 = phaseButton(QStringLiteral("Command1"), QStringLiteral("Imprimer des cheques Test   (Phase 1)"), 5900,
                           calibration::Phase::TestCheques);
    Command2 = phaseButton(QStringLiteral("Command2"), QStringLiteral("Positionnement de Base    (Phase 2)"), 6550,
                           calibration::Phase::BasePositioning);
    Command3 = phaseButton(QStringLiteral("Command3"), QStringLiteral("Reglage Final   (Phase 3)"), 7200,
                           calibration::Phase::FinalAdjustment);

    Apercu = new LayoutPreviewWidget(this);
    Apercu->setGeometry(twipsRect(4600, 5550, 7250, 3400));

    bt_placer = new QPushButton(QStringLiteral("&Placer sur le chèque…"), this);
    bt_placer->setObjectName(QStringLiteral("bt_placer"));
    bt_placer->setGeometry(twipsRect(8000, 1110, 3700, 480));
    bt_placer->setToolTip(QStringLiteral("Le chèque en grand, sur l'image du vôtre : faites glisser les zones"));
    connect(bt_placer, &QPushButton::clicked, this, &Form2::showPlacement);
    bt_essai = new QPushButton(QStringLiteral("Imprimer un &essai"), this);
    bt_essai->setObjectName(QStringLiteral("bt_essai"));
    bt_essai->setGeometry(twipsRect(8000, 1700, 3700, 480));
    bt_essai->setToolTip(
        QStringLiteral("Le cadre du chèque et ses zones sur une feuille blanche, à comparer à un chèque "
                       "contre la lumière"));
    connect(bt_essai, &QPushButton::clicked, this, &Form2::printProof);
    bt_cheques = new QPushButton(QStringLiteral("&Chéquiers liés…"), this);
    bt_cheques->setObjectName(QStringLiteral("bt_cheques"));
    bt_cheques->setGeometry(twipsRect(8000, 2290, 3700, 480));
    bt_cheques->setToolTip(QStringLiteral("Les chéquiers qu'un lecteur de chèques a liés à cette banque"));
    connect(bt_cheques, &QPushButton::clicked, this, &Form2::showTies);

    auto *undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, this, &Form2::undo);

    bt_fin = window_services::makePictureButton(this, QStringLiteral("bt_fin"), twipsRect(10600, 4150, 1100, 1100),
                                                QStringLiteral("glyph-stop"), QStringLiteral("Fin"),
                                                QStringLiteral("Enregistrer la banque et fermer"));
    connect(bt_fin, &window_services::PictureButton::clicked, this, &Form2::finish);
}

bool Form2::load()
{
    window_services::placeEditor(this);
    const calibration::SetupTexts texts = m_data.setupTexts();
    if (!m_editor.open(texts.currencyName, texts.hundredthName))
        return false;
    Text5->setText(m_editor.currencyName());
    Text6->setText(m_editor.hundredthName());
    showLayout();
    refreshPreview();
    const ChequePhoto &photo = m_editor.photo();
    if (!photo.isNull()) {
        // A picture gone since is no reason not to edit: the drawn cheque
        // stands in for it, and the finish keeps the file that names it.
        const platform::Result<platform::Photo> loaded = platform::loadPhoto(photo.pictureFile);
        if (loaded)
            m_picture = loaded->image;
    }
    return true;
}

void Form2::showLayout(const QLineEdit *typing)
{
    const bank_layouts::Layout &layout = m_editor.layout();
    const auto show = [typing](QLineEdit *field, const QString &text) {
        if (field != typing && field->text() != text)
            field->setText(text);
    };
    show(text1, layout.bankName);
    show(Text2, layout.fontName);
    show(Text3, layout.fontSize.text());
    const auto numbers = layout.inFileOrder();
    for (std::size_t k = 0; k < Text4.size(); ++k)
        show(Text4[k], numbers[k]->text());
    Apercu->setLayout(layout);
    if (Vue)
        Vue->setLayout(layout);
}

void Form2::typed(QLineEdit *field, int source)
{
    bank_layouts::Layout layout = m_editor.layout();
    if (source == BankNameSource) {
        layout.bankName = field->text();
    } else if (source == FontNameSource) {
        layout.fontName = field->text();
    } else {
        // The field lets through only what reads as a number.
        const std::optional<bank_layouts::LayoutNumber> number = bank_layouts::LayoutNumber::fromTyped(field->text());
        if (!number)
            return;
        if (source == FontSizeSource)
            layout.fontSize = *number;
        else
            *layout.inFileOrder()[std::size_t(source - FirstValueSource)] = *number;
    }
    change(layout, source, field);
}

void Form2::change(const bank_layouts::Layout &layout, int source, const QLineEdit *typing)
{
    m_editor.change(layout, source);
    showLayout(typing);
}

void Form2::undo()
{
    if (m_editor.undo())
        showLayout();
    else
        platform::beep();
}

void Form2::refreshPreview()
{
    const bank_layouts::ChequeFields cheque = m_data.chequeFields();
    const bank_layouts::PrinterOffsets offsets = m_data.printerOffsets();
    Apercu->setCheque(cheque, offsets);
    if (Vue)
        Vue->setCheque(cheque, offsets);
}

void Form2::buildPlacement()
{
    Placement = new QDialog(this, Qt::Window);
    Placement->setObjectName(QStringLiteral("Placement"));
    Placement->setWindowTitle(QStringLiteral("Placement sur le chèque – %1").arg(m_editor.layout().bankName));
    auto *column = new QVBoxLayout(Placement);
    auto *tools = new QHBoxLayout;
    column->addLayout(tools);

    bt_image = new QPushButton(QStringLiteral("&Image du chèque…"), Placement);
    bt_image->setObjectName(QStringLiteral("bt_image"));
    bt_image->setToolTip(QStringLiteral("Un scan ou une photo d'un chèque vierge de cette banque (JPEG, PNG, BMP)"));
    connect(bt_image, &QPushButton::clicked, this, &Form2::choosePicture);
    tools->addWidget(bt_image);
    bt_coins = new QPushButton(QStringLiteral("&Coins du chèque"), Placement);
    bt_coins->setObjectName(QStringLiteral("bt_coins"));
    bt_coins->setToolTip(QStringLiteral("Cliquer de nouveau les quatre coins du chèque sur l'image"));
    connect(bt_coins, &QPushButton::clicked, this, [this] {
        if (!m_picture.isNull())
            Vue->askCorners(m_picture);
    });
    tools->addWidget(bt_coins);
    auto *fade = new QLabel(QStringLiteral("&Visibilité de l'image"), Placement);
    tools->addWidget(fade);
    Transparence = new QSlider(Qt::Horizontal, Placement);
    Transparence->setObjectName(QStringLiteral("Transparence"));
    Transparence->setRange(0, 100);
    Transparence->setValue(m_editor.photo().opacity);
    fade->setBuddy(Transparence);
    connect(Transparence, &QSlider::valueChanged, this, [this](int value) {
        m_editor.setOpacity(value);
        Vue->setOpacity(value);
    });
    tools->addWidget(Transparence, 1);
    auto *close = new QPushButton(QStringLiteral("Fermer"), Placement);
    close->setObjectName(QStringLiteral("bt_fermer"));
    close->setToolTip(QStringLiteral("Les valeurs restent dans l'éditeur ; le bouton Fin les enregistre"));
    connect(close, &QPushButton::clicked, Placement, &QDialog::close);
    tools->addWidget(close);

    Vue = new PlacementView(Placement);
    column->addWidget(Vue, 1);
    connect(Vue, &PlacementView::layoutMoved, this, [this](const bank_layouts::Layout &layout, bool newMove) {
        if (newMove)
            m_moveSource = m_editor.newSource();
        change(layout, m_moveSource);
    });
    connect(Vue, &PlacementView::selected, this, [this](int selectable) {
        Apercu->setHighlighted(selectable < ChequeItemCount ? selectable : int(ChequeItem::FirstWordsLine));
    });
    connect(Vue, &PlacementView::cornersChosen, this, [this](const Corners &clicked) {
        const platform::Result<Corners> corners = cornersInOrder(clicked);
        if (!corners) {
            m_data.talk().message(QStringLiteral("Ces coins ne peuvent pas servir : %1.\n\nCliquez de nouveau les "
                                                 "quatre coins du chèque, en commençant par celui en haut à gauche.")
                                      .arg(corners.error()));
            Vue->askCorners(m_picture);
            return;
        }
        m_editor.setCorners(*corners);
        showPicture();
    });
    auto *undoKey = new QShortcut(QKeySequence::Undo, Placement);
    connect(undoKey, &QShortcut::activated, this, &Form2::undo);

    // 195 x 100 mm at five pixels a millimetre, and the tools: as large as
    // a 1024 x 768 screen takes.
    Placement->resize(1000, 600);
    Vue->setLayout(m_editor.layout());
    Vue->setCheque(m_data.chequeFields(), m_data.printerOffsets());
    showPicture();
}

void Form2::showPlacement()
{
    if (!Placement)
        buildPlacement();
    Placement->show();
    Placement->raise();
    Placement->activateWindow();
    Vue->setFocus();
}

void Form2::showPicture()
{
    bt_coins->setEnabled(!m_picture.isNull());
    if (m_picture.isNull()) {
        Vue->setPicture(QImage(), 0);
        return;
    }
    // Corners not set yet: the picture as it is, the cheque filling it.
    Corners corners = m_editor.photo().corners;
    if (!hasCorners(corners)) {
        const double w = m_picture.width();
        const double h = m_picture.height();
        corners = {QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)};
    }
    Vue->setPicture(platform::straightened(m_picture, corners, StraightenedSize), m_editor.photo().opacity);
}

void Form2::choosePicture()
{
    QFileDialog dialog(Placement, QStringLiteral("Image du chèque"),
                       QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                       QStringLiteral("Images (*.jpg *.jpeg *.png *.bmp *.JPG *.JPEG *.PNG *.BMP)"));
    dialog.setObjectName(QStringLiteral("ChoixImage"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    const platform::Result<platform::Photo> loaded = platform::loadPhoto(path);
    if (!loaded) {
        m_data.talk().message(QStringLiteral("Cette image ne peut pas servir : %1.").arg(loaded.error()));
        return;
    }
    m_editor.setPicture(loaded->bytes, loaded->suffix);
    m_picture = loaded->image;
    showPicture();
    Vue->askCorners(m_picture);
}

void Form2::printProof()
{
    platform::PrinterSurface &printer = m_data.currentPrinter();
    try {
        layout_editor::printProof(printer, m_editor.layout(), m_data.printerOffsets(),
                                  withSamples(m_data.chequeFields()));
    } catch (const platform::PrinterError &error) {
        m_data.talk().message(QStringLiteral("L'essai n'a pas pu être imprimé : %1.").arg(error.message()));
        return;
    }
    m_data.talk().message(QStringLiteral("L'essai est parti vers l'imprimante « %1 ».\n\nPosez un chèque vierge sur le "
                                         "cadre en pointillés et regardez la feuille contre la lumière : chaque texte "
                                         "doit tomber dans sa zone.")
                              .arg(printer.printerName()));
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        int item = -1;
        for (const GridRow &row : Rows) {
            for (const int index : {row.horizontal, row.vertical}) {
                if (index >= 0 && watched == Text4[std::size_t(index)])
                    item = int(row.item);
            }
        }
        Apercu->setHighlighted(item);
    }
    // The fields' own undo would undo their text alone, behind the layout's
    // back: Ctrl+Z is the editor's everywhere.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo)) {
            if (event->type() == QEvent::KeyPress)
                undo();
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Form2::showTies()
{
    QDialog ties(this);
    ties.setObjectName(QStringLiteral("chequiersLies"));
    ties.setWindowTitle(QStringLiteral("Chéquiers liés à cette banque"));
    auto *list = new QListWidget(&ties);
    list->setObjectName(QStringLiteral("lstChequiers"));
    auto *untie = new QPushButton(QStringLiteral("Oublier ce chéquier"), &ties);
    untie->setObjectName(QStringLiteral("btOublier"));
    auto *close = new QPushButton(QStringLiteral("Fermer"), &ties);
    close->setObjectName(QStringLiteral("btFermer"));
    auto *explanation =
        new QLabel(QStringLiteral("Zone interbancaire de la ligne CMC7 des chèques imprimés sur cette banque. Un "
                                  "chéquier oublié sera lié de nouveau au clic sur sa banque."),
                   &ties);
    explanation->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(untie);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(&ties);
    layout->addWidget(explanation);
    layout->addWidget(list);
    layout->addLayout(buttons);
    const auto fill = [this, list, untie] {
        list->clear();
        list->addItems(m_data.chequebookTies(m_editor.fileName()));
        if (list->count() == 0)
            list->addItem(QStringLiteral("Aucun chéquier n'est lié à cette banque."));
        list->setEnabled(!m_data.chequebookTies(m_editor.fileName()).isEmpty());
        untie->setEnabled(list->isEnabled());
        list->setCurrentRow(0);
    };
    connect(untie, &QPushButton::clicked, &ties, [this, list, fill] {
        if (list->currentItem() && m_data.untieChequebook(list->currentItem()->text()))
            fill();
    });
    connect(close, &QPushButton::clicked, &ties, &QDialog::accept);
    fill();
    ties.exec();
}

void Form2::finish()
{
    m_editor.setCurrencyNames(Text5->text(), Text6->text());
    // The file first: when it cannot be written the editor stays open with
    // everything as typed, and nothing has gone back to the main window.
    if (!m_editor.writeLayout())
        return;
    calibration::SetupTexts texts = m_data.setupTexts();
    texts.currencyName = Text5->text();
    texts.hundredthName = Text6->text();
    m_data.keepSetupTexts(texts);
    accept();
}

} // namespace layout_editor
