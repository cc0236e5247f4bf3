// Help mode: the side panel that explains the widget under the pointer, and
// the pop-ups of the question-mark labels.
#include "app/reriruvozive.h"

#include "app/helptexts.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "ui/custompopup.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

// The form is 800 x 600; the panel widens the window to the right of it.
constexpr int kPanelWindowWidth = 1080;
constexpr int kPanelWindowHeight = 600;
constexpr int kCopyNoteMs = 2000;

// Gives a page's controls the hand pointer and the main font; frames and
// labels only show things and keep theirs.
void markControls(QWidget *page, const QFont &font)
{
    for (QObject *child : page->children()) {
        if (!child->isWidgetType())
            continue;
        const QString className = QLatin1String(child->metaObject()->className());
        if (className == QLatin1String("QFrame") || className == QLatin1String("QLabel"))
            continue;
        auto *widget = static_cast<QWidget *>(child);
        widget->setCursor(Qt::PointingHandCursor);
        widget->setFont(font);
    }
}

} // namespace

void Reriruvozive::addEventFilter()
{
    mainFont.setPixelSize(20);

    for (QWidget *page : {ui->EnineerMenuBLE, ui->UpdateFWBLE, ui->BLE_QF410, ui->DUT, ui->KV380, ui->PLM300})
        markControls(page, mainFont);

    markControls(ui->QFOnline, mainFont);
    // The online page's question marks and its IMEI copy label sit inside
    // the pages of its tab widget, deeper than the other pages' controls.
    for (QWidget *widget : ui->QFOnline->findChildren<QWidget *>())
        widget->installEventFilter(this);

    for (QObject *page : ui->stackedWidget->children()) {
        page->installEventFilter(this);
        for (QObject *child : page->children()) {
            child->installEventFilter(this);
            for (QObject *grandChild : child->children())
                grandChild->installEventFilter(this);
        }
    }

    ui->labelCopyIMEI->installEventFilter(this);
    ui->pushButtonDeviceFLS->installEventFilter(this);
    ui->pushButtonBLE->installEventFilter(this);

    // Some explained widgets sit deeper than three levels (the service and
    // calibration buttons in their layout box): the panel must reach them too.
    for (const QString &name : helptexts::panelWidgetNames()) {
        if (QWidget *widget = findChild<QWidget *>(name))
            widget->installEventFilter(this);
    }
}

void Reriruvozive::slotShortcutF1()
{
    if (helpPanelOpen)
        closeHelp();
    else
        openHelp();
}

void Reriruvozive::on_pushButton_Help_clicked()
{
    slotShortcutF1();
    logMessage.append("Help called");
    writeLogFileNoParams();
}

void Reriruvozive::openHelp()
{
    // A bubble left from before would outlive the Leave that removes it,
    // since help mode takes the Leave events for the panel.
    if (helpPopUp) {
        helpPopUp->close();
        helpPopUp->deleteLater();
        helpPopUp = nullptr;
    }

    helpPanelOpen = true;

    helpBorder = new QFrame(this);
    helpBorder->setObjectName("line_help_border");
    helpBorder->setGeometry(797, 0, 2, 600);
    helpBorder->show();

    sizeBeforeHelp = size();
    minimumSizeBeforeHelp = minimumSize();
    maximumSizeBeforeHelp = maximumSize();
    setMaximumSize(kPanelWindowWidth, kPanelWindowHeight);
    resize(kPanelWindowWidth, kPanelWindowHeight);

    helpLabel = new QLabel(this);
    mainFont.setPointSize(12);
    helpLabel->setFont(mainFont);

    helpBackBtn = new QPushButton(this);
    helpBackBtn->setObjectName("helpBackBtn");
    helpBackBtn->setAttribute(Qt::WA_MouseTracking);
    helpBackBtn->setCursor(Qt::PointingHandCursor);
    helpBackBtn->setGeometry(799, 280, 20, 40);
    helpBackBtn->show();

    helpLabel->setGeometry(820, 0, 255, 590);
    helpLabel->setAlignment(Qt::AlignTop);
    helpLabel->setWordWrap(true);
    helpLabel->show();

    connect(helpBackBtn, &QPushButton::clicked, this, &Reriruvozive::closeHelp);
}

void Reriruvozive::closeHelp()
{
    if (helpLabel) {
        helpLabel->deleteLater();
        helpLabel = nullptr;
    }
    if (helpBackBtn) {
        helpBackBtn->deleteLater();
        helpBackBtn = nullptr;
    }
    if (helpBorder) {
        helpBorder->deleteLater();
        helpBorder = nullptr;
    }
    if (helpPanelOpen) {
        // Back to the size the window had, which is 800 x 480 on a low desktop.
        setMinimumSize(minimumSizeBeforeHelp);
        setMaximumSize(maximumSizeBeforeHelp);
        resize(sizeBeforeHelp);
    }
    helpPanelOpen = false;
}

void Reriruvozive::showHelp(QObject *object)
{
    if (!helpLabel || !object)
        return;
    const QString text = helptexts::panelText(object->objectName());
    if (!text.isNull())
        helpLabel->setText(text);
}

void Reriruvozive::setHelpView(QWidget *parent, QString text)
{
    if (!parent)
        return;
    // One bubble at a time: a new one replaces the one still on screen.
    if (helpPopUp) {
        helpPopUp->close();
        helpPopUp->deleteLater();
    }
    helpPopUp = new CustomPopUp(this);
    helpPopUp->setPopupText(text);
    helpPopUp->setColorPalete(parent->palette());

    const int rows = helptexts::popUpRows(text.size());
    qDebug() << "heightHelpWindow = " << rows;

    // To the right of the widget, starting three widget heights above it.
    const QPoint corner = parent->mapToGlobal(QPoint(0, 0));
    helpPopUp->setGeometry(corner.x() + parent->width(), corner.y() - 3 * parent->height(), helptexts::kPopUpWidth,
                           helptexts::kPopUpRowHeight * rows);
    helpPopUp->show();
}

void Reriruvozive::setInvisibleLabelCopyMac()
{
    ui->label_CopyMacBLE->setVisible(false);
    ui->label_CopyIMEIResult->setVisible(false);
}

bool Reriruvozive::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter: {
        if (helpPanelOpen) {
            showHelp(watched);
            return true;
        }

        if (watched == ui->comboBox_SerialPort) {
            const bool deviceChosen = ui->pushButtonDeviceFLS->isChecked() || ui->pushButtonBLE->isChecked() ||
                                      ui->pushButtonQFOnline->isChecked() || ui->pushButtonKV380->isChecked() ||
                                      ui->pushButtonWiredTag->isChecked() || ui->pushButtonPLM300->isChecked() ||
                                      ui->pushButtonN7->isChecked();
            if (!deviceChosen) {
                // A converter plugged in since the last refresh shows up as
                // soon as the user reaches for the list.
                updateSerialPorts();
                return true;
            }
            break;
        }

        for (QLabel *question :
             {ui->labelQuestionPict, ui->labelQuestionPict_2, ui->labelQuestionPict_3, ui->labelQuestionPict_4,
              ui->labelQuestionPict_5, ui->labelQuestionPict_6, ui->labelQuestionPict_7, ui->labelQuestionPict_10}) {
            if (watched == question) {
                setHelpView(question, helptexts::questionMarkText(question->objectName()));
                return QMainWindow::eventFilter(watched, event);
            }
        }

        struct Fault
        {
            QWidget *icon;
            int levelWord;
        };
        const Fault faults[] = {
            {flsDevice ? flsDevice->getLabelAlarm() : nullptr, flsDevice ? int(flsDevice->getLevel()) : 0},
            {qfOnline ? qfOnline->getLevelFaultIcon() : nullptr, qfOnline ? int(qfOnline->getLevelFaultCode()) : 0},
            {bleDevice ? bleDevice->getLevelFaultIcon() : nullptr, bleDevice ? int(bleDevice->getLevelFaultCode()) : 0},
        };
        for (const Fault &fault : faults) {
            if (!fault.icon || watched != fault.icon)
                continue;
            const QString text = helptexts::levelFaultText(fault.levelWord);
            if (!text.isNull()) {
                setHelpView(fault.icon, text);
                return QMainWindow::eventFilter(watched, event);
            }
        }

        if (watched->isWidgetType()) {
            const QString text = helptexts::onlineQuestionMarkText(watched->objectName());
            if (!text.isNull())
                setHelpView(static_cast<QWidget *>(watched), text);
        }
        break;
    }

    case QEvent::Leave:
        if (helpPanelOpen) {
            if (helpLabel)
                helpLabel->setText(QString());
            return true;
        }
        if (helpPopUp) {
            helpPopUp->close();
            helpPopUp->deleteLater();
            helpPopUp = nullptr;
        }
        break;

    case QEvent::MouseButtonPress:
        if (watched == ui->labelCopyMAC) {
            QString mac = ui->label_MAC_BLE_VAL->text();
            mac.remove(':');
            QApplication::clipboard()->setText(mac, QClipboard::Clipboard);
            ui->label_CopyMacBLE->setVisible(true);
            QTimer::singleShot(kCopyNoteMs, this, &Reriruvozive::setInvisibleLabelCopyMac);
        } else if (watched == ui->labelCopyIMEI) {
            QApplication::clipboard()->setText(ui->label_24->text(), QClipboard::Clipboard);
            ui->label_CopyIMEIResult->setVisible(true);
            QTimer::singleShot(kCopyNoteMs, this, &Reriruvozive::setInvisibleLabelCopyMac);
        }
        break;

    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
