#include "prompt_dialog/pictures.h"

namespace prompt_dialog {

using window_services::icc;

window_services::StoredPicture storeButtonFace(int index)
{
    return icc.lookup(QStringLiteral("btc"), index);
}

platform::Picture storeFramePiece(int index)
{
    return icc.lookup(QStringLiteral("ccb"), index).picture;
}

platform::Picture storeImage1(int index)
{
    return icc.lookup(QStringLiteral("Image1"), index).picture;
}

window_services::StoredPicture ownCancelFace()
{
    // The same red cross as the store's cancel face, but the button's own.
    return {window_services::artwork(QStringLiteral("glyph-cross")), QStringLiteral("Annuler")};
}

} // namespace prompt_dialog
