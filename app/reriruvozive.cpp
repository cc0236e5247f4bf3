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
#include "files/filelog.h"
#include "files/programsettings.h"
#include "link/bridgegpio.h"
#include "link/deviceeventfilter.h"
#include "link/portconnection.h"
#include "link/ringbuffer.h"
#include "ui/switch.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
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
    settings = new ProgramSettings(this);
    // What the file writers could not make sure of, without its being a
    // failed save, is kept in the log.
    setFileLog([this](const QString &text) { appendLog(text); });

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
    pages = {qfOnline, flsDevice, bleDevice, kv380Device, plm300Device, wiredTagDevice, kvbleDevice, n7Device};
    setupDevices();
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
    showPage(ui->DUT);

    logMessage.append("Start Application");
    writeLogFileNoParams();
}

Reriruvozive::~Reriruvozive()
{
    setFileLog({});
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

    // What every page asks of the main window goes the same way; the
    // indicator's data request names its slot, so it has a request of its own.
    for (BaseDevice *page : qAsConst(pages)) {
        connect(page, &BaseDevice::writeData, portConnection, &PortConnection::writeData);
        connect(page, &BaseDevice::copyNetNumToParent, this, &Reriruvozive::recieveNetNumFromChild);
        connect(page, &BaseDevice::copyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
        connect(page, &BaseDevice::signalCheckIncommingData, this, &Reriruvozive::parceDataFromCOMPort);
        connect(page, &BaseDevice::signalRequestForSearchDevices, this, &Reriruvozive::requestForSearchDevices);
        page->setInputDropper([this] { dropUnreadInput(); });
        // A page's status lines are seen only while their page is on show:
        // from a page opened from it (the calibration, say) a refusal comes
        // in a box, one while it is up however often the user presses.
        page->setRefusalElsewhere([this, page](const QString &text) {
            const QLabel *line = page->getLabelStatusMessage();
            QWidget *shown = ui->stackedWidget->currentWidget();
            if (!line || !shown || shown->isAncestorOf(line))
                return false;
            if (!refusalBox)
                refusalBox = showBox(text);
            return true;
        });
        // Only the devices a download goes to can be left in a bootloader,
        // and only their pages tell of it: the indicator, say, is another
        // device beside the sensor.
        if (page == flsDevice || page == kv380Device || page == plm300Device || page == qfOnline)
            page->setBootloaderWatch([this] { return firmwareUpdater && firmwareUpdater->leftOnLine(); },
                                     [this] {
                                         if (firmwareUpdater)
                                             firmwareUpdater->sensorAnsweredOnLine();
                                     });
        connect(page, &BaseDevice::signalRequestForGetSerNumAndFirmWareVersion, this,
                &Reriruvozive::requestForGetSerNumAndFirmWareVersion);
        connect(page, &BaseDevice::signalWriteLog, this, &Reriruvozive::recieveLogMessage);
        connect(page, &BaseDevice::copyLevelValueToMain, this, &Reriruvozive::setLevelFromAnotherDevice);
        if (page == n7Device)
            connect(page, &BaseDevice::signalRequestForGetAllDataFromDevice, this,
                    &Reriruvozive::requestForGetAllDataFromDeviceN7);
        else
            connect(page, &BaseDevice::signalRequestForGetAllDataFromDevice, this,
                    &Reriruvozive::requestForGetAllDataFromDevice);
    }
    connect(qfOnline, &QFOnline::signalRequestForGetAllDataFromQFOnlineDevice, this,
            &Reriruvozive::requestForGetAllDataFromQFOnlineDevice);
    connect(qfOnline, &QFOnline::signalRequestForGetCfgQFOnline, this, &Reriruvozive::requestForGetCfgQFOnline);
    connect(bleDevice, &BLEDevice::signalCopyQueueSurveyDevice, this, &Reriruvozive::recieveQueueSurveyDevice);
    connect(bleDevice, &BLEDevice::deviceIsConnectedToBase, this, [this] {
        // stopBleFailTimerLambda: a connected sensor needs no failure report.
        if (bleFailTimer)
            disconnect(bleFailTimer, &QTimer::timeout, this, &Reriruvozive::createDialogConnectionToBLEFail);
    });
    connect(bleDevice, &BLEDevice::signalRequestForGetAllDataFromDeviceAdvert, this,
            &Reriruvozive::requestForGetAllDataFromDeviceAdvert);
    connectAdvertLevels();

    connect(ui->tabWidgetAdw, &QTabWidget::currentChanged, this, &Reriruvozive::clickTabOnTabWidget);

    connect(portConnection, &PortConnection::signalHandleNoError, this, &Reriruvozive::handlerNoErrorSerial);
    connect(portConnection, &PortConnection::signalHandleError, this, &Reriruvozive::handlerErrorSerial);

    connect(portConnection, &PortConnection::signalWriteLog, this, &Reriruvozive::recieveLogMessage);
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
