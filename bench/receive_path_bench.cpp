// Feeds the real receive path, through a pseudo-terminal, with tracker replies and
// with a flood that never ends its line, and prints what each byte costs.

#include "ControlBinding.h"
#include "ControlNames.h"
#include "MSComm.h"
#include "MultiLineBox.h"
#include "PseudoTerminal.h"
#include "ReceivePath.h"
#include "ReceivedSettings.h"
#include "ReplyHexBox.h"
#include "TrackerReply.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <variant>

namespace {

constexpr qsizetype kRunBytes = 1 << 20;
constexpr qsizetype kWindowBytes = 64 * 1024;
// 115200 baud, 10 bits a byte on the line.
constexpr double kLineBytesPerSecond = 11520.0;

// One answer to the read request, with the handshake, an echo, keys the parser
// does not know and the modem's two status replies.
QByteArray replyLines() {
    QByteArray settings = kFarSettings;
    return "CONNECT\r\nAT+READ#\r\n" + settings.replace("\n", "\r\n") +
           "FILTER:b/KITE5\r\nFREQ:144.640\r\nSENT TIME:12:00\r\nVER:KITE12 V2.1\r\n"
           "+CIPSTART: \"TCP\", \"rotate.aprs2.net\", 14580\r\n"
           "+CSTT: \"cmnet\", \"\", \"\"\r\nOK\r\nREAD END\r\n";
}

QByteArray repeatedReplies() {
    const QByteArray block = replyLines();
    QByteArray data;
    data.reserve(kRunBytes + block.size());
    while (data.size() < kRunBytes)
        data += block;
    data.truncate(kRunBytes);
    return data;
}

QByteArray floodWithoutCr(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 254);
    QByteArray data(kRunBytes, '\0');
    for (char& b : data) {
        const int value = byte(random);
        b = static_cast<char>(value >= '\r' ? value + 1 : value);
    }
    return data;
}

// The window's settings controls, by the names the record binds to.
void addSettingsControls(QWidget* form, QWidget* gprsFrame) {
    for (const SettingRow& each : settingsTable()) {
        const char* name = each.window.control;
        if (std::holds_alternative<CheckField>(each.target)) {
            (new QCheckBox(form))->setObjectName(name);
        } else if (each.window.place.list) {
            auto* combo = new QComboBox(form);
            combo->setEditable(true);
            combo->setObjectName(name);
        } else if (name && name != ctl::gprsInfoBox()) {
            (new QLineEdit(form))->setObjectName(name);
        }
    }
    // Each option group shares a parent, which makes its members exclusive.
    auto* gpsGroup = new QGroupBox(form);
    for (const char* name : {ctl::GpsOption, ctl::FixOption})
        (new QRadioButton(gpsGroup))->setObjectName(name);
    auto* beaconGroup = new QGroupBox(form);
    for (const char* name : {ctl::SmartOption, ctl::BeaconOffOption, ctl::IntervalOption})
        (new QRadioButton(beaconGroup))->setObjectName(name);
    (new MultiLineBox(form))->setObjectName(ctl::StatusLog);
    (new MultiLineBox(gprsFrame))->setObjectName(ctl::gprsInfoBox());
}

struct Figures {
    qsizetype bytes = 0;
    qint64 events = 0;
    qint64 handlerNs = 0;
    qint64 wallNs = 0;
    qint64 firstWindowNs = 0;
    qsizetype firstWindowBytes = 0;
    qint64 lastWindowNs = 0;
    qsizetype lastWindowBytes = 0;
};

class Bench {
public:
    Bench() {
        QFile ini(dir_.path() + "/TrkComm.ini");
        if (!ini.open(QIODevice::WriteOnly))
            qFatal("cannot write the port settings file");
        ini.write("[Ports]\r\nCOM1=" + tty_.device().toLocal8Bit() + "\r\n");
        ini.close();

        auto* frame = new QGroupBox(&form_);
        frame->setObjectName(ctl::GprsFrame);
        frame->hide();
        addSettingsControls(&form_, frame);
        auto* hexBox = new ReplyHexBox(&form_);
        hexBox->setObjectName(ctl::ReplyHex);

        comm_ = new MSComm(PortDirectory(ini.fileName(), dir_.path()), &form_);
        comm_->setCommPort(1);
        comm_->setSettings("115200,n,8,1");
        comm_->setInBufferSize(4096);
        comm_->setRThreshold(1);
        comm_->setInputLen(0);

        // Slots run in the order they were connected: these two bracket the path's own.
        QObject::connect(comm_, &MSComm::onComm, &form_, [this] {
            pending_ = comm_->inBufferCount();
            handlerClock_.start();
        });
        auto* infoBox = form_.findChild<MultiLineBox*>(ctl::gprsInfoBox());
        path_ = new ReceivePath(comm_,
                                {[hexBox](const QByteArray& bytes) { hexBox->appendBytes(bytes); },
                                 [frame] { return !frame->isHidden(); },
                                 [infoBox](const QString& text) { infoBox->appendText(text); },
                                 [this](const QString& line) { received_.take(line); },
                                 [this] { received_.settle(); }},
                                &form_);
        QObject::connect(comm_, &MSComm::onComm, &form_, [this] {
            handlerNs_ += handlerClock_.nsecsElapsed();
            consumed_ += pending_;
            ++events_;
        });
        comm_->open();
    }

    Figures run(const QByteArray& data, std::mt19937& random) {
        std::uniform_int_distribution<qsizetype> eventSize(1, 64);
        path_->clearCurrentLine();
        Figures figures;
        const qint64 startEvents = events_;
        const qint64 startNs = handlerNs_;
        QElapsedTimer wall;
        wall.start();
        for (qsizetype offset = 0; offset < data.size();) {
            const qsizetype size = std::min(eventSize(random), data.size() - offset);
            const qint64 before = handlerNs_;
            consumed_ = 0;
            tty_.write(data.mid(offset, size));
            // One write at a time, so every receive event holds one piece.
            while (consumed_ < size)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const qint64 spent = handlerNs_ - before;
            if (offset < kWindowBytes) {
                figures.firstWindowNs += spent;
                figures.firstWindowBytes += size;
            }
            if (offset + size > data.size() - kWindowBytes) {
                figures.lastWindowNs += spent;
                figures.lastWindowBytes += size;
            }
            offset += size;
        }
        figures.wallNs = wall.nsecsElapsed();
        figures.bytes = data.size();
        figures.events = events_ - startEvents;
        figures.handlerNs = handlerNs_ - startNs;
        return figures;
    }

private:
    QTemporaryDir dir_;
    PseudoTerminal tty_;
    QWidget form_;
    ControlBinding record_{&form_};
    ReceivedSettings received_{record_};
    MSComm* comm_ = nullptr;
    ReceivePath* path_ = nullptr;
    QElapsedTimer handlerClock_;
    qsizetype pending_ = 0;
    qsizetype consumed_ = 0;
    qint64 handlerNs_ = 0;
    qint64 events_ = 0;
};

void print(const char* name, const Figures& f) {
    const double seconds = f.handlerNs / 1e9;
    const double perSecond = f.bytes / seconds;
    std::printf("%-12s %8lld %7lld %9.3f %12.0f %9.3f %9.1f %8.3f\n", name,
                static_cast<long long>(f.bytes), static_cast<long long>(f.events), seconds,
                perSecond, f.handlerNs / 1e3 / f.bytes, perSecond / kLineBytesPerSecond,
                f.wallNs / 1e9);
    const double firstUs = f.firstWindowNs / 1e3 / f.firstWindowBytes;
    const double lastUs = f.lastWindowNs / 1e3 / f.lastWindowBytes;
    std::printf("%-12s first 64 KB %.3f us/byte, last 64 KB %.3f us/byte, last/first %.2f\n", "",
                firstUs, lastUs, lastUs / firstUs);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::mt19937 random(20261207);
    Bench bench;

    std::printf("Receive event time only; wall includes the pseudo-terminal and event loop.\n");
    std::printf("%-12s %8s %7s %9s %12s %9s %9s %8s\n", "run", "bytes", "events", "seconds",
                "bytes/s", "us/byte", "x line", "wall s");
    print("reply lines", bench.run(repeatedReplies(), random));
    print("flood no CR", bench.run(floodWithoutCr(random), random));
    return 0;
}
