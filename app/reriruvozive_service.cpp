// The service menu and the window-wide hot keys.
#include "app/reriruvozive.h"

#include <QShortcut>

void Reriruvozive::setupHotKey()
{
    shortcutCtrlS = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_S), this);
    shortcutF1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    shortcutF2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    shortcutF3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    shortcutF4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(shortcutCtrlS, &QShortcut::activated, this, &Reriruvozive::slotShortcutCtrlS);
    connect(shortcutF1, &QShortcut::activated, this, &Reriruvozive::slotShortcutF1);
    connect(shortcutF4, &QShortcut::activated, this, &Reriruvozive::slotShortcutF4);
    connect(shortcutF2, &QShortcut::activated, this, &Reriruvozive::slotShortcutF2);
    connect(shortcutF3, &QShortcut::activated, this, &Reriruvozive::slotShortcutF3);
}

// Writing settings, Full/Empty and the calibration come with their pages.
void Reriruvozive::slotShortcutCtrlS() {}

void Reriruvozive::slotShortcutF2() {}

void Reriruvozive::slotShortcutF3() {}

void Reriruvozive::slotShortcutF4() {}

void Reriruvozive::setupBtnService(bool stateSerialPort)
{
    Q_UNUSED(stateSerialPort)
    // The service menu is built with its own entries.
}

