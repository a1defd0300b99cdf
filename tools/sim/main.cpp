#include "SimOptions.h"
#include "SimProgram.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kite12-sim"));
    SimProgram program(parseSimOptions(QCoreApplication::arguments()));
    if (!program.start())
        return 1;
    return QCoreApplication::exec();
}
