#include "SymbolPictures.h"

#include "AprsSymbols.h"
#include "SymbolPictureData.h"

#include <QHash>
#include <QPainter>

namespace {

constexpr char kOverlayTable = '#';

// Each picture is decoded when first shown: decoding them all took a tenth of
// the window's start-up.
QPixmap pictureOf(const QString& tableCode) {
    static const QHash<QString, const SymbolPictureData*> index = [] {
        QHash<QString, const SymbolPictureData*> all;
        for (const SymbolPictureData& data : symbolPictureData())
            all.insert(QString(QLatin1Char(data.table)) + QLatin1Char(data.code), &data);
        return all;
    }();
    static QHash<QString, QPixmap> decoded;
    if (const auto found = decoded.constFind(tableCode); found != decoded.cend())
        return *found;
    QPixmap picture;
    if (const SymbolPictureData* data = index.value(tableCode))
        picture.loadFromData(data->png.data(), static_cast<uint>(data->png.size()), "PNG");
    decoded.insert(tableCode, picture);
    return picture;
}

} // namespace

QPixmap symbolPicture(const QString& code) {
    const ShownSymbol shown = shownSymbol(code);
    if (shown.tableCode.startsWith(QLatin1Char(kOverlayTable)))
        return {};
    QPixmap picture = pictureOf(shown.tableCode);
    const QPixmap overlay = shown.overlay.isNull()
                                ? QPixmap()
                                : pictureOf(QString(QLatin1Char(kOverlayTable)) + shown.overlay);
    if (!picture.isNull() && !shown.overlay.isNull() && !overlay.isNull()) {
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, overlay);
    }
    return picture;
}
