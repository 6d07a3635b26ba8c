#pragma once
// Qt's own texts (the buttons 是, 否, 取消, 确定 of message boxes, the file
// and colour dialogs, what screen readers are told of Qt's inner controls)
// in Simplified Chinese.
class QCoreApplication;

namespace ui {

// Loads Qt's Chinese translations into the application, when the system has
// them, and makes Chinese the default locale of Qt's widgets whatever the
// system's language. True when the translations were found.
bool installQtTranslations(QCoreApplication *app);

} // namespace ui
