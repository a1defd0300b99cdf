#pragma once

#include "LoaderSession.h"
#include "UiLanguage.h"

#include <QString>

// 100 x done / total to the nearest whole number, a half to the even neighbour.
int progressPercent(int done, int total);

// " 3/10": the loader wait's count with its leading blank.
QString tickCount(int ticks);

QString pleaseWaitText(int waitTicks);
QString resetWaitText(int tries);
QString loaderWaitText(int waitTicks);
QString sendingCaption(int percent);
QString completeCaption(int percent);

// Why the update does not send the image, or why it stopped.
QString failureText(LoaderFailure failure, UiLanguage language);
