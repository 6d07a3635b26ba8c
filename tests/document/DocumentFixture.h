#pragma once
// A window as the main window builds it: the design view on page 0 and the
// code view on page 1 of one tab widget, with a fresh controller per test and
// scripted answers to every prompt.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "codeview/CodeEditor.h"
#include "document/DocumentController.h"
#include "engine/EngineView.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

struct DocumentFixture {
    std::unique_ptr<QWidget> window;
    QTabWidget *views = nullptr;
    engine::EngineView *design = nullptr;
    codeview::CodeEditor *code = nullptr;
    std::unique_ptr<document::DocumentController> controller;
    std::unique_ptr<ScriptedPrompter> prompter;
    QList<QUrl> openedUrls;
    QString dir;     // an empty folder for the test's files
    QString program; // stands for the program's directory

    // Once per test program: the engine takes a while to start.
    void create()
    {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        views = new QTabWidget(window.get());
        views->setObjectName(QStringLiteral("选择夹1"));
        design = new engine::EngineView;
        code = new codeview::CodeEditor;
        views->addTab(design, QStringLiteral("编辑器"));
        views->addTab(code, QStringLiteral("源文件"));
        layout->addWidget(views);
        window->resize(800, 600);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(design->Navigate(QStringLiteral("about:blank")));
        QVERIFY(design->SetEditMode(true));
    }

    // Before each test: the state right after start-up.
    void reset()
    {
        prompter.reset(); // the old one uninstalls itself: it must go first
        prompter = std::make_unique<ScriptedPrompter>();
        views->setCurrentIndex(0);
        code->loadText(QString());
        dir = testsupport::freshTempDir();
        program = testsupport::freshTempDir();
        openedUrls.clear();
        controller = std::make_unique<document::DocumentController>(window.get(), *design, *code, *views);
        controller->preview().setProgramDirectory(program);
        controller->preview().setUrlOpener([this](const QUrl &url) {
            openedUrls.append(url);
            return true;
        });
        controller->InitialiseBlankPage();
    }

    const document::DocumentState &state() const { return controller->state(); }

    // An edit in the design view, as typing would make it.
    void editDesign(const QString &text)
    {
        QVERIFY(design->evaluate(QStringLiteral("document.body.appendChild(document.createTextNode(%1)); true;")
                                     .arg(engine::EngineView::scriptLiteral(text)))
                    .toBool());
    }
    QString designBody()
    {
        return design->evaluate(QStringLiteral("document.body ? document.body.innerHTML : '';")).toString();
    }
    QString designTitle() { return design->evaluate(QStringLiteral("document.title;")).toString(); }

    QString path(const QString &name) const { return dir + QLatin1Char('/') + name; }

    static QByteArray fileBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // Opens a file through 文件 › 打开 with an unchanged page.
    void open(const QString &file)
    {
        prompter->fileNames.enqueue(file);
        controller->OpenPageCommand();
    }

    bool promptedToSave() const
    {
        for (const ShownMessage &m : prompter->messages)
            if (m.caption == QStringLiteral("是否保存"))
                return true;
        return false;
    }
    QStringList informationTexts() const
    {
        QStringList texts;
        for (const ShownMessage &m : prompter->messages)
            if (m.caption == QStringLiteral("信息："))
                texts << m.text;
        return texts;
    }
};
