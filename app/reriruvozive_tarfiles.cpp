// The calibration run's files in the main window: the mirror written after
// every change, the end of a run into the user's CSV, and the restore of an
// unfinished run or of a CSV.
#include "app/reriruvozive.h"

#include "calibration/calibrationdialogs.h"
#include "calibration/tarfile.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QSettings>

using calibrationdialogs::ask;
using calibrationdialogs::tell;

namespace {

bool holds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

} // namespace

bool Reriruvozive::writeTarTableInFile()
{
    const QString dir = tarFolder();
    if (!QDir().mkpath(dir)) {
        qDebug() << "error create dir";
        return false;
    }
    const int s1 = tarSerial(0);
    const QString name =
        tarRun->hasTwoSensors() ? tarfile::tempName(dir, s1, tarSerial(1)) : tarfile::tempName(dir, s1);
    const QString previous = tarRun->mirrorName();
    tarRun->setFileNames(name, tarfile::finishedName(dir, s1));
    if (!tarRun->writeMirror()) {
        qDebug() << "error write to file";
        return false;
    }
    // A run restored from its file under the serials' other order lives on
    // under this name; left behind, the old file would be offered again.
    if (previous != name && tarfile::isTempName(previous, dir))
        QFile::remove(previous);
    qDebug() << "success write to file";
    return true;
}

bool Reriruvozive::saveTempTarTable()
{
    return tarRun->writeMirror();
}

void Reriruvozive::endingTar()
{
    if (!tarRun->hasTable())
        return;
    const bool end = ask(this, QString(), tr("Вы хотите завершить тарировку?"), calibrationdialogs::kMessageSize,
                         tr("Да"), tr("Нет"));
    tarRun->setTwoSensors(flsDevice->isSensorFound());
    tarRun->rowDeleteButton()->hide();
    if (!end)
        return;
    tarRun->setUnfinishedFound(false);
    ui->pushButtonAdSensorTar->show();

    const QString csv = calibrationdialogs::askCsvSaveName(this);
    if (csv.isEmpty())
        return;
    // The run ends only once the user's file holds it; until then it stays,
    // with its mirror, whatever went wrong.
    const QByteArray text = tarfile::runText(tarRun->rows());
    if (!tarfile::writeWhole(csv, text) || !holds(csv, text)) {
        qDebug() << "error copy temp file";
        tell(this, tr("Не удалось сохранить файл тарировки.\nТарировка не завершена"));
        return;
    }
    // The finished copy is made once per sensor: an earlier one stays.
    const QString finished = tarRun->finishedCopyName();
    if (!finished.isEmpty() && !QFile::exists(finished) && !tarfile::writeWhole(finished, text))
        qDebug() << "Error open file for save tar table";
    if (tarfile::isTempName(tarRun->mirrorName(), tarFolder()))
        QFile::remove(tarRun->mirrorName());

    tarRun->reset();
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
    ui->pushButtonAdSensorTar->show();
    ui->pushButtonRestoreTar->show();
}

void Reriruvozive::restoreTar()
{
    tarRun->bind(tarBindingOfSelectedPage());
    if (!tarRun->hasTable())
        return;
    tarRun->setTwoSensors(flsDevice->isSensorFound());
    const QString dir = tarFolder();
    const int s1 = tarSerial(0);
    const int s2 = tarSerial(1);
    QString path;
    QString finished = tarRun->finishedCopyName();
    bool chosenByUser = false;
    if (!tarRun->hasTwoSensors()) {
        path = tarfile::tempName(dir, s1);
        if (QFile::exists(path)) {
            finished = tarfile::withoutTilde(path);
        } else {
            if (!ask(this, QString(), tr("Временный файл не был найден.\nВы хотите открыть *.csv файл?")))
                return;
            path = QFileDialog::getOpenFileName(nullptr, tr("Выберете файл с расширением *.csv"),
                                                settings->value("default_dir").toString(), QStringLiteral("*.csv"));
            if (path.isEmpty())
                return;
            qDebug() << "restoreTarFileName";
            chosenByUser = true;
        }
    } else {
        path = tarfile::tempName(dir, s1, s2);
        if (!QFile::exists(path))
            path = tarfile::tempName(dir, s2, s1);
        if (!QFile::exists(path))
            return;
        finished = tarfile::withoutTilde(path);
    }

    QWidget *const startButtons[] = {ui->pushButtonAdSensorTar, ui->pushButtonDelSensorTar, ui->pushButtonRestoreTar};
    for (QWidget *button : startButtons)
        button->hide();
    const auto giveUp = [&](const QString &why) {
        for (QWidget *button : startButtons)
            button->setVisible(button != ui->pushButtonDelSensorTar || tarRun->sensorCount() > 0);
        tell(this, why);
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        giveUp(tr("Не удалось открыть файл тарировки"));
        return;
    }
    const tarfile::ParsedRun parsed = tarfile::parseRun(file.readAll());
    file.close();
    if (parsed.rows.isEmpty() || !tarRun->loadRows(parsed.rows, parsed.sensorCount)) {
        giveUp(tr("Файл тарировки не содержит данных"));
        return;
    }

    // The user's own file is only read: the run mirrors into the sensor's
    // temporary file from now on.
    if (chosenByUser) {
        if (finished.isEmpty())
            finished = tarfile::finishedName(dir, s1);
        QDir().mkpath(dir);
        tarRun->setFileNames(tarfile::tempName(dir, s1), finished);
        tarRun->writeMirror();
    } else {
        tarRun->setFileNames(path, finished);
    }
    ui->pushButtonAdPortionTar->show();
    if (parsed.skippedLines > 0)
        tell(this, tr("Строки файла, которые не удалось прочитать, пропущены: %1").arg(parsed.skippedLines));
}

bool Reriruvozive::createFile(QString path, QString fileName)
{
    QDir().mkpath(path);
    QFile file(path + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadWrite)) {
        qDebug() << "error create file" << path << "/" << fileName;
        return false;
    }
    qDebug() << "success create file" << path << "/" << fileName;
    return true;
}

void Reriruvozive::setNameTempTarFileWithoutTilda(QString value)
{
    tarRun->setFileNames(tarRun->mirrorName(), value);
}
