#ifndef INFOPOPUP_H
#define INFOPOPUP_H

#include <QObject>
#include <QPointer>
#include <QString>

#include "ui/dynamicqdialog.h"

// A short notice in the program's message box, shown without waiting for the
// user and closed by itself after a few seconds. Its owner keeps at most one
// on screen: a new notice replaces the one still shown.
class InfoPopup : public QObject
{
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;

    // The notices are the owner's children, as is this object.
    explicit InfoPopup(QWidget *owner);

    void show(const QString &message);
    // The notice on screen, or null.
    DynamicQDialog *current() const { return popup; }

private:
    QWidget *owner = nullptr;
    QPointer<DynamicQDialog> popup;
};

#endif // INFOPOPUP_H
