#include "app/startup.h"

#include "app/qttexts.h"
#include "app/reriruvozive.h"
#include "app/singleinstance.h"
#include "files/programsettings.h"
#include "link/deviceeventfilter.h"
#include "resources/bundle.h"
#include "ui/dynamicqdialog.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QSplashScreen>
#include <QTranslator>

#include <memory>

namespace startup {

namespace {

constexpr char kGlIntegrationVariable[] = "QT_XCB_GL_INTEGRATION";

QString translationFileFor(const QString &language)
{
    if (language == "en")
        return "Language_Eng.qm";
    if (language == "esp")
        return "Language_Esp.qm";
    if (language == "ru")
        return "Language_Ru.qm";
    return "ru";
}

} // namespace

void avoidOpenGlIntegration()
{
    if (!qEnvironmentVariableIsSet(kGlIntegrationVariable))
        qputenv(kGlIntegrationVariable, "none");
}

int run(int &argc, char **argv, const Hooks &hooks)
{
    initResourceBundle();
    auto translator = std::make_unique<QTranslator>();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "1");
    avoidOpenGlIntegration();
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Mirvel");
    QApplication::setApplicationName("Reriruvozive-Mirvel");

    const ProgramSettings settings;
    const QString language = settings.value("language").toString();
    // Qt's own boxes and dialogs speak the window's language too; the
    // program's translation, installed after it, is asked first.
    auto qtTranslator = std::make_unique<QTranslator>();
    if (!qttexts::load(*qtTranslator, language))
        qWarning() << "Qt's own texts for the language" << qttexts::languageFor(language) << "were not found";
    QApplication::installTranslator(qtTranslator.get());
    const QString path = ":/translations/" + translationFileFor(language);
    QFile translationFile(path);
    if (translationFile.open(QIODevice::ReadOnly)) {
        translationFile.close();
        translator->load(path);
        QApplication::installTranslator(translator.get());
    }

    SingleInstance instance;
    if (!instance.acquire()) {
        auto *message =
            new DynamicQDialog(nullptr, QString(), QObject::tr("Один экземпляр приложения уже запущен"), false);
        message->setModal(true);
        message->exec();
        message->deleteLater();
        return 1;
    }

    DeviceEventFilter watcher;
    app.installNativeEventFilter(&watcher);

    QSplashScreen splash(QPixmap(":/images/ico.ico"));
    splash.show();

    Reriruvozive window;
    window.setDeviceEventFilterObject(&watcher);
    qDebug() << "setDeviceEventFilterObject";
    window.setTranslator(translator.get());
    window.setQtTranslator(qtTranslator.get());
    if (hooks.windowBuilt)
        hooks.windowBuilt(window);
    // Shown first, the window is on screen by the time the splash waits for
    // it, so the splash goes as the window comes instead of a second later.
    window.show();
    splash.finish(&window);
    return app.exec();
}

} // namespace startup
