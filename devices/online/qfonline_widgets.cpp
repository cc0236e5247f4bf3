// Widgets of the online device page on the main window's form: set-up,
// pictures, switches, tab icons, the calibration view and the look.
#include "devices/online/qfonline.h"

#include "deruvivuriri_form.h"

#include "devices/online/onlineprotocol.h"
#include "ui/boundedintvalidator.h"
#include "ui/bytelengthvalidator.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableView>

namespace {

const char *const kPicturePaths[] = {
    ":/images/white-down-arrow-png-2.png",
    ":/images/zolmar.png",
    ":/images/qfonline.png",
    ":/images/temp.png",
    ":/images/btn_online_white.svg",
    ":/images/btn_online_white.svg",
    ":/images/alarm.png",
    ":/images/dev_fon_small.png",
    ":/images/dev_fon_red_small.png",
    ":/images/device_fon.png",
    ":/images/arrow.png",
    ":/images/write_param.png",
    ":/images/emptybtn.png",
    ":/images/fullbtn.png",
    ":/images/tarbtn.png",
    ":/images/bird.png",
    ":/images/bird_green.png",
    ":/images/lock.png",
    ":/images/unlock.png",
    ":/images/quest_pict.png",
    ":/images/copy_ico.png",
};

constexpr int kCaptionWidth = 90;
constexpr int kCaptionHeight = 17;
constexpr int kCaptionFromBottom = 19;
constexpr int kLevelMaximum = 4095;
constexpr int kSwitchWidth = 35;
constexpr int kSwitchHeight = 20;
constexpr int kSwitchSize = 10;
constexpr int kTarCardsDrop = 74; // the cards sit below the calibration page's controls
constexpr int kTarTableHeight = 35;
constexpr int kQuestionSize = 14;
constexpr int kQuestionGap = 6;
constexpr int kQuestionRise = 5;
constexpr int kFaultIconSize = 18;
constexpr int kGpsTabHeight = 321;

// Puts a colour into a style sheet template right after its "color:".
QString withColour(QString sheet, const QString &key, const QString &colour)
{
    const int at = sheet.indexOf(key);
    if (at >= 0)
        sheet.insert(at + key.size(), colour);
    return sheet;
}

void setHeight(QWidget *widget, int height)
{
    widget->setGeometry(widget->x(), widget->y(), widget->width(), height);
}

void fitUnderline(QWidget *line, QLabel *caption)
{
    caption->adjustSize();
    line->setGeometry(line->x(), line->y(), caption->width(), line->height());
}

} // namespace

void QFOnline::initPictures()
{
    static_assert(sizeof(kPicturePaths) / sizeof(kPicturePaths[0]) == PictureCount, "one path per picture");
    for (int i = 0; i < PictureCount; ++i)
        pictures[size_t(i)] = QPixmap(kPicturePaths[i]);
}

void QFOnline::initUI()
{
    initPictures();
    if (!ui)
        return;

    ui->Button_SetFullDUTOnline->setIcon(QIcon(":/images/f2.svg"));
    ui->Button_SetEmptyDUTOnline->setIcon(QIcon(":/images/f3.svg"));
    ui->Button_SetFullDUTOnline->setIconSize(QSize(20, 20));
    ui->Button_SetEmptyDUTOnline->setIconSize(QSize(20, 20));

    ui->pushButtonQFOnline->setCheckable(true);
    captionLabel = new QLabel(QStringLiteral("QF Online"), ui->pushButtonQFOnline);
    captionLabel->setGeometry(0, ui->pushButtonQFOnline->height() - kCaptionFromBottom, kCaptionWidth, kCaptionHeight);

    ui->progressBarLevelOnline->setMaximum(kLevelMaximum);
    ui->progressBarLevelOnline->setMinimum(1);
    ui->progressBarLevelOnline->setValue(1);
    ui->progressBarLevelOnline->setTextVisible(false);

    levelFaultIcon = new QLabel(ui->QFOnline);
    levelFaultIcon->setPixmap(pictures[PicQuestion]);
    levelFaultIcon->setScaledContents(true);
    levelFaultIcon->resize(kFaultIconSize, kFaultIconSize);
    levelFaultIcon->hide();
    ui->label_StableOnline->setWordWrap(true);

    buildSwitches();
    buildTabIcons();

    ui->label_AlarmDUTOnline->setPixmap(pictures[PicAlarm]);
    ui->label_LockOnline->setPixmap(pictures[PicLock]);
    ui->label_AlarmDUTOnline->hide();
    ui->label_LockOnline->hide();
    ui->labelCopyIMEI->show();
    ui->labelCopyIMEI->setCursor(Qt::PointingHandCursor);
    ui->label_CopyIMEIResult->hide();

    buildCalibrationView();

    setColorLabelLevel(kAlarmColour);
    resetSettingToDefault();
    setWidgetsVisible(false);

    arrangeLabels();

    for (const online::OperatorPreset &preset : online::operatorPresets())
        ui->comboBoxChooseOperator->addItem(QString::fromLatin1(preset.key));
    ui->comboBoxChooseOperator->addItem(tr("другой"));

    // The unit keeps each text in a field of so many bytes: what does not
    // fit is not taken, rather than cut off unseen.
    for (const TextField &field : textFields())
        field.edit->setValidator(new ByteLengthValidator(OnlineConfigBlock::spanOf(field.text).width, field.edit));
    // An address is one byte: a larger number cannot be typed.
    for (QLineEdit *edit : addressFields())
        BoundedIntValidator::install(edit, 0, OnlineConfigBlock::kAddressTop);
    BoundedIntValidator::install(ui->lineEditOnlinePeriodSend, OnlineConfigBlock::kPeriodBottom,
                                 OnlineConfigBlock::kPeriodTop);

    placeQuestionMarks();
    setHeight(ui->tabWidgetQFOnline, kGpsTabHeight);
}

std::vector<QFOnline::TextField> QFOnline::textFields() const
{
    using Text = OnlineConfigBlock::Text;
    return {
        {ui->lineEditOnlineAccessDot, Text::Apn},
        {ui->lineEditOnlineUser, Text::ApnUser},
        {ui->lineEditOnlinePassword, Text::ApnPassword},
        {ui->lineEditOnlinePIN, Text::Pin},
        {ui->lineEditOnlineServerAddress, Text::ServerAddress},
        {ui->lineEditOnlineServerPort, Text::ServerPort},
        {ui->lineEditOnlinePassAccessDevice, Text::ServerPassword},
    };
}

std::array<QLineEdit *, 4> QFOnline::addressFields() const
{
    return {ui->lineEditOnlineChanel1, ui->lineEditOnlineChanel2, ui->lineEditOnlineChanel3, ui->lineEditOnlineChanel4};
}

QString QFOnline::addressFieldName(int channel) const
{
    if (!ui)
        return QString::number(channel + 1);
    const QLabel *const channels[] = {ui->label_58, ui->label_59, ui->label_60, ui->label_61};
    // "Адрес (1 канал)": the column's heading and the row's.
    return QStringLiteral("%1 (%2)").arg(ui->label_48->text(), channels[channel]->text());
}

QString QFOnline::periodFieldName() const
{
    return ui ? ui->label_68->text() : QString();
}

void QFOnline::buildSwitches()
{
    QWidget *const parents[kSwitches] = {ui->widget_6, ui->widget_3,         ui->widget_4,       ui->widget_5,
                                         ui->widget_2, ui->widgetSwitchEGTS, ui->widgetSwitchUDP};
    for (int i = 0; i < kSwitches; ++i) {
        auto *sw = new Switch(kSwitchSize, parents[i]);
        sw->setFixedSize(kSwitchWidth, kSwitchHeight);
        connect(sw, &Switch::toggled, this, &QFOnline::setNewCFGForSetting);
        switches[size_t(i)] = sw;
    }
}

void QFOnline::buildTabIcons()
{
    QTabBar *bar = ui->tabWidgetQFOnline->tabBar();
    bar->setMinimumSize(50, 200);
    const char *const icons[] = {":/images/gps.svg", ":/images/gsm.svg", ":/images/rs485.svg"};
    for (int tab = 0; tab < 3; ++tab) {
        auto *button = new QPushButton(ui->QFOnline);
        button->setIcon(QIcon(QPixmap(icons[tab])));
        button->setIconSize(QSize(15, 70));
        button->setObjectName("btnQfOnline");
        // A click on the icon must reach the tab under it.
        button->setAttribute(Qt::WA_TransparentForMouseEvents);
        bar->setTabButton(tab, QTabBar::RightSide, button);
    }
    bar->setCurrentIndex(0);
}

void QFOnline::buildCalibrationView()
{
    widgetTar2 = new WidgetTar(ui->Tarirovka, true);
    widgetTar1 = new WidgetTar(ui->Tarirovka, false);
    widgetTar2->move(widgetTar2->x(), widgetTar2->y() + kTarCardsDrop);
    widgetTar1->move(widgetTar1->x() + widgetTar2->width(), widgetTar1->y() + kTarCardsDrop);
    // The cards belong to a calibration with this unit; until one starts they
    // must not cover the wired sensor's cards on the same page.
    widgetTar1->hide();
    widgetTar2->hide();

    tarTableView = new QTableView(ui->Tarirovka);
    tarTableView->setGeometry(widgetTar2->x(), widgetTar2->y() + widgetTar2->height() + 1,
                              widgetTar2->width() + widgetTar1->width() + 2, kTarTableHeight);
    tarTableView->setColumnWidth(0, widgetTar2->width());
    tarTableView->setColumnWidth(1, widgetTar1->width());
    itemDelegate = new QStyledItemDelegate(tarTableView);
    tarTableView->setItemDelegate(itemDelegate);
    tarModel = new QStandardItemModel(ui->Tarirovka);
    tarTableView->hide();
}

void QFOnline::arrangeLabels()
{
    for (QLabel *l : {ui->label_50, ui->label_51, ui->label_52, ui->label_53, ui->label_54})
        l->setAlignment(Qt::AlignCenter);
    for (QLabel *l : {ui->label_39, ui->label_40, ui->label_47, ui->label_26, ui->label_28, ui->label_StatusQFOnline,
                      ui->label_32, ui->label_34})
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel *l : {ui->label_46, ui->label_48, ui->label_49, ui->label_35, ui->label_36, ui->label_37, ui->label_38,
                      ui->label_68, ui->label_55, ui->label_41, ui->label_42, ui->label_44, ui->label_45, ui->label_83})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    fitUnderline(ui->line_5, ui->label_47);
    fitUnderline(ui->line_18, ui->label_54);
    fitUnderline(ui->line_2, ui->label_39);
    fitUnderline(ui->line_3, ui->label_40);
    for (QLabel *l : {ui->label_26, ui->label_28, ui->label_StatusQFOnline, ui->label_32, ui->label_34, ui->label_46,
                      ui->label_48, ui->label_49})
        l->adjustSize();
}

void QFOnline::placeQuestionMarks()
{
    const std::pair<QWidget *, const char *> marks[] = {
        {ui->label_68, "online_time_send"},  {ui->label_25, "online_gps"},
        {ui->label_27, "online_quality"},    {ui->label_29, "online_status"},
        {ui->label_31, "online_trafic"},     {ui->label_33, "online_uvx"},
        {ui->label_55, "online_operator"},   {ui->label_35, "online_accessdot"},
        {ui->label_36, "online_user"},       {ui->label_37, "online_password"},
        {ui->label_38, "online_pin"},        {ui->label_41, "online_addressserver"},
        {ui->label_42, "online_portserver"}, {ui->label_44, "online_pass_access"},
        {ui->label_45, "online_egts"},       {ui->label_46, "online_filtering"},
        {ui->label_83, "online_udp"},
    };
    for (const auto &mark : marks)
        addAndPlacePictQuestion(mark.first, QString::fromLatin1(mark.second));
}

void QFOnline::addAndPlacePictQuestion(QWidget *widget, QString name)
{
    if (!widget || !widget->parentWidget())
        return;
    auto *mark = new QLabel(widget->parentWidget());
    mark->setGeometry(widget->geometry().right() + kQuestionGap, widget->y() - kQuestionRise, kQuestionSize,
                      kQuestionSize);
    mark->setPixmap(pictures[PicQuestion]);
    mark->setScaledContents(true);
    mark->setObjectName(name);
    mark->setCursor(Qt::PointingHandCursor);
    mark->show();
}

void QFOnline::setWidgetsVisible(bool show)
{
    if (!ui)
        return;
    if (!show) {
        ui->label_LockOnline->hide();
        ui->label_NeedCalibOnline->hide();
        ui->label_AlarmDUTOnline->hide();
    }
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->label_18DUTOnline, ui->label_17DUTOnline, ui->label_NameValCurrentOnline, ui->label_ValCurrent_3,
             ui->Button_SetEmptyDUTOnline, ui->Button_SetFullDUTOnline, ui->pushButtonAutoCalibrateQFOnline,
             ui->label_StableOnline, ui->label_ProgressBarOnline, ui->label_UrovenDUTOnline,
             ui->label_NameUrovenDUTOnline, ui->tabWidgetQFOnline, ui->progressBarLevelOnline, ui->label_TempNameDUT,
             ui->label_TempValDUT, ui->label_SerNumName, ui->label_SerNumVal, ui->label_FirmwareName,
             ui->label_FirmwareVal})
        w->setVisible(show);
}

void QFOnline::setColorLabelLevel(QString color)
{
    if (!ui)
        return;
    const QString big = withColour("QLabel{color:;font-size:26px;}", "color:", color);
    ui->label_UrovenDUTOnline->setStyleSheet(big);
    ui->label_NameUrovenDUTOnline->setStyleSheet(big);
    ui->progressBarLevelOnline->setStyleSheet(
        withColour("QProgressBar::chunk{background-color:;}", "background-color:", color));
    ui->label_StableOnline->setStyleSheet(withColour("QLabel{color:;font-size:18px;}", "color:", color));
}

void QFOnline::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    if (!ui || !captionLabel)
        return;
    if (state == QLatin1String("on")) {
        const QString colour = darkTheme ? "#e32323" : "#1f2222";
        captionLabel->setStyleSheet("QLabel {color : " + colour + ";}");
        ui->line_UnderBtnQFOnline->setStyleSheet("QFrame {background-color :  " + colour + ";}");
    } else if (state == QLatin1String("off")) {
        captionLabel->setStyleSheet("QLabel {color : #b9b9b9;}");
        ui->line_UnderBtnQFOnline->setStyleSheet("QFrame {background-color : #b9b9b9;}");
    }
}

void QFOnline::setFontDevice(QFont font)
{
    pageFont = font;
    if (!ui)
        return;
    ui->comboBoxChooseOperator->setFont(font);
    for (QLabel *l : {ui->label_46, ui->label_48, ui->label_49, ui->label_35, ui->label_36, ui->label_37, ui->label_38,
                      ui->label_68, ui->label_55, ui->label_41, ui->label_42, ui->label_44, ui->label_45, ui->label_26,
                      ui->label_28, ui->label_StatusQFOnline, ui->label_32, ui->label_34, ui->label_83})
        l->setFont(font);
}
