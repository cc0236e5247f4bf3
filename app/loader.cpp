#include "app/loader.h"

#include "app/updatecheck.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

Loader::Loader(QObject *parent) : QObject(parent), manager(new QNetworkAccessManager(this))
{
    connect(manager, &QNetworkAccessManager::finished, this, &Loader::onResult);
}

Loader::~Loader() = default;

void Loader::getData()
{
    QNetworkRequest request(updatecheck::versionFileUrl());
    // Left to itself, Qt asks for a packed answer and unpacks each piece whole
    // before the reply sees any of it: a megabyte unpacking to a gigabyte is
    // in memory before the limit below can count it. Asked for as it is, the
    // answer's bytes are the bytes the limit counts.
    request.setRawHeader("Accept-Encoding", "identity");
    // A moved version file is fetched where it moved only when that is no
    // less safe (never from https down to http); any other redirect fails.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // The reply is the manager's: a reply still running when the check goes
    // (the window closes) is aborted with it.
    QNetworkReply *running = manager->get(request);
    // A reply keeps its whole body unless told otherwise; one byte past the
    // largest reply is enough to know it is too long.
    running->setReadBufferSize(updatecheck::kLargestReply + 1);
    // A server packing the answer all the same sends no version file we read.
    connect(running, &QNetworkReply::metaDataChanged, running, [running] {
        if (!updatecheck::isUnencoded(running->rawHeader("Content-Encoding")))
            running->abort();
    });
    connect(running, &QNetworkReply::readyRead, running, [running] {
        if (running->bytesAvailable() > updatecheck::kLargestReply)
            running->abort();
    });
}

void Loader::onResult(QNetworkReply *reply)
{
    reply->deleteLater();
    finished = true;
    // Only a 2xx answer is the version file: any other status without an
    // error (a redirect not followed) carries the server's own page.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        qDebug() << "ERROR" << reply->errorString() << "HTTP status" << status;
        version.clear();
        emit done();
        return;
    }
    data = reply->readAll();
    version = updatecheck::parseVersionFile(data);
    emit onReady();
    emit done();
}
