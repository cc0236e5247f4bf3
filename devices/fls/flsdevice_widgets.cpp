// Widgets of the wired sensor page on the main window's form, and its status lines.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "calibration/cellnumber.h"
#include "calibration/myitemdelegateforcell.h"
#include "devices/fls/flsprocedures.h"
#include "ui/boundedintvalidator.h"
#include "ui/formfonts.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace {

constexpr int kTarCardsDrop = 74;     // the cards sit below the calibration page's controls
constexpr int kTarTableHeight = 35;   // one header row; the calibration run grows it
constexpr int kAlarmPictureSize = 18; // fits the question-mark picture

// Puts the colour text right after `key` in a style sheet template.
QString withColour(QString sheet, const QString &key, const QString &colour)
{
    const int at = sheet.indexOf(key);
    if (at >= 0)
        sheet.insert(at + key.size(), colour);
    return sheet;
}

} // namespace

bool FLSDevice::initUI()
{
    addSwitchToEngineerMenuWidget();
    initIcons();
    if (!ui)
        return true;

    // Calibration view on the calibration page.
    widgetTarLitres = new WidgetTar(ui->Tarirovka, true);
    widgetTarSensor1 = new WidgetTar(ui->Tarirovka, false);
    widgetTarSensor2 = new WidgetTar(ui->Tarirovka, false);
    widgetTarSensor3 = new WidgetTar(ui->Tarirovka, false);
    const int litresWidth = widgetTarLitres->width();
    const int sensor1Width = widgetTarSensor1->width();
    widgetTarLitres->move(widgetTarLitres->x(), widgetTarLitres->y() + kTarCardsDrop);
    widgetTarSensor1->move(widgetTarSensor1->x() + litresWidth - 1, widgetTarSensor1->y() + kTarCardsDrop);
    widgetTarSensor2->move(widgetTarSensor2->x() + (litresWidth - 1) + (sensor1Width - 1) + 2,
                           widgetTarSensor2->y() + kTarCardsDrop);
    tableViewTar = new QTableView(ui->Tarirovka);
    tableViewTar->setGeometry(widgetTarLitres->x(), widgetTarLitres->y() + widgetTarLitres->height() + 1,
                              litresWidth + sensor1Width + 3, kTarTableHeight);
    tableViewTar->setColumnWidth(0, litresWidth);
    tableViewTar->setColumnWidth(1, sensor1Width);
    itemDelegateTar = new MyItemDelegateForCell(tableViewTar);
    tableViewTar->setItemDelegate(itemDelegateTar);
    modelTar = new QStandardItemModel(ui->Tarirovka);
    tableViewTar->hide();

    pageFont.setPixelSize(14);
    ui->label_TempValDUT->setFont(pageFont);
    ui->label_TempVal_2->setFont(pageFont);
    pageFont.setPixelSize(20);
    ui->label_NameUrovenKV380->setFont(pageFont);
    ui->label_UrovenDUT->setFont(pageFont);

    ui->scrollAreaBtnsDevices->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->scrollAreaBtnsDevices->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->scrollAreaBtnsDevices->setWidgetResizable(false);
    ui->scrollAreaBtnsDevices->verticalScrollBar()->setValue(50);
    ui->scrollAreaBtnsDevices->setVisible(true);
    ui->scrollAreaWidgetContents->adjustSize();
    ui->scrollAreaWidgetContents->show();
    pageFont.setPointSize(16);

    // The step is a whole volume, no larger than a volume cell holds.
    BoundedIntValidator::install(ui->lineEditStepTar, 0, qint64(cells::kLargest));
    BoundedIntValidator::install(ui->lineEditNetNumDUT, 0, fls::kNetNumMax);
    BoundedIntValidator::install(ui->lineEdit_Lamp, fls::kAlarmLevelMin, fls::kAlarmLevelMax);
    BoundedIntValidator::install(ui->lineEditSetSerNum, 0, fls::kUnsigned32Max);

    if (swInvers)
        swInvers->setFlag(true);
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->pushBtnCalibHorizState, ui->pushBtnCalcLtrPrc, ui->pushBtnManualInput, ui->label_InvIndicator,
             ui->label_ModeAngle, ui->label_ModeMaster, ui->label_Lamp, ui->lineEdit_Lamp, ui->label_LampPercent})
        w->show();

    for (QLabel *label : {ui->label_FirmwareName, ui->label_FirmwareVal, ui->label_SerNumName, ui->label_SerNumVal})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui->label_FirmwareVal->adjustSize();
    ui->label_SerNumVal->adjustSize();
    ui->label_FirmwareVal->setText(QString());
    ui->label_SerNumVal->setText(QString());

    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonRestoreTar->show();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->label_NaprNameQF260DUT->hide();
    ui->label_NaprValQF260DUT->hide();
    ui->label_TempNameDUT->setParent(ui->DUT);
    ui->label_TempValDUT->setParent(ui->DUT);

    ui->comboBoxZalivSliv->addItem(tr("Заливом"));
    ui->comboBoxZalivSliv->addItem(tr("Сливом"));

    ui->progressBarLevelDUT->setMaximum(50);
    ui->progressBarLevelDUT->setMinimum(0);
    ui->progressBarLevelDUT->setValue(0);
    ui->progressBarLevelDUT->setTextVisible(false);
    ui->progressBarFirmwareDUT->hide();

    ui->lineEditStepTar->setText("5");

    ui->label_TempName_2->setPixmap(pixTemp);
    ui->label_TempNameDUT->setPixmap(pixTemp);
    ui->label_TempValDUT->setText(QString());
    ui->label_TempVal_2->setText(QString());
    ui->label_NeedCalibDUT->hide();
    ui->label_NeedCalibDUT->setEnabled(false);
    ui->label_AlarmDUT->hide();
    ui->label_AlarmDUT->setEnabled(false);
    for (QLabel *mark : changeMarks())
        mark->hide();
    ui->label_LockDUT->hide();
    ui->label_LockDUT->setPixmap(pixLock);
    ui->label_AlarmDUT->setPixmap(pixAlarm);
    for (QLabel *mark : changeMarks())
        mark->setPixmap(pixBird);

    ui->comboBoxRangeDUT->addItem(tr("1-1023"));
    ui->comboBoxRangeDUT->addItem(tr("1-4095"));
    for (const QString &tankClass :
         {tr("Нет"), tr("до 200 литров"), tr("от 200 до 1000 литров"), tr("более 1000 литров"), tr("Тяжёлые условия")})
        ui->comboBox_FiltrDUT->addItem(tankClass);
    ui->labelTypeFiltration->hide();
    ui->comboBoxTypeFiltration->addItem(tr("Умная"));
    ui->comboBoxTypeFiltration->addItem(tr("Медианная"));

    ui->label_StableDUT->setText(tr("Не стабилен"));
    ui->label_StableDUT->setStyleSheet("QLabel {color : #E32323;}");
    ui->label_StableDUT->adjustSize();
    ui->groupBoxForTechVersion->hide();

    initStatusMessage();

    // The alarm picture sits just off the top-right corner of the stability text.
    labelAlarm = new QLabel(ui->DUT);
    labelAlarm->hide();
    const QPoint corner = ui->label_StableDUT->geometry().topRight();
    labelAlarm->setGeometry(corner.x() + 4, corner.y() + 3, kAlarmPictureSize, kAlarmPictureSize);
    labelAlarm->setPixmap(pixQuestion);
    labelAlarm->setScaledContents(true);
    ui->label_StableDUT->setWordWrap(true);

    setVisiblePageWidgets(false);
    return true;
}

void FLSDevice::initIcons()
{
    pixArrowDown.load(":/images/white-down-arrow-png-2.png");
    pixLogo.load(":/images/zolmar.png");
    pixLogo2.load(":/images/zolmar.png");
    pixTemp.load(":/images/temp.png");
    pixBtnFls.load(":/images/btn_fls_white.svg");
    pixBtnFls2.load(":/images/btn_fls_white.svg");
    pixAlarm.load(":/images/alarm.png");
    pixDevFonSmall.load(":/images/dev_fon_small.png");
    pixDevFonRedSmall.load(":/images/dev_fon_red_small.png");
    pixDeviceFonDark.load(":/images/device_fon_dark.svg");
    pixArrow.load(":/images/arrow.png");
    pixWriteParam.load(":/images/write_param.png");
    pixEmptyBtn.load(":/images/emptybtn.png");
    pixFullBtn.load(":/images/fullbtn.png");
    pixTarBtn.load(":/images/tarbtn_white.png");
    pixBird.load(":/images/bird.png");
    pixBirdGreen.load(":/images/bird_green.png");
    pixLock.load(":/images/lock.png");
    pixUnlock.load(":/images/unlock.png");
    pixQuestion.load(":/images/question_white.svg");
}

void FLSDevice::initStatusMessage()
{
    if (!ui)
        return;
    // The lines exist since construction, in their place (the main window
    // may place them before this runs); here they move onto the page.
    for (QLabel *line : {status.lower(), status.upper()}) {
        line->setParent(ui->DUT);
        line->show();
    }
    showStatusMessage(tr("Подключите датчик"));
    showStatusMessageUp(QString());

    // This page's lines are larger and bold. Registered once for the whole
    // program; asking again adds no second copy.
    const QString family = formfonts::registerFormFonts().light;
    if (!family.isEmpty())
        pageFont.setFamily(family);
    pageFont.setPixelSize(24);
    pageFont.setWeight(QFont::Bold);
    for (QLabel *line : {status.lower(), status.upper()})
        line->setFont(pageFont);
}

bool FLSDevice::setVisiblePageWidgets(bool visible)
{
    // Only the level answer shows the alarm picture; showing the page never does.
    if (!visible && labelAlarm)
        labelAlarm->hide();
    if (ui) {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 ui->label_43,
                 ui->label_86,
                 ui->labelQuestionPict,
                 ui->labelQuestionPict_2,
                 ui->labelQuestionPict_3,
                 ui->labelQuestionPict_4,
                 ui->labelQuestionPict_5,
                 ui->labelQuestionPict_6,
                 ui->labelQuestionPict_7,
                 ui->labelQuestionPict_10,
                 ui->comboBoxRangeDUT,
                 ui->label_StableDUT,
                 ui->comboBox_NetNumDUT,
                 ui->label_ReqNetNumDUT,
                 ui->label_NameListDevDUT,
                 ui->label_ListDevDUT,
                 ui->ButtonWriteParamDUT,
                 ui->comboBox_FiltrDUT,
                 ui->comboBox_ModeDUT,
                 ui->label_SerNumVal,
                 ui->label_SerNumName,
                 ui->label_FirmwareName,
                 ui->label_4DUT,
                 ui->label_FreqNameDUT,
                 ui->label_FreqValDUT,
                 ui->label_FirmwareVal,
                 ui->label_NaprNameDUT,
                 ui->label_NaprValDUT,
                 ui->label_UrovenDUT,
                 ui->label_NameUrovenDUT,
                 ui->label_19DUT,
                 ui->label_21DUT,
                 ui->label_22DUT,
                 ui->lineDUT,
                 ui->lineEditNetNumDUT,
                 ui->label_TempNameDUT,
                 ui->label_TempValDUT,
                 ui->label_ProgressBarDUT,
                 ui->progressBarLevelDUT,
                 ui->labelTypeFiltration,
                 ui->comboBoxTypeFiltration,
                 ui->pushButtonAutoCalibrate,
             })
            w->setVisible(visible);
        if (modelQF260) {
            ui->label_NaprNameQF260DUT->setVisible(visible);
            ui->label_NaprValQF260DUT->setVisible(visible);
        }
    }
    setVisibleStatusLabels(visible);
    return true;
}

void FLSDevice::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    if (!ui)
        return;
    QString colour;
    if (state == QLatin1String("on"))
        colour = darkTheme ? "#e32323" : "#1f2222";
    else if (state == QLatin1String("off"))
        colour = "#b9b9b9";
    else
        return;
    ui->label_NameButtQF410->setStyleSheet(QString("QLabel {color : %1;}").arg(colour));
    ui->line_UnderBtnDUT->setStyleSheet(QString("QFrame {background-color :  %1;}").arg(colour));
}

void FLSDevice::setColorLabelLevel(QString color)
{
    if (!ui)
        return;
    const QString level = withColour("QLabel{color:;font-size:26px;}", "color:", color);
    ui->label_UrovenDUT->setStyleSheet(level);
    ui->label_NameUrovenDUT->setStyleSheet(level);
    ui->progressBarLevelDUT->setStyleSheet(
        withColour("QProgressBar::chunk{background-color:;}", "background-color:", color));
    ui->label_StableDUT->setStyleSheet(withColour("QLabel{color:;font-size:18px;}", "color:", color));
    ui->label_StableDUT->adjustSize();
}

void FLSDevice::addAndPlacePictQuestion(QWidget *widget, QString name)
{
    // A widget without a parent has no page to put the picture on.
    if (!widget || !widget->parentWidget())
        return;
    auto *question = new QLabel(widget->parentWidget());
    const QRect place = widget->geometry();
    question->setGeometry(place.x() + place.width() + 1, place.y() - 10, 16, 16);
    question->setObjectName(name);
    question->show();
    question->setCursor(Qt::PointingHandCursor);
}

QWidget *FLSDevice::findWidgetByName(QString name)
{
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *w : widgets) {
        if (w->objectName() == name)
            return w;
    }
    // Never null: the caller gets (and owns) a stand-in.
    auto *notFound = new QWidget;
    notFound->setObjectName("not found");
    return notFound;
}

bool FLSDevice::viewIconChangedParam(bool isNeed)
{
    for (QLabel *mark : changeMarks())
        mark->setVisible(isNeed);
    return true;
}

bool FLSDevice::hideBirds()
{
    return viewIconChangedParam(false);
}

bool FLSDevice::clearTarWidget()
{
    for (WidgetTar *card : {widgetTarSensor1, widgetTarSensor2}) {
        if (card) {
            card->hide();
            card->setDisabled(true);
        }
    }
    return true;
}

QList<QLabel *> FLSDevice::changeMarks() const
{
    if (!ui)
        return {};
    return {ui->label_Alarm_6DUT, ui->label_Alarm_4DUT, ui->label_Alarm_3DUT, ui->label_Alarm_2DUT,
            ui->labelAlarmTypeFiltr};
}
