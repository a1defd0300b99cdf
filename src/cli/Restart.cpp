#include "CliArguments.h"
#include "CliFailure.h"
#include "Commands.h"
#include "Dialogues.h"
#include "Progress.h"
#include "TrackerSession.h"

#include <QCommandLineParser>

int command::restart(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    parseCommand(parser, arguments, QStringLiteral("Restarts the tracker once it answers."));
    return withTracker(options, [](TrackerSession& session) {
        handshake(session.port, session.progress);
        session.progress.status(QStringLiteral("Restarting"));
        restartTracker(session.port);
        return kExitDone;
    });
}
