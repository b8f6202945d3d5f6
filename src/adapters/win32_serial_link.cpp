// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/win32_serial_link.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <initguid.h> // before devguid.h: defines the class GUIDs here

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <vector>

namespace {

// Bytes kept between two reads at most: far more than the meter sends while the timers are
// stopped for a long operation, and a bound on what a runaway device can cost.
constexpr qsizetype MaxReadBytes = 1 << 20;
constexpr DWORD ReadChunk = 4096;
// The driver's queues, as asked of it: a logger dump's first two seconds fit many times.
constexpr DWORD InputQueueBytes = 16384;
constexpr DWORD OutputQueueBytes = 512;
// The erase command is three bytes: a second is far more than 9600 baud needs.
constexpr DWORD WriteTimeoutMs = 1000;
// A cancelled read that the system has not finished after this long is left to it.
constexpr DWORD CancelWaitMs = 1000;

QString systemReason(DWORD error) {
    wchar_t *text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, int(length)).trimmed()
                            : QStringLiteral("Windows error %1").arg(error);
    ::LocalFree(text);
    return reason;
}

// "COM12" becomes "\\.\COM12", the only form that reaches ports from COM10 on; a path the
// user gave in full is kept.
std::wstring devicePath(const QString &device) {
    const QString path =
        device.startsWith(QLatin1String("\\\\")) ? device : QStringLiteral("\\\\.\\") + device;
    return path.toStdWString();
}

// The ports the system knows as devices of the ports class, with their friendly names.
QList<QPair<QString, QString>> systemPorts() {
    QList<QPair<QString, QString>> ports;
    const HDEVINFO set =
        ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return ports;
    SP_DEVINFO_DATA info = {};
    info.cbSize = sizeof info;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &info); ++i) {
        QString portName;
        if (HKEY key = ::SetupDiOpenDevRegKey(set, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
            key != INVALID_HANDLE_VALUE) {
            wchar_t name[64] = {};
            DWORD size = sizeof name - sizeof(wchar_t);
            DWORD type = 0;
            if (::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(name),
                                   &size) == ERROR_SUCCESS &&
                type == REG_SZ)
                portName = QString::fromWCharArray(name);
            ::RegCloseKey(key);
        }
        wchar_t friendly[256] = {};
        QString friendlyName;
        if (::SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_FRIENDLYNAME, nullptr,
                                                reinterpret_cast<BYTE *>(friendly),
                                                sizeof friendly - sizeof(wchar_t), nullptr))
            friendlyName = QString::fromWCharArray(friendly);
        if (portName.startsWith(QLatin1String("COM")))
            ports.append({portName, friendlyName});
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return ports;
}

// Whether the system has a device of that name (COM ports without a driver entry, such as
// virtual ones, included).
bool dosDeviceExists(const QString &name) {
    wchar_t target[1024];
    return ::QueryDosDeviceW(name.toStdWString().c_str(), target, DWORD(std::size(target))) != 0;
}

} // namespace

// An open port and its one outstanding read. The read's buffer and event stay with it until
// the system is done with the read.
struct Win32SerialLink::Port {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED read = {};
    bool reading = false; // a read is outstanding
    std::vector<char> buffer = std::vector<char>(ReadChunk);

    Port() { read.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~Port() {
        if (handle != INVALID_HANDLE_VALUE) {
            if (reading) {
                ::CancelIoEx(handle, &read);
                DWORD got = 0;
                if (::WaitForSingleObject(read.hEvent, CancelWaitMs) == WAIT_OBJECT_0)
                    ::GetOverlappedResult(handle, &read, &got, FALSE);
            }
            ::CloseHandle(handle);
        }
        if (read.hEvent)
            ::CloseHandle(read.hEvent);
    }
    Port(const Port &) = delete;
    Port &operator=(const Port &) = delete;
};

Win32SerialLink::Win32SerialLink(PortNames names, QObject *parent)
    : QObject(parent)
    , m_names(std::move(names)) {
    m_reopenTimer.setInterval(ReopenIntervalMs);
    connect(&m_reopenTimer, &QTimer::timeout, this, &Win32SerialLink::tryReopen);
}

Win32SerialLink::~Win32SerialLink() = default;

bool Win32SerialLink::open(int portNumber) {
    close();
    m_device = m_names.deviceFor(portNumber);
    if (m_device.isEmpty()) {
        m_openError = QStringLiteral("no serial device has this name");
        return false;
    }
    return openDevice();
}

QStringList Win32SerialLink::presentDevices() {
    QStringList devices;
    for (const auto &port : systemPorts())
        devices << port.first;
    return devices;
}

QString Win32SerialLink::describe(const QString &device) {
    for (const auto &port : systemPorts()) {
        if (port.first.compare(device, Qt::CaseInsensitive) == 0)
            return port.second.isEmpty() ? device : port.second;
    }
    return dosDeviceExists(device) ? device : QString();
}

bool Win32SerialLink::openDevice() {
    auto port = std::make_unique<Port>();
    port->handle = ::CreateFileW(devicePath(m_device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port->handle == INVALID_HANDLE_VALUE) {
        m_openError = systemReason(::GetLastError());
        return false;
    }
    ::SetupComm(port->handle, InputQueueBytes, OutputQueueBytes);
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    bool configured = ::GetCommState(port->handle, &dcb) != 0;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE; // the meter's interface may draw its power from DTR
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE; // a framing error must not stop every later read
    configured = configured && ::SetCommState(port->handle, &dcb);
    // Everything received so far, at once: a read never waits for more.
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = WriteTimeoutMs;
    configured = configured && ::SetCommTimeouts(port->handle, &timeouts);
    if (!configured) {
        m_openError = systemReason(::GetLastError());
        return false;
    }
    ::PurgeComm(port->handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    m_port = std::move(port);
    return true;
}

bool Win32SerialLink::isOpen() const {
    return m_port != nullptr || m_broken;
}

QByteArray Win32SerialLink::readAll() {
    QByteArray received;
    while (m_port && received.size() < MaxReadBytes) {
        Port &port = *m_port;
        DWORD got = 0;
        if (port.reading) {
            // A read the driver kept pending: its bytes come first; until then nothing.
            if (!::GetOverlappedResult(port.handle, &port.read, &got, FALSE)) {
                if (::GetLastError() == ERROR_IO_INCOMPLETE)
                    break;
                port.reading = false;
                breakDown();
                break;
            }
            port.reading = false;
            received.append(port.buffer.data(), qsizetype(got));
            continue;
        }
        // Only what the driver holds is read, so a read has bytes to return at once: none is
        // left waiting (which under Wine costs its server a wake-up per byte that comes). A
        // port that is gone fails here: ERROR_ACCESS_DENIED, ERROR_BAD_COMMAND or
        // ERROR_DEVICE_REMOVED on Windows, ERROR_NOT_READY for a hung-up pseudo-terminal
        // under Wine.
        DWORD errors = 0;
        COMSTAT status = {};
        if (!::ClearCommError(port.handle, &errors, &status)) {
            breakDown();
            break;
        }
        if (status.cbInQue == 0)
            break;
        ::ResetEvent(port.read.hEvent);
        const DWORD wanted = std::min<DWORD>(status.cbInQue, ReadChunk);
        if (!::ReadFile(port.handle, port.buffer.data(), wanted, nullptr, &port.read) &&
            ::GetLastError() != ERROR_IO_PENDING) {
            breakDown();
            break;
        }
        port.reading = true; // collected above, at once when it completed
    }
    return received;
}

bool Win32SerialLink::write(const QByteArray &bytes) {
    if (!m_port)
        return false;
    OVERLAPPED overlapped = {};
    overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return false;
    DWORD written = 0;
    bool done = ::WriteFile(m_port->handle, bytes.constData(), DWORD(bytes.size()), nullptr,
                            &overlapped) != 0;
    if (done || ::GetLastError() == ERROR_IO_PENDING) {
        if (::WaitForSingleObject(overlapped.hEvent, WriteTimeoutMs + CancelWaitMs) !=
            WAIT_OBJECT_0) {
            ::CancelIoEx(m_port->handle, &overlapped);
            ::WaitForSingleObject(overlapped.hEvent, CancelWaitMs);
        }
        done = ::GetOverlappedResult(m_port->handle, &overlapped, &written, FALSE) != 0;
    }
    ::CloseHandle(overlapped.hEvent);
    return done && written == DWORD(bytes.size());
}

void Win32SerialLink::close() {
    m_reopenTimer.stop();
    m_broken = false;
    m_port.reset();
}

void Win32SerialLink::breakDown() {
    // Closed at the first failure and tried again on a timer: a gone adapter fails every
    // read, and retrying at once would only spin.
    m_port.reset();
    m_broken = true;
    m_reopenTimer.start();
}

void Win32SerialLink::tryReopen() {
    if (!m_broken)
        return;
    if (openDevice()) {
        m_broken = false;
        m_reopenTimer.stop();
    }
}
