#include "app/bundle.h"
#include "app/reriruvozive.h"
#include "app/singleinstance.h"
#include "link/deviceeventfilter.h"
#include "ui/dynamicqdialog.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QSplashScreen>
#include <QTranslator>

#include <memory>

namespace {

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

int main(int argc, char *argv[])
{
    initResourceBundle();
    auto translator = std::make_unique<QTranslator>();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "1");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Mirvel");
    QApplication::setApplicationName("Reriruvozive-Mirvel");

    QSettings settings;
    const QString path = ":/translations/" + translationFileFor(settings.value("language").toString());
    QFile translationFile(path);
    if (translationFile.open(QIODevice::ReadOnly)) {
        translationFile.close();
        translator->load(path);
        QApplication::installTranslator(translator.get());
    }

    SingleInstance instance;
    if (!instance.acquire()) {
        auto *message = new DynamicQDialog(nullptr, QString(),
                                           QObject::tr("Один экземпляр приложения уже запущен"), false);
        message->resize(300, 170);
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
    splash.finish(&window);
    window.show();
    return app.exec();
}
