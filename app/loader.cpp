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
    manager->get(QNetworkRequest(updatecheck::versionFileUrl()));
}

void Loader::onResult(QNetworkReply *reply)
{
    reply->deleteLater();
    finished = true;
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "ERROR" << reply->errorString();
        version.clear();
        emit done();
        return;
    }
    data = reply->readAll();
    version = updatecheck::parseVersionFile(data);
    emit onReady();
    emit done();
}
