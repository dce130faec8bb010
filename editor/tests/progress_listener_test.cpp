#include "editor/shell/progress_listener.h"

#include <gtest/gtest.h>

#include <QTcpSocket>
#include <QTest>
#include <QtEndian>
#include <thread>

#include "editor/shell/qt_print.h"
#include "platform/platform.h"

namespace zor::editor {
namespace {

QByteArray frame(const QByteArray& message) {
    QByteArray head(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(message.size()), head.data());
    return head + message;
}

TEST(ProgressListener, HandlesEachFrameBeforeItAcknowledges) {
    QList<QByteArray> seen;
    ProgressListener listener([&](const QByteArray& m) { seen << m; });
    quint16 port = listener.listen();
    ASSERT_NE(port, 0);
    EXPECT_EQ(listener.listen(), port);  // one port per window

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(client.waitForConnected(3000));
    // Two frames in one write, the second split across writes.
    QByteArray both = frame("first") + frame("second line");
    client.write(both.left(both.size() - 3));
    client.flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 1; }, 3000));
    client.write(both.right(3));
    client.flush();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return client.bytesAvailable() >= 2 || seen.size() == 2; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.bytesAvailable() >= 2; }, 3000));
    EXPECT_EQ(seen, (QList<QByteArray>{"first", "second line"}));
    EXPECT_EQ(client.readAll().size(), 2);  // one acknowledgement byte per message
    EXPECT_EQ(listener.handled(), 2);
}

TEST(ProgressListener, DropsAConnectionThatBreaksTheFraming) {
    int calls = 0;
    ProgressListener listener([&](const QByteArray&) { ++calls; });
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, listener.listen());
    ASSERT_TRUE(client.waitForConnected(3000));
    client.write(QByteArray("\xff\xff\xff\xff", 4) + "junk");
    client.flush();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return client.state() == QAbstractSocket::UnconnectedState; }, 3000));
    EXPECT_EQ(calls, 0);
}

// The compiler's side of the channel (the platform layer) against this end.
TEST(ProgressListener, TalksWithThePlatformChannel) {
    QList<QByteArray> seen;
    ProgressListener listener([&](const QByteArray& m) { seen << m; });
    quint16 port = listener.listen();
    bool sent = false;
    // The platform channel blocks for its acknowledgement, so it runs in a
    // thread while this one serves the event loop.
    std::thread sender([&] {
        zor::platform::NotifyChannel channel;
        sent = channel.open(port, 3000) && channel.send("a") && channel.send("bc");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() == 2; }, 5000));
    sender.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(seen, (QList<QByteArray>{"a", "bc"}));
}

}  // namespace
}  // namespace zor::editor
