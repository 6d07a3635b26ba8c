#pragma once
// The help menu: the tutorial program and the product web site.
#include <QString>

class QWidget;

namespace commands {

extern const char *const kProductWebSite;
extern const char *const kTutorialMissingText;

// The tutorial program in the program's own directory.
QString tutorialProgramPath();

// "查看使用向导": starts the tutorial program without waiting for it; when it is
// missing, offers the product web site instead.
void ShowTutorial(QWidget *parent, const QString &programPath = tutorialProgramPath());
// "访问我们": the product web site in the default browser.
void VisitWebSite();

} // namespace commands
