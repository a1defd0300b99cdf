// The USB adapters Windows knows among its COM ports, from the device manager's
// list of ports: their names are what a user sees there.
#include "PortNames.h"

#include <QStringList>
#include <windows.h>
// After windows.h, which they need.
#include <devguid.h>
#include <setupapi.h>

namespace {

struct SystemPort {
    QString name;         // "COM5"
    QString friendlyName; // "USB-SERIAL CH340 (COM5)"
    QString maker;
    bool usb = false;
};

QString deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t text[512]{};
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                             reinterpret_cast<BYTE*>(text), sizeof(text) - 2,
                                             nullptr))
        return {};
    return QString::fromWCharArray(text);
}

QString portNameOfDevice(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    const HKEY key =
        ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64]{};
    DWORD size = sizeof(name) - 2;
    DWORD type = 0;
    const bool found = ::RegQueryValueExW(key, L"PortName", nullptr, &type,
                                          reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return found && type == REG_SZ ? QString::fromWCharArray(name) : QString();
}

QList<SystemPort> systemPorts() {
    QList<SystemPort> ports;
    const HDEVINFO devices =
        ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        SystemPort port{portNameOfDevice(devices, device),
                        deviceProperty(devices, device, SPDRP_FRIENDLYNAME),
                        deviceProperty(devices, device, SPDRP_MFG), false};
        // Adapters' drivers name their bus USB, or their own (FTDIBUS) under it.
        const QString hardware = deviceProperty(devices, device, SPDRP_HARDWAREID);
        port.usb = hardware.startsWith(QLatin1String("USB\\"), Qt::CaseInsensitive) ||
                   hardware.startsWith(QLatin1String("FTDIBUS\\"), Qt::CaseInsensitive);
        if (!port.name.isEmpty())
            ports.append(port);
    }
    ::SetupDiDestroyDeviceInfoList(devices);
    return ports;
}

} // namespace

QStringList portToolTips(const QStringList& devices, UiLanguage language) {
    const QList<SystemPort> ports = systemPorts();
    QStringList tips;
    for (const QString& device : devices) {
        QStringList lines{device};
        for (const SystemPort& port : ports) {
            if (port.name.compare(device, Qt::CaseInsensitive) != 0)
                continue;
            if (!port.friendlyName.isEmpty())
                lines.append(inLanguage(language, "设备：", "Device: ") + port.friendlyName);
            if (!port.maker.isEmpty())
                lines.append(inLanguage(language, "制造商：", "Maker: ") + port.maker);
        }
        tips.append(lines.join(QLatin1Char('\n')));
    }
    return tips;
}

// The device's name in the object manager comes and goes with the device. Wine
// has none for a port linked in later, but its file system answers for the
// link: a port that is missing is "not found" (a bad device type under Wine).
bool portPresent(const QString& device) {
    wchar_t target[512];
    if (::QueryDosDeviceW(reinterpret_cast<const wchar_t*>(device.utf16()), target, 512) != 0)
        return true;
    const QString path = QStringLiteral("\\\\.\\") + device;
    if (::GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.utf16())) !=
        INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
           error != ERROR_BAD_DEV_TYPE && error != ERROR_INVALID_NAME;
}

QStringList usbSerialDevices() {
    QStringList devices;
    for (const SystemPort& port : systemPorts())
        if (port.usb)
            devices.append(port.name);
    return devices;
}
