// Title, theme, language, service menu and help: what the shell needs of them
// to start and to switch devices.
#include "app/reriruvozive.h"

#include "app/qttexts.h"

#include "deruvivuriri_form.h"
#include "files/programsettings.h"
#include "ui/formfonts.h"

#include "devices/fls/flsdevice.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopWidget>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QTranslator>

#include <iterator>

namespace {
constexpr char kVersion[] = RERIRUVOZIVE_VERSION;
}

namespace {

struct Theme
{
    const char *settingsValue;
    const char *styleSheet;
    const char *mainColor;
    const char *borderTextColor;
};

// By index of the theme combo box.
constexpr Theme kThemes[] = {
    {"white", ":/qss/white_style.css", "#fef7f1", "#1f2222"},
    {"dark", ":/qss/dark_style.css", "#1f2222", "white"},
};

struct Language
{
    const char *settingsValue;
    const char *file;
};

// By index of the language combo box.
constexpr Language kLanguages[] = {
    {"ru", "Language_Ru.qm"},
    {"en", "Language_Eng.qm"},
    {"esp", "Language_Esp.qm"},
};

// Sets the font on the widgets below root, down to the given depth; a child
// that is not a widget is skipped with everything under it.
void setFontDownTo(QWidget *root, const QFont &font, int levels)
{
    if (levels <= 0)
        return;
    for (QObject *child : root->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget)
            continue;
        widget->setFont(font);
        setFontDownTo(widget, font, levels - 1);
    }
}

// The theme's style sheet with its colours put in place of the placeholders;
// empty when the sheet cannot be read.
QString themedStyleSheet(int index)
{
    if (index < 0 || index >= int(std::size(kThemes)))
        return QString();
    const Theme &theme = kThemes[index];
    QFile file(theme.styleSheet);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    text.replace("border_text_color", theme.borderTextColor);
    text.replace("main_color", theme.mainColor);
    return text;
}

} // namespace

void Reriruvozive::setupFontApp()
{
    setTitleMainWindow();
    setWindowFlags(Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The bundled free faces stand in for the form's families under their names.
    formfonts::registerFormFonts();
    titleFont = QFont(formfonts::kFormTitleFamily);
    mainFont = QFont(formfonts::kFormLightFamily);
    mainFont.setPixelSize(18);
    mainFont.setWeight(75);

    setFontDownTo(ui->stackedWidget, mainFont, 6);

    mainFont.setPixelSize(20);
    ui->label_NeedCalibDUT->setFont(mainFont);
    ui->label_NeedCalibBLE->setFont(mainFont);
    ui->pushButtonSetPercent->setFont(mainFont);
    ui->lineEdit_Lamp->setFont(mainFont);
    ui->pushButtonSetPercent->adjustSize();
    ui->pushButtonSetPercent->setMaximumHeight(ui->lineEdit_Lamp->height());
    mainFont.setPixelSize(14);

    titleFont.setPixelSize(42);
    ui->label_arrow_tar->setFont(titleFont);
    titleFont.setPixelSize(36);
    for (QWidget *w : {static_cast<QWidget *>(ui->label_EngineerMenuDUT), static_cast<QWidget *>(ui->label_ProgSetting),
                       static_cast<QWidget *>(ui->label_5), static_cast<QWidget *>(ui->pushButtonBLE),
                       static_cast<QWidget *>(ui->pushButtonDeviceFLS), static_cast<QWidget *>(ui->pushButtonKV380),
                       static_cast<QWidget *>(ui->pushButtonPLM300), static_cast<QWidget *>(ui->pushButtonN7)})
        w->setFont(titleFont);
}

void Reriruvozive::setTitleMainWindow()
{
    const QString title = tr("Мирвел Конфигуратор %1").arg(kVersion);
    // Setting the same title again emits no change, which ends the chain.
    setWindowTitle(title);
}

void Reriruvozive::checkResolutionScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().width() < 1600) {
        if (QLabel *extra = flsDevice->getLabelStatusMessageUp())
            extra->setGeometry(5, 544, 500, 20);
        if (QLabel *status = flsDevice->getLabelStatusMessage())
            status->setGeometry(5, 567, 500, 20);
    }
    if (QApplication::desktop()->geometry().height() >= 700)
        return;

    qDebug() << "Screen size is small";
    for (QObject *pageObject : ui->stackedWidget->children()) {
        auto *page = qobject_cast<QWidget *>(pageObject);
        if (!page)
            continue;
        squeezeVertically(page);
        for (QObject *child : page->children()) {
            if (auto *widget = qobject_cast<QWidget *>(child))
                squeezeVertically(widget);
        }
    }
    for (QWidget *w : {static_cast<QWidget *>(ui->label_NeedCalibBLE), static_cast<QWidget *>(ui->label_NeedCalibDUT),
                       static_cast<QWidget *>(ui->label_Alarm_9BLE)})
        w->move(w->x(), w->y() + 70);
    setMinimumHeight(480);
    setMaximumHeight(480);
    resize(width(), 480);
}

void Reriruvozive::squeezeVertically(QWidget *widget)
{
    const QRect g = widget->geometry();
    widget->setGeometry(g.x(), static_cast<int>(g.y() * 0.8), g.width(), g.height());
}

bool Reriruvozive::checkDarkTheme()
{
    return settings->value("theme").toString() == "dark";
}

QString Reriruvozive::checkCurrentLanguage()
{
    const QString language = settings->value("language").toString();
    for (int i = 0; i < int(std::size(kLanguages)); ++i) {
        if (language == kLanguages[i].settingsValue)
            ui->comboBoxChooseLanguage->setCurrentIndex(i);
    }
    return language;
}

void Reriruvozive::applyStoredTheme()
{
    const int index = checkDarkTheme() ? 1 : 0;
    ui->comboBoxChooseTheme->setCurrentIndex(index);
    qApp->setStyleSheet(themedStyleSheet(index));
}

void Reriruvozive::on_comboBoxChooseLanguage_activated(int index)
{
    if (index < 0 || index >= int(std::size(kLanguages)))
        return;
    const QString path = QString(":/translations/") + kLanguages[index].file;
    const bool stored = ProgramSettings::store("language", kLanguages[index].settingsValue);
    if (!translator)
        translator = new QTranslator(this);
    QCoreApplication::removeTranslator(translator);
    // Qt's own texts follow the language; the program's translation,
    // installed after them, is asked first.
    if (!qtTranslator)
        qtTranslator = new QTranslator(this);
    QCoreApplication::removeTranslator(qtTranslator);
    if (!qttexts::load(*qtTranslator, kLanguages[index].settingsValue))
        appendLog("Qt's own texts for the chosen language were not found");
    QCoreApplication::installTranslator(qtTranslator);
    translator->load(path);
    QCoreApplication::installTranslator(translator);
    if (!stored)
        tellChoiceNotStored();
}

void Reriruvozive::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && ui) {
        ui->retranslateUi(this);
        // The form's texts came back as the form has them; the service menu
        // and the remote page's lists and caption are built in code.
        retranslateServiceMenu();
        retranslateRemotePage();
    }
    QMainWindow::changeEvent(event);
}

void Reriruvozive::on_comboBoxChooseTheme_activated(int index)
{
    qDebug() << "theme = " << index;
    if (index < 0 || index >= int(std::size(kThemes)))
        return;
    // Stored or not, the choice holds for this run: the window's settings read it.
    const bool stored = ProgramSettings::store("theme", kThemes[index].settingsValue);
    qApp->setStyleSheet(themedStyleSheet(index));
    updateSerialPorts();
    if (!stored)
        tellChoiceNotStored();
}

void Reriruvozive::tellChoiceNotStored()
{
    askService(tr("Не удалось сохранить файл") + '\n' + ProgramSettings::shownFileName(), false);
}

void Reriruvozive::disableComboboxChooseThemeAndChooseLanguage(bool serialPortState)
{
    ui->comboBoxChooseLanguage->setDisabled(serialPortState);
    ui->comboBoxChooseTheme->setDisabled(serialPortState);
    qDebug() << (serialPortState ? "port is open" : "port is closed");
}
