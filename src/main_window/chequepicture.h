#pragma once

#include <QFrame>
#include <QList>
#include <QRect>

namespace main_window {

// The imitation of a blank French cheque: paper, frame, the ruled lines the
// words and the payee are written on, and the account line at the bottom.
class ChequePicture : public QFrame
{
public:
    explicit ChequePicture(QWidget *parent);

    void addRuledField(const QWidget *field) { m_ruled << field; }
    void setAmountBox(const QRect &box) { m_amountBox = box; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<const QWidget *> m_ruled;
    QRect m_amountBox;
};

} // namespace main_window
