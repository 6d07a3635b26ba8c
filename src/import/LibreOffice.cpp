#include "import/LibreOffice.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <memory>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace import {

namespace {

int timeLimitMs = 120000;
bool running = false;
qint64 latestGroup = 0;

// One profile for the program's run, so that later conversions skip the
// set-up of a new profile; thrown away after a conversion that was killed.
std::unique_ptr<QTemporaryDir> profile;

// A new profile runs a graphics self-test of several seconds at the first
// start of every LibreOffice version, and a conversion never records that the
// version has started. Marking the profile as used by any later version as
// well skips the test.
const char kProfileSettings[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
    "oor:op=\"fuse\"><value>99.9</value></prop></item>\n"
    "</oor:items>\n";

QString profileDirectory()
{
    if (profile && profile->isValid())
        return profile->path();
    profile = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zelvo-libreoffice-XXXXXX"));
    if (!profile->isValid())
        return QString();
    QDir(profile->path()).mkpath(QStringLiteral("user"));
    QFile settings(profile->path() + QStringLiteral("/user/registrymodifications.xcu"));
    if (settings.open(QIODevice::WriteOnly))
        settings.write(kProfileSettings);
    return profile->path();
}

void killGroup(qint64 group)
{
    if (group > 0)
        ::kill(-pid_t(group), SIGKILL);
}

// The one file LibreOffice wrote into the folder.
QByteArray readResult(const QString &folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    if (files.isEmpty())
        return QByteArray();
    QFile file(files.constFirst().filePath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace

QString FindConverter()
{
    for (const QString &name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

Conversion Convert(const QString &sourcePath, const QString &convertTo, const QString &inputFilter)
{
    Conversion result;
    if (running) {
        result.outcome = Conversion::Outcome::Busy;
        return result;
    }
    const QString program = FindConverter();
    if (program.isEmpty()) {
        result.outcome = Conversion::Outcome::NoConverter;
        return result;
    }
    const QString profilePath = profileDirectory();
    QTemporaryDir outFolder(QDir::tempPath() + QStringLiteral("/zelvo-import-XXXXXX"));
    if (profilePath.isEmpty() || !outFolder.isValid())
        return result; // NotStarted: no room in the temporary folder

    running = true;
    QProcess process;
    process.setProgram(program);
    // The source goes as a file URL, so that its name reaches LibreOffice
    // whatever the locale and whatever characters it holds.
    QStringList arguments{QStringLiteral("-env:UserInstallation=")
                              + QUrl::fromLocalFile(profilePath).toString(QUrl::FullyEncoded),
                          QStringLiteral("--headless"), QStringLiteral("--norestore")};
    if (!inputFilter.isEmpty())
        arguments << QStringLiteral("--infilter=") + inputFilter;
    arguments << QStringLiteral("--convert-to") << convertTo << QStringLiteral("--outdir") << outFolder.path()
              << QUrl::fromLocalFile(QFileInfo(sourcePath).absoluteFilePath()).toString(QUrl::FullyEncoded);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A group of its own: the start script, its launcher and the office
    // process it starts can be stopped together.
    process.setChildProcessModifier([] { ::setsid(); });

    process.start();
    if (!process.waitForStarted()) {
        running = false;
        return result;
    }
    latestGroup = process.processId();

    bool timedOut = false;
    if (process.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        limit.start(timeLimitMs);
        loop.exec();
    }
    // Whatever is still in the group goes, also after a normal end.
    killGroup(latestGroup);
    if (process.state() != QProcess::NotRunning)
        process.waitForFinished(10000);
    running = false;

    if (timedOut) {
        profile.reset(); // a killed office may leave its profile locked or half written
        result.outcome = Conversion::Outcome::TimedOut;
        return result;
    }
    if (process.exitStatus() == QProcess::CrashExit) {
        profile.reset();
        result.outcome = Conversion::Outcome::Crashed;
        return result;
    }
    result.output = readResult(outFolder.path());
    // LibreOffice ends normally also when it could not load the file; it
    // then writes nothing. A result of 0 bytes is a real one (an empty text).
    const bool wroteSomething = !QDir(outFolder.path()).entryList(QDir::Files).isEmpty();
    result.outcome = wroteSomething ? Conversion::Outcome::Converted : Conversion::Outcome::CannotOpen;
    return result;
}

void setConversionTimeLimit(int milliseconds)
{
    timeLimitMs = milliseconds;
}

int conversionTimeLimit()
{
    return timeLimitMs;
}

bool conversionRunning()
{
    return running;
}

qint64 lastConversionGroup()
{
    return latestGroup;
}

} // namespace import
