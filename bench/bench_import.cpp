// Figures for the Word and Excel import: a document of 100 pages and a sheet
// of 10000 rows, each imported into a page view as the commands do it,
// beside LibreOffice converting the same file on the command line. The import
// is the conversion plus reading it, building the fragment and inserting it.
// Prints timings; asserts nothing.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "import/LibreOffice.h"
#include "import/OfficeImport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

const QString Page = QStringLiteral("<html><head><title>t</title></head><body><p>ab</p></body></html>");
const int kRuns = 3;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// LibreOffice on the command line with its own profile, marked like the
// import's so that no first-start self-test runs.
class CommandLine {
public:
    CommandLine()
    {
        QDir(m_profile).mkpath(QStringLiteral("user"));
        QFile settings(m_profile + QStringLiteral("/user/registrymodifications.xcu"));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\">\n"
                           "<item oor:path=\"/org.openoffice.Setup/Product\"><prop "
                           "oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>99.9</value></prop></item>\n"
                           "</oor:items>\n");
    }
    // Runs soffice with the arguments; the time it took in milliseconds.
    double run(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        const auto start = Clock::now();
        process.start(QStringLiteral("soffice"),
                      QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(m_profile).toString(),
                                  QStringLiteral("--headless")}
                          + arguments);
        process.waitForFinished(600000);
        return msSince(start);
    }

private:
    QString m_profile = testsupport::freshTempDir();
};

struct Figures {
    double firstImport = 0;
    double import = 0;
    double conversion = 0;
    double commandLine = 0;
    qsizetype fragmentChars = 0;
};

// Times the import command on the file, its conversion alone and the
// command-line conversion with the same target.
Figures measure(engine::EngineView &view, QWidget *owner, CommandLine &soffice, const QString &file,
                bool excel, const QString &target, const QString &outFolder)
{
    Figures figures;
    std::vector<double> imports;
    for (int i = 0; i <= kRuns; ++i) {
        view.WriteDocument(Page);
        ScriptedPrompter prompter;
        prompter.fileNames.enqueue(file);
        const auto start = Clock::now();
        if (excel)
            import::ImportExcel(owner, view);
        else
            import::ImportWord(owner, view);
        const double ms = msSince(start);
        if (!prompter.messages.isEmpty())
            std::printf("  message: %s\n", qPrintable(prompter.messages.constFirst().text));
        if (i == 0)
            figures.firstImport = ms;
        else
            imports.push_back(ms);
    }
    figures.import = median(imports);
    figures.fragmentChars = view.ReadDocument().size() - Page.size();

    std::vector<double> conversions;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        if (excel)
            import::ReadFirstSheet(file);
        else
            import::ReadDocumentText(file);
        conversions.push_back(msSince(start));
    }
    figures.conversion = median(conversions);

    std::vector<double> lines;
    soffice.run({QStringLiteral("--convert-to"), target, QStringLiteral("--outdir"), outFolder, file}); // warm-up
    for (int i = 0; i < kRuns; ++i)
        lines.push_back(soffice.run({QStringLiteral("--convert-to"), target, QStringLiteral("--outdir"), outFolder, file}));
    figures.commandLine = median(lines);
    return figures;
}

void print(const char *what, const Figures &f)
{
    std::printf("%s\n", what);
    std::printf("  import, first of the run (new profile)   %8.0f ms\n", f.firstImport);
    std::printf("  import (median of %d)                     %8.0f ms   (%lld characters into the page)\n",
                kRuns, f.import, static_cast<long long>(f.fragmentChars));
    std::printf("    of which conversion and reading        %8.0f ms\n", f.conversion);
    std::printf("    the rest: building, inserting, layout  %8.0f ms\n", f.import - f.conversion);
    std::printf("  soffice --convert-to on the command line %8.0f ms\n", f.commandLine);
    std::printf("  ratio import / command line              %8.2f\n", f.import / f.commandLine);
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    if (import::FindConverter().isEmpty()) {
        std::printf("LibreOffice (soffice) is not on the PATH\n");
        return 1;
    }

    QWidget owner;
    owner.resize(1000, 700);
    auto *view = new engine::EngineView(&owner);
    view->resize(1000, 700);
    owner.show();
    if (!QTest::qWaitForWindowExposed(&owner))
        return 1;
    view->Navigate(QStringLiteral("about:blank"));
    view->SetEditMode(true);

    // The files, made by LibreOffice from text: 2500 paragraphs of about 60
    // characters lay out on 100 A4 pages; 10000 rows of 5 columns.
    const QString folder = testsupport::freshTempDir();
    CommandLine soffice;
    {
        QFile text(folder + QStringLiteral("/document.txt"));
        text.open(QIODevice::WriteOnly);
        const QStringList words = QStringLiteral("网页 编辑 文档 导入 表格 段落 文字 测试 the quick brown fox jumps over lazy dog 中文 内容")
                                      .split(QLatin1Char(' '));
        QString body;
        for (int i = 0; i < 2500; ++i) {
            body += QStringLiteral("第%1段").arg(i + 1);
            for (int k = 0; k < 18; ++k)
                body += QLatin1Char(' ') + words.at((i * 7 + k * 13) % words.size());
            body += QLatin1Char('\n');
        }
        text.write(body.toUtf8());
        QFile csv(folder + QStringLiteral("/sheet.csv"));
        csv.open(QIODevice::WriteOnly);
        QByteArray rows;
        for (int r = 1; r <= 10000; ++r)
            rows += QStringLiteral("第%1行,%2,%3.5,名称%4,\"备注, %5\"\n").arg(r).arg(r * 3).arg(r).arg(r % 97).arg(r).toUtf8();
        csv.write(rows);
    }
    soffice.run({QStringLiteral("--infilter=Text (encoded):UTF8"), QStringLiteral("--convert-to"), QStringLiteral("doc"),
                 QStringLiteral("--outdir"), folder, folder + QStringLiteral("/document.txt")});
    soffice.run({QStringLiteral("--infilter=CSV:44,34,76,1"), QStringLiteral("--convert-to"), QStringLiteral("xls"),
                 QStringLiteral("--outdir"), folder, folder + QStringLiteral("/sheet.csv")});
    const QString out = testsupport::freshTempDir();

    const Figures word = measure(*view, &owner, soffice, folder + QStringLiteral("/document.doc"), false,
                                 QStringLiteral("txt:Text (encoded):UTF8"), out);
    print("Word import, 100-page .doc (2500 paragraphs)", word);
    const Figures excel =
        measure(*view, &owner, soffice, folder + QStringLiteral("/sheet.xls"), true,
                QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,1"), out);
    print("Excel import, .xls of 10000 rows x 5 columns", excel);
    return 0;
}
