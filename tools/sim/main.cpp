#include "SimOptions.h"
#include "SimProgram.h"

#include <QCoreApplication>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    // A test or demo that is killed must not leave its tracker behind.
    const pid_t parent = getppid();
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent)
        return 1;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kite12-sim"));
    SimProgram program(parseSimOptions(QCoreApplication::arguments()));
    if (!program.start())
        return 1;
    return QCoreApplication::exec();
}
