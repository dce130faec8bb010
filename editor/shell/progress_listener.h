#pragma once
// The receiving end of the compiler's progress messages (the window message
// of the original platform). It listens on 127.0.0.1 on a free port, which
// the window writes into "pass_file" as its handle. Each message arrives as
// a 4-byte big-endian length and that many bytes; the listener calls the
// window's handler and only then answers with one acknowledgement byte, so
// the compiler does not overwrite "AAZZ" before the window has read it.
// A connection that breaks the framing is dropped.

#include <QByteArray>
#include <QObject>
#include <functional>

class QTcpServer;
class QTcpSocket;

namespace zor::editor {

class ProgressListener : public QObject {
    Q_OBJECT
  public:
    // Longest message taken; a longer length is a broken frame.
    static constexpr quint32 kMaxMessage = 1u << 20;

    explicit ProgressListener(std::function<void(const QByteArray&)> handler,
                              QObject* parent = nullptr);
    // Starts listening if not yet listening; the port, or 0 on failure.
    quint16 listen();
    quint16 port() const;
    // Messages handled since construction.
    int handled() const { return handled_; }

  private:
    void accept();
    void readFrom(QTcpSocket* socket);

    std::function<void(const QByteArray&)> handler_;
    QTcpServer* server_;
    int handled_ = 0;
};

}  // namespace zor::editor
