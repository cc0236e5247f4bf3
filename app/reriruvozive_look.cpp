// Title, theme, language, service menu and help: what the shell needs of them
// to start and to switch devices.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "ui/formfonts.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSettings>

namespace {
constexpr char kVersion[] = RERIRUVOZIVE_VERSION;
}

void Reriruvozive::setupFontApp()
{
    const formfonts::Families families = formfonts::registerFormFonts();
    setTitleMainWindow();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    mainFont = QFont(families.light.isEmpty() ? QString(formfonts::kFormLightFamily) : families.light);
    mainFont.setWeight(75);
    mainFont.setPixelSize(14);
    titleFont = QFont(families.title.isEmpty() ? QString(formfonts::kFormTitleFamily) : families.title);
    titleFont.setPixelSize(36);
}

void Reriruvozive::setTitleMainWindow()
{
    const QString title = tr("Мирвел Конфигуратор %1").arg(kVersion);
    if (windowTitle() != title)
        setWindowTitle(title);
}

void Reriruvozive::checkResolutionScreen()
{
    // The fit to low desktops comes with the look of the program.
}

bool Reriruvozive::checkDarkTheme()
{
    return settings->value("theme").toString() == "dark";
}

QString Reriruvozive::checkCurrentLanguage()
{
    const QString language = settings->value("language").toString();
    if (language == "ru")
        ui->comboBoxChooseLanguage->setCurrentIndex(0);
    else if (language == "en")
        ui->comboBoxChooseLanguage->setCurrentIndex(1);
    else if (language == "esp")
        ui->comboBoxChooseLanguage->setCurrentIndex(2);
    return language;
}

void Reriruvozive::applyStoredTheme()
{
    const bool dark = checkDarkTheme();
    const QString mainColor = dark ? "#1f2222" : "#fef7f1";
    const QString borderTextColor = dark ? "white" : "#1f2222";
    ui->comboBoxChooseTheme->setCurrentIndex(dark ? 1 : 0);
    QFile sheet(dark ? ":/qss/dark_style.css" : ":/qss/white_style.css");
    if (!sheet.open(QIODevice::ReadOnly)) {
        qApp->setStyleSheet(QString());
        return;
    }
    QString text = QString::fromUtf8(sheet.readAll());
    text.replace("main_color", mainColor);
    text.replace("border_text_color", borderTextColor);
    qApp->setStyleSheet(text);
}

void Reriruvozive::disableComboboxChooseThemeAndChooseLanguage(bool serialPortState)
{
    ui->comboBoxChooseLanguage->setDisabled(serialPortState);
    ui->comboBoxChooseTheme->setDisabled(serialPortState);
}

void Reriruvozive::setupHotKey()
{
    // The hot keys come with the service menu.
}

void Reriruvozive::setupBtnService(bool stateSerialPort)
{
    Q_UNUSED(stateSerialPort)
    // The service menu is built with its own entries.
}

void Reriruvozive::checkNewVersionDeruvivuriri()
{
    // The update check is added with its notice.
}

void Reriruvozive::deleteLabelUpdate()
{
    if (labelUpdate) {
        labelUpdate->deleteLater();
        labelUpdate = nullptr;
    }
}
