#pragma once

#include "layout_editor/layouteditor.h"
#include "layout_editor/numberfield.h"

#include <QDialog>
#include <QImage>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace window_services {
class PictureButton;
class TextField;
} // namespace window_services

namespace layout_editor {

class LayoutPreviewWidget;
class EditorData;
class PlacementView;

// The bank layout editor, "Paramètrage d'une Banque": one bank's name, font
// and thirteen positions, the currency names, the three calibration phases,
// a preview of the cheque as the layout prints it, and a proof on plain
// paper. Its placement window, "Placement sur le chèque", shows the cheque
// large, over a picture of the bank's own cheque, for its items to be
// dragged where they go; the fields follow. Ctrl+Z, in either window,
// undoes the last changes of this opening.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    // On the bank of a button: its file, or a new bank when it has none.
    Form2(EditorData &mainWindow, EditedBank bank, QWidget *parent = nullptr);
    ~Form2() override;

    // The opening (its load step). False when the editor closed during it (no
    // code, or a code already used): it is then not to be shown.
    bool load();

    window_services::TextField *text1 = nullptr; // bank name
    window_services::TextField *Text2 = nullptr; // font name
    NumberField *Text3 = nullptr;                // font size
    std::array<NumberField *, 13> Text4{};
    window_services::TextField *Text5 = nullptr; // currency name
    window_services::TextField *Text6 = nullptr; // hundredth-part name
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    window_services::PictureButton *bt_fin = nullptr;
    LayoutPreviewWidget *Apercu = nullptr;
    QPushButton *bt_placer = nullptr;  // opens the placement window
    QPushButton *bt_essai = nullptr;   // the proof on plain paper
    QPushButton *bt_cheques = nullptr; // the chequebooks tied to the bank

    // The placement window and what it holds, made at its first opening.
    QDialog *Placement = nullptr;
    PlacementView *Vue = nullptr;
    QPushButton *bt_image = nullptr; // "Image du chèque…"
    QPushButton *bt_coins = nullptr; // the corners of the picture again
    QSlider *Transparence = nullptr;

    // Opens the placement window, or brings it to the front.
    void showPlacement();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildPlacement();
    // Shows the layout in every field but `typing` (whose text the user is
    // making), in the preview and in the placement view.
    void showLayout(const QLineEdit *typing = nullptr);
    void typed(QLineEdit *field, int index);
    void change(const bank_layouts::Layout &layout, int source, const QLineEdit *typing = nullptr);
    void undo();
    void refreshPreview();
    void choosePicture();
    void showPicture();
    void printProof();
    void showTies();
    void finish();

    EditorData &m_data;
    LayoutEditor m_editor;
    QImage m_picture; // the bank's cheque as loaded, before straightening
    int m_moveSource = 0;
};

} // namespace layout_editor
