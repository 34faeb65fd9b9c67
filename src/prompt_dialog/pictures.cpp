#include "prompt_dialog/pictures.h"

#include "window_services/imagestore.h"

namespace prompt_dialog {

QPixmap storeButtonFace(int index)
{
    return window_services::icc::lookup(QStringLiteral("btc"), index);
}

QPixmap storeFramePiece(int index)
{
    return window_services::icc::lookup(QStringLiteral("ccb"), index);
}

QPixmap storeImage1(int index)
{
    return window_services::icc::lookup(QStringLiteral("Image1"), index);
}

QPixmap ownCancelFace()
{
    // The same red cross as the store's cancel face, but the button's own.
    return window_services::icc::ownPicture(QStringLiteral("btc_3"));
}

} // namespace prompt_dialog
