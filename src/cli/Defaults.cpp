#include "CliArguments.h"
#include "Commands.h"
#include "DefaultSettings.h"
#include "TrackerWrite.h"

#include <QCommandLineParser>

int command::defaults(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("chinese"),
                      QStringLiteral("The Chinese window's defaults (the unit \u516C\u91CC).")});
    addWriteOptions(parser);
    parseCommand(
        parser, arguments,
        QStringLiteral("Reads the tracker and leaves a restore point, writes those of the "
                       "Default button's settings that differ, then restarts the tracker."));
    const bool chinese = parser.isSet(QStringLiteral("chinese"));
    QStringList words{QStringLiteral("defaults")};
    if (chinese)
        words += QStringLiteral("--chinese");
    WriteRequest request = writeRequest(parser, words);
    request.reason = PointReason::Defaults;
    request.record = defaultRecord(chinese ? UiLanguage::Chinese : UiLanguage::English);
    return runWrite(options, request);
}
