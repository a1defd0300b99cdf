#include "Form1.h"
#include "VersionText.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = R"(Usage: kite12-config [--help] [--version]
The window of KITE12 APRS Config: reads the settings of a KITE12 APRS tracker
over its serial cable, edits them, writes them back, updates its firmware and
sets up its GPRS modem. "kite12 --help" tells of the command line.
)";

// Answered before the window's toolkit starts, which needs a display.
bool printedInstead(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(versionText(QStringLiteral("kite12-config")).toUtf8().constData(), stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (printedInstead(argc, argv))
        return 0;
    QApplication app(argc, argv);
    Form1 window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
