#include "ui/qt_serial_port.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

namespace qx {

Status QtSerialPort::wait(int delayMs, const ReceiveHandler& onReceive)
{
    if (delayMs <= 0)
        return success();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    Status result;

    std::unique_ptr<QSocketNotifier> notifier;
    if (isOpen()) {
        notifier = std::make_unique<QSocketNotifier>(fd(), QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, [&] {
            if (Status s = readAvailable(onReceive); !s) {
                result = std::move(s);
                notifier->setEnabled(false);
                loop.quit();
            }
        });
    }

    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        // A timer may fire a little early; the wait is never shorter than asked.
        const qint64 left = delayMs - clock.elapsed();
        if (left > 0)
            timer.start(int(left));
        else
            loop.quit();
    });
    timer.start(delayMs);
    loop.exec();
    return result;
}

}  // namespace qx
