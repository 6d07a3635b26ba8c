#pragma once
// LibreOffice, started headless for one conversion at a time: the program's
// only use of it. The import commands hand it a file and read back the
// converted text.
#include <QByteArray>
#include <QString>

namespace import {

struct Conversion {
    enum class Outcome {
        Converted,   // output holds the converted file
        NoConverter, // neither soffice nor libreoffice is on the PATH
        NotStarted,  // the program was found but could not be started
        CannotOpen,  // it ended without a result: the file could not be opened or converted
        Crashed,     // it ended abnormally
        TimedOut,    // it was stopped at the time limit
        Busy,        // another conversion is running
    };
    Outcome outcome = Outcome::NotStarted;
    QByteArray output;
};

// The converter: the first of soffice and libreoffice found on the PATH;
// empty when there is neither.
QString FindConverter();

// Converts the file with LibreOffice's --convert-to target (for example
// "txt:Text (encoded):UTF8") and returns the bytes of the result. LibreOffice
// runs headless, in a process group of its own and with a profile private to
// this program; the wait runs a local event loop, so windows keep painting.
// At the time limit the whole group is killed. Nothing started here is left
// running when this returns. With an input filter LibreOffice reads the file
// through that filter alone (a file it cannot read is then not converted at
// all); without one it picks a filter itself.
Conversion Convert(const QString &sourcePath, const QString &convertTo, const QString &inputFilter = QString());

// The time limit of one conversion (two minutes unless changed).
void setConversionTimeLimit(int milliseconds);
int conversionTimeLimit();
// True while a conversion runs.
bool conversionRunning();
// The process group of the latest conversion started (0 before the first):
// once Convert has returned, no process is left in it.
qint64 lastConversionGroup();

} // namespace import
