#include "UpdateTexts.h"

int progressPercent(int done, int total) {
    if (total <= 0)
        return 0;
    const qint64 scaled = qint64(done) * 100;
    qint64 quotient = scaled / total;
    const qint64 twiceRest = (scaled % total) * 2;
    if (twiceRest > total || (twiceRest == total && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

QString tickCount(int ticks) {
    return QStringLiteral(" %1/10").arg(ticks);
}

QString pleaseWaitText(int waitTicks) {
    return QStringLiteral("Please wait auto update.\r\n") + tickCount(waitTicks);
}

QString resetWaitText(int tries) {
    return QStringLiteral("Wait for reset eeram  %1/5\r\n").arg(tries);
}

QString loaderWaitText(int waitTicks) {
    return QStringLiteral("Wait for update\r\n") + tickCount(waitTicks);
}

QString sendingCaption(int percent) {
    return QStringLiteral(u"updating，don't remove power update step:%1%").arg(percent);
}

QString completeCaption(int percent) {
    return QStringLiteral("update complete update step:%1%").arg(percent);
}

QString failureText(LoaderFailure failure, UiLanguage language) {
    switch (failure) {
    case LoaderFailure::ImageTooShort:
        return QStringLiteral("Please choose fireware");
    case LoaderFailure::ImageTooLarge:
        return inLanguage(language, "固件太大，请选择小于 512KB 的文件",
                          "Fireware too large, Please choose one under 512KB");
    case LoaderFailure::NeverAnswered:
        return QStringLiteral("Connect fail, Please try again.");
    case LoaderFailure::FellSilent:
        break;
    }
    return inLanguage(language, "升级失败，设备没有回应，请重试。",
                      "Update fail, no reply from the tracker, Please try again.");
}
