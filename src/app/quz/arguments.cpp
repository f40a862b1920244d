#include "app/quz/arguments.h"

namespace quz::app {

void describeQuzArguments(CommandLine &commandLine)
{
    commandLine.parser().setApplicationDescription(
        QStringLiteral("Practise the examination tickets of the road traffic rules."));
    commandLine.parser().addPositionalArgument(
        QStringLiteral("journal-file"),
        QStringLiteral("A saved error journal (.quz) to load into the error journal window at "
                       "start. Put -- before a file name that begins with a dash."),
        QStringLiteral("[journal-file]"));
}

} // namespace quz::app
