#include "CliCommands.h"

#include "CliFailure.h"
#include "Commands.h"

namespace {

using Command = int (*)(const GlobalOptions&, const QStringList&);

struct NamedCommand {
    const char* name;
    Command run;
};

constexpr NamedCommand kCommandTable[] = {
    {"ports", command::ports},       {"read", command::read},         {"diff", command::diff},
    {"write", command::write},       {"defaults", command::defaults}, {"set", command::set},
    {"restart", command::restart},   {"flash", command::flash},       {"gprs", command::gprs},
    {"passcode", command::passcode}, {"symbols", command::symbols},   {"preset", command::preset},
};

} // namespace

int runCommand(const GlobalOptions& options, const QStringList& arguments) {
    const QString name = arguments.value(0);
    for (const NamedCommand& each : kCommandTable) {
        if (name == QLatin1String(each.name))
            return each.run(options, arguments);
    }
    throw CliFailure{
        kExitUsage,
        name.isEmpty() ? QStringLiteral("No command given; see \"kite12 --help\"")
                       : QStringLiteral("Unknown command \"%1\"; see \"kite12 --help\"").arg(name)};
}
