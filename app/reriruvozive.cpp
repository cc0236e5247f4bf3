// Construction and wiring of the main window.
#include "app/reriruvozive.h"

#include "resources/bundle.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "devices/firmware/firmwareupdater.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "devices/other/mirvelnet.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "devices/other/wiredtagdevice.h"
#include "link/bridgegpio.h"
#include "link/deviceeventfilter.h"
#include "link/portconnection.h"
#include "link/ringbuffer.h"
#include "ui/switch.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

Reriruvozive::Reriruvozive(QWidget *parent) : QMainWindow(parent)
{
    initResourceBundle();
    ui = new Ui_Deruvivuriri;
    rxBuffer = new RingBuffer(2048, this);
    bridgeGpio = createPlatformBridgeGpio();

    ui->setupUi(this);

    QCoreApplication::setOrganizationName("Mirvel");
    QCoreApplication::setApplicationName("Reriruvozive-Mirvel");
    settings = new QSettings(this);

    setupFontApp();

    pixmapArrow = QPixmap(":/images/arrow.png");
    pixmapBird = QPixmap(":/images/bird.png");
    pixmapBirdGreen = QPixmap(":/images/bird_green.png");

    setupTarRun();

    portConnection = new PortConnection();
    QSerialPort *serial = portConnection->getSerialPort();

    qfOnline = new QFOnline(ui, serial);
    qfOnline->initUI();
    flsDevice = new FLSDevice(ui, serial);
    flsDevice->initUI();
    flsDevice->setVisiblePageWidgets(false);
    bleDevice = new BLEDevice(ui, serial);
    bleDevice->initUI();
    kv380Device = new KV380Device(ui, serial);
    kv380Device->initUI();
    plm300Device = new PLM300Device(ui, serial);
    plm300Device->initUI();
    wiredTagDevice = new WiredTagDevice(ui);
    wiredTagDevice->initUI();
    kvbleDevice = new KVBLEDevice(ui, serial);
    kvbleDevice->initUI();
    n7Device = new N7Device(ui, serial);
    n7Device->initUI();
    mirvelNet = new MirvelNet(ui, serial);
    mirvelNet->initUI();
    firmwareUpdater = new FirmwareUpdater(ui);

    initUIRC();

    secondTimer = new QTimer();
    secondTimer->start(1000);
    connect(secondTimer, &QTimer::timeout, this, &Reriruvozive::secondIntervalTask);

    setupHotKey();
    setTimerSignalSlot();
    addEventFilter();
    setupBtnService(false);

    connectPages();

    rxBuffer->initBytes(2048);
    rxBuffer->clear();

    flsDevice->setDefaultValuesToGuiField();
    checkResolutionScreen();
    kv380Device->addSwitchToUI();
    kv380Device->setSwitchesSyncEnabled(true);

    ui->pushButtonWiredTag->hide();
    ui->label_NameButtWM->hide();
    ui->line_UnderBtnWT->hide();

    const QIcon ctrlS(":/images/ctrl+s.svg");
    ui->ButtonWriteParamDUT->setIcon(ctrlS);
    ui->ButtonWriteParamBLE->setIcon(ctrlS);
    ui->ButtonWriteParamPLM300->setIcon(ctrlS);
    ui->ButtonWriteParamKV380->setIcon(ctrlS);
    ui->pushButtonSetNullKVBLE->setIcon(QIcon(":/images/f2.svg"));
    ui->ButtonWriteParamKVBLE->setIcon(ctrlS);
    for (QPushButton *b : {ui->ButtonWriteParamDUT, ui->ButtonWriteParamBLE, ui->ButtonWriteParamPLM300,
                           ui->ButtonWriteParamKV380, ui->ButtonWriteParamKVBLE})
        b->setIconSize(QSize(48, 48));
    ui->pushButtonSetNullKVBLE->setIconSize(QSize(24, 24));

    birdsTimer = new QTimer();
    connect(birdsTimer, &QTimer::timeout, flsDevice, &FLSDevice::hideBirds);
    connect(birdsTimer, &QTimer::timeout, kv380Device, &KV380Device::hideBirds);
    connect(birdsTimer, &QTimer::timeout, plm300Device, &PLM300Device::hideBirds);
    connect(birdsTimer, &QTimer::timeout, bleDevice, &BLEDevice::hideBirds);
    connect(birdsTimer, &QTimer::timeout, n7Device, &N7Device::hideBirds);
    connect(birdsTimer, &QTimer::timeout, birdsTimer, &QTimer::stop);

    checkNewVersionDeruvivuriri();

    mainFont.setPixelSize(16);
    mainFont.setWeight(75);
    qfOnline->setFontDevice(mainFont);

    ui->comboBoxChooseLanguage->addItem(tr("русский"));
    ui->comboBoxChooseLanguage->addItem(tr("английский"));
    ui->comboBoxChooseLanguage->addItem(tr("испанский"));
    ui->comboBoxChooseTheme->addItem(tr("светлый"));
    ui->comboBoxChooseTheme->addItem(tr("тёмный"));

    titleFont.setPixelSize(28);
    ui->label_ProgSetting->setFont(titleFont);

    setObjectName("Reriruvozive");

    applyStoredTheme();
    checkCurrentLanguage();

    const bool dark = checkDarkTheme();
    flsDevice->changeIconBtnConnectDevice("off", dark);
    bleDevice->changeIconBtnConnectDevice("off", dark);
    kv380Device->changeIconBtnConnectDevice("off", dark);
    plm300Device->changeIconBtnConnectDevice("off", dark);
    qfOnline->changeIconBtnConnectDevice("off", dark);
    n7Device->changeIconBtnConnectDevice("off", dark);

    ui->pushButton_Help->adjustSize();
    updateSerialPorts();
    ui->stackedWidget->setCurrentWidget(ui->DUT);

    logMessage.append("Start Application");
    writeLogFileNoParams();
}

Reriruvozive::~Reriruvozive()
{
    // Stop every page and timer that outlives the form's widgets before the
    // form goes; the pages and the port have no Qt parent.
    secondTimer->stop();
    birdsTimer->stop();
    delete qfOnline;
    delete flsDevice;
    delete bleDevice;
    delete kv380Device;
    delete plm300Device;
    delete wiredTagDevice;
    delete kvbleDevice;
    delete n7Device;
    delete mirvelNet;
    delete firmwareUpdater;
    delete portConnection;
    delete secondTimer;
    delete birdsTimer;
    delete logFile;
    delete ui;
}

void Reriruvozive::connectPages()
{
    connectFirmwareUpdater();
    connect(this, &QWidget::windowTitleChanged, this, &Reriruvozive::setTitleMainWindow);

    connect(kvbleDevice, &KVBLEDevice::writeData, portConnection, &PortConnection::writeData);
    connect(kvbleDevice, &KVBLEDevice::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(kvbleDevice, &KVBLEDevice::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(kvbleDevice, &KVBLEDevice::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(kvbleDevice, &KVBLEDevice::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
    connect(kvbleDevice, &KVBLEDevice::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDevice);
    connect(kvbleDevice, &KVBLEDevice::signalRequestForGetSerNumAndFirmWareVersion, this,
            &Reriruvozive::requestForGetSerNumAndFirmWareVersion);
    connect(kvbleDevice, &KVBLEDevice::signalWriteLog, this, &Reriruvozive::recieveLogMessage);

    connect(kv380Device, &KV380Device::writeData, portConnection, &PortConnection::writeData);
    connect(kv380Device, &KV380Device::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(kv380Device, &KV380Device::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(kv380Device, &KV380Device::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(kv380Device, &KV380Device::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
    connect(kv380Device, &KV380Device::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDevice);
    connect(kv380Device, &KV380Device::signalRequestForGetSerNumAndFirmWareVersion, this,
            &Reriruvozive::requestForGetSerNumAndFirmWareVersion);
    connect(kv380Device, &KV380Device::signalWriteLog, this, &Reriruvozive::recieveLogMessage);

    connect(plm300Device, &PLM300Device::writeData, portConnection, &PortConnection::writeData);
    connect(plm300Device, &PLM300Device::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(plm300Device, &PLM300Device::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(plm300Device, &PLM300Device::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(plm300Device, &PLM300Device::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
    connect(plm300Device, &PLM300Device::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDevice);
    connect(plm300Device, &PLM300Device::signalRequestForGetSerNumAndFirmWareVersion, this,
            &Reriruvozive::requestForGetSerNumAndFirmWareVersion);
    connect(plm300Device, &PLM300Device::signalWriteLog, this, &Reriruvozive::recieveLogMessage);

    connect(flsDevice, &FLSDevice::writeData, portConnection, &PortConnection::writeData);
    connect(flsDevice, &FLSDevice::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(flsDevice, &FLSDevice::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(flsDevice, &FLSDevice::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(flsDevice, &FLSDevice::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
    connect(flsDevice, &FLSDevice::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDevice);
    connect(flsDevice, &FLSDevice::signalRequestForGetSerNumAndFirmWareVersion, this,
            &Reriruvozive::requestForGetSerNumAndFirmWareVersion);
    connect(flsDevice, &FLSDevice::signalWriteLog, this, &Reriruvozive::recieveLogMessage);

    connect(qfOnline, &QFOnline::writeData, portConnection, &PortConnection::writeData);
    connect(qfOnline, &QFOnline::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(qfOnline, &QFOnline::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(qfOnline, &QFOnline::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(qfOnline, &QFOnline::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
    connect(qfOnline, &QFOnline::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDevice);
    connect(qfOnline, &QFOnline::signalRequestForGetAllDataFromQFOnlineDevice, this,
            &Reriruvozive::requestForGetAllDataFromQFOnlineDevice);
    connect(qfOnline, &QFOnline::signalRequestForGetCfgQFOnline, this, &Reriruvozive::requestForGetCfgQFOnline);
    connect(qfOnline, &QFOnline::signalWriteLog, this, &Reriruvozive::recieveLogMessage);

    connect(n7Device, &N7Device::writeData, portConnection, &PortConnection::writeData);
    connect(n7Device, &N7Device::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(n7Device, &N7Device::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDeviceN7);
    connect(n7Device, &N7Device::signalWriteLog, this, &Reriruvozive::recieveLogMessage);

    connect(bleDevice, &BLEDevice::writeData, portConnection, &PortConnection::writeData);
    connect(bleDevice, &BLEDevice::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(bleDevice, &BLEDevice::signalCopyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(bleDevice, &BLEDevice::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
    connect(bleDevice, &BLEDevice::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
    connect(bleDevice, &BLEDevice::signalRequestForGetAllDataFromDevice, this,
            &Reriruvozive::requestForGetAllDataFromDevice);
    connect(bleDevice, &BLEDevice::signalRequestForGetSerNumAndFirmWareVersion, this,
            &Reriruvozive::requestForGetSerNumAndFirmWareVersion);
    connect(bleDevice, &BLEDevice::deviceIsConnectedToBase, this, [this] {
        // stopBleFailTimerLambda: a connected sensor needs no failure report.
        if (bleFailTimer)
            disconnect(bleFailTimer, &QTimer::timeout, this, &Reriruvozive::createDialogConnectionToBLEFail);
    });
    connect(bleDevice, &BLEDevice::signalRequestForGetAllDataFromDeviceAdvert, this,
            &Reriruvozive::requestForGetAllDataFromDeviceAdvert);

    connect(wiredTagDevice, &WiredTagDevice::writeData, portConnection, &PortConnection::writeData);
    connect(wiredTagDevice, &WiredTagDevice::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
    connect(wiredTagDevice, &WiredTagDevice::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);

    connect(flsDevice, &FLSDevice::copyLevelValueToMain, this, &Reriruvozive::setLevelFromAnotherDevice);
    connectAdvertLevels();
    connect(qfOnline, &QFOnline::copyLevelValueToMain, this, &Reriruvozive::setLevelFromAnotherDevice);
    connect(bleDevice, &BLEDevice::copyLevelValueToMain, this, &Reriruvozive::setLevelFromAnotherDevice);

    connect(ui->tabWidgetAdw, &QTabWidget::currentChanged, this, &Reriruvozive::clickTabOnTabWidget);

    connect(portConnection, &PortConnection::signalHandleNoError, this, &Reriruvozive::handlerNoErrorSerial);
    connect(portConnection, &PortConnection::signalHandleError, this, &Reriruvozive::handlerErrorSerial);

    connect(portConnection, &PortConnection::signalWriteLog, this, &Reriruvozive::recieveLogMessage);
    connect(bleDevice, &BLEDevice::signalWriteLog, this, &Reriruvozive::recieveLogMessage);
    connect(wiredTagDevice, &WiredTagDevice::signalWriteLog, this, &Reriruvozive::recieveLogMessage);
    connect(bleDevice, &BLEDevice::signalFirstConnectingDeviceAdwert, this, &Reriruvozive::setupBtnService);

    connect(portConnection, &PortConnection::signalOpenPort, this, &Reriruvozive::setupBtnService);
    connect(portConnection, &PortConnection::signalOpenPort, this, &Reriruvozive::deleteLabelUpdate);
    connect(portConnection, &PortConnection::signalOpenPort, this,
            &Reriruvozive::disableComboboxChooseThemeAndChooseLanguage);
}

void Reriruvozive::setDeviceEventFilterObject(DeviceEventFilter *filter)
{
    deviceEventFilter = filter;
    if (deviceEventFilter)
        connect(deviceEventFilter, &DeviceEventFilter::serialDeviceChanged, this, &Reriruvozive::updateSerialPorts);
}

void Reriruvozive::setTranslator(QTranslator *value)
{
    translator = value;
}

void Reriruvozive::setBridgeGpio(std::unique_ptr<BridgeGpio> gpio)
{
    bridgeGpio = std::move(gpio);
}

int Reriruvozive::getLevel(int device) const
{
    return device >= 0 && device < 3 ? levels[device] : 0;
}

