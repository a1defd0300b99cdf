#pragma once

#include "LoaderSession.h"
#include "UiLanguage.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What a file given as firmware turns out to be, judged by its bytes alone.
enum class ImageKind {
    Firmware,
    SettingsFile,
    IntelHex,
    SRecord,
    Text,
    Zip,
    Gzip,
    SevenZip,
    Rar,
    Elf,
    Png,
    Jpeg,
    Gif,
    Bmp,
};

// The tracker family's own name in a version text, such as "KITE12 V2.1".
inline constexpr char kTrackerFamily[] = "KITE12";

struct ImageCheck {
    ImageKind kind = ImageKind::Firmware;
    qint64 size = 0;
    int blocks = 0;
    QString sha256; // lower-case hex
    // The first version text of a tracker model in the image; "" when none.
    QString version;
    // The image's version names another model than this tracker's.
    bool otherModel = false;
    std::optional<LoaderFailure> sizeRefusal;

    // A file that must never reach the loader, confirmed or not.
    bool refused() const { return kind != ImageKind::Firmware || sizeRefusal.has_value(); }
};

ImageCheck checkImage(const QByteArray& data);

// Why the file is no firmware, with the way to one where there is one; "" for firmware.
QString kindRefusal(const ImageCheck& check, const QString& fileName, UiLanguage language);

// "40960 bytes, 21 blocks, SHA-256 ab12...", then the version text when there is one.
QString imageSummary(const ImageCheck& check, UiLanguage language);

// The image's version beside the tracker's; "" when the image holds none.
QString versionBeside(const ImageCheck& check, const QString& trackerVersion, UiLanguage language);

// The question (window) or refusal (kite12) for an image of another model.
QString otherModelText(const ImageCheck& check, UiLanguage language);
