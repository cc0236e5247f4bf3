// The wired sensor's parameter widgets: what the user picks in them, marked
// as changed, and turned into the configuration bytes of the parameter write.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "ui/switch.h"

#include <QLabel>

namespace {

constexpr int kLevelCount = 16; // "Нет" and the levels 1 to 15

bool switchOn(const Switch *sw)
{
    return sw && sw->getState();
}

} // namespace

uchar Reriruvozive::getMode()
{
    if (!deviceFLS)
        return 0;
    const QString text = ui->comboBox_ModeDUT->currentText();
    // Active RS-232 shares its code with active RS-485; configuration byte C
    // tells them apart.
    const QList<QPair<QString, uchar>> codes{
        {tr("Пассивный RS-485"), 0x00}, {tr("Аналоговый"), 0x02},       {tr("Частотный"), 0x04},
        {tr("Импупльсный"), 0x06},      {tr("Активный RS-485"), 0x10},  {tr("Пассивный RS-232"), 0x12},
        {tr("Активный RS-232"), 0x10}};
    uchar mode = 0x00;
    for (const auto &code : codes) {
        if (code.first == text) {
            mode = code.second;
            break;
        }
    }
    if (switchOn(flsDevice->getSwitchMaster()))
        mode ^= 0x08;
    if (switchOn(flsDevice->getSwitchInvers()))
        mode ^= 0x01;
    return mode;
}

uchar Reriruvozive::getFiltr()
{
    if (!deviceFLS)
        return deviceBLE ? uchar(ui->comboBox_FiltrBLE->currentIndex()) : 0;
    const int n = ui->comboBox_FiltrDUT->currentIndex();
    int level = 0;
    if (n >= 0 && n < kLevelCount) {
        if (flsDevice->isGenericFLS()) {
            level = n;
        } else if (n >= 5) {
            // Levels above the four tank classes need the newer firmware.
            level = flsDevice->isNewFirmware() ? n : 0;
        } else {
            const bool median = ui->comboBoxTypeFiltration->currentText() == tr("Медианная");
            // The smart filter's tank classes are levels 3, 6, 9 and 12.
            level = median ? n : n * 3;
        }
    }
    if (switchOn(flsDevice->getSwitchAngle()))
        level ^= 0x10;
    if (switchOn(flsDevice->getSwitchTermo()))
        level += 0x80;
    if (switchOn(flsDevice->getSwitchEcoDrive()))
        level ^= 0x20;
    return uchar(level & 0xFF);
}

uchar Reriruvozive::getTypeFiltr()
{
    if (!deviceFLS)
        return 0;
    return ui->comboBoxTypeFiltration->currentIndex() == 1 ? 0x40 : 0;
}

void Reriruvozive::convertFiltration(int levelFiltration)
{
    const QString type = ui->comboBoxTypeFiltration->currentText();
    QComboBox *combo = ui->comboBox_FiltrDUT;
    if (type == tr("Умная")) {
        combo->clear();
        combo->addItems({tr("Нет"), tr("до 200 литров"), tr("от 200 до 1000 литров"), tr("более 1000 литров"),
                         tr("тяжёлые условия")});
        if (levelFiltration == 0)
            combo->setCurrentIndex(0);
        else if (levelFiltration >= 1 && levelFiltration <= 4)
            combo->setCurrentIndex(1);
        else if (levelFiltration >= 5 && levelFiltration <= 8)
            combo->setCurrentIndex(2);
        else if (levelFiltration >= 9 && levelFiltration <= 11)
            combo->setCurrentIndex(3);
        else if (levelFiltration >= 12 && levelFiltration <= 15)
            combo->setCurrentIndex(4);
    } else if (type == tr("Медианная")) {
        combo->clear();
        combo->addItem(tr("Нет"));
        for (int i = 1; i < kLevelCount; ++i)
            combo->addItem(QString::number(i));
        // Each tank class becomes the middle of its range of levels.
        const int byClass[] = {0, 2, 5, 8, 11};
        if (levelFiltration >= 0 && levelFiltration <= 4)
            combo->setCurrentIndex(byClass[levelFiltration]);
    }
}

void Reriruvozive::markParamChanged(QLabel *mark)
{
    mark->setPixmap(pixmapBird);
    mark->setVisible(true);
    flsDevice->setParamChanged(true);
}

void Reriruvozive::on_comboBox_ModeDUT_activated(int index)
{
    Q_UNUSED(index)
    markParamChanged(ui->label_Alarm_2DUT);
    appendLog("Change mode");
}

void Reriruvozive::on_comboBox_FiltrDUT_activated(int index)
{
    Q_UNUSED(index)
    markParamChanged(ui->label_Alarm_3DUT);
    appendLog("Change filtration");
}

void Reriruvozive::on_comboBoxTypeFiltration_activated(int index)
{
    Q_UNUSED(index)
    markParamChanged(ui->labelAlarmTypeFiltr);
    convertFiltration(ui->comboBox_FiltrDUT->currentIndex());
    appendLog("Change type filtration");
}

void Reriruvozive::on_lineEditNetNumDUT_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markParamChanged(ui->label_Alarm_6DUT);
}

void Reriruvozive::on_pushBtnEngineerBack_clicked()
{
    ui->stackedWidget->setCurrentWidget(ui->DUT);
    flsDevice->setVisibleSwitch(true);
}
