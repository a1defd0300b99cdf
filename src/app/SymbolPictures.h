#pragma once

#include <QPixmap>
#include <QString>

// The picture of a symbol code: "/>" its own, "I&" the alternate table's "&" with the
// overlay character drawn on it. Null for a code without a picture.
QPixmap symbolPicture(const QString& code);
