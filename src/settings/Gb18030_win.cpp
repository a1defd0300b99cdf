#include "Gb18030.h"

#include <windows.h>

namespace {

constexpr UINT kGb18030 = 54936;

} // namespace

bool gb18030Supported() {
    return IsValidCodePage(kGb18030) != 0;
}

std::optional<QString> gb18030Decoded(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return QString();
    const auto size = static_cast<int>(bytes.size());
    // MB_ERR_INVALID_CHARS: a byte that is not GB18030 fails the call instead of
    // becoming a replacement character.
    const int length =
        MultiByteToWideChar(kGb18030, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(kGb18030, MB_ERR_INVALID_CHARS, bytes.data(), size,
                        reinterpret_cast<wchar_t*>(text.data()), length);
    if (gb18030Encoded(text) != bytes.toByteArray())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> gb18030Encoded(QStringView text) {
    if (text.isEmpty())
        return QByteArray();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const auto size = static_cast<int>(text.size());
    // Code page 54936 takes no flags but this one; it refuses a lone surrogate.
    const int length = WideCharToMultiByte(kGb18030, WC_ERR_INVALID_CHARS, wide, size, nullptr, 0,
                                           nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(kGb18030, WC_ERR_INVALID_CHARS, wide, size, bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}
