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

} // namespace window_services
