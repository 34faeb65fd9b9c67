#pragma once

#include "window_services/imagestore.h"

#include <QAbstractButton>

namespace window_services {

// A square picture button: the program's tile, a picture on it and the
// caption written under the picture. The program's own buttons and the
// dialog's buttons all look like this.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PictureButton(QWidget *parent = nullptr);

    // A null picture leaves the button with the face it had.
    void setFace(const StoredPicture &face);
    const platform::Picture &picture() const { return m_picture; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    platform::Picture m_tile;
    platform::Picture m_picture;
    QPixmap m_tileDrawn;
    QPixmap m_pictureDrawn;
    QSize m_drawnFor;
    qreal m_drawnRatio = 0;
};

// A picture button of a window, showing the artwork `glyph` with `caption`
// under it; `name` is what the instructions and the tests call it by.
PictureButton *makePictureButton(QWidget *parent, const QString &name, const QRect &geometry, const QString &glyph,
                                 const QString &caption, const QString &toolTip);

} // namespace window_services
