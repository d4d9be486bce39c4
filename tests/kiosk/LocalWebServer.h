// A small HTTP server of the tests on 127.0.0.1: fixed pages by path, and the Cookie header each
// request carried.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

namespace pinstage::test {

struct WebReply {
    QByteArray body;
    QByteArray headers; // extra header lines, each ending with \r\n
    QByteArray type = "text/html; charset=utf-8";
};

class LocalWebServer : public QObject {
public:
    explicit LocalWebServer(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0) {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] { serve(s); });
        });
        server_.listen(address, port);
    }
    bool listening() const { return server_.isListening(); }
    QString url(const QString& path) const {
        return QStringLiteral("http://%1:%2%3")
            .arg(server_.serverAddress().toString())
            .arg(server_.serverPort())
            .arg(path);
    }
    void page(const QByteArray& path, WebReply reply) { pages_[path] = std::move(reply); }
    QStringList requested;   // paths in the order asked
    QStringList cookiesSeen; // "path cookie" of each request
private:
    void serve(QTcpSocket* s) {
        QByteArray& buffer = buffers_[s];
        buffer += s->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> lines = buffer.left(buffer.indexOf("\r\n\r\n")).split('\n');
        buffers_.remove(s);
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        const QByteArray path = first.value(1);
        requested << QString::fromLatin1(path);
        for (const QByteArray& l : lines)
            if (l.toLower().startsWith("cookie:"))
                cookiesSeen << QString::fromLatin1(path + " " + l.mid(7).trimmed());
        QByteArray out;
        if (pages_.contains(path)) {
            const WebReply& r = pages_[path];
            out = "HTTP/1.1 200 OK\r\nContent-Type: " + r.type +
                  "\r\nContent-Length: " + QByteArray::number(r.body.size()) + "\r\n" + r.headers +
                  "Connection: close\r\n\r\n" + r.body;
        } else {
            out = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
        }
        s->write(out);
        s->disconnectFromHost();
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    }
    QTcpServer server_;
    QMap<QByteArray, WebReply> pages_;
    QMap<QTcpSocket*, QByteArray> buffers_;
};

} // namespace pinstage::test
