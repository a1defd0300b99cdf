#include "ImageCheck.h"

#include "LoaderFrames.h"
#include "SettingsTable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <array>

namespace {

struct Signature {
    const char* bytes;
    int length;
    ImageKind kind;
};

// The first bytes of the files users mistake for firmware most often.
constexpr std::array kSignatures{
    Signature{"PK\x03\x04", 4, ImageKind::Zip},
    Signature{"PK\x05\x06", 4, ImageKind::Zip},
    Signature{"\x1F\x8B", 2, ImageKind::Gzip},
    Signature{"7z\xBC\xAF\x27\x1C", 6, ImageKind::SevenZip},
    Signature{"Rar!\x1A\x07", 6, ImageKind::Rar},
    Signature{"\x7F"
              "ELF",
              4, ImageKind::Elf},
    Signature{"\x89PNG\r\n\x1A\n", 8, ImageKind::Png},
    Signature{"\xFF\xD8\xFF", 3, ImageKind::Jpeg},
    Signature{"GIF87a", 6, ImageKind::Gif},
    Signature{"GIF89a", 6, ImageKind::Gif},
};

// Printable characters, tabs and line ends only, with at least one line end:
// firmware holds control bytes, and a padding run of one letter holds no line end.
bool isText(const QByteArray& data) {
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
        return true;
    const bool plain = std::ranges::all_of(data, [](char c) {
        const auto byte = static_cast<quint8>(c);
        return (byte >= 0x20 && byte != 0x7F) || c == '\t' || c == '\r' || c == '\n';
    });
    return plain && data.contains('\n');
}

bool allLines(const QList<QByteArray>& lines, const QRegularExpression& form) {
    return std::ranges::all_of(lines, [&form](const QByteArray& line) {
        return form.match(QString::fromLatin1(line)).hasMatch();
    });
}

bool isSettingsLine(const QByteArray& line) {
    if (line.startsWith("[KITE5]"))
        return true;
    return std::ranges::any_of(settingsTable(), [&line](const SettingRow& setting) {
        return setting.reply.key && line.startsWith(QByteArray(setting.reply.key) + ':');
    });
}

ImageKind textKind(const QByteArray& data) {
    QList<QByteArray> lines;
    for (const QByteArray& line : data.split('\n'))
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    static const QRegularExpression hexRecord(QStringLiteral("^:[0-9A-Fa-f]+$"));
    static const QRegularExpression sRecord(QStringLiteral("^S[0-9][0-9A-Fa-f]+$"));
    if (!lines.isEmpty() && allLines(lines, hexRecord))
        return ImageKind::IntelHex;
    if (!lines.isEmpty() && allLines(lines, sRecord))
        return ImageKind::SRecord;
    if (std::ranges::any_of(lines, isSettingsLine))
        return ImageKind::SettingsFile;
    return ImageKind::Text;
}

ImageKind kindOf(const QByteArray& data) {
    for (const Signature& signature : kSignatures)
        if (data.startsWith(QByteArrayView(signature.bytes, signature.length)))
            return signature.kind;
    // A bitmap gives its own length after its "BM".
    if (data.startsWith("BM") && data.size() >= 6 &&
        qFromLittleEndian<quint32>(data.constData() + 2) == quint32(data.size()))
        return ImageKind::Bmp;
    return isText(data) ? textKind(data) : ImageKind::Firmware;
}

void findVersion(const QByteArray& data, ImageCheck& check) {
    static const QRegularExpression form(QStringLiteral("KITE[0-9]+ V[0-9]+(\\.[0-9]+)*"));
    // Latin-1 keeps every byte one character, so the firmware's bytes cannot break the search.
    const QString text = QString::fromLatin1(data);
    const QString family = QLatin1String(kTrackerFamily) + QLatin1Char(' ');
    QRegularExpressionMatchIterator matches = form.globalMatch(text);
    while (matches.hasNext()) {
        const QString found = matches.next().captured();
        if (found.startsWith(family)) {
            check.version = found;
            check.otherModel = false;
            return;
        }
        if (check.version.isEmpty()) {
            check.version = found;
            check.otherModel = true;
        }
    }
}

QString kindName(ImageKind kind, UiLanguage language) {
    switch (kind) {
    case ImageKind::Firmware:
        break;
    case ImageKind::SettingsFile:
        return inLanguage(language, "设置文件", "a settings file");
    case ImageKind::IntelHex:
        return inLanguage(language, "Intel HEX 文本文件", "an Intel HEX text file");
    case ImageKind::SRecord:
        return inLanguage(language, "Motorola S-record 文本文件", "a Motorola S-record text file");
    case ImageKind::Text:
        return inLanguage(language, "文本文件", "a text file");
    case ImageKind::Zip:
        return inLanguage(language, "zip 压缩包", "a zip archive");
    case ImageKind::Gzip:
        return inLanguage(language, "gzip 压缩文件", "a gzip archive");
    case ImageKind::SevenZip:
        return inLanguage(language, "7z 压缩包", "a 7z archive");
    case ImageKind::Rar:
        return inLanguage(language, "rar 压缩包", "a rar archive");
    case ImageKind::Elf:
        return inLanguage(language, "ELF 程序", "an ELF program");
    case ImageKind::Png:
        return inLanguage(language, "PNG 图片", "a PNG picture");
    case ImageKind::Jpeg:
        return inLanguage(language, "JPEG 图片", "a JPEG picture");
    case ImageKind::Gif:
        return inLanguage(language, "GIF 图片", "a GIF picture");
    case ImageKind::Bmp:
        return inLanguage(language, "BMP 图片", "a BMP picture");
    }
    return {};
}

// What turns the file into an image the loader takes; "" when nothing does.
QString wayToImage(ImageKind kind, const QString& fileName, UiLanguage language) {
    QString input;
    if (kind == ImageKind::IntelHex)
        input = QStringLiteral("-I ihex ");
    else if (kind == ImageKind::SRecord)
        input = QStringLiteral("-I srec ");
    else if (kind != ImageKind::Elf)
        return {};
    const QString shown = QDir::toNativeSeparators(fileName);
    const QFileInfo info(shown);
    const QString raw =
        info.path() == QLatin1String(".")
            ? info.completeBaseName()
            : QDir::toNativeSeparators(info.dir().filePath(info.completeBaseName()));
    return inLanguage(language, "转换为二进制固件：", " Make a raw image of it with: ") +
           QStringLiteral("objcopy %1-O binary \"%2\" \"%3.bin\"").arg(input, shown, raw);
}

} // namespace

ImageCheck checkImage(const QByteArray& data) {
    ImageCheck check;
    check.kind = kindOf(data);
    check.size = data.size();
    check.blocks = blockCountOf(data.size());
    check.sha256 =
        QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
    check.sizeRefusal = LoaderSession::refusal(data.size());
    if (check.kind == ImageKind::Firmware)
        findVersion(data, check);
    return check;
}

QString kindRefusal(const ImageCheck& check, const QString& fileName, UiLanguage language) {
    if (check.kind == ImageKind::Firmware)
        return {};
    return inLanguage(language, "%1 是%2，不是固件，未发送。",
                      "%1 is %2, not firmware; nothing was sent.")
               .arg(QDir::toNativeSeparators(fileName), kindName(check.kind, language)) +
           wayToImage(check.kind, fileName, language);
}

QString imageSummary(const ImageCheck& check, UiLanguage language) {
    QString text =
        inLanguage(language, "%1 字节，%2 块，SHA-256 %3", "%1 bytes, %2 blocks, SHA-256 %3")
            .arg(check.size)
            .arg(check.blocks)
            .arg(check.sha256);
    if (!check.version.isEmpty())
        text += inLanguage(language, "，版本 ", ", version ") + check.version;
    return text;
}

QString versionBeside(const ImageCheck& check, const QString& trackerVersion, UiLanguage language) {
    if (check.version.isEmpty())
        return {};
    return inLanguage(language, "固件版本 %1，设备版本 %2",
                      "Image version %1; the tracker reports %2")
        .arg(check.version,
             trackerVersion.isEmpty() ? inLanguage(language, "未知", "none yet") : trackerVersion);
}

QString otherModelText(const ImageCheck& check, UiLanguage language) {
    return inLanguage(language, "此固件的版本 %1 属于其他型号，不是 %2。",
                      "This image's version %1 names another model, not %2.")
        .arg(check.version, QLatin1String(kTrackerFamily));
}
