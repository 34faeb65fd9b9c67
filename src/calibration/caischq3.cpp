#include "calibration/caischq3.h"

#include "calibration/readerwindow.h"
#include "calibration/setupdata.h"
#include "platform/desktop.h"
#include "window_services/imagestore.h"
#include "window_services/picturebutton.h"
#include "window_services/textfield.h"
#include "window_services/windows.h"

#include <QLabel>
#include <QPushButton>

namespace calibration {

namespace {

using window_services::twipsRect;

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, double points = 9, bool bold = false)
{
    auto *shown = new QLabel(text, parent);
    shown->setGeometry(geometry);
    QFont font = shown->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    shown->setFont(font);
    shown->setWordWrap(true);
    shown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return shown;
}

// The big number of a step, down the window's left side.
void stepNumber(QWidget *parent, int step, double top)
{
    QLabel *number = label(parent, QString::number(step), twipsRect(300, top, 700, 700), 26, true);
    number->setAlignment(Qt::AlignCenter);
    number->setStyleSheet(QStringLiteral("QLabel { color: white; background: #1f3a7a; border-radius: 8px; }"));
}

} // namespace

Caischq3::Caischq3(SetupData &mainWindow, QWidget *parent)
    : QDialog(parent)
    , m_data(mainWindow)
{
    setObjectName(QStringLiteral("caischq3"));
    setWindowTitle(QStringLiteral("Reglage de base pour l'imprimante Chèques"));
    setModal(true);
    buildWindow();

    // The opening: the main window's size and place, then the four texts in.
    window_services::placeMainWindow(this);
    const SetupTexts texts = m_data.setupTexts();
    Text7->setText(texts.place);
    Text8->setText(texts.payee);
    text1->setText(texts.currencyName);
    Text2->setText(texts.hundredthName);
    const SharedJournal shared = m_data.sharedJournal();
    txtJournalServeur->setText(shared.server);
    txtNomCaisse->setText(shared.till);
}

Caischq3::~Caischq3() = default;

void Caischq3::buildWindow()
{
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(0xe4, 0xea, 0xf2));
    setPalette(windowPalette);

    label(this, QStringLiteral("Reglage de base pour l'imprimante Chèques"), twipsRect(300, 150, 12000, 480), 15, true);

    const auto field = [this](const QString &name, const QRect &geometry) {
        auto *edit = new window_services::TextField(this);
        edit->setObjectName(name);
        edit->setGeometry(geometry);
        return edit;
    };

    // Step 1: the texts every cheque needs.
    stepNumber(this, 1, 800);
    label(this, QStringLiteral("Entrez l'ordre de règlement des chèques."), twipsRect(1200, 800, 5600, 330));
    Text8 = field(QStringLiteral("Text8"), twipsRect(1200, 1130, 5600, 360));
    label(this, QStringLiteral("Entrez le nom de votre ville pour l'inscription sur le chèque"),
          twipsRect(1200, 1600, 5600, 330));
    Text7 = field(QStringLiteral("Text7"), twipsRect(1200, 1930, 5600, 360));
    label(this, QStringLiteral("Nom de la devise pour le montant en lettres"), twipsRect(7300, 800, 4200, 330));
    text1 = field(QStringLiteral("text1"), twipsRect(7300, 1130, 3000, 360));
    label(this, QStringLiteral("Nom des centimes pour le montant en lettres"), twipsRect(7300, 1600, 4200, 330));
    Text2 = field(QStringLiteral("Text2"), twipsRect(7300, 1930, 3000, 360));
    label(this, QStringLiteral("Entrez les noms au singulier (Exemple : Euro et centime)"),
          twipsRect(11700, 1150, 3300, 900), 8.5);

    const auto printButton = [this](const QString &name, const QString &caption, double top, Phase phase) {
        auto *button = window_services::makePictureButton(this, name, twipsRect(1200, top, 1000, 1000),
                                                          QStringLiteral("printer"), caption, caption);
        connect(button, &window_services::PictureButton::clicked, this, [this, phase] { m_data.runPhase(phase); });
        return button;
    };

    // Steps 2 to 4: the three calibration phases.
    stepNumber(this, 2, 2800);
    Command1 = printButton(QStringLiteral("Command1"), QStringLiteral("imprime"), 2750, Phase::TestCheques);
    label(this,
          QStringLiteral("Cliquez sur le bouton 'imprime' pour imprimer une feuille de test de règlage d'impression. "
                         "une fois cette feuille imprimée, découpez les trois cheques factices pour effectuer votre "
                         "réglage."),
          twipsRect(2400, 2800, 9000, 900));

    stepNumber(this, 3, 4200);
    Command2 = printButton(QStringLiteral("Command2"), QStringLiteral("imprimer"), 4150, Phase::BasePositioning);
    label(this,
          QStringLiteral("Mettez un cheque factice dans l'imprimante et cliquez sur le bouton imprimer. Repérez le N° "
                         "inscrit dans le haut à gauche de votre chèque et saisissez le dans la fenêtre."),
          twipsRect(2400, 4200, 7000, 1100));
    label(this,
          QStringLiteral("Si l'écriture des chiffres est inversée par rapport à l'écriture sur le cheque factice, "
                         "mettez un cheque factice dans l'autre sens et recommencez la procedure N° 3"),
          twipsRect(9700, 4200, 5300, 1100), 8.5);

    stepNumber(this, 4, 5800);
    Command3 = printButton(QStringLiteral("Command3"), QStringLiteral("imprimer"), 5750, Phase::FinalAdjustment);
    label(this,
          QStringLiteral("Mettez un cheque factice dans l'imprimante et cliquez sur le bouton imprimer. Ensuite "
                         "indiquez le décalage horizaontal et vertical jusqu'à affiner l'impression. Le repère est "
                         "le cadre qui doit s'aligner avec l'autre cadre sur le cheque."),
          twipsRect(2400, 5800, 7000, 1300));
    label(this,
          QStringLiteral("Si vous avez des difficultés à retrouver le cadre apres l'enregistrement des décalages, "
                         "recommencez à la procédure N° 3"),
          twipsRect(9700, 5800, 5300, 1100), 8.5);

    label(this,
          QStringLiteral("Votre module de chèque est configuré, il sera appélé automatiquement à chaque règlement par "
                         "chèque de vos clients. IL suffira de glisser le chèquez dans l'imprimante et et cliquez sur "
                         "le bouton de la banque correspondante."),
          twipsRect(1200, 7600, 11000, 1100), 9.5, true);

    buildSharedJournal();

    bt_fin = window_services::makePictureButton(this, QStringLiteral("bt_fin"), twipsRect(13900, 9700, 1100, 1100),
                                                QStringLiteral("glyph-stop"), QStringLiteral("Fin"),
                                                QStringLiteral("Enregistrer et fermer"));
    connect(bt_fin, &window_services::PictureButton::clicked, this, &Caischq3::finish);
}

void Caischq3::buildSharedJournal()
{
    label(this, QStringLiteral("Journal partagé"), twipsRect(1200, 8800, 5000, 330), 9.5, true);
    label(this, QStringLiteral("Serveur du journal (vide : le journal de cette caisse seule)"),
          twipsRect(1200, 9180, 3600, 600));
    txtJournalServeur = new window_services::TextField(this);
    txtJournalServeur->setObjectName(QStringLiteral("txtJournalServeur"));
    txtJournalServeur->setGeometry(twipsRect(4900, 9180, 6600, 360));
    txtJournalServeur->setPlaceholderText(QStringLiteral("postgresql://caisse@serveur/ormeline?sslmode=require"));
    btTesterJournal = new QPushButton(QStringLiteral("Tester"), this);
    btTesterJournal->setObjectName(QStringLiteral("btTesterJournal"));
    btTesterJournal->setGeometry(twipsRect(11600, 9160, 1500, 400));
    connect(btTesterJournal, &QPushButton::clicked, this, &Caischq3::testServer);
    label(this, QStringLiteral("Nom de cette caisse"), twipsRect(1200, 9850, 3600, 330));
    txtNomCaisse = new window_services::TextField(this);
    txtNomCaisse->setObjectName(QStringLiteral("txtNomCaisse"));
    txtNomCaisse->setGeometry(twipsRect(4900, 9830, 3600, 360));
    btEnvoyerJournal = new QPushButton(QStringLiteral("Envoyer le journal de cette caisse au serveur"), this);
    btEnvoyerJournal->setObjectName(QStringLiteral("btEnvoyerJournal"));
    btEnvoyerJournal->setGeometry(twipsRect(8700, 9810, 4400, 400));
    connect(btEnvoyerJournal, &QPushButton::clicked, this, [this] { m_data.moveJournal(); });
    btLecteur = new QPushButton(QStringLiteral("Lecteur de chèques…"), this);
    btLecteur->setObjectName(QStringLiteral("btLecteur"));
    btLecteur->setGeometry(twipsRect(11100, 8700, 2000, 380));
    connect(btLecteur, &QPushButton::clicked, this, [this] {
        ReaderWindow reader(m_data, this);
        reader.exec();
    });
    lblTestJournal = label(this, QString(), twipsRect(1200, 10300, 12400, 650));
    lblTestJournal->setObjectName(QStringLiteral("lblTestJournal"));
}

void Caischq3::testServer()
{
    lblTestJournal->setStyleSheet(QString());
    lblTestJournal->setText(QStringLiteral("Connexion au serveur…"));
    // A server that does not answer keeps the window a few seconds: the
    // line above shows meanwhile.
    lblTestJournal->repaint();
    const ServerTest test = m_data.testServer(txtJournalServeur->text());
    lblTestJournal->setStyleSheet(test.reached ? QStringLiteral("QLabel { color: #1a6b1a; }")
                                               : QStringLiteral("QLabel { color: #b00000; }"));
    lblTestJournal->setText(test.text);
}

void Caischq3::finish()
{
    // Back in the Part's order, each text as it stands.
    SetupTexts texts;
    texts.place = Text7->text();
    texts.payee = Text8->text();
    texts.currencyName = text1->text();
    texts.hundredthName = Text2->text();
    m_data.keepSetupTexts(texts);
    if (!m_data.keepSharedJournal({txtJournalServeur->text(), txtNomCaisse->text()}))
        return;
    accept();
}

} // namespace calibration
