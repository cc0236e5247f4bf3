#ifndef UPDATECHECK_H
#define UPDATECHECK_H

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QVector>

// The start-up check for a newer program: where the version file lives and how
// its version is read and compared. Widget- and network-free.
namespace updatecheck {

// Our update server; RERIRUVOZIVE_UPDATE_HOST (host or host:port) replaces it,
// so a test can serve the version file from 127.0.0.1.
constexpr char kDefaultHost[] = "updates.reriruvozive.example.org";
constexpr char kVersionFilePath[] = "/download/_ftp/all/dut/ZEZ_Izezuzidivir.txt";
constexpr char kArchivePath[] = "/download/_ftp/all/dut/ZEZ_Izezuzidivir.zip";

// The version file is a line; a reply longer than this is no version file, and
// is not read on (a server sending without end would fill the memory).
constexpr qint64 kLargestReply = 64 * 1024;

// Whether a reply's Content-Encoding leaves the body as it is: none named,
// or "identity". The check asks for no other.
bool isUnencoded(const QByteArray &contentEncoding);

QString host();
QUrl versionFileUrl();
QUrl archiveUrl();

// The program's own version, as the version file writes it ("1.0.2.38").
QString programVersion();

// The dotted version the body begins with, one number per part; empty when
// the body is too short or does not begin with a version. A version has four
// parts of decimal digits, and the body may go on after white space.
QVector<int> parseVersionFile(const QByteArray &body);
QVector<int> parseVersion(const QString &text);

// Negative, zero or positive as a is older than, equal to or newer than b.
// Parts compare as numbers, so 1.0.10.1 is newer than 1.0.2.38.
int compareVersions(const QVector<int> &a, const QVector<int> &b);

} // namespace updatecheck

#endif // UPDATECHECK_H
