#include "ui/infopopup.h"

#include "ui/dynamicqdialog.h"

#include <QTimer>

InfoPopup::InfoPopup(QWidget *owner) : QObject(owner), owner(owner) {}

void InfoPopup::show(const QString &message)
{
    // A notice left behind would stay until the user closed it by hand.
    if (popup) {
        popup->close();
        popup->deleteLater();
    }
    auto *dialog = new DynamicQDialog(owner, message, QString(), false);
    dialog->setModal(true);
    dialog->show();
    popup = dialog;
    // Each notice closes itself; one replaced earlier takes its timer with it.
    QTimer::singleShot(kShowMs, dialog, [dialog] {
        dialog->close();
        dialog->deleteLater();
    });
}
