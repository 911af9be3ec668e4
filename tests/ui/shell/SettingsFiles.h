// Settings files for the shell suite: read and written whole, or made by the command-line wizard.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The settings file the command-line wizard writes for arguments.
inline QByteArray CliOutput(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(QX_CLI_PATH), arguments);
    if (!cli.waitForFinished(30000) || cli.exitCode() != 0)
        return "command-line wizard failed: " + cli.readAllStandardError();
    return cli.readAllStandardOutput();
}
