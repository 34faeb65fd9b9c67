#include "calibration/readerwindow.h"

#include "calibration/setupdata.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace calibration {

ReaderWindow::ReaderWindow(SetupData &setupData, QWidget *parent)
    : QDialog(parent)
    , m_data(setupData)
{
    setObjectName(QStringLiteral("lecteurCheques"));
    setWindowTitle(QStringLiteral("Lecteur de chèques"));
    setModal(true);
    const ReaderSetup setup = setupData.readerSetup();

    cbPort = new QComboBox(this);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    cbPort->setEditable(true);
    cbPort->addItem(QString());
    cbPort->addItems(setup.ports);
    cbPort->setCurrentText(setup.port);
    cbPort->setToolTip(QStringLiteral("Vide : pas de lecteur sur un port série (un lecteur qui tape comme un clavier "
                                      "n'a rien à régler)."));
    cbVitesse = new QComboBox(this);
    cbVitesse->setObjectName(QStringLiteral("cbVitesse"));
    for (const int speed : setup.speeds)
        cbVitesse->addItem(QStringLiteral("%1 bauds").arg(speed), speed);
    cbVitesse->setCurrentIndex(std::max(0, cbVitesse->findData(setup.baud)));
    cbTrame = new QComboBox(this);
    cbTrame->setObjectName(QStringLiteral("cbTrame"));
    cbTrame->addItems(setup.framings);
    cbTrame->setCurrentIndex(setup.framing);
    const auto spin = [this](const QString &name, int least, int most, int value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(name);
        box->setRange(least, most);
        box->setValue(value);
        return box;
    };
    spPremierChiffre = spin(QStringLiteral("spPremierChiffre"), 1, 12, setup.tieFrom);
    spNombreChiffres = spin(QStringLiteral("spNombreChiffres"), 1, 12, setup.tieCount);
    // Together never past the zone's twelfth digit.
    const auto bound = [this] { spNombreChiffres->setMaximum(13 - spPremierChiffre->value()); };
    connect(spPremierChiffre, qOverload<int>(&QSpinBox::valueChanged), this, bound);
    bound();
    auto *tie = new QHBoxLayout;
    tie->addWidget(new QLabel(QStringLiteral("à partir du chiffre"), this));
    tie->addWidget(spPremierChiffre);
    tie->addWidget(new QLabel(QStringLiteral(","), this));
    tie->addWidget(spNombreChiffres);
    tie->addWidget(new QLabel(QStringLiteral("chiffres"), this));
    tie->addStretch(1);
    spChiffresClavier = spin(QStringLiteral("spChiffresClavier"), 10, 31, setup.wedgeCharacters);
    spDelaiClavier = spin(QStringLiteral("spDelaiClavier"), 200, 10000, setup.wedgeWithinMs);
    spDelaiClavier->setSingleStep(100);
    spDelaiClavier->setSuffix(QStringLiteral(" ms"));
    auto *wedge = new QHBoxLayout;
    wedge->addWidget(spChiffresClavier);
    wedge->addWidget(new QLabel(QStringLiteral("chiffres ou plus en"), this));
    wedge->addWidget(spDelaiClavier);
    wedge->addStretch(1);
    lblEtat = new QLabel(setup.state, this);
    lblEtat->setObjectName(QStringLiteral("lblEtat"));
    lblEtat->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Port série"), cbPort);
    form->addRow(QStringLiteral("Vitesse"), cbVitesse);
    form->addRow(QStringLiteral("Fin de ligne"), cbTrame);
    form->addRow(QStringLiteral("Lecteur qui tape comme un clavier"), wedge);
    form->addRow(QStringLiteral("Banque du chéquier, pour toutes les caisses du dossier :\nzone interbancaire,"), tie);
    btEnregistrer = new QPushButton(QStringLiteral("Enregistrer"), this);
    btEnregistrer->setObjectName(QStringLiteral("btEnregistrer"));
    btEnregistrer->setDefault(true);
    btAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    btAnnuler->setObjectName(QStringLiteral("btAnnuler"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btEnregistrer);
    buttons->addWidget(btAnnuler);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblEtat);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());

    connect(btEnregistrer, &QPushButton::clicked, this, &ReaderWindow::keep);
    connect(btAnnuler, &QPushButton::clicked, this, &QDialog::reject);
}

void ReaderWindow::keep()
{
    ReaderSetup setup = m_data.readerSetup();
    setup.port = cbPort->currentText().trimmed();
    setup.baud = cbVitesse->currentData().toInt();
    setup.framing = cbTrame->currentIndex();
    setup.tieFrom = spPremierChiffre->value();
    setup.tieCount = spNombreChiffres->value();
    setup.wedgeCharacters = spChiffresClavier->value();
    setup.wedgeWithinMs = spDelaiClavier->value();
    if (m_data.keepReaderSetup(setup))
        accept();
}

} // namespace calibration
