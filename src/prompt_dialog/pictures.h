#pragma once

#include "window_services/imagestore.h"

// The dialog's pictures, from the shared image store: by array and index,
// with a null picture for an index that is not held.
namespace prompt_dialog {

// Button faces ("btc"), with the caption their button writes under them:
// 1 Recher. (magnifier), 2 Valider (green tick), 3 Annuler (red cross).
window_services::StoredPicture storeButtonFace(int index);

// Frame pieces ("ccb"): 0 to 3 the corners (top-left, top-right,
// bottom-right, bottom-left), 4 to 7 the edges (left, top, right, bottom).
platform::Picture storeFramePiece(int index);

// "Image1" item 2: the picture at the dialog's top left.
platform::Picture storeImage1(int index);

// The face command3D5 carries of its own, not taken from the store.
window_services::StoredPicture ownCancelFace();

} // namespace prompt_dialog
