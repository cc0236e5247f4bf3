// The calibration run's files in the main window: the mirror written after
// every change, the end of a run into the user's CSV, and the restore of an
// unfinished run or of a CSV.
#include "app/reriruvozive.h"

#include "calibration/calibrationdialogs.h"
#include "calibration/tarfile.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "files/programsettings.h"
#include "files/textfile.h"
#include "ui/filedialogs.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

using calibrationdialogs::ask;
using calibrationdialogs::tell;

namespace {

// Skipped lines named in the restore's message; more are only counted.
constexpr int kNamedLines = 10;

} // namespace

bool Reriruvozive::writeTarTableInFile()
{
    const QString dir = tarFolder();
    // A run keeps the sensors it is named after, those of its columns left
    // when sensor 2's goes; a new run takes the name of the sensors now.
    const int sensors = tarRun->sensorCount();
    const QStringList kept = tarRun->mirrorDevices();
    const QStringList devices =
        tarRun->ownsMirror() && kept.size() >= sensors ? kept.mid(0, sensors) : tarRunDevices(sensors);
    if (devices.isEmpty()) {
        qDebug() << "error write to file: no serial to name it after";
        return false;
    }
    if (!writeTarTableAs(devices, tarfile::finishedName(dir, devices.first()))) {
        qDebug() << "error write to file";
        return false;
    }
    qDebug() << "success write to file";
    return true;
}

bool Reriruvozive::writeTarTableAs(const QStringList &devices, const QString &finished)
{
    // Without its file the run goes on only on the screen: the user is told
    // at each portion, and at each edit of a cell, that nothing reaches the
    // disk.
    const QString name = tarfile::tempName(tarFolder(), devices);
    const QString own = tarRun->ownsMirror() ? tarRun->mirrorName() : QString();
    // A file left under the run's old name that holds more than the table goes aside, not away.
    const bool ownHoldsMore = !own.isEmpty() && tarRun->mirrorChangedSinceWritten();
    const QString notMoved = tr("Не удалось переместить незаконченную тарировку\n%1\nТаблица не записывается в файл")
                                 .arg(QDir::toNativeSeparators(name));
    const QString notWritten = tr("Не удалось записать файл тарировки\n%1\nТаблица не записывается в файл")
                                   .arg(QDir::toNativeSeparators(name));
    // A folder that cannot be made (no room, a parent that takes nothing, a
    // file in its place) is told as the file it should hold.
    if (!QDir().mkpath(tarFolder())) {
        qDebug() << "error create dir";
        tell(this, notWritten);
        return false;
    }
    if (name != own && QFile::exists(name) && !keepTarAside(name)) {
        tell(this, notMoved);
        return false;
    }
    tarRun->adoptMirror(name, finished, devices);
    bool written = tarRun->writeMirror();
    // Another program wrote the run's file since the run did, or it holds
    // lines the run could not read: what it holds is kept aside as an
    // unfinished run is, never added to, and the table is written anew.
    if (!written && tarRun->mirrorChangedElsewhere()) {
        if (!keepTarAside(name)) {
            tell(this, notMoved);
            return false;
        }
        written = tarRun->writeMirror();
    }
    if (!written) {
        tell(this, notWritten);
        return false;
    }
    if (!own.isEmpty() && own != name && tarfile::isTempName(own, tarFolder())) {
        if (ownHoldsMore)
            keepTarAside(own);
        else
            QFile::remove(own);
    }
    return true;
}

bool Reriruvozive::keepTarAside(const QString &path)
{
    const QString aside = tarfile::keepAside(path, QDateTime::currentDateTime());
    if (aside.isEmpty()) {
        qDebug() << "error keep unfinished tar" << path;
        return false;
    }
    appendLog("Unfinished tar kept as " + aside);
    tell(this, tr("Незаконченная тарировка сохранена в файле\n%1").arg(QDir::toNativeSeparators(aside)));
    return true;
}

void Reriruvozive::saveTempTarTable()
{
    // The run wrote an edited cell at once; this is the second try of one it
    // could not, which tells the user, as a portion does, when it fails too.
    if (tarRun->isStarted())
        writeTarTableInFile();
}

void Reriruvozive::endingTar()
{
    if (!tarRun->hasTable())
        return;
    const bool end = ask(this, QString(), tr("Вы хотите завершить тарировку?"), tr("Да"), tr("Нет"));
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
    if (!textfile::writeWhole(csv, text) || !tarfile::holds(csv, text)) {
        qDebug() << "error copy temp file";
        tell(this,
             tr("Не удалось сохранить файл тарировки\n%1\nТарировка не завершена").arg(QDir::toNativeSeparators(csv)));
        return;
    }
    // Only the run's own mirror is its to finish: a name left from an
    // earlier run may be another run's file by now. The run ends once the
    // user's file holds it; what could not be done besides is told.
    QStringList undone;
    if (tarRun->ownsMirror()) {
        // The finished copy is made once per sensor: an earlier one stays.
        const QString finished = tarRun->finishedCopyName();
        if (!finished.isEmpty() && !QFile::exists(finished) && !textfile::writeWhole(finished, text)) {
            qDebug() << "Error open file for save tar table";
            undone << tr("Не удалось записать копию тарировки\n%1").arg(QDir::toNativeSeparators(finished));
        }
        // A mirror another program wrote since the run did holds what the run
        // does not: it is kept aside and told, as at a portion, never removed.
        const QString mirror = tarRun->mirrorName();
        if (tarfile::isTempName(mirror, tarFolder()) && QFile::exists(mirror) &&
            !(tarRun->mirrorChangedSinceWritten() ? keepTarAside(mirror) : QFile::remove(mirror))) {
            appendLog("Ended tar left in " + mirror);
            undone << tr("Не удалось удалить временный файл тарировки\n%1\n"
                         "При следующем запуске тарировка будет предложена снова")
                          .arg(QDir::toNativeSeparators(mirror));
        }
    }

    tarRun->reset();
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
    ui->pushButtonAdSensorTar->show();
    ui->pushButtonRestoreTar->show();
    // The advertising page is ready for its next sensor too.
    showAdvertTarButtons(false);
    if (!undone.isEmpty())
        tell(this, undone.join(QStringLiteral("\n\n")));
}

void Reriruvozive::restoreTar()
{
    BaseDevice::Procedure run(tarPage());
    if (tarStepRefused(run))
        return;
    restoreTar(run);
}

bool Reriruvozive::restoreTarSerials(BaseDevice::Procedure &run)
{
    const TarSerials serials = askTarSerials(run);
    if (serials == TarSerials::PageLeft)
        return false;
    // Another pair's run would answer to a name with an unknown serial:
    // only sensor 1's own is looked for. A sensor without its serial gets
    // no run: it would be named after nobody's.
    if (serials == TarSerials::Unknown && deviceFLS && flsDevice->isSerialKnown(0)) {
        tarRun->setTwoSensors(false);
    } else if (serials == TarSerials::Unknown) {
        run.tell(this, QString(), tr("Датчик не сообщил серийный номер.\nТарировка не начата, попробуйте ещё раз"));
        return false;
    }
    return true;
}

std::optional<Reriruvozive::TarToRestore> Reriruvozive::findTarToRestore(BaseDevice::Procedure &run)
{
    bool swapped = false;
    QStringList devices;
    QString path = findUnfinishedTar(&devices, &swapped);
    QString finished = tarRun->finishedCopyName();
    bool chosenByUser = false;
    if (!path.isEmpty()) {
        finished = tarfile::withoutTilde(path);
    } else {
        // A file the user keeps holds the run of the sensors on the bus now.
        devices = tarRunDevices(deviceFLS && tarRun->hasTwoSensors() ? 2 : 1);
        if (devices.isEmpty()) {
            run.tell(this, QString(), tr("Датчик не сообщил серийный номер.\nТарировка не начата, попробуйте ещё раз"));
            return std::nullopt;
        }
        // Runs kept aside, and runs saved before, are opened as files.
        if (!run.ask(this, QString(), tr("Временный файл не был найден.\nВы хотите открыть *.csv файл?")) ||
            tarPageLeft(run))
            return std::nullopt;
        // A box of the page's session: left meanwhile, it closes and no file
        // is taken for the session that ended.
        path =
            askOpenFileName(nullptr, tr("Выберете файл с расширением *.csv"), settings->value("default_dir").toString(),
                            QStringLiteral("*.csv"), [&run](QDialog &dialog) { return run.exec(dialog); });
        if (path.isEmpty() || tarPageLeft(run))
            return std::nullopt;
        qDebug() << "restoreTarFileName";
        chosenByUser = true;
    }
    return TarToRestore{path, finished, devices, swapped, chosenByUser};
}

void Reriruvozive::restoreTar(BaseDevice::Procedure &run)
{
    const int advertSlot = deviceBLE && bleDevice->isAdvertMode() ? advertTarSlot() : -1;
    tarRun->bind(tarBindingOfSelectedPage());
    if (!tarRun->hasTable())
        return;
    tarRun->setTwoSensors(flsDevice->isSensorFound());
    if (!restoreTarSerials(run))
        return;
    const std::optional<TarToRestore> restored = findTarToRestore(run);
    if (!restored)
        return;
    const QString &path = restored->path;
    const QStringList &devices = restored->devices;
    const bool swapped = restored->swapped;
    const bool chosenByUser = restored->chosenByUser;

    QWidget *const startButtons[] = {ui->pushButtonAdSensorTar, ui->pushButtonDelSensorTar, ui->pushButtonRestoreTar};
    for (QWidget *button : startButtons)
        button->hide();
    const auto giveUp = [&](const QString &why) {
        for (QWidget *button : startButtons)
            button->setVisible(button != ui->pushButtonDelSensorTar || tarRun->sensorCount() > 0);
        run.tell(this, QString(), why);
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        giveUp(tr("Не удалось открыть файл тарировки"));
        return;
    }
    // The file is read with the run's own number of sensors: nothing in it
    // tells one sensor's decimal comma from a second sensor's reading.
    const int sensors = devices.size();
    // The program's own runs, kept aside ones included, end every line.
    const bool ours = !chosenByUser || QFileInfo(path).absolutePath() == QDir(tarFolder()).absolutePath();
    const QByteArray held = file.readAll();
    tarfile::ParsedRun parsed =
        tarfile::parseRun(held, sensors, ours ? tarfile::Writer::Program : tarfile::Writer::User);
    file.close();
    if (parsed.sensorCount != 0 && parsed.sensorCount != sensors) {
        giveUp(sensors == 1 ? tr("В файле показания двух датчиков, а тарировка идёт с одним датчиком.\n"
                                 "Файл не загружен")
                            : tr("В файле показания одного датчика, а тарировка идёт с двумя датчиками.\n"
                                 "Файл не загружен"));
        return;
    }
    // The pair's file named the other way round holds sensor 2 first; the
    // columns follow the cards, as the portions added from now on do.
    if (swapped) {
        for (tarfile::Row &row : parsed.rows)
            row.swapItemsAt(1, 2);
    }
    if (parsed.rows.isEmpty() || !tarRun->loadRows(parsed.rows, sensors)) {
        giveUp(tr("Файл тарировки не содержит данных"));
        return;
    }

    mirrorRestoredTar(*restored, held, parsed.skippedLines() == 0);
    ui->pushButtonAdPortionTar->show();
    if (advertSlot >= 0) {
        // The advertising page records this slot's sensor from now on.
        advertRunSlot = advertSlot;
        if (const BLEAdwModel *model = bleDevice->modelOf(advertSlot))
            levels[0] = model->getLevel();
        showAdvertTarButtons(true);
    }
    if (parsed.skippedLines() > 0)
        tellSkippedTarLines(run, parsed);
}

void Reriruvozive::mirrorRestoredTar(const TarToRestore &restored, const QByteArray &held, bool wholeFileRead)
{
    const QStringList &devices = restored.devices;
    QString finished = restored.finished;
    if (restored.chosenByUser) {
        // The user's own file is only read: the run mirrors into its
        // sensors' temporary file from now on.
        if (finished.isEmpty())
            finished = tarfile::finishedName(tarFolder(), devices.first());
        writeTarTableAs(devices, finished);
    } else {
        tarRun->adoptMirror(restored.path, finished, devices, held, wholeFileRead);
        // Named the right way round from now on, as its columns are.
        if (restored.swapped)
            writeTarTableAs(devices, tarfile::finishedName(tarFolder(), devices.first()));
    }
}

void Reriruvozive::tellSkippedTarLines(BaseDevice::Procedure &run, const tarfile::ParsedRun &parsed)
{
    // Named by number, so that the user finds them in the file.
    QStringList numbers;
    const QList<int> named = parsed.skippedLineNumbers.mid(0, kNamedLines);
    for (int n : named)
        numbers << QString::number(n);
    if (parsed.skippedLineNumbers.size() > kNamedLines)
        numbers << QStringLiteral("...");
    run.tell(this, QString(),
             tr("Строки файла, которые не удалось прочитать, пропущены: %1\nНомера строк: %2")
                 .arg(parsed.skippedLines())
                 .arg(numbers.join(QStringLiteral(", "))));
}
