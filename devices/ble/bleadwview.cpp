#include "devices/ble/bleadwview.h"

#include "deruvivuriri_form.h"

#include "calibration/myitemdelegateforcell.h"
#include "devices/base/basedevice.h"
#include "devices/ble/adwertdialog.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleprotocol.h"
#include "files/programsettings.h"
#include "ui/formfonts.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

namespace {

constexpr int kFirstCardX = 5;
constexpr int kFirstCardY = 5;
// Between the first card and the second.
constexpr QRect kSeparator(0, kFirstCardY + BLEAdwView::kHeight, 692, 1);
constexpr int kButtonGap = 8;
constexpr int kChangeButtonX = 350;
constexpr int kCardFontPixels = 12;
constexpr int kDialogWidth = 450;
constexpr int kDialogHeight = 150;
constexpr QRect kFamilyPicture(10, 13, 75, 210);
constexpr int kFamilyPictureMinWidth = 75;
constexpr QRect kLevelBar(31, 57, 13, 154);
constexpr int kLevelBarMax = 4095;
// The calibration tab's cards sit a little in from the tab's corner.
constexpr QPoint kTarLitresShift(10, 10);
constexpr QPoint kTarSensorShift(130, 10);
constexpr int kTarColumn0 = 100;
constexpr int kTarColumn1 = 150;
constexpr int kTarMinWidth = 260;
constexpr int kTarRowHeight = 35;

const char *const kLabelStyle = "QLabel{color:main_color;font-size:16px;}";
const char *const kEditStyle = "QLineEdit{border-color:main_color;color:main_color;font-size:16px;}";
const char *const kValueStyle = "QLabel{font-size: 16px;}";
// The theme style sheet sizes every button's text; these keep the card's sizes.
const char *const kSmallButtonStyle = "QPushButton{font-size:12px;}";
const char *const kLargeButtonStyle = "QPushButton{font-size:16px;}";
const char *const kShownDark = "white";
const char *const kShownLight = "#1f2222";
const char *const kGreyed = "#b9b9b9";

// The values a climate sensor can send, by parameter set 0..5.
const char *const kParamSets[] = {
    QT_TRANSLATE_NOOP("BLEAdwView", "t °C, H %, U Volt, RSSI"),
    QT_TRANSLATE_NOOP("BLEAdwView", "Па, t °C, U Volt, RSSI"),
    QT_TRANSLATE_NOOP("BLEAdwView", "t °C, H %, Hall 1/0, RSSI"),
    QT_TRANSLATE_NOOP("BLEAdwView", "Lux, H %, t °C, RSSI"),
    QT_TRANSLATE_NOOP("BLEAdwView", "Па, H %, t °C, RSSI"),
    QT_TRANSLATE_NOOP("BLEAdwView", "t °C, Hall 1/0, Lux, RSSI"),
};
static_assert(sizeof(kParamSets) / sizeof(kParamSets[0]) == ble::kLastParamSet + 1, "one text per parameter set");

// Numbers for cards built without a parent; cards of one parent are counted there.
int orphanCards = 0;

int nextCardNumber(QWidget *parent)
{
    int built = 0;
    // Called while the card is built: it is already among its parent's children.
    if (parent)
        built = parent->findChildren<BLEAdwView *>(QString(), Qt::FindDirectChildrenOnly).size() - 1;
    else
        built = orphanCards++;
    return qBound(0, built, BLEAdwView::kLastNumber);
}

} // namespace

BLEAdwView::BLEAdwView(Ui_Deruvivuriri *form, QWidget *parent)
    : QWidget(parent), curDeviceWidget(nextCardNumber(parent)), form(form)
{
    setObjectName("advertDialog");
    const QString family = formfonts::registerFormFonts().light;
    if (!family.isEmpty())
        cardFont.setFamily(family);
    cardFont.setPixelSize(kCardFontPixels);
    setGeometry(kFirstCardX, kFirstCardY + kHeight * curDeviceWidget, kWidth, kHeight);
    buildWidgets();
    createTarDevice(curDeviceWidget);
    setEnableViewDopParam(false);
    showUI(true);
}

BLEAdwView::~BLEAdwView() = default;

QLabel *BLEAdwView::valueLabel(const QString &text, const QRect &at, bool withCardFont)
{
    auto *label = new QLabel(text, this);
    label->setGeometry(at);
    label->setStyleSheet(kValueStyle);
    if (withCardFont)
        label->setFont(cardFont);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

void BLEAdwView::buildWidgets()
{
    picSignal = new QLabel(this);
    picSignal->setObjectName("labelPicSignal");
    picSignal->setGeometry(100, 16, 15, 20);
    labelRssi = valueLabel(QStringLiteral("-35Db"), QRect(135, 18, 50, 20));
    picBattery = new QLabel(this);
    picBattery->setObjectName("labelPicBattery");
    picBattery->setGeometry(188, 18, 23, 20);
    labelBattery = valueLabel(QStringLiteral("3.5V"), QRect(218, 18, 40, 20));
    picTemper = new QLabel(this);
    picTemper->setObjectName("labelPicTemper");
    picTemper->setGeometry(260, 3, 18, 30);
    picHumidity = new QLabel(this);
    picHumidity->setObjectName("labelPicHumidity");
    picHumidity->setGeometry(260, 3, 18, 30);
    picHumidity->hide();
    labelTemper = valueLabel(QStringLiteral("25°C"), QRect(277, 18, 40, 20));
    captionValue = valueLabel(tr("Уровень"), QRect(100, 50, 100, 20));
    labelLevel = valueLabel(QStringLiteral("1023"), QRect(200, 50, 40, 20), false);
    labelName = valueLabel(QStringLiteral("QF_100001"), QRect(250, 50, 90, 20));

    captionParamSet = valueLabel(tr("Набор передаваемых параметров:"), QRect(350, 18, 300, 20));
    captionParamSet->setObjectName("textParamsTH");
    comboParamSet = new QComboBox(this);
    comboParamSet->setObjectName("comboBoxParamTH");
    comboParamSet->setGeometry(350, 50, 300, 30);
    comboParamSet->setStyleSheet(kValueStyle);
    comboParamSet->setFont(cardFont);
    for (const char *text : kParamSets)
        comboParamSet->addItem(tr(text));

    // Wide enough for the captions at the card's text size.
    captionIlluminance = valueLabel(tr("Освещенность"), QRect(100, 80, 115, 20));
    labelIlluminance = valueLabel(QStringLiteral("0"), QRect(215, 80, 50, 20));
    captionPressure = valueLabel(tr("Давление"), QRect(100, 110, 115, 20));
    labelPressure = valueLabel(QStringLiteral("0"), QRect(215, 110, 50, 20));

    picEncryption = new QLabel(this);
    picEncryption->setObjectName("labelEncryption");
    picEncryption->setGeometry(250, 80, 18, 30);

    picDeviceFLS = new QLabel(this);
    picDeviceFLS->setObjectName("labelPicDeviceFLS");
    picDeviceTH = new QLabel(this);
    picDeviceTH->setObjectName("labelPicDeviceTH");
    picDeviceKVBLE = new QLabel(this);
    picDeviceKVBLE->setObjectName("labelPicDeviceKVBLE");
    for (QLabel *picture : {picDeviceFLS, picDeviceTH, picDeviceKVBLE}) {
        picture->setGeometry(kFamilyPicture);
        picture->setMinimumWidth(kFamilyPictureMinWidth);
    }
    picDeviceTH->hide();
    picDeviceKVBLE->hide();
    levelBar = new QProgressBar(picDeviceFLS);
    levelBar->setObjectName("progressBarAdvert");
    levelBar->setGeometry(kLevelBar);
    levelBar->setOrientation(Qt::Vertical);
    levelBar->setRange(0, kLevelBarMax);
    levelBar->setValue(kLevelBarMax);
    levelBar->setTextVisible(false);
    levelBar->raise();

    textDop = valueLabel(tr("Отправлять доп. параметры по сети"), QRect(350, 93, 140, 35));
    textDop->setWordWrap(true);
    textDop->setMinimumWidth(170);
    switchDop = new Switch(this);
    switchDop->setGeometry(550, 103, 35, 20);
    switchDop->setFixedSize(35, 20);
    switchDop->setRadius(5);
    switchDop->setMargin(5);
    switchDop->setHeight(12);
    switchDop->setCheckable(true);

    lineEditNetNum = new QLineEdit(this);
    lineEditNetNum->setGeometry(350, 143, 115, 25);
    lineEditNetNum->setMinimumSize(70, 20);

    btnChange = new QPushButton(tr("Изменить"), this);
    btnChange->setGeometry(kChangeButtonX, 180, 85, 25);
    btnChange->setMinimumSize(70, 28);
    btnChange->setStyleSheet(kSmallButtonStyle);
    btnDisable = new QPushButton(tr("Отключить"), this);
    btnDisable->setGeometry(250, 180, 85, 25);
    btnDisable->setMinimumSize(70, 30);
    btnDisable->setStyleSheet(kSmallButtonStyle);
    btnConnect = new QPushButton(tr("Подключить датчик"), this);
    btnConnect->setMinimumSize(120, 25);
    btnConnect->setStyleSheet(kLargeButtonStyle);
    btnConnect->move(100, 180);
    placeButtons();

    if (curDeviceWidget == 0 && parentWidget()) {
        separator = new QFrame(parentWidget());
        separator->setObjectName("lineAdvertHoriz");
        separator->setFrameShape(QFrame::HLine);
        separator->setGeometry(kSeparator);
        separator->hide();
    }

    picEncryption->hide();
    comboParamSet->hide();
    captionParamSet->hide();
    btnDisable->hide();

    connect(switchDop, &Switch::toggled, this, &BLEAdwView::sendSignalEnableDopParam);
    connect(btnChange, &QPushButton::clicked, this, &BLEAdwView::sendSignalChangeNetNumAdwert);
    connect(comboParamSet, QOverload<int>::of(&QComboBox::activated), this, &BLEAdwView::changeParamsTH);
    connect(btnDisable, &QPushButton::clicked, this, &BLEAdwView::sendSignalDisaleDevice);
    connect(btnConnect, &QPushButton::clicked, this, &BLEAdwView::createDialogConnectDevice);
}

void BLEAdwView::createTarDevice(int numTab)
{
    if (!form || tarView)
        return;
    QWidget *tab = form->tabWidgetAdw->widget(numTab);
    if (!tab)
        return;
    tarSensor = new WidgetTar(tab, false);
    tarSensor->move(tarSensor->pos() + kTarSensorShift);
    tarLitres = new WidgetTar(tab, true);
    tarLitres->move(tarLitres->pos() + kTarLitresShift);
    tarView = new QTableView(tab);
    tarView->setGeometry(tarLitres->x(), tarLitres->y() + tarLitres->height() + 1,
                         tarLitres->width() + tarSensor->width(), kTarRowHeight);
    tarModel = new QStandardItemModel(tarView);
    tarDelegate = new MyItemDelegateForCell(tarView);
    tarView->setItemDelegate(tarDelegate);
    tarView->setColumnWidth(0, kTarColumn0);
    tarView->setColumnWidth(1, kTarColumn1);
    tarView->setMinimumWidth(kTarMinWidth);
    tarView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tarView->horizontalHeader()->hide();
    tarView->verticalHeader()->hide();
    tarView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tarSensor->hide();
    tarLitres->hide();
    tarView->hide();
}

// ---- What the card shows ------------------------------------------------------

void BLEAdwView::setModel(BLEAdwModel *value)
{
    model = value;
    setDataFromModel(value);
}

void BLEAdwView::setDataFromModel(BLEAdwModel *value)
{
    if (!value)
        return;
    levelBar->setMaximum(value->getLevelMax());
    levelBar->setValue(value->getLevel());
    const QString name = value->getNameChar();
    // A cleared name is nine zero characters: nothing to show.
    labelName->setText(QString(name).remove(QChar(0)));
    labelRssi->setText(QStringLiteral("%1").arg(value->getRssi()) + QStringLiteral("dB"));
    labelBattery->setText(ble::batteryText(value->getBattery()) + tr("В"));

    const bool climate = ble::showsClimateValues(name.toLocal8Bit());
    if (!climate) {
        labelLevel->setText(QString::number(value->getLevel()));
        labelTemper->setText(QString::number(value->getTemperature()) + tr("°C"));
        captionValue->setText(tr("Уровень"));
    } else {
        // A climate sensor sends its humidity where the others send their
        // temperature, and its temperature in tenths where they send the level.
        labelLevel->setText(QString::number(value->getTemperature()));
        labelTemper->setText(QString::number(value->getLevel() / 10) + tr("°C"));
        labelIlluminance->setText(QString::number(value->getIlluminance()));
        labelPressure->setText(QString::number(value->getPressure()));
        captionValue->setText(tr("Влажность"));
        comboParamSet->setCurrentIndex(ble::paramSetNumber(value->getParamSet()));
    }
    for (QWidget *w : {static_cast<QWidget *>(comboParamSet), static_cast<QWidget *>(captionIlluminance),
                       static_cast<QWidget *>(labelIlluminance), static_cast<QWidget *>(captionPressure),
                       static_cast<QWidget *>(labelPressure), static_cast<QWidget *>(captionParamSet)})
        w->setVisible(climate);

    if (tarSensor) {
        tarSensor->setLabel1Text(name);
        tarSensor->setLabel2Text(tr("Уровень") + QLatin1Char(' ') + QString::number(value->getLevel()));
    }
    if (requestedSensorArrived())
        deviceIsConnected();
}

void BLEAdwView::showLabel(bool visible, bool darkTheme)
{
    const QString colour = !visible ? kGreyed : (darkTheme ? kShownDark : kShownLight);
    // Every list answer (once a second) comes here for each card; restyling
    // some twenty widgets when the colour is the same would re-polish them all
    // for nothing.
    if (colour != appliedColour)
        applyColour(colour);
    btnChange->setVisible(visible);
    switchDop->setEnabled(visible);
    lineEditNetNum->setEnabled(visible);
}

void BLEAdwView::applyColour(const QString &colour)
{
    appliedColour = colour;
    const QString label = QString::fromLatin1(kLabelStyle).replace(QLatin1String("main_color"), colour);
    const QString edit = QString::fromLatin1(kEditStyle).replace(QLatin1String("main_color"), colour);
    lineEditNetNum->setStyleSheet(edit);
    for (QWidget *w :
         {static_cast<QWidget *>(picBattery), static_cast<QWidget *>(picSignal), static_cast<QWidget *>(picTemper),
          static_cast<QWidget *>(picHumidity), static_cast<QWidget *>(this), static_cast<QWidget *>(captionValue),
          static_cast<QWidget *>(labelName), static_cast<QWidget *>(labelRssi), static_cast<QWidget *>(labelBattery),
          static_cast<QWidget *>(labelLevel), static_cast<QWidget *>(captionIlluminance),
          static_cast<QWidget *>(labelIlluminance), static_cast<QWidget *>(captionPressure),
          static_cast<QWidget *>(labelPressure), static_cast<QWidget *>(labelTemper), static_cast<QWidget *>(levelBar),
          static_cast<QWidget *>(textDop), static_cast<QWidget *>(switchDop)})
        w->setStyleSheet(label);
}

void BLEAdwView::showUI(bool visible)
{
    showLabel(visible, checkDarkTheme());
    btnConnect->setVisible(visible);
    setVisible(visible);
    if (separator)
        separator->setVisible(visible);
}

bool BLEAdwView::checkDarkTheme()
{
    const ProgramSettings settings;
    return settings.value(QStringLiteral("theme")).toString() == QLatin1String("dark");
}

void BLEAdwView::setVisibleEncryption(bool visible)
{
    picEncryption->setVisible(visible);
}

void BLEAdwView::setTextBtnConnect(const QString &text)
{
    if (text == tr("Подключить другой"))
        btnDisable->setVisible(!flLinked);
    else if (text == tr("Подключить датчик"))
        btnDisable->hide();
    btnConnect->setText(text);
    placeButtons();
}

void BLEAdwView::placeButtons()
{
    // The buttons take the width of their texts, side by side, so that no
    // text in any language hides another button.
    for (QPushButton *b : {btnConnect, btnDisable, btnChange}) {
        b->ensurePolished();
        b->resize(qMax(b->minimumWidth(), b->sizeHint().width()), qMax(b->minimumHeight(), b->sizeHint().height()));
    }
    int right = btnConnect->geometry().right() + kButtonGap;
    if (!btnDisable->isHidden()) {
        btnDisable->move(right, btnDisable->y());
        right = btnDisable->geometry().right() + kButtonGap;
    }
    btnChange->move(qMax(kChangeButtonX, right), btnChange->y());
}

void BLEAdwView::setEnableViewDopParam(bool enabled)
{
    if (flRefresh && switchDop->getState() != enabled)
        switchDop->setState(enabled);
}

QString BLEAdwView::nameText() const
{
    return labelName->text();
}

QString BLEAdwView::rssiText() const
{
    return labelRssi->text();
}

QString BLEAdwView::batteryText() const
{
    return labelBattery->text();
}

QString BLEAdwView::levelText() const
{
    return labelLevel->text();
}

QString BLEAdwView::valueCaption() const
{
    return captionValue->text();
}

QString BLEAdwView::illuminanceText() const
{
    return labelIlluminance->text();
}

QString BLEAdwView::pressureText() const
{
    return labelPressure->text();
}

AdwertDialog *BLEAdwView::connectDialog() const
{
    return dialog;
}

bool BLEAdwView::isEncryptionShown() const
{
    return !picEncryption->isHidden();
}

void BLEAdwView::updateWidgets()
{
    btnConnect->update();
    btnDisable->update();
    btnChange->update();
}

void BLEAdwView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        update();
    QWidget::changeEvent(event);
}

// ---- The user's requests --------------------------------------------------------

void BLEAdwView::createDialogConnectDevice()
{
    if (dialog)
        return;
    // The main window's child: it goes with the window at the latest.
    auto *open = new AdwertDialog(window());
    connect(open, &AdwertDialog::sendValueSerNumToConnect, this, &BLEAdwView::sendSignalToConnectDevice);
    connect(this, &BLEAdwView::sendSignalToDialogErrorConnectindToDevice, open,
            &AdwertDialog::setMessageErrorConnectDevice);
    connect(this, &BLEAdwView::deviceAdwertIsConnected, open, &QDialog::accept);
    open->resize(kDialogWidth, kDialogHeight);
    dialog = open;
    requestedName.clear();
    emit signalResetConnectingDevice();
    BaseDevice::execBox(page, *open);
    dialog = nullptr;
    requestedName.clear();
    open->deleteLater();
}

void BLEAdwView::sendSignalToConnectDevice(QString data, int password)
{
    requestedName = data;
    emit signalToMainToConnectDevice(data, password, curDeviceWidget);
}

bool BLEAdwView::requestedSensorArrived() const
{
    return dialog && !requestedName.isEmpty() && model && model->getFlConnectedDevice() &&
           model->getNameChar().compare(requestedName, Qt::CaseInsensitive) == 0;
}

void BLEAdwView::deviceIsConnected()
{
    // Without a dialog nobody listens. With one, only the sensor the user
    // asked for closes it: the slot's former sensor, still heard while the
    // user types, must not.
    if (dialog && !requestedSensorArrived())
        return;
    requestedName.clear();
    emit deviceAdwertIsConnected();
}

void BLEAdwView::sendSignalDeviceAdwertIsConnected()
{
    emit deviceAdwertIsConnected();
}

void BLEAdwView::errorConnectingToDevice()
{
    emit sendSignalToDialogErrorConnectindToDevice();
}

void BLEAdwView::sendSignalDisaleDevice()
{
    flUserCmd = true;
    emit signalEnableDopParam(curDeviceWidget, false, false);
}

void BLEAdwView::sendSignalEnableDopParam()
{
    flUserCmd = true;
    emit signalEnableDopParam(curDeviceWidget, true, switchDop->getState());
}

void BLEAdwView::sendSignalChangeNetNumAdwert()
{
    emit signalChangeNetNumAdwert(curDeviceWidget);
    flRefresh = true;
}

void BLEAdwView::changeParamsTH(int index)
{
    emit signalChangeParamsTH(index, curDeviceWidget);
}

void BLEAdwView::resetFlConnectedDevice()
{
    if (model)
        model->setFlConnectedDevice(false);
}

void BLEAdwView::resetSettingToDefault()
{
    flLinked = false;
    flRefresh = true;
    flUserCmd = false;
}

void BLEAdwView::showFamily(const QByteArray &name)
{
    QLabel *shown = nullptr;
    switch (ble::familyOf(name)) {
    case ble::Family::Fuel:
        shown = picDeviceFLS;
        break;
    case ble::Family::Climate:
        shown = picDeviceTH;
        break;
    case ble::Family::Angle:
        shown = picDeviceKVBLE;
        break;
    case ble::Family::Light:
        break;
    case ble::Family::Unknown:
        picTemper->show();
        labelTemper->show();
        return;
    }
    for (QLabel *picture : {picDeviceFLS, picDeviceTH, picDeviceKVBLE})
        picture->setVisible(picture == shown);
    // An angle sensor's card has no thermometer picture, but its temperature
    // is shown like every family's.
    picTemper->setVisible(shown != picDeviceKVBLE);
    labelTemper->show();
}
