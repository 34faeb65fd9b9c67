#pragma once

#include <QPixmap>
#include <QString>

// The program's store of shared pictures, by array name and index: the
// dialog's frame pieces ("ccb" 0 to 7), the button faces ("btc" 0, 1, 2, 3,
// 5, 11), the default bank picture ("Picture1" 0) and the shop's picture
// ("Image1" 2). Other windows take their pictures from here instead of
// carrying their own. It is filled on first use and never shown.
namespace window_services::icc {

// The picture, or a null pixmap for an index the store does not hold: the
// caller then keeps the picture it has.
QPixmap lookup(const QString &array, int index);

// Puts a picture in the store in place of the one it held (start-up does
// it once, for the shop's picture).
void replace(const QString &array, int index, const QPixmap &picture);

// One of the program's own pictures that are not in the store (the main
// window's buttons); null when there is none by that name.
QPixmap ownPicture(const QString &name);

} // namespace window_services::icc
