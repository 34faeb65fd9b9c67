#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace window_services {
class PictureButton;
class TextField;
} // namespace window_services

namespace calibration {

class SetupData;

// The printer set-up window, "Reglage de base pour l'imprimante Chèques":
// the payee, the place and the currency names every cheque needs, and the
// three calibration phases as numbered steps; and the journal the tills of
// the working folder share, with this till's name.
class Caischq3 : public QDialog
{
    Q_OBJECT

public:
    explicit Caischq3(SetupData &mainWindow, QWidget *parent = nullptr);
    ~Caischq3() override;

    window_services::TextField *Text8 = nullptr; // payee
    window_services::TextField *Text7 = nullptr; // place
    window_services::TextField *text1 = nullptr; // currency name
    window_services::TextField *Text2 = nullptr; // hundredth-part name
    window_services::PictureButton *Command1 = nullptr;
    window_services::PictureButton *Command2 = nullptr;
    window_services::PictureButton *Command3 = nullptr;
    window_services::PictureButton *bt_fin = nullptr;
    // The journal the working folder's tills share.
    window_services::TextField *txtJournalServeur = nullptr;
    window_services::TextField *txtNomCaisse = nullptr;
    QPushButton *btTesterJournal = nullptr;
    QPushButton *btEnvoyerJournal = nullptr;
    QPushButton *btLecteur = nullptr; // the serial cheque reader's settings
    QLabel *lblTestJournal = nullptr;

private:
    void buildWindow();
    void buildSharedJournal();
    void testServer();
    void finish();

    SetupData &m_data;
};

} // namespace calibration
