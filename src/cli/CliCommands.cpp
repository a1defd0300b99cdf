#include "CliCommands.h"

#include "CliFailure.h"
#include "Commands.h"

int runCommand(const GlobalOptions& options, const QStringList& arguments) {
    const QString name = arguments.value(0);
    if (name == QLatin1String("ports"))
        return command::ports(options, arguments);
    if (name == QLatin1String("read"))
        return command::read(options, arguments);
    if (name == QLatin1String("diff"))
        return command::diff(options, arguments);
    if (name == QLatin1String("write"))
        return command::write(options, arguments);
    if (name == QLatin1String("defaults"))
        return command::defaults(options, arguments);
    if (name == QLatin1String("set"))
        return command::set(options, arguments);
    if (name == QLatin1String("restart"))
        return command::restart(options, arguments);
    if (name == QLatin1String("flash"))
        return command::flash(options, arguments);
    if (name == QLatin1String("gprs"))
        return command::gprs(options, arguments);
    if (name == QLatin1String("passcode"))
        return command::passcode(arguments);
    if (name == QLatin1String("symbols"))
        return command::symbols(options, arguments);
    throw CliFailure{
        kExitUsage,
        name.isEmpty() ? QStringLiteral("No command given; see \"kite12 --help\"")
                       : QStringLiteral("Unknown command \"%1\"; see \"kite12 --help\"").arg(name)};
}
