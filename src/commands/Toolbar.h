#pragma once
// The toolbar strip "图片框_工具栏" of the main window: picture buttons, the
// font name and size boxes and the two colour pickers, each at its place and
// each running its command through the router.
#include <QPixmap>
#include <QString>
#include <QWidget>

class QComboBox;
class QMenu;

namespace ui {
class ColourPicker;
}

namespace commands {

class CommandRouter;
class PictureButton;

// Attaches a plain tooltip that shows also while the window is not active.
void SetTooltip(QWidget *control, const QString &text);

class Toolbar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 72;
    static constexpr int kDesignWidth = 1440;

    // The router must outlive the toolbar.
    explicit Toolbar(CommandRouter &router, QWidget *parent = nullptr);

    // Gives every control of the strip its tooltip (done once at start-up).
    void applyTooltips();

    QComboBox *fontNameBox() const { return m_fontName; }
    QComboBox *fontSizeBox() const { return m_fontSize; }
    ui::ColourPicker *textColourPicker() const { return m_textColour; }
    ui::ColourPicker *textBackColourPicker() const { return m_textBackColour; }
    // The pop-up menu "特效" of the effects button.
    QMenu *effectsMenu() const { return m_effectsMenu; }
    // A control by its object name ("按钮_加粗"), or nullptr.
    QWidget *control(const QString &name) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_background;
    QComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    ui::ColourPicker *m_textColour = nullptr;
    ui::ColourPicker *m_textBackColour = nullptr;
    QMenu *m_effectsMenu = nullptr;
};

} // namespace commands
