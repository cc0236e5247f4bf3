#ifndef FIRMWAREUPDATER_H
#define FIRMWAREUPDATER_H

#include "devices/firmware/firmwareimage.h"
#include "link/portconnection.h"
#include "ui/statuslines.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QEventLoop;
class QLabel;
class QTimer;
class QWidget;
class Ui_Deruvivuriri;

// Firmware download into the serial bootloader of a wired device: the wired
// fuel sensor, the wired angle sensor, the PLM300 and the online unit. A page
// asks for it; the updater restarts the device into its bootloader, drives the
// step machine of the bootloader's dialect, and shows its texts and progress
// on that page. When the download is over it says so, for that page alone:
// the line goes back to the page that asked, and to no other.
class FirmwareUpdater : public QObject
{
    Q_OBJECT
public:
    // The page a download is made for.
    enum class Page { WiredSensor, AngleSensor, PLM300, Online };
    Q_ENUM(Page)

    // What the asking page gives the updater, taken when the download
    // starts, after every dialog of its start.
    struct Request
    {
        Page page = Page::WiredSensor;
        // The reset request goes to this number: on the wired sensor page
        // the one the page works with, on the others 0.
        quint8 netNum = 0;
        // The model the connected sensor reported of itself; None when it
        // reported none. A file for another model is refused, and on the
        // wired sensor page every file while the sensor reported none.
        fwimage::Model reportedModel = fwimage::Model::None;
        QWidget *formPage = nullptr; // where the user looks: progress and error line go there
        // The page's two status lines (the lower one for the state, the upper
        // one for a remark); a page without them gets the updater's own.
        QLabel *statusLine = nullptr;
        QLabel *remarkLine = nullptr;
    };

    // A file the user chose and the download can take.
    struct File
    {
        QByteArray bytes;
        fwimage::Model model = fwimage::Model::None;
    };

    // Each answer of the bootloader is waited for this long: its first one
    // after the reset (the user switches the device's power off and on
    // meanwhile), and any one of the download that comes late.
    static constexpr int kPatienceMs = 60000;
    // How long that is for this updater; a test of the failure path gives a
    // shorter time than the user's.
    void setPatienceMs(int ms) { patienceMs = ms; }

    explicit FirmwareUpdater(Ui_Deruvivuriri *form, QObject *parent = nullptr);
    ~FirmwareUpdater() override;
    // The port the download's frames are written to: it tells when the
    // closing frame is on the line.
    void setLine(PortConnection *port) { line = port; }

    // Asks for the file and judges it before anything is sent: a file with
    // no model word, one of a family the asking page does not serve, one for
    // another model than the sensor reported, and one the download cannot
    // use give the mismatch message and nothing; a cancelled choice gives
    // nothing. The file taken is the one the dialog's name field names; a
    // name that is no file is told, and gives nothing. The file dialog runs
    // through `run` (the asking page's session closes it, as a cancel, when
    // it ends), and the messages over the page. The chosen file's whole path
    // is kept for the next choice, whose dialog opens in its folder; when the
    // settings file does not take it, a message after the choice names that
    // file (once, until it takes a path again).
    std::optional<File> chooseFirmwareFile(const Request &request, const std::function<int(QDialog &)> &run);
    // Whether a file named for `model` may go into the asking page's device:
    // the angle, PLM300 and online pages take their own model alone, the
    // wired sensor page only the wired fuel sensor model its sensor
    // reported.
    static bool takesModel(const Request &request, fwimage::Model model);
    // Why a file named for `model` may not go into the asking page's device:
    // the wired sensor page's sensor reported no model, or takesModel()
    // refuses it. Empty when it may.
    static QString refusal(const Request &request, fwimage::Model model);
    static QString unknownModelText();
    static QString mismatchText();
    // Restarts the device into its bootloader and starts the download; the
    // asking page has let go of the line. False when no download started: one
    // is running already, or it was interrupted during the restart.
    bool startUpdateFirmware(const Request &request, const File &file);
    // Ends a running download at once: nothing more is sent, what of it
    // still waits to be written is dropped, and the asking page is told the
    // download failed. True when a download was cut short; one whose closing
    // frame the port had written already ends as completed.
    bool interrupt();

    // From the start until the download is over, completed, failed or interrupted.
    bool isUpdatingFirmware() const { return running; }
    // Whether the asking page is on screen, where the download tells itself.
    bool isSeen() const;
    // How the last download ended: interrupted, or told by this text.
    bool wasInterrupted() const { return interrupted; }
    QString outcomeText() const { return outcome; }
    // What the user is to do about the sensor after the last download, told
    // with its outcome; empty when nothing.
    QString adviceText() const { return advice; }

    // A download left part-way keeps the sensor in its bootloader, in the
    // middle of an image, until its power is switched off and on: a new
    // image would land after what it took. Whether a download through the
    // line the port has open now was left so, and none completed since.
    bool leftOnLine() const;
    // A sensor answered a frame through the line the port has open now: it
    // runs its firmware, and no bootloader is left there any more.
    void sensorAnsweredOnLine();
    // The question before the next download on such a line.
    static QString powerCycleQuestion();
    quint8 getCurStep() const { return curStep; }
    // What the line brought since the last look.
    void setAnswerUpdateFirmware(const QByteArray &bytes);
    // XOR of the bytes at positions 0 to len; see fwimage::xorChecksum.
    quint8 calcCheksum(QByteArray &inputData, int len);

public slots:
    // Timer slots of the download.
    void checkIncommingDataWhileUpdate();
    void processUpdatePolling();
    // The two stages of a failed download.
    void setInvisibleProgressBarFirmware();
    void setVisibleLabelBadFirmW();
    void setInVisibleLabelBadFirmW();
    void showErrorUpdateFirmware();

signals:
    void writeData(QByteArray data);
    void signalWriteLog(QString message);
    // Asks for the bytes the line brought (answered with setAnswerUpdateFirmware).
    void signalCheckIncommingDataWhileUpdate();
    // A download for `page` starts: from now until finished() it has the line.
    void started(FirmwareUpdater::Page page);
    // The download made for `page` is over: ok when the new firmware went in.
    // Once for every started download.
    void finished(FirmwareUpdater::Page page, bool ok);

private:
    void tellOver(QWidget *over, const QString &text);
    void initForUpdateFirmware();
    void deInitAfterUpdate();
    void createUpdateErrorTimers();
    void placeUpdateWidgets();
    void runRomStep();
    void runBlockStep();
    bool sendRomBlock();
    void finishUpdate();
    // Hands the closing frame to the line and waits until the port has
    // written it; false when the download was interrupted meanwhile, or
    // failed because the line took nothing for the whole patience.
    bool sendClosingFrame(const QByteArray &frame);
    bool closingFrameWritten() const;
    void noteClosingFrameWritten(); // logs the download's end once
    void startFailure();
    void leaveFailedUpdate();
    // The bootloader answered the sync byte with its refusal: it is not at
    // its start, and the download stops at once.
    void stopNotAtStart();
    // Ends the download's steps and waits where they are, with what of it
    // waits to be written if `dropUnwritten`.
    void cutShort(bool dropUnwritten);
    // The line the port has open now; empty when none.
    QString openLine() const;
    void clearUpdateState();
    void end(bool ok);
    // Waits `ms` in a local event loop; false when the download was started
    // anew or interrupted meanwhile, which ends the wait at once.
    bool pause(int ms);
    // Waiting for the bootloader, with the time left on the remark line.
    void startWaiting(const QString &remark);
    void stopWaiting();
    void showTimeLeft();
    void showStatus(const QString &text);
    void showRemark(const QString &text);
    QLabel *statusLine();
    QLabel *remarkLine();

    Ui_Deruvivuriri *ui = nullptr;
    QPointer<PortConnection> line;
    Request request;
    bool running = false;
    bool blockDialect = false;
    int patienceMs = kPatienceMs;

    // Step machine.
    quint8 curStep = 0xFF;
    quint8 statusUpdateFirmware = 0; // the bootloader's last answer byte
    bool answerRefused = false;      // a byte other than an acknowledge came after the last step
    fwimage::SyncWatch syncWatch;    // what the line said to the sync byte
    QByteArray streamFirmware;       // what is still to be sent
    quint32 writeAddress = 0;        // ROM dialect: flash address of the next block
    qint32 dataOffset = 0;
    qint32 skipBlocks = 0;
    qint32 extraBlocks = 0;
    bool lastBlockSent = false;
    qint32 progressCount = 0;
    qint64 timeStartUpdate = 0; // seconds since 1970 at the start
    bool stepRunning = false;
    bool updateFailed = false;
    // The closing frame: where it ends in what the port was handed, and
    // whether the port was seen to write it.
    std::optional<PortConnection::Mark> closingMark;
    bool closingWritten = false;
    bool interrupted = false;
    QString outcome;
    QString advice;
    QString downloadLine;             // the line the running download goes through
    QStringList leftLines;            // lines with a download left part-way since the last completed one
    bool settingsFailureTold = false; // the last folder chosen was not stored, and that was told
    quint32 updateGeneration = 0;     // a newer start or an interruption makes older steps stale
    QElapsedTimer sinceLastStep;
    // Patience: since the sync began or the last step went out.
    QElapsedTimer waitClock;
    QString waitRemark; // with %1 for the seconds left

    QPointer<QLabel> labelBadFirmware;
    QRect barPlace;       // where the form put the progress bar
    StatusLines ownLines; // for a page without status lines

    std::vector<QEventLoop *> waits; // pause()s under way, innermost last

    QTimer *timerStepUpdate = nullptr; // exist only during a download
    QTimer *timerReadUpdate = nullptr;
    QTimer *timerAnswerTimeout = nullptr;
    QTimer *timerErrorDisplay = nullptr;
    QTimer *timerTimeLeft = nullptr;
};

#endif // FIRMWAREUPDATER_H
