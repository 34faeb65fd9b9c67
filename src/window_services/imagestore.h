#pragma once

#include "platform/pictures.h"

#include <QHash>
#include <QString>

namespace window_services {

// A picture of the store. A button face also carries the caption that its
// button writes under the picture.
struct StoredPicture
{
    platform::Picture picture;
    QString caption;

    bool isNull() const { return picture.isNull(); }
};

// The program's store of shared pictures, by array name and index: the
// dialog's frame pieces ("ccb" 0 to 7), the button faces ("btc" 0, 1, 2, 3,
// 5, 11), the default bank picture ("Picture1" 0) and the shop's picture
// ("Image1" 2). Other windows take their pictures from here instead of
// carrying their own. It is filled on first use and never shown.
class ImageStore
{
public:
    // The picture, or a null one for an index the store does not hold: the
    // caller then keeps the picture it has.
    StoredPicture lookup(const QString &array, int index);

    // Puts a picture in the store in place of the one it held (start-up does
    // it once, for the shop's picture).
    void replace(const QString &array, int index, const platform::Picture &picture);

    // One of the program's own drawings, read the first time it is asked for.
    platform::Picture artwork(const QString &name);

private:
    QHash<QString, StoredPicture> m_pictures; // by array and index, as asked for
    QHash<QString, platform::Picture> m_artwork;
};

// The run's one store, shared by every window: the shop's picture that
// start-up reads shows in each dialog, which is made far from start-up and
// from any window that could hand it over. It only ever holds pictures, and
// only the windows' thread touches it.
extern ImageStore icc;

// One of the program's own drawings, by name; null when there is none.
platform::Picture artwork(const QString &name);

} // namespace window_services
