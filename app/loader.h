#ifndef LOADER_H
#define LOADER_H

#include <QByteArray>
#include <QObject>
#include <QVector>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches the version file of the update server once and keeps the version it
// names. An empty version means the check failed (no network, no server, an
// HTTP error, a body that names no version or one past the largest reply).
class Loader : public QObject
{
    Q_OBJECT
public:
    explicit Loader(QObject *parent = nullptr);
    ~Loader() override;

    QVector<int> getVersion() const { return version; }
    // True once a reply, good or bad, has been handled.
    bool isFinished() const { return finished; }

signals:
    void onReady();
    void done();

public slots:
    void getData();
    void onResult(QNetworkReply *reply);

private:
    QByteArray data;
    QVector<int> version;
    QNetworkAccessManager *manager = nullptr;
    bool finished = false;
};

#endif // LOADER_H
