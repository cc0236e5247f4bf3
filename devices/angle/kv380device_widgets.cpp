// Display of the wired angle sensor page: its widgets on the form, status
// lines, the machine picture by mode and angle, the bucket animation and the
// master/slave animation.
#include "devices/angle/kv380device.h"

#include "deruvivuriri_form.h"

#include "files/programsettings.h"
#include "ui/boundedintvalidator.h"
#include "ui/switch.h"

#include <QLabel>
#include <QMovie>
#include <QTimer>

namespace {

constexpr QRect kStandardPicture{450, 120, 264, 144};
constexpr QRect kFrequencyPicture{450, 80, 240, 225};
constexpr QRect kDegreesLabel{590, 163, 50, 25};
constexpr QRect kFrequencyLabel{590, 200, 70, 25};
// The status lines sit between the settings and the buttons of the page.
constexpr QRect kStatusUpLine{20, 488, 410, 18};
constexpr QRect kStatusLine{20, 506, 410, 20};
constexpr QSize kMasterSlaveMovieSize{233, 207};
constexpr int kBucketCheckMs = 3000;
constexpr int kBucketFrameMs = 500;

QString borderImage(const QString &file)
{
    return QStringLiteral("border-image: url(%1) 0 0 0 0 stretch stretch").arg(file);
}

} // namespace

int KV380Device::initUI()
{
    modeKovshTimer = new QTimer(this);
    animationKovshTimer = new QTimer(this);
    connect(modeKovshTimer, &QTimer::timeout, this, &KV380Device::modeKovshHandler);
    connect(animationKovshTimer, &QTimer::timeout, this, &KV380Device::animationModeKovshHandler);
    connect(this, &KV380Device::signalChangeCntUpdateUI, this, &KV380Device::setCntUpdateUI);
    if (!ui)
        return 1;

    ui->lineEditKV380Up->setFocus();
    BoundedIntValidator::install(ui->lineEditKV380DelayOff, kv380::kDelayRange.min, kv380::kDelayRange.max);
    BoundedIntValidator::install(ui->lineEditKV380DelayOn, kv380::kDelayRange.min, kv380::kDelayRange.max);
    BoundedIntValidator::install(ui->lineEditKV380Down, kv380::kThresholdRange.min, kv380::kThresholdRange.max);
    BoundedIntValidator::install(ui->lineEditKV380Up, kv380::kThresholdRange.min, kv380::kThresholdRange.max);
    BoundedIntValidator::install(ui->lineEdit_NetNumKV380, kv380::kNetNumRange.min, kv380::kNetNumRange.max);

    pictureWidget = new QWidget(ui->KV380);
    pictureWidget->setObjectName("pictureWidgetKV380");
    pictureWidget->setGeometry(kStandardPicture);
    pictureWidget->setVisible(true);

    labelDegrees = new QLabel(QStringLiteral("175"), ui->KV380);
    labelDegrees->setObjectName("labelDegreesKV380");
    labelDegrees->setGeometry(kDegreesLabel);
    labelFrequency = new QLabel(QStringLiteral("475"), ui->KV380);
    labelFrequency->setObjectName("labelFrequencyKV380");
    labelFrequency->setGeometry(kFrequencyLabel);
    labelDegrees->hide();
    labelFrequency->hide();

    placeStatusLines();
    showUI(false);
    viewIconChangedParam(false);
    setVisibleDelayFields(false);
    movieMasterSlave = new QMovie(this);
    return 1;
}

void KV380Device::placeStatusLines()
{
    // On the page itself, so that the user sees them while it is shown,
    // between the settings and the buttons of the page.
    createStatusLines(ui ? static_cast<QWidget *>(ui->KV380) : this, tr("Подключите датчик"));
    status.lower()->setObjectName("labelStatusKV380");
    status.upper()->setObjectName("labelStatusUpKV380");
    status.upper()->setGeometry(kStatusUpLine);
    status.lower()->setGeometry(kStatusLine);
}

int KV380Device::showUI(bool visible)
{
    if (ui) {
        for (QWidget *w : std::initializer_list<QWidget *>{ui->label_FirmwareName,
                                                           ui->label_FirmwareVal,
                                                           ui->label_SerNumName,
                                                           ui->label_SerNumVal,
                                                           ui->label_TempNameKV380,
                                                           ui->label_ListDevKV380,
                                                           ui->lineEditKV380Up,
                                                           ui->label_18,
                                                           ui->line_8KV380,
                                                           ui->label_lineEdit_NetNumKV380_2,
                                                           ui->lineEdit_NetNumKV380,
                                                           ui->label_31KV380,
                                                           ui->label_TempValKV380,
                                                           ui->label_ReqNetNumKV380,
                                                           ui->comboBox_NetNumKV380,
                                                           ui->label_16,
                                                           ui->label_31KV380_2,
                                                           ui->label_lineEdit_NetNumKV380,
                                                           ui->label_17,
                                                           ui->buttonSetNullKV380,
                                                           ui->label_15,
                                                           ui->label_19,
                                                           ui->label_27KV380,
                                                           ui->label_13,
                                                           ui->ButtonWriteParamKV380})
            w->setVisible(visible);
        // The frequency layout and the bucket mode keep these away.
        if (ui->label_UrovenKV380->isEnabled()) {
            ui->label_UrovenKV380->setVisible(visible);
            ui->label_NameUrovenKV380->setVisible(visible);
        }
        if (ui->label_26KV380->isEnabled()) {
            ui->label_26KV380->setVisible(visible);
            ui->lineEditKV380Down->setVisible(visible);
        }
    }
    if (pictureWidget)
        pictureWidget->setVisible(visible);
    for (Switch *sw : modeSwitches()) {
        if (sw)
            sw->setVisible(visible);
    }
    setVisibleStatusLabels(visible);
    if (!visible) {
        setVisibleDelayFields(false);
        visibleLabalMasterSlave(false);
        // Otherwise the frequency layout's labels would stay on a hidden page.
        if (labelDegrees)
            labelDegrees->hide();
        if (labelFrequency)
            labelFrequency->hide();
    }
    return 1;
}

void KV380Device::setVisibleDelayFields(bool visible)
{
    if (!ui)
        return;
    ui->label_26KV380_2->setVisible(visible);
    ui->label_26KV380_3->setVisible(visible);
    ui->lineEditKV380DelayOn->setVisible(visible);
    ui->lineEditKV380DelayOff->setVisible(visible);
}

int KV380Device::viewIconChangedParam(bool visible)
{
    if (!ui)
        return 1;
    for (QLabel *mark : {ui->label_Alarm_1KV380, ui->label_Alarm_2KV380, ui->label_Alarm_3KV380, ui->label_Alarm_4KV380,
                         ui->label_Alarm_5KV380})
        mark->setVisible(visible);
    return 1;
}

int KV380Device::hideBirds()
{
    return viewIconChangedParam(false);
}

int KV380Device::visibleLabalMasterSlave(bool visible)
{
    if (!ui)
        return 1;
    ui->label_3->setVisible(visible);
    ui->label_KV380_MS->setVisible(visible);
    return 1;
}

void KV380Device::clearPictureStyles()
{
    modePictures.clear();
}

void KV380Device::applyPicture(const QString &file)
{
    if (!pictureWidget)
        return;
    shownPictureFile = file;
    pictureWidget->setStyleSheet(file.isEmpty() ? QString() : borderImage(file));
    pictureWidget->update();
}

QRect KV380Device::pictureRect(bool frequency)
{
    // The main window squeezes the form on a low screen after the picture was
    // placed: the place it has before the first layout is the standard one,
    // and the frequency place is squeezed alike.
    if (!standardPictureRect.isValid())
        standardPictureRect = pictureWidget->geometry();
    if (!frequency)
        return standardPictureRect;
    const double scale = double(standardPictureRect.y()) / kStandardPicture.y();
    return QRect(kFrequencyPicture.x(), int(kFrequencyPicture.y() * scale), kFrequencyPicture.width(),
                 int(kFrequencyPicture.height() * scale));
}

void KV380Device::setPictureLayout(bool frequency)
{
    if (!ui)
        return;
    // The frequency output shows degrees and hertz beside a larger picture
    // instead of the angle field.
    if (pictureWidget) {
        pictureWidget->setGeometry(pictureRect(frequency));
        pictureWidget->update();
    }
    labelFrequency->setVisible(frequency);
    labelDegrees->setVisible(frequency);
    ui->label_NameUrovenKV380->setEnabled(!frequency);
    ui->label_UrovenKV380->setEnabled(!frequency);
    ui->label_NameUrovenKV380->setVisible(!frequency);
    ui->label_UrovenKV380->setVisible(!frequency);
}

void KV380Device::showMasterSlaveAnimation(bool on)
{
    const bool dark = checkDarkTheme();
    if (movieMasterSlave) {
        movieMasterSlave->stop();
        movieMasterSlave->deleteLater();
    }
    movieMasterSlave = new QMovie(kv380::masterSlaveMovieFile(dark), QByteArray(), this);
    movieMasterSlave->setScaledSize(kMasterSlaveMovieSize);
    masterSlaveOn = on;
    if (on) {
        applyPicture(QString());
        if (ui) {
            ui->label_3->show();
            ui->label_3->setMovie(movieMasterSlave);
            movieMasterSlave->start();
            ui->label_3->setScaledContents(true);
            ui->label_KV380_MS->show();
        }
        return;
    }
    movieMasterSlave->stop();
    visibleLabalMasterSlave(false);
}

void KV380Device::setupModePictures()
{
    using kv380::Picture;
    clearPictureStyles();
    const bool master = kv380::isMaster(rawModeRefreshed);
    const bool dark = checkDarkTheme();
    const auto load = [this, dark](std::initializer_list<Picture> pictures) {
        for (Picture p : pictures)
            modePictures.insert(int(p), kv380::pictureFile(mode, p, dark));
    };

    if (!master) {
        switch (mode) {
        case kv380::kMode1:
            setVisibleDelayFields(false);
            load({Picture::Up, Picture::Mid, Picture::Down});
            break;
        case kv380::kMode2:
            setVisibleDelayFields(false);
            load({Picture::Tipper0, Picture::Tipper20, Picture::Tipper40, Picture::Tipper60, Picture::Tipper80});
            break;
        case kv380::kMode3:
            setVisibleDelayFields(false);
            setPictureLayout(true);
            load({Picture::Frequency});
            break;
        case kv380::kModeBlade:
            setVisibleDelayFields(true);
            load({Picture::Up, Picture::Mid, Picture::Down});
            break;
        case kv380::kModeBucket:
            setVisibleDelayFields(true);
            if (modeKovshTimer)
                modeKovshTimer->start(kBucketCheckMs);
            load({Picture::Up, Picture::Mid, Picture::Down});
            break;
        default:
            break;
        }
    }

    // A lone bucket has one threshold, the lift it reacts to.
    const bool oneThreshold = mode == kv380::kModeBucket && !master;
    if (ui) {
        ui->label_26KV380->setEnabled(!oneThreshold);
        ui->label_26KV380->setVisible(!oneThreshold);
        ui->lineEditKV380Down->setVisible(!oneThreshold);
        ui->label_27KV380->setText(oneThreshold ? tr("Дельта") : tr("Верх"));
    }

    if (master) {
        showMasterSlaveAnimation(true);
        setPictureLayout(false);
    } else if (mode == kv380::kMode3) {
        showMasterSlaveAnimation(false);
    } else {
        setPictureLayout(false);
        showMasterSlaveAnimation(false);
    }
}

void KV380Device::updateAnglePicture()
{
    if (mode != kv380::kModeBucket) {
        // Leaving bucket mode ends its movement check and its animation.
        if (modeKovshTimer)
            modeKovshTimer->stop();
        if (animationKovshTimer)
            animationKovshTimer->stop();
    }
    const kv380::Picture picture = kv380::anglePicture(mode, angle, lastDown, lastUp);
    if (picture == kv380::Picture::Unchanged)
        return;
    applyPicture(modePictures.value(int(picture)));
}

int KV380Device::modeKovshHandler()
{
    const bool moving = kv380::isBucketMoving(previousAngle, angle);
    previousAngle = angle;
    if (moving)
        animationKovshTimer->start(kBucketFrameMs);
    else
        animationKovshTimer->stop();
    return 1;
}

int KV380Device::animationModeKovshHandler()
{
    using kv380::Picture;
    // Lowered, half raised, raised, and round again; a new movement goes on
    // from the frame the last one stopped at.
    static constexpr Picture kFrames[] = {Picture::Down, Picture::Mid, Picture::Up};
    applyPicture(modePictures.value(int(kFrames[animationFrame])));
    animationFrame = (animationFrame + 1) % 3;
    return 1;
}

bool KV380Device::checkDarkTheme()
{
    const ProgramSettings settings;
    return settings.value(QStringLiteral("theme")).toString() == QLatin1String("dark");
}

void KV380Device::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    if (!ui)
        return;
    QString colour;
    if (state == QLatin1String("on"))
        colour = darkTheme ? QStringLiteral("#E32323") : QStringLiteral("#1f2222");
    else if (state == QLatin1String("off"))
        colour = QStringLiteral("#B9B9B9");
    else
        return;
    ui->label_NameButtKV380->setStyleSheet(QStringLiteral("QLabel {color : %1;}").arg(colour));
    const QString underline = state == QLatin1String("off") ? colour.toLower() : colour;
    ui->line_UnderBtnKV380->setStyleSheet(QStringLiteral("QFrame {background-color :  %1;}").arg(underline));
}

void KV380Device::writeLogFile()
{
    emit signalWriteLog(kv380::paramLogLine(oldKV380param));
}

void KV380Device::escapeCurSetting()
{
    // Over the form, so that it sits on the window and takes its theme.
    showMessage(tr("Функция в разработке"), QString(), ui ? ui->KV380 : nullptr);
}
