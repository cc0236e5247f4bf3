// Technician and engineer tools of the wired sensor: the slave sensors of a
// QF470 and serial-number programming.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprocedures.h"
#include "link/portconnection.h"
#include "ui/switch.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int kAddressWidth = 100;
constexpr int kPeriodWidth = 110;
constexpr int kButtonHeight = 30;
constexpr int kRowSpacing = 10;
constexpr int kCloseWidth = 100;
// The sensor sends to its slaves at this period whatever the field shows.
constexpr int kSlavePeriod = 10;

const char *const kSlaveNames[fls::kSlaveCount] = {
    QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 1"), QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 2"),
    QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 3"), QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 4"),
    QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 5"), QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 6"),
    QT_TRANSLATE_NOOP("Reriruvozive", "Слейв 7")};

} // namespace

void Reriruvozive::on_pushButton_SlaveSensors_clicked()
{
    QDialog dialog(this, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog.setObjectName("slaveSensorsDialog");
    auto *apply = new QPushButton(tr("Установить"), &dialog);
    auto *applyPeriod = new QPushButton(tr("Установить\nпериод"), &dialog);
    apply->setFixedHeight(kButtonHeight);
    auto *period = new QLineEdit(QStringLiteral("10"), &dialog);
    period->setMaximumWidth(kPeriodWidth);
    period->setFixedHeight(kButtonHeight);

    QList<Switch *> switches;
    QList<QLineEdit *> addresses;
    auto *rows = new QVBoxLayout;
    for (int k = 0; k < fls::kSlaveCount; ++k) {
        auto *address = new QLineEdit(&dialog);
        address->setMaximumWidth(kAddressWidth);
        auto *sw = new Switch(&dialog);
        sw->setFixedSize(50, 25);
        auto *row = new QHBoxLayout;
        row->setSpacing(kRowSpacing);
        row->addWidget(new QLabel(tr(kSlaveNames[k]), &dialog));
        row->addWidget(sw);
        row->addWidget(address);
        rows->addLayout(row);
        switches << sw;
        addresses << address;
    }
    // An address can be typed only for a slave that is on.
    const auto enableAddresses = [switches, addresses] {
        for (int k = 0; k < switches.size(); ++k)
            addresses.at(k)->setEnabled(switches.at(k)->getState());
    };
    for (Switch *sw : switches)
        connect(sw, &Switch::clicked, &dialog, enableAddresses);

    fillSlaveDialogFromDevice(switches, period, addresses);
    const int mask = flsDevice->getStateSlaveQF470();
    for (int k = 0; k < fls::kSlaveCount; ++k)
        addresses.at(k)->setEnabled(fls::isSlaveOn(mask, k + 1));

    auto *periodRow = new QHBoxLayout;
    periodRow->addWidget(period);
    periodRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    periodRow->addWidget(apply);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    for (QAbstractButton *b : box->buttons())
        b->setMinimumWidth(kCloseWidth);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *lastRow = new QHBoxLayout;
    lastRow->setSpacing(kRowSpacing);
    lastRow->addWidget(applyPeriod);
    lastRow->addWidget(box);
    rows->addLayout(periodRow);
    rows->addLayout(lastRow);
    dialog.setLayout(rows);

    // The switches go to the page as a mask; nothing is sent to the sensor.
    connect(apply, &QPushButton::clicked, &dialog, [this, switches] {
        std::array<bool, fls::kSlaveCount> on{};
        for (int k = 0; k < fls::kSlaveCount; ++k)
            on[size_t(k)] = switches.at(k)->getCurentState();
        flsDevice->setUpdateParamWidgets(true);
        flsDevice->setNeedUpdateSlaveState(true);
        flsDevice->setConfigSlaveQF470(fls::slaveMask(on));
    });
    connect(applyPeriod, &QPushButton::clicked, &dialog,
            [this] { flsDevice->setPeriodSendingSlaveASCiiQF470(kSlavePeriod); });
    // The dialog is the context: once it is gone, a late refresh touches nothing.
    connect(flsDevice, &FLSDevice::signalUpdateSlaveState, &dialog,
            [this, switches, period, addresses] { fillSlaveDialogFromDevice(switches, period, addresses); });
    // The sensor's state of now: the page's session's end closes it.
    flsDevice->execBox(dialog);
}

void Reriruvozive::fillSlaveDialogFromDevice(const QList<Switch *> &switches, QLineEdit *period,
                                             const QList<QLineEdit *> &addresses)
{
    const int mask = flsDevice->getStateSlaveQF470();
    for (int k = 0; k < switches.size(); ++k)
        switches.at(k)->setState(fls::isSlaveOn(mask, k + 1));
    period->setText(QString::number(flsDevice->getSlavePeriod()));
    const quint8 *table = flsDevice->getSlaveAddress();
    for (int k = 0; k < addresses.size() && k < fls::kSlaveCount; ++k)
        addresses.at(k)->setText(QString::number(table[k]));
}

void Reriruvozive::on_setSerNum_clicked()
{
    sendSerialNumber(false);
}

void Reriruvozive::on_pushButtonNextSerNum_clicked()
{
    sendSerialNumber(true);
}

// Sent without waiting for an answer: the technician reads the new number
// from the sensor's next serial answer.
void Reriruvozive::sendSerialNumber(bool next)
{
    const std::optional<quint32> typed = fls::decimalInRange(ui->lineEditSetSerNum->text(), 0, fls::kUnsigned32Max);
    if (!typed) {
        refuseNumber(0, fls::kUnsigned32Max);
        return;
    }
    // Not in the middle of another procedure of the page.
    const BaseDevice::Procedure run(flsDevice);
    if (!run)
        return;
    // The next number after the largest one is 0.
    const quint32 serial = next ? *typed + 1u : *typed;
    portConnection->writeData(fls::serialNumberWrite(sensorNetNum(), serial));
}
