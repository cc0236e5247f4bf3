#include "link/openfailure.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenFailure OpenFailure::of(const QString &portName, QSerialPort::SerialPortError error, const QString &systemText)
{
    // The serial library's own rule: a bare name lives under /dev.
    const QString node = portName.startsWith('/') ? portName : QStringLiteral("/dev/") + portName;
    const QByteArray path = QFile::encodeName(node);
    OpenFailure failure;
    failure.systemText = systemText;
    struct stat status = {};
    if (error == QSerialPort::DeviceNotFoundError || ::stat(path.constData(), &status) != 0) {
        failure.reason = Reason::Gone;
    } else if (error == QSerialPort::UnsupportedOperationError || !S_ISCHR(status.st_mode)) {
        failure.reason = Reason::NotSerial;
    } else if (error == QSerialPort::ResourceError) {
        failure.reason = Reason::LineFailed;
    } else if (error == QSerialPort::PermissionError) {
        // Asked with the ids the open used: one the user may open is held by
        // another program.
        const bool denied = ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 &&
                            (errno == EACCES || errno == EPERM);
        failure.reason = denied ? Reason::NotPermitted : Reason::Busy;
        // Only a group the node lets read and write opens it, and joining the
        // system's own group is no advice to give.
        const mode_t readWrite = S_IRGRP | S_IWGRP;
        if (denied && status.st_gid != 0 && (status.st_mode & readWrite) == readWrite) {
            const QFileInfo info(node);
            failure.group = info.group().isEmpty() ? QString::number(info.groupId()) : info.group();
        }
    } else {
        failure.reason = Reason::Other;
    }
    return failure;
}
