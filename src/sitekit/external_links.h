#pragma once
// Asks the servers of a site's external links whether the pages are still
// there: HEAD first, GET where a server refuses HEAD, eight at a time, ten
// seconds each. mailto: links are not asked about.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace sitekit {

class ExternalCheck : public QObject {
    Q_OBJECT
public:
    explicit ExternalCheck(QObject* parent = nullptr);
    ~ExternalCheck() override;

    static constexpr int kAtOnce = 8;
    static constexpr int kTimeoutMs = 10000;

    // Each address once, in the order given.
    void start(const QStringList& addresses);
    void cancel();
    bool running() const;

signals:
    // status: "200 OK", "404 Not Found", "timed out", "no answer: ..."
    void checked(const QString& address, bool ok, const QString& status);
    void progress(int done, int total);
    void finished();

private:
    void next();
    void ask(const QString& address, bool get);
    void answered(QNetworkReply* reply, const QString& address, bool get);

    QNetworkAccessManager* net_;
    QStringList todo_;
    int total_ = 0, done_ = 0, busy_ = 0;
    bool cancelled_ = false;
};

} // namespace sitekit
