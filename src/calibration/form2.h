#pragma once

#include "calibration/layouteditor.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace window_services {
class PictureButton;
class TextField;
} // namespace window_services

namespace calibration {

class LayoutPreviewWidget;
class MainWindowData;

// The bank layout editor, "Paramètrage d'une Banque": one bank's name, font
// and thirteen positions, the currency names, the three calibration phases,
// and a preview of the cheque as the layout prints it.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(MainWindowData &mainWindow, QWidget *parent = nullptr);
    ~Form2() override;

    // The opening (its load step). False when the editor closed during it (no
    // code, or a code already used): it is then not to be shown.
    bool load();

    window_services::TextField *text1 = nullptr; // bank name
    window_services::TextField *Text2 = nullptr; // font name
    window_services::TextField *Text3 = nullptr; // font size
    std::array<window_services::TextField *, 13> Text4{};
    window_services::TextField *Text5 = nullptr; // currency name
    window_services::TextField *Text6 = nullptr; // hundredth-part name
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    window_services::PictureButton *bt_fin = nullptr;
    LayoutPreviewWidget *Apercu = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void showFields();
    LayoutFields typedFields() const;
    void refreshPreview();
    void finish();

    MainWindowData &m_data;
    LayoutEditor m_editor;
};

} // namespace calibration
