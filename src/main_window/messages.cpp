#include "main_window/messages.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace main_window {

void showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Ormeline"), text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ormeline"), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
    return box.exec() == QMessageBox::Yes;
}

} // namespace main_window
