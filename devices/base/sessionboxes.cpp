#include "devices/base/sessionboxes.h"

#include <QDialog>

#include <algorithm>
#include <utility>

void SessionBoxes::keep(QDialog *dialog)
{
    if (!dialog)
        return;
    boxes.erase(std::remove(boxes.begin(), boxes.end(), nullptr), boxes.end());
    boxes.emplace_back(dialog);
}

int SessionBoxes::exec(QDialog &dialog, bool kept)
{
    QPointer<QDialog> box(&dialog);
    if (kept)
        keep(&dialog);
    const int result = dialog.exec();
    // The dialog may have gone with its parent meanwhile.
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&box](const QPointer<QDialog> &kept) { return !kept || kept == box; }),
                boxes.end());
    return result;
}

void SessionBoxes::closeAll()
{
    const std::vector<QPointer<QDialog>> open = std::exchange(boxes, {});
    for (auto box = open.rbegin(); box != open.rend(); ++box) {
        if (!*box)
            continue;
        // A box it owns shown over it (a refusal over the password dialog,
        // say) runs its loop inside this one's.
        const QList<QDialog *> over = (*box)->findChildren<QDialog *>();
        for (QDialog *dialog : over) {
            if (dialog->isVisible())
                dialog->reject();
        }
        if (*box)
            (*box)->reject();
    }
}
