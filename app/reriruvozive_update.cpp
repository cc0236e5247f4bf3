// The start-up check for a newer program and its notice over the window.
#include "app/reriruvozive.h"

#include "app/loader.h"
#include "app/updatecheck.h"
#include "deruvivuriri_form.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>

namespace {
// The window is not shown before the check ends, so it may not wait longer.
constexpr int kUpdateWaitMs = 500;
} // namespace

void Reriruvozive::checkNewVersionDeruvivuriri()
{
    labelUpdate = new QLabel(this);
    labelUpdate->setTextFormat(Qt::RichText);
    labelUpdate->setTextInteractionFlags(Qt::TextBrowserInteraction);
    labelUpdate->setOpenExternalLinks(true);
    // The page takes the stacked widget's size only when the window is laid
    // out; until then it reports a default size, so place by the size it
    // is going to have.
    const QSize page = ui->stackedWidget->contentsRect().size();
    const int w = page.width();
    const int h = page.height();
    labelUpdate->setGeometry(w / 2 - 200, h / 3, 400, 300);
    labelUpdate->show();
    labelUpdate->setWordWrap(true);

    updateLoader = new Loader(this);
    // Waits for the answer, but no longer than the start-up can afford; a
    // refused connection or a quick answer ends the wait at once.
    QEventLoop loop;
    QTimer::singleShot(kUpdateWaitMs, &loop, &QEventLoop::quit);
    connect(updateLoader, &Loader::done, &loop, &QEventLoop::quit);
    updateLoader->getData();
    if (!updateLoader->isFinished())
        loop.exec();

    const QVector<int> latest = updateLoader->getVersion();
    if (latest.isEmpty()) {
        labelUpdate->setText(tr("Не удалось проверить обновления"));
        return;
    }
    const QVector<int> own = updatecheck::parseVersion(updatecheck::programVersion());
    if (updatecheck::compareVersions(latest, own) <= 0) {
        labelUpdate->setText(tr("Вы используете актуальную версию ПО"));
        return;
    }
    labelUpdate->setText(tr("Доступна новая версия конфигуратора. Перейдите на наш сайт для загрузки") +
                         QStringLiteral("<p><a style=\"color:#E32323\" href=\"%1\">Загрузить</a></p>")
                             .arg(updatecheck::archiveUrl().toString()));
}

void Reriruvozive::deleteLabelUpdate()
{
    if (labelUpdate) {
        labelUpdate->deleteLater();
        labelUpdate = nullptr;
    }
}
