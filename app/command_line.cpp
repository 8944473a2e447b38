#include "command_line.h"

#include <QCommandLineParser>

namespace {

const char* const Usage =
    "usage: zommel [--scale N] [--record FILE]\n"
    "\n"
    "  --scale N       draw the game and the editor N times larger (1 to 4, default 1)\n"
    "  --record FILE   write what you play as an input script for zommel-replay\n"
    "  --version       print the version and exit\n"
    "  --help          print this text and exit\n";

} // namespace

CommandLine parseGameArguments(const QStringList& args, GameOptions& options, QString& text) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption scale(QStringLiteral("scale"), QString(), QStringLiteral("N"));
    const QCommandLineOption record(QStringLiteral("record"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, version, scale, record});

    auto fail = [&text](const QString& message) {
        text = message + QStringLiteral(" (see --help)");
        return CommandLine::Error;
    };
    if (!parser.parse(args)) {
        // Qt's own wording ("Unknown option 'x'."), as one of our lines.
        QString message = parser.errorText();
        if (message.endsWith(QLatin1Char('.'))) message.chop(1);
        if (!message.isEmpty()) message[0] = message[0].toLower();
        return fail(message);
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'")
                        .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help)) {
        text = QString::fromLatin1(Usage);
        return CommandLine::Help;
    }
    if (parser.isSet(version)) {
        text = QStringLiteral("zommel " ZOMMEL_VERSION "\n");
        return CommandLine::Version;
    }

    GameOptions parsed;
    if (parser.isSet(scale)) {
        const QString value = parser.value(scale);
        bool digits = !value.isEmpty() && value.size() <= 2;
        for (QChar c : value) digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        parsed.scale = digits ? value.toInt() : 0;
        if (parsed.scale < 1 || parsed.scale > MaxScale)
            return fail(QStringLiteral("--scale takes a whole number from 1 to %1, not '%2'")
                            .arg(MaxScale)
                            .arg(value));
    }
    if (parser.isSet(record)) {
        parsed.recordFile = parser.value(record);
        if (parsed.recordFile.isEmpty()) return fail(QStringLiteral("--record needs a file name"));
    }
    options = parsed;
    return CommandLine::Run;
}
