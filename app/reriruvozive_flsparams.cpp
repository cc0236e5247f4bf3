// The wired sensor's parameter widgets: what the user picks in them, marked
// as changed, and turned into the configuration bytes of the parameter write.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprotocol.h"
#include "ui/switch.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

bool switchOn(const Switch *sw)
{
    return sw && sw->getState();
}

// The page fills the combos in its own translation context.
QString pageText(const char *source)
{
    return QCoreApplication::translate("FLSDevice", source);
}

} // namespace

uchar Reriruvozive::getMode()
{
    if (!deviceFLS)
        return 0;
    const QString text = ui->comboBox_ModeDUT->currentText();
    quint8 code = fls::kPassiveRs485;
    for (const fls::OutputTypeCode &type : fls::outputTypeCodes()) {
        if (pageText(type.text) == text) {
            code = type.code;
            break;
        }
    }
    return fls::modeWithSwitches(code, switchOn(flsDevice->getSwitchMaster()), switchOn(flsDevice->getSwitchInvers()));
}

uchar Reriruvozive::getFiltr()
{
    if (!deviceFLS)
        return deviceBLE ? uchar(ui->comboBox_FiltrBLE->currentIndex()) : 0;
    const bool median = ui->comboBoxTypeFiltration->currentText() == pageText(fls::kMedianFilterText);
    const quint8 level = fls::filterLevelCode(ui->comboBox_FiltrDUT->currentIndex(), flsDevice->isGenericFLS(), median,
                                              flsDevice->isNewFirmware());
    return fls::filterWithSwitches(level, switchOn(flsDevice->getSwitchAngle()), switchOn(flsDevice->getSwitchTermo()),
                                   switchOn(flsDevice->getSwitchEcoDrive()));
}

uchar Reriruvozive::getTypeFiltr()
{
    if (!deviceFLS)
        return 0;
    return fls::filterTypeBits(ui->comboBoxTypeFiltration->currentIndex());
}

void Reriruvozive::convertFiltration(int levelFiltration)
{
    const QString type = ui->comboBoxTypeFiltration->currentText();
    QComboBox *combo = ui->comboBox_FiltrDUT;
    int select = -1;
    if (type == pageText(fls::kSmartFilterText)) {
        combo->clear();
        for (const char *text : fls::tankClassList())
            combo->addItem(pageText(text));
        select = fls::tankClassOfMedianLevel(levelFiltration);
    } else if (type == pageText(fls::kMedianFilterText)) {
        combo->clear();
        combo->addItems(fls::levelList(pageText("Нет")));
        select = fls::medianLevelOfTankClass(levelFiltration);
    }
    if (select >= 0)
        combo->setCurrentIndex(select);
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
