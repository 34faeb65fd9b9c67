#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace calibration {

class SetupData;

// "Lecteur de chèques": the serial port a cheque reader is plugged into, its
// speed and how it ends its lines, and how it stands now.
class ReaderWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ReaderWindow(SetupData &setupData, QWidget *parent = nullptr);

    QComboBox *cbPort = nullptr; // editable: a port may be typed
    QComboBox *cbVitesse = nullptr;
    QComboBox *cbTrame = nullptr;
    QLabel *lblEtat = nullptr;
    QSpinBox *spPremierChiffre = nullptr;
    QSpinBox *spNombreChiffres = nullptr;
    QSpinBox *spChiffresClavier = nullptr;
    QSpinBox *spDelaiClavier = nullptr; // milliseconds
    QPushButton *btEnregistrer = nullptr;
    QPushButton *btAnnuler = nullptr;

private:
    void keep();

    SetupData &m_data;
};

} // namespace calibration
