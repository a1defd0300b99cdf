// The serial line on the Win32 communications API. One overlapped read is kept
// pending while the line is open: its event wakes the window's event loop
// through a notifier, and kite12 blocks on the same event.
#include "SerialLine.h"

#include "SerialError.h"

#include <QDeadlineTimer>
#include <QWinEventNotifier>
#include <functional>
#include <optional>
#include <windows.h>

namespace {

constexpr DWORD kReadChunk = 4096;
// A read ends this long after the last byte came: a reply's bytes come in one
// piece, and the window sees them soon. WaitCommEvent would need the modem
// lines, which pseudo-terminals under Wine lack.
constexpr DWORD kReadGapMs = 10;

QString systemWords(DWORD error) {
    return qt_error_string(static_cast<int>(error)).trimmed();
}

SerialError::Kind openFailureKind(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return SerialError::Kind::NoSuchPort;
    // Windows opens a COM port for one program at a time and says "access
    // denied" to the next.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return SerialError::Kind::Busy;
    default:
        return SerialError::Kind::Failed;
    }
}

BYTE dcbParity(Parity parity) {
    switch (parity) {
    case Parity::Even:
        return EVENPARITY;
    case Parity::Odd:
        return ODDPARITY;
    case Parity::Mark:
        return MARKPARITY;
    case Parity::Space:
        return SPACEPARITY;
    case Parity::None:
        break;
    }
    return NOPARITY;
}

BYTE dcbStopBits(StopBits stopBits) {
    switch (stopBits) {
    case StopBits::OneAndHalf:
        return ONE5STOPBITS;
    case StopBits::Two:
        return TWOSTOPBITS;
    case StopBits::One:
        break;
    }
    return ONESTOPBIT;
}

// The settings in a DCB, no flow control, DTR and RTS up as a plain cable expects.
void putSettings(DCB& dcb, const PortSettings& settings) {
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = dcbParity(settings.parity);
    dcb.StopBits = dcbStopBits(settings.stopBits);
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
}

// The device's path for CreateFile: "COM10" and above only open as \\.\COM10.
std::wstring devicePath(const QString& device) {
    const QString path =
        device.startsWith(QLatin1String("\\\\")) ? device : QStringLiteral("\\\\.\\") + device;
    return path.toStdWString();
}

// A read waits for its first byte as long as it takes, then for the gap.
COMMTIMEOUTS lineTimeouts() {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = kReadGapMs;
    return timeouts;
}

} // namespace

struct SerialLine::Backend {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED readOverlap{}; // the notifier watches its event
    OVERLAPPED writeOverlap{};
    QWinEventNotifier notifier;
    char chunk[kReadChunk]{};
    bool reading = false; // a read is pending into chunk
    QByteArray received;
    qint64 readBufferSize = 0;
    PortSettings settings;
    DCB oldState{};
    std::optional<QString> failure; // why the line failed while open
    std::function<void()> released; // tells the line's listeners

    Backend() {
        for (OVERLAPPED* overlap : {&readOverlap, &writeOverlap})
            overlap->hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        notifier.setHandle(readOverlap.hEvent);
        notifier.setEnabled(false);
    }
    ~Backend() {
        for (OVERLAPPED* overlap : {&readOverlap, &writeOverlap})
            ::CloseHandle(overlap->hEvent);
    }
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    bool bufferFull() const { return readBufferSize > 0 && received.size() >= readBufferSize; }

    void open(const QString& device);
    void startRead();
    void collectRead();
    void fail(DWORD error);
    void release(bool drain);
};

void SerialLine::Backend::open(const QString& device) {
    handle = ::CreateFileW(devicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        throw SerialError(systemWords(error), openFailureKind(error));
    }
    DCB state{};
    state.DCBlength = sizeof(state);
    COMMTIMEOUTS timeouts = lineTimeouts();
    bool ready = ::GetCommState(handle, &state) != FALSE;
    oldState = state;
    putSettings(state, settings);
    ready = ready && ::SetCommState(handle, &state) && ::SetCommTimeouts(handle, &timeouts) &&
            ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    if (!ready) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        throw SerialError(systemWords(error), SerialError::Kind::Failed);
    }
    received.clear();
    failure.reset();
    startRead();
    notifier.setEnabled(true);
}

// Asks for the next bytes unless the buffer is full; the event stays down until they come.
void SerialLine::Backend::startRead() {
    if (reading || !isOpen())
        return;
    if (bufferFull()) {
        ::ResetEvent(readOverlap.hEvent);
        return;
    }
    const DWORD most =
        readBufferSize > 0
            ? static_cast<DWORD>(qMin<qint64>(kReadChunk, readBufferSize - received.size()))
            : kReadChunk;
    if (!::ReadFile(handle, chunk, most, nullptr, &readOverlap) &&
        ::GetLastError() != ERROR_IO_PENDING) {
        fail(::GetLastError());
        return;
    }
    reading = true;
}

// Takes the bytes of a finished read and asks for more.
void SerialLine::Backend::collectRead() {
    if (!reading)
        return;
    DWORD count = 0;
    if (!::GetOverlappedResult(handle, &readOverlap, &count, FALSE)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_IO_INCOMPLETE)
            return;
        reading = false;
        fail(error);
        return;
    }
    reading = false;
    received.append(chunk, static_cast<qsizetype>(count));
    startRead();
}

// After an unplug every call fails: close once and keep the reason.
void SerialLine::Backend::fail(DWORD error) {
    if (failure)
        return;
    failure = systemWords(error);
    release(false);
}

void SerialLine::Backend::release(bool drain) {
    notifier.setEnabled(false);
    if (drain)
        ::FlushFileBuffers(handle);
    if (reading) {
        DWORD ignored = 0;
        ::CancelIoEx(handle, &readOverlap);
        ::GetOverlappedResult(handle, &readOverlap, &ignored, TRUE);
        reading = false;
    }
    if (drain)
        ::SetCommState(handle, &oldState);
    ::CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    ::ResetEvent(readOverlap.hEvent);
    released();
}

SerialLine::SerialLine(QObject* parent) : QObject(parent), backend_(std::make_unique<Backend>()) {
    backend_->released = [this] { Q_EMIT closed(); };
    connect(&backend_->notifier, &QWinEventNotifier::activated, this, [this] {
        const qsizetype before = backend_->received.size();
        backend_->collectRead();
        if (backend_->received.size() > before)
            Q_EMIT readable();
    });
}

SerialLine::~SerialLine() {
    // Whoever listened may be gone already.
    blockSignals(true);
    close();
}

void SerialLine::setReadBufferSize(qint64 bytes) {
    backend_->readBufferSize = bytes;
    backend_->startRead();
}

void SerialLine::openDevice(const QString& device, const PortSettings& settings) {
    backend_->settings = settings;
    backend_->open(device);
}

void SerialLine::applySettings(const PortSettings& settings) {
    backend_->settings = settings;
    if (!backend_->isOpen())
        return;
    DCB state{};
    state.DCBlength = sizeof(state);
    if (!::GetCommState(backend_->handle, &state))
        throw SerialError(systemWords(::GetLastError()), SerialError::Kind::Failed);
    putSettings(state, settings);
    if (!::SetCommState(backend_->handle, &state))
        throw SerialError(systemWords(::GetLastError()), SerialError::Kind::Failed);
}

bool SerialLine::isOpen() const {
    return backend_->isOpen();
}

void SerialLine::release(const QString& why) {
    if (!why.isEmpty())
        backend_->failure = why;
    backend_->release(why.isEmpty());
}

SerialLine::WriteOutcome SerialLine::writeToDevice(const QByteArray& bytes, int timeoutMs) {
    Backend& line = *backend_;
    OVERLAPPED& overlap = line.writeOverlap;
    if (!::WriteFile(line.handle, bytes.constData(), static_cast<DWORD>(bytes.size()), nullptr,
                     &overlap) &&
        ::GetLastError() != ERROR_IO_PENDING)
        return WriteOutcome::HungUp;
    DWORD count = 0;
    // The system has every byte once the write completes; a device that takes none is cut off.
    const bool timedOut =
        ::WaitForSingleObject(overlap.hEvent, static_cast<DWORD>(qMax(timeoutMs, 0))) ==
        WAIT_TIMEOUT;
    if (timedOut)
        ::CancelIoEx(line.handle, &overlap);
    if (::GetOverlappedResult(line.handle, &overlap, &count, TRUE) &&
        count == static_cast<DWORD>(bytes.size()))
        return WriteOutcome::Done;
    return timedOut ? WriteOutcome::TimedOut : WriteOutcome::HungUp;
}

qint64 SerialLine::bytesAvailable() const {
    return isOpen() ? backend_->received.size() : 0;
}

QByteArray SerialLine::takeReceived(qint64 most) {
    Backend& line = *backend_;
    const qsizetype count =
        most < 0 ? line.received.size() : qMin<qsizetype>(most, line.received.size());
    QByteArray bytes = line.received.left(count);
    line.received.remove(0, count);
    line.startRead();
    return bytes;
}

bool SerialLine::waitForBytes(int ms) {
    Backend& line = *backend_;
    const QDeadlineTimer deadline(ms);
    while (line.received.isEmpty()) {
        const auto left = static_cast<DWORD>(qMax<qint64>(deadline.remainingTime(), 0));
        if (!line.reading || ::WaitForSingleObject(line.readOverlap.hEvent, left) != WAIT_OBJECT_0)
            return false;
        line.collectRead();
        if (!line.isOpen())
            throwNotOpen();
    }
    return true;
}

const std::optional<QString>& SerialLine::failure() const {
    return backend_->failure;
}
