#pragma once

#include <QPixmap>

// The dialog's pictures, from the shared image store: by array and index,
// with a null pixmap for an index that is not held.
namespace prompt_dialog {

// Button faces ("btc"), 73 x 73 pixels with the caption painted in:
// 1 Recher. (magnifier), 2 Valider (green tick), 3 Annuler (red cross).
QPixmap storeButtonFace(int index);

// Frame pieces ("ccb"), 32 x 32 pixels: 0 to 3 the corners (top-left,
// top-right, bottom-right, bottom-left), 4 to 7 the edges (left, top, right,
// bottom).
QPixmap storeFramePiece(int index);

// "Image1" item 2: the picture at the dialog's top left.
QPixmap storeImage1(int index);

// The picture command3D5 carries of its own, not taken from the store.
QPixmap ownCancelFace();

} // namespace prompt_dialog
